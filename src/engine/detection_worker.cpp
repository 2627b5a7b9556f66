#include "engine/detection_worker.h"

#include <cstdlib>
#include <memory>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_output.h"

namespace clipwright {

namespace {

// Returns whether the file was listed.
bool DetectOne(DetectionShared& shared, WorkerUi& ui, const std::string& path, int i, int n,
               const DetectionCallbacks& callbacks) {
    const int row = ui.RowCount();
    {
        const std::string format = ui.Text(kIdsDetectingFile);
        const std::lock_guard lock(shared.stateLock);
        shared.statusText = FormatText(format.c_str(), i + 1, n, path.c_str());
    }
    LogMessage("load %d/%d:%s", i + 1, n, path.c_str());
    callbacks.setProgress(100 * (i + 1) / n);
    auto item = std::make_unique<SourceItem>();
    if (Probe(*item, path) != 0) {
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
    std::string text;
    for (const std::string& folder : ProgramSearchFolders(std::getenv("PATH"))) {
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
    for (int i = 0; i < n; ++i) {
        if (!DetectOne(shared, ui, paths[static_cast<size_t>(i)], i, n, callbacks)) {
            failedList += "\n" + paths[static_cast<size_t>(i)];
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
