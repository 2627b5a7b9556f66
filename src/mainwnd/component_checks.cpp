#include "mainwnd/component_checks.h"

#include <cstdlib>

#include "base/string_ids.h"
#include "base/text_log.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/encoder_capabilities.h"
#include "engine/program_check.h"
#include "support/resource_strings.h"
#include "ui/help_commands.h"
#include "ui/message_box.h"

namespace clipwright {

namespace {

constexpr int kCmdDownloadWindowsMedia = 32778;
constexpr int kCmdDownloadOgg = 32780;

bool AskToDownload(QWidget* parent, int question, int downloadCommand, int restartNote) {
    if (ShowMessageBox(parent, LoadResourceString(question), MessageButtons::kOkCancel,
                       MessageIcon::kQuestion) == kAnswerOk) {
        OpenDownloadPage(downloadCommand);
        ShowMessageBox(parent, LoadResourceString(restartNote), MessageButtons::kOk,
                       MessageIcon::kInformation);
    }
    return true;
}

// Why the encoder cannot be run: not executable, a folder, or missing (with where it was
// looked for).
std::string EncoderUnusableText() {
    const ProgramLookup lookup = LookUpProgram(EncoderName(), std::getenv("PATH"));
    switch (lookup.state) {
        case ProgramState::kNotExecutable:
            return LoadResourceString(kIdsEncoderNotExecutable, lookup.path);
        case ProgramState::kFolder:
            return LoadResourceString(kIdsEncoderIsFolder, lookup.path);
        default:
            return LoadResourceString(kIdsEncoderMissing, EncoderName(),
                                      EncoderSearchText(EncoderName()));
    }
}

bool Check(QWidget* parent, const ComponentProbe& probe, int question, int downloadCommand,
           int restartNote) {
    switch (probe()) {
        case CanMakeAnswer::kYes:
            return false;
        case CanMakeAnswer::kNo:
            return AskToDownload(parent, question, downloadCommand, restartNote);
        case CanMakeAnswer::kEncoderMissing:
            // Without the encoder nothing can be converted; the download page would not help.
            ShowMessageBox(parent, EncoderUnusableText(), MessageButtons::kOk,
                           MessageIcon::kExclamation);
            return true;
        case CanMakeAnswer::kNoAnswer:
            break;
    }
    LogMessage("No component answer from the encoder; converting anyway.");
    return false;
}

}  // namespace

CanMakeAnswer AskWindowsMediaWriter() {
    return AskEncoderCanMake("wmv");
}

CanMakeAnswer AskOggReader() {
    return AskEncoderCanMake("ogm");
}

bool CheckWindowsMediaSupport(QWidget* parent, const ComponentProbe& probe) {
    return Check(parent, probe, kIdsAskWindowsMedia, kCmdDownloadWindowsMedia,
                 kIdsRestartAfterWindowsMedia);
}

bool CheckOggSupport(QWidget* parent, const ComponentProbe& probe) {
    return Check(parent, probe, kIdsAskOgg, kCmdDownloadOgg, kIdsRestartAfterOgg);
}

}  // namespace clipwright
