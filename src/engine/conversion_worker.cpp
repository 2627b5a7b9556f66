#include "engine/conversion_worker.h"

#include <sys/stat.h>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/command_line.h"
#include "engine/folders.h"

namespace clipwright {

namespace {

struct RunState {
    ConversionSettings settings;
    std::string options;
    std::string failedList;
    bool anyFailed = false;
};

int32_t ConvertOne(const SourceItem& item, const RunState& state, EncoderRun& run,
                   std::string& reason) {
    // An empty or reversed part has nothing to convert; a reversed one would also hand the
    // encoder a wrapped-around length.
    if (item.selEnd <= item.selStart || !IsConvertibleType(state.settings.outputType)) {
        return kInvalidArgument;
    }
    return RunConversion(run, item.sourcePath, OutputPath(item), item.title, state.options,
                         PartOf(item), &reason);
}

void ConvertRow(ConversionShared& shared, WorkerUi& ui, RunState& state, int row) {
    shared.skipCurrent = false;
    shared.currentIndex = row;
    SourceItem* item = ui.ItemOfRow(row);
    shared.currentItem = item;
    if (item == nullptr) {
        return;
    }
    item->status = kDoing;
    shared.currentSource = item->sourcePath;
    // Taken at once, so another run into the same folder cannot pick the same name.
    ReserveOutputName(*item, state.settings.outputFolder,
                      std::string(OutputExtension(state.settings.outputType)), kOutputSuffix);
    ui.RefreshRow(row);
    {
        const std::string format = ui.Text(kIdsConvertStep);
        const std::lock_guard lock(shared.stateLock);
        shared.currentTarget = OutputPath(*item);
        shared.stepText = FormatText(format.c_str(), row + 1, shared.fileCount.load(),
                                     shared.currentSource.c_str(), shared.currentTarget.c_str());
    }
    LogMessage("Start convert %s to %s", item->sourcePath.c_str(), OutputPath(*item).c_str());
    shared.run.percent = 0;
    std::string reason;
    const int32_t result = ConvertOne(*item, state, shared.run, reason);
    const bool failed = result < 0;
    // A name reserved for a file that got nothing is given back.
    DropEmptyOutput(OutputPath(*item));
    if (failed) {
        state.anyFailed = true;
        state.failedList += "\n" + shared.currentSource;
        if (!reason.empty()) {
            state.failedList += " (" + reason + ")";
        }
        LogMessage("%s", ("Converting " + shared.currentSource + " is failed.").c_str());
    }
    if (shared.cancelAll) {
        return;
    }
    item->status = failed ? kError : (shared.skipCurrent ? kSkip : kDone);
    ui.RefreshRow(row);
}

}  // namespace

void RunConversionWorker(ConversionShared& shared, WorkerUi& ui,
                         const std::function<void()>& postCancelAll) {
    RunState state;
    shared.fileCount = ui.RowCount();
    if (shared.fileCount > 0) {
        state.settings = ui.Settings();
        EnsureFolder(state.settings.outputFolder);
        state.options = BuildOptions(state.settings);
    }
    for (int row = 0; row < shared.fileCount && !shared.cancelAll; ++row) {
        ConvertRow(shared, ui, state, row);
    }
    if (state.anyFailed) {
        ui.ShowMessage(ui.Text(kIdsUnknownFileFormat) + "\r\n" + state.failedList + "\r\n\r\n" +
                       ui.Text(kIdsFailureReasons));
    }
    shared.workerRunning = false;
    shared.doneEvent.Set();
    if (!shared.cancelAll) {
        shared.completed = true;
        postCancelAll();
    }
}

void MarkRemainingSkipped(ConversionShared& shared, WorkerUi& ui) {
    const int first = shared.currentIndex < 0 ? 0 : shared.currentIndex.load();
    for (int row = first; row < shared.fileCount && !shared.completed; ++row) {
        SourceItem* item = ui.ItemOfRow(row);
        // A row the worker already finished keeps its result: a cancel that crosses the
        // worker's end must not turn a converted file into a skipped one.
        if (item != nullptr && item->status != kDone && item->status != kError) {
            item->status = kSkip;
            ui.RefreshRow(row);
        }
    }
}

int OverallPercent(int current, int index, int count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<double>(current) + index * 100.0) / count);
}

std::string FileSizeText(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return std::to_string(static_cast<long long>(info.st_size / 1024)) + "K";
}

}  // namespace clipwright
