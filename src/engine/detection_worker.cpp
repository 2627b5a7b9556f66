#include "engine/detection_worker.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_output.h"
#include "engine/probe_server.h"
#include "engine/reason_words.h"

namespace clipwright {

namespace {

// The reason line under a failed path in the summary; empty when no reason is known.
std::string FailureReasonLine(WorkerUi& ui, const ProbeFailure& failure) {
    switch (failure.kind) {
        case ProbeFailure::kEncoderSaid:
            return "\n    " + ReasonInOurWords(ui, failure.text);
        case ProbeFailure::kTimedOut: {
            const std::string format = ui.Text(kIdsProbeTimedOut);
            return "\n    " + FormatText(format.c_str(), kProbeTimeoutMs / 1000);
        }
        case ProbeFailure::kEncoderEnded:
            return "\n    " + ui.Text(kIdsProbeEncoderEnded);
        case ProbeFailure::kNone:
            break;
    }
    return {};
}

// Returns whether the file was listed; failure gets why it was not.
bool DetectOne(DetectionShared& shared, WorkerUi& ui, ProbeServer& server, const std::string& path,
               int i, int n, const DetectionCallbacks& callbacks, ProbeFailure& failure) {
    const int row = ui.RowCount();
    {
        const std::string format = ui.Text(kIdsDetectingFile);
        const std::lock_guard lock(shared.stateLock);
        shared.statusText = FormatText(format.c_str(), i + 1, n, path.c_str());
    }
    LogMessage("load %d/%d:%s", i + 1, n, path.c_str());
    callbacks.setProgress(100 * (i + 1) / n);
    auto item = std::make_unique<SourceItem>();
    if (server.Probe(*item, path, &failure) != 0) {
        return false;
    }
    // Named before the view takes it, so no other thread ever sees it half made.
    MakeOutputName(*item, ui.OutputFolder(), std::string(OutputExtension(ui.OutputType())),
                   kOutputSuffix);
    const int index = ui.AddItem(std::move(item));
    ui.InsertRow(row, index);
    ui.RefreshRow(row);
    LogMessage("Set FileAudioFormat array index(%d) to listtime(%d).", index, row);
    return true;
}

}  // namespace

std::string EncoderSearchText(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    // A folder named twice (on PATH and beside us, or "/usr/bin/" and "/usr/bin") is searched
    // once for the user: it is listed once, where it is first searched.
    std::string text;
    std::vector<std::string> listed;
    for (const std::string& folder : ProgramSearchFolders(std::getenv("PATH"))) {
        std::string same = folder;
        while (same.size() > 1 && same.back() == '/') {
            same.pop_back();
        }
        if (std::find(listed.begin(), listed.end(), same) != listed.end()) {
            continue;
        }
        listed.push_back(same);
        text += (text.empty() ? "" : "\n") + folder;
    }
    return text;
}

std::string EncoderMissingMessage(WorkerUi& ui) {
    const std::string& name = EncoderName();
    const std::string format = ui.Text(kIdsEncoderMissing);
    return FormatText(format.c_str(), name.c_str(), EncoderSearchText(name).c_str());
}

void RunDetectionWorker(DetectionShared& shared, WorkerUi& ui,
                        const std::vector<std::string>& paths,
                        const DetectionCallbacks& callbacks) {
    const int n = static_cast<int>(paths.size());
    LogMessage("------Start load source files(%d)...------", n);
    // Without the encoder every file would fail with the codec-libraries text, which names the
    // wrong cause: say what is missing instead, and list nothing.
    if (n > 0 && !ProgramExists(EncoderName())) {
        LogMessage("Encoder %s not found.", EncoderName().c_str());
        ui.ShowMessage(EncoderMissingMessage(ui));
        shared.workerRunning = false;
        callbacks.requestClose();
        return;
    }
    std::string failedList;
    // One encoder process probes the files in turn; a file that hangs or kills it costs only
    // that file, and an encoder without the mode is started once per file instead.
    ProbeServer server;
    for (int i = 0; i < n; ++i) {
        ProbeFailure failure;
        if (!DetectOne(shared, ui, server, paths[static_cast<size_t>(i)], i, n, callbacks,
                       failure)) {
            failedList += "\n" + paths[static_cast<size_t>(i)] + FailureReasonLine(ui, failure);
        }
    }
    if (!failedList.empty()) {
        ui.ShowMessage(ui.Text(kIdsCantPlayback) + "\r\n" + failedList + "\r\n\r\n" +
                       ui.Text(kIdsFailureReasons));
    }
    shared.workerRunning = false;
    callbacks.requestClose();
}

}  // namespace clipwright
