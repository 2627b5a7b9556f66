// String table ids that the program loads with LoadResourceString, and what each caller passes.
// Callers use these names; kStringUses lists every id with the argument kinds its callers pass
// (see PlaceholderKinds), so the catalog test can hold every catalog, the built-in one and each
// translation, to them. A new caller of a string adds its id here.
#pragma once

#include <array>
#include <string_view>

namespace clipwright {

inline constexpr int kIdsInitFailed = 100;
inline constexpr int kIdsRestartAfterOgg = 61201;
inline constexpr int kIdsCantPlayback = 61205;
inline constexpr int kIdsConversionCanceled = 61207;
inline constexpr int kIdsConfirmCancelAll = 61208;
inline constexpr int kIdsConversionCompleted = 61209;
inline constexpr int kIdsRestartAfterWindowsMedia = 61210;
inline constexpr int kIdsDetectingFile = 61212;  // %d file number, %d count, %s path
inline constexpr int kIdsConvertStep = 61215;    // %d file number, %d count, %s source, %s target
inline constexpr int kIdsConfirmExit = 61221;    // %s application name
inline constexpr int kIdsFailureReasons = 61222;
inline constexpr int kIdsAskWindowsMedia = 61225;
inline constexpr int kIdsAskOgg = 61226;
inline constexpr int kIdsSelectOutputFolder = 61242;
inline constexpr int kIdsUnknownFileFormat = 61243;
inline constexpr int kIdsEncoderMissing = 61244;  // %s program name, %s folders, one a line
inline constexpr int kIdsRunCounts = 61245;       // %d converted, %d skipped, %d failed
inline constexpr int kIdsAdd = 61308;
inline constexpr int kIdsConvert = 61310;
inline constexpr int kIdsConvertDuration = 61311;
inline constexpr int kIdsError = 61313;
inline constexpr int kIdsExit = 61315;
inline constexpr int kIdsDoing = 61316;
inline constexpr int kIdsDone = 61317;
inline constexpr int kIdsMoveUp = 61319;
inline constexpr int kIdsMoveDown = 61320;
inline constexpr int kIdsPreview = 61322;
inline constexpr int kIdsReady = 61323;
inline constexpr int kIdsRemove = 61324;
inline constexpr int kIdsRemoveAll = 61325;
inline constexpr int kIdsSkip = 61328;
inline constexpr int kIdsSource = 61329;
inline constexpr int kIdsStatus = 61330;
inline constexpr int kIdsTarget = 61332;
inline constexpr int kIdsWaiting = 61335;
inline constexpr int kIdsRecommended = 61336;
inline constexpr int kIdsKeepOriginal = 61337;
inline constexpr int kIdsOneChannel = 61338;
inline constexpr int kIdsTwoChannels = 61339;
inline constexpr int kIdsDisableAudio = 61340;
inline constexpr int kIdsProbeTimedOut = 61380;  // %d seconds
inline constexpr int kIdsProbeEncoderEnded = 61381;
inline constexpr int kIdsBatchTimeLeft = 61400;  // %s speed, %s time left
inline constexpr int kIdsAskLowSpace = 61401;    // %s needed, %s free, %s folder
inline constexpr int kIdsReasonEmptyPart = 61402;
inline constexpr int kIdsReasonNoEncoderForType = 61403;
inline constexpr int kIdsReasonEncoderMissing = 61404;    // %s program name
inline constexpr int kIdsReasonFolderUnwritable = 61405;  // %s folder
inline constexpr int kIdsReasonDiskFull = 61406;
inline constexpr int kIdsAskBatchReport = 61407;
inline constexpr int kIdsReportFailed = 61408;         // %s folder
inline constexpr int kIdsReasonEncoderStatus = 61520;  // %d exit status
inline constexpr int kIdsReasonEncoderSignal = 61521;  // %d signal number, %s its name
inline constexpr int kIdsReasonEncoderHung = 61522;    // %d seconds
inline constexpr int kIdsProbeNoDuration = 61523;
inline constexpr int kIdsProbeUndecodableName = 61524;
inline constexpr int kIdsEncoderNotExecutable = 61525;   // %s path
inline constexpr int kIdsEncoderIsFolder = 61526;        // %s path
inline constexpr int kIdsReasonNameTooLong = 61527;      // %s folder
inline constexpr int kIdsAskDiscTitleLimit = 61528;      // %s disc type, %d limit, %d files
inline constexpr int kIdsPreviewNotRegularFile = 61430;  // %s path
inline constexpr int kIdsReasonZeroByteInName = 61440;
inline constexpr int kIdsReasonRowMismatch = 61441;

// Making a disc from the converted files.
inline constexpr int kIdsDiscTypeOnly = 61450;
inline constexpr int kIdsDiscNothingConverted = 61451;
inline constexpr int kIdsDiscTypeChanged = 61452;     // %s run's type, %s type now, %s files, %s
inline constexpr int kIdsDiscMixedStandards = 61453;  // %s PAL files, %s NTSC files
inline constexpr int kIdsDiscUnreadable = 61454;      // %s files
inline constexpr int kIdsDiscNotOfType = 61455;       // %s type, %s files
inline constexpr int kIdsDiscToolMissing = 61456;     // %s programs, %s Debian packages
inline constexpr int kIdsDiscTooLarge = 61457;        // %s size, %s excess, %s capacity
inline constexpr int kIdsDiscTargetNotEmpty = 61458;  // %s folder
inline constexpr int kIdsDiscChooseFolder = 61459;
inline constexpr int kIdsDiscChecking = 61460;
inline constexpr int kIdsDiscStep = 61461;    // %d step, %d steps, %s tool
inline constexpr int kIdsDiscDone = 61462;    // %s image files, one a line
inline constexpr int kIdsDiscFailed = 61463;  // %s the tool's line
inline constexpr int kIdsDiscCanceled = 61464;
inline constexpr int kIdsDiscOffer = 61465;            // %s disc type
inline constexpr int kIdsDiscTargetNotFolder = 61466;  // %s path
inline constexpr int kIdsDiscTooManyTitles = 61529;    // %s disc type, %d limit, %d files

// Texts of the information pane, the About box, the Add dialog's filters, the status bar, and our
// words for what the encoder reports about a source or an output.
inline constexpr int kIdsInfoDuration = 61620;
inline constexpr int kIdsInfoBitrate = 61621;
inline constexpr int kIdsInfoVideo = 61622;
inline constexpr int kIdsInfoAudio = 61623;
inline constexpr int kIdsAboutVersion = 61624;  // %d major, %d minor, %d build
inline constexpr int kIdsFilterAllMedia = 61625;
inline constexpr int kIdsFilterVideo = 61626;
inline constexpr int kIdsFilterWindowsMedia = 61627;
inline constexpr int kIdsFilterQuickTime = 61628;
inline constexpr int kIdsFilterRealMedia = 61629;
inline constexpr int kIdsFilterOgg = 61630;
inline constexpr int kIdsFilterAll = 61631;
inline constexpr int kIdsTranslationMail = 61632;  // %s mail address
inline constexpr int kIdsIndicatorCaps = 61633;
inline constexpr int kIdsIndicatorNum = 61634;
inline constexpr int kIdsIndicatorScroll = 61635;
inline constexpr int kIdsOutputMissing = 61636;
inline constexpr int kIdsOutputEmpty = 61637;
inline constexpr int kIdsOutputUnreadable = 61638;
inline constexpr int kIdsOutputLength = 61639;  // %s seconds written, %s seconds expected
inline constexpr int kIdsSourceIsFolder = 61640;
inline constexpr int kIdsSourceNotRegular = 61641;
inline constexpr int kIdsSourceUnreadable = 61642;    // %s the libraries' words
inline constexpr int kIdsSourceNoStreamInfo = 61643;  // %s the libraries' words
inline constexpr int kIdsSourceNoStreams = 61644;
inline constexpr int kIdsInfoUnknownFormat = 61645;
// Why the computer is kept from suspending, as the desktop shows it.
inline constexpr int kIdsAwakeConverting = 61646;
inline constexpr int kIdsAwakeMakingDisc = 61647;
// The message of a link that cannot be opened, and the reasons the opener gives.
inline constexpr int kIdsCantOpenLink = 61650;      // %s reason
inline constexpr int kIdsLinkUnknownError = 61651;  // %d code
inline constexpr int kIdsFirstLinkError = 61652;    // the next 13, in kLinkErrorCodes' order
inline constexpr std::array<int, 13> kLinkErrorCodes{0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
// The question at Convert when a disc run is over one disc: fit it, several discs, or as it is.
inline constexpr int kIdsFitQuestion = 61700;   // %s run length, %s estimate, %s disc size
inline constexpr int kIdsFitChoiceFit = 61701;  // %d kbit/s, %s disc (the next three)
inline constexpr int kIdsFitSingleLayer = 61702;
inline constexpr int kIdsFitDoubleLayer = 61703;
inline constexpr int kIdsFitCd = 61704;
inline constexpr int kIdsFitChoiceSeveral = 61705;
inline constexpr int kIdsFitChoiceAsItIs = 61706;
inline constexpr int kIdsFitTooLong = 61707;        // %d lowest kbit/s
inline constexpr int kIdsFitUnknownLength = 61708;  // %s file
inline constexpr int kIdsFitDiscsDone = 61709;      // %s a line a disc
inline constexpr int kIdsFitDiscLine = 61710;       // %d disc number, %s titles
inline constexpr int kIdsFitTitleTooLarge = 61711;  // %s files
inline constexpr int kIdsFitRemakeStep = 61712;     // %d file number, %d count, %s source
inline constexpr int kIdsDiscChoiceOneAnyway = 61713;
inline constexpr int kIdsFitMeasuring = 61714;

// Command prompts, "status-bar text\ntooltip", carry the command id as their string id.
inline constexpr std::array<int, 19> kPromptCommandIds{
    32801, 32803, 32804, 32805, 32806, 32807, 32808, 32811, 32791, 32792,
    32776, 32777, 32778, 32779, 32780, 57664, 57665, 32750, 32751};

struct StringUse {
    int id;
    std::string_view argumentKinds;  // as PlaceholderKinds gives them; "" for no arguments
};

inline constexpr std::array<StringUse, 139> kStringUses{{
    {kIdsInitFailed, ""},
    {kIdsRestartAfterOgg, ""},
    {kIdsCantPlayback, ""},
    {kIdsConversionCanceled, ""},
    {kIdsConfirmCancelAll, ""},
    {kIdsConversionCompleted, ""},
    {kIdsRestartAfterWindowsMedia, ""},
    {kIdsDetectingFile, "dds"},
    {kIdsConvertStep, "ddss"},
    {kIdsConfirmExit, "s"},
    {kIdsFailureReasons, ""},
    {kIdsAskWindowsMedia, ""},
    {kIdsAskOgg, ""},
    {kIdsSelectOutputFolder, ""},
    {kIdsUnknownFileFormat, ""},
    {kIdsEncoderMissing, "ss"},
    {kIdsRunCounts, "ddd"},
    {kIdsAdd, ""},
    {kIdsConvert, ""},
    {kIdsConvertDuration, ""},
    {kIdsError, ""},
    {kIdsExit, ""},
    {kIdsDoing, ""},
    {kIdsDone, ""},
    {kIdsMoveUp, ""},
    {kIdsMoveDown, ""},
    {kIdsPreview, ""},
    {kIdsReady, ""},
    {kIdsRemove, ""},
    {kIdsRemoveAll, ""},
    {kIdsSkip, ""},
    {kIdsSource, ""},
    {kIdsStatus, ""},
    {kIdsTarget, ""},
    {kIdsWaiting, ""},
    {kIdsRecommended, ""},
    {kIdsKeepOriginal, ""},
    {kIdsOneChannel, ""},
    {kIdsTwoChannels, ""},
    {kIdsDisableAudio, ""},
    {kIdsProbeTimedOut, "d"},
    {kIdsProbeEncoderEnded, ""},
    {kIdsBatchTimeLeft, "ss"},
    {kIdsAskLowSpace, "sss"},
    {kIdsReasonEmptyPart, ""},
    {kIdsReasonNoEncoderForType, ""},
    {kIdsReasonEncoderMissing, "s"},
    {kIdsReasonFolderUnwritable, "s"},
    {kIdsReasonDiskFull, ""},
    {kIdsAskBatchReport, ""},
    {kIdsReportFailed, "s"},
    {kIdsReasonEncoderStatus, "d"},
    {kIdsReasonEncoderSignal, "ds"},
    {kIdsReasonEncoderHung, "d"},
    {kIdsProbeNoDuration, ""},
    {kIdsProbeUndecodableName, ""},
    {kIdsEncoderNotExecutable, "s"},
    {kIdsEncoderIsFolder, "s"},
    {kIdsReasonNameTooLong, "s"},
    {kIdsAskDiscTitleLimit, "sdd"},
    {kIdsPreviewNotRegularFile, "s"},
    {kIdsReasonZeroByteInName, ""},
    {kIdsReasonRowMismatch, ""},
    {kIdsDiscTypeOnly, ""},
    {kIdsDiscNothingConverted, ""},
    {kIdsDiscTypeChanged, "ssss"},
    {kIdsDiscMixedStandards, "ss"},
    {kIdsDiscUnreadable, "s"},
    {kIdsDiscNotOfType, "ss"},
    {kIdsDiscToolMissing, "ss"},
    {kIdsDiscTooLarge, "sss"},
    {kIdsDiscTargetNotEmpty, "s"},
    {kIdsDiscChooseFolder, ""},
    {kIdsDiscChecking, ""},
    {kIdsDiscStep, "dds"},
    {kIdsDiscDone, "s"},
    {kIdsDiscFailed, "s"},
    {kIdsDiscCanceled, ""},
    {kIdsDiscOffer, "s"},
    {kIdsDiscTargetNotFolder, "s"},
    {kIdsDiscTooManyTitles, "sdd"},
    {kIdsInfoDuration, ""},
    {kIdsInfoBitrate, ""},
    {kIdsInfoVideo, ""},
    {kIdsInfoAudio, ""},
    {kIdsAboutVersion, "ddd"},
    {kIdsFilterAllMedia, ""},
    {kIdsFilterVideo, ""},
    {kIdsFilterWindowsMedia, ""},
    {kIdsFilterQuickTime, ""},
    {kIdsFilterRealMedia, ""},
    {kIdsFilterOgg, ""},
    {kIdsFilterAll, ""},
    {kIdsTranslationMail, "s"},
    {kIdsIndicatorCaps, ""},
    {kIdsIndicatorNum, ""},
    {kIdsIndicatorScroll, ""},
    {kIdsOutputMissing, ""},
    {kIdsOutputEmpty, ""},
    {kIdsOutputUnreadable, ""},
    {kIdsOutputLength, "ss"},
    {kIdsSourceIsFolder, ""},
    {kIdsSourceNotRegular, ""},
    {kIdsSourceUnreadable, "s"},
    {kIdsSourceNoStreamInfo, "s"},
    {kIdsSourceNoStreams, ""},
    {kIdsInfoUnknownFormat, ""},
    {kIdsAwakeConverting, ""},
    {kIdsAwakeMakingDisc, ""},
    {kIdsCantOpenLink, "s"},
    {kIdsFitQuestion, "sss"},
    {kIdsFitChoiceFit, "ds"},
    {kIdsFitSingleLayer, ""},
    {kIdsFitDoubleLayer, ""},
    {kIdsFitCd, ""},
    {kIdsFitChoiceSeveral, ""},
    {kIdsFitChoiceAsItIs, ""},
    {kIdsFitTooLong, "d"},
    {kIdsFitUnknownLength, "s"},
    {kIdsFitDiscsDone, "s"},
    {kIdsFitDiscLine, "ds"},
    {kIdsFitTitleTooLarge, "s"},
    {kIdsFitRemakeStep, "dds"},
    {kIdsDiscChoiceOneAnyway, ""},
    {kIdsFitMeasuring, ""},
    {kIdsLinkUnknownError, "d"},
    {kIdsFirstLinkError + 0, ""},
    {kIdsFirstLinkError + 1, ""},
    {kIdsFirstLinkError + 2, ""},
    {kIdsFirstLinkError + 3, ""},
    {kIdsFirstLinkError + 4, ""},
    {kIdsFirstLinkError + 5, ""},
    {kIdsFirstLinkError + 6, ""},
    {kIdsFirstLinkError + 7, ""},
    {kIdsFirstLinkError + 8, ""},
    {kIdsFirstLinkError + 9, ""},
    {kIdsFirstLinkError + 10, ""},
    {kIdsFirstLinkError + 11, ""},
    {kIdsFirstLinkError + 12, ""},
}};

}  // namespace clipwright
