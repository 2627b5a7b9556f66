#include "engine/detection_worker.h"

#include <memory>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
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

void RunDetectionWorker(DetectionShared& shared, WorkerUi& ui,
                        const std::vector<std::string>& paths,
                        const DetectionCallbacks& callbacks) {
    const int n = static_cast<int>(paths.size());
    LogMessage("------Start load source files(%d)...------", n);
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
