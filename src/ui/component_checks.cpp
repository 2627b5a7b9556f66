#include "ui/component_checks.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "base/string_ids.h"
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

}  // namespace

bool HasWindowsMediaWriter() {
    return av_guess_format("asf", nullptr, nullptr) != nullptr &&
           avcodec_find_encoder(AV_CODEC_ID_WMV2) != nullptr &&
           avcodec_find_encoder(AV_CODEC_ID_WMAV2) != nullptr;
}

bool HasOggReader() {
    return av_find_input_format("ogg") != nullptr &&
           avcodec_find_decoder(AV_CODEC_ID_VORBIS) != nullptr &&
           avcodec_find_decoder(AV_CODEC_ID_THEORA) != nullptr;
}

bool CheckWindowsMediaSupport(QWidget* parent, const ComponentProbe& probe) {
    if (probe()) {
        return false;
    }
    return AskToDownload(parent, kIdsAskWindowsMedia, kCmdDownloadWindowsMedia,
                         kIdsRestartAfterWindowsMedia);
}

bool CheckOggSupport(QWidget* parent, const ComponentProbe& probe) {
    if (probe()) {
        return false;
    }
    return AskToDownload(parent, kIdsAskOgg, kCmdDownloadOgg, kIdsRestartAfterOgg);
}

}  // namespace clipwright
