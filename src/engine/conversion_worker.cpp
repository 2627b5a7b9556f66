#include "engine/conversion_worker.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/fit_remake.h"
#include "engine/program_check.h"
#include "engine/reason_words.h"

namespace clipwright {

namespace {

struct RunState {
    ConversionSettings settings;
    std::string options;
    std::string failedList;
    bool anyFailed = false;
    std::vector<int64_t> plannedMs;               // each row's part as the estimate counts it
    std::vector<const SourceItem*> plannedItems;  // each row's item when the run began
};

bool IsEmptyPart(const SourceItem& item) {
    return item.selEnd <= item.selStart;
}

int32_t ConvertOne(const SourceItem& item, const RunState& state, EncoderRun& run,
                   const std::string& options, EncoderOutcome& outcome) {
    // An empty or reversed part has nothing to convert; a reversed one would also hand the
    // encoder a wrapped-around length.
    if (IsEmptyPart(item) || !IsConvertibleType(state.settings.outputType)) {
        return kInvalidArgument;
    }
    return RunConversion(run, item.sourcePath, OutputPath(item), item.title, options, PartOf(item),
                         outcome);
}

// The log line is cut at kLogMessageLimit, so a long output goes in several.
void LogTranscript(const std::string& transcript) {
    constexpr size_t kPiece = 4096;
    for (size_t at = 0; at < transcript.size(); at += kPiece) {
        LogMessage("%s", transcript.substr(at, kPiece).c_str());
    }
}

// The row's line in the report as far as the item tells it: no output, no times.
RowRecord RecordOf(const SourceItem& item, int32_t status) {
    RowRecord record;
    record.source = item.sourcePath;
    record.status = status;
    record.partStart = item.selStart;
    record.partEnd = item.selEnd;
    return record;
}

void Record(ConversionShared& shared, const SourceItem& item, int32_t status, int64_t encodeMs,
            int64_t mediaMs, const std::string& reason) {
    RowRecord record = RecordOf(item, status);
    record.outputBytes = RegularFileBytes(OutputPath(item));
    record.output = record.outputBytes >= 0 ? OutputPath(item) : std::string();
    record.encodeMs = encodeMs;
    record.mediaMs = mediaMs;
    record.reason = reason;
    const std::lock_guard lock(shared.stateLock);
    shared.records.push_back(std::move(record));
}

// The rows Cancel All kept from starting are in the report too, as skipped, without output
// (their item's name is still an earlier run's).
void RecordUnreached(ConversionShared& shared, WorkerUi& ui, int firstRow) {
    for (int row = firstRow; row < shared.fileCount; ++row) {
        const SourceItem* item = ui.ItemOfRow(row);
        if (item == nullptr) {
            continue;
        }
        const std::lock_guard lock(shared.stateLock);
        shared.records.push_back(RecordOf(*item, kSkip));
    }
}

// Moves the run's measure past a file that ended: what it converted joins the finished media,
// its planned part leaves the pending one.
void CountFileEnded(ConversionShared& shared, int64_t convertedMs, int64_t plannedMs) {
    shared.finishedMediaMs += convertedMs;
    shared.run.mediaMs = 0;
    shared.pendingMediaMs -= plannedMs;
}

// Adds a failed file to the summary, its reason on the line under it, and its encoder's output
// to the log. Returns the reason.
std::string NoteFailure(WorkerUi& ui, RunState& state, const SourceItem& item,
                        const EncoderOutcome& outcome, int reserveError) {
    const std::string reason = FailureReason(ui, item, outcome, reserveError,
                                             IsConvertibleType(state.settings.outputType));
    state.anyFailed = true;
    state.failedList += "\n" + item.sourcePath;
    if (!reason.empty()) {
        state.failedList += "\n    " + reason;
    }
    LogMessage("%s", ("Converting " + item.sourcePath + " is failed.").c_str());
    LogTranscript(outcome.transcript);
    return reason;
}

// Why the row's item cannot be converted as this row, or 0 when it can: the row still has the
// item it had when the run began, no earlier row has the same one, and it names a file that
// can exist. Anything else would convert one row's file with another row's part and check
// the output against another row's length.
int MismatchReasonId(const RunState& state, const SourceItem& item, int row) {
    const auto& planned = state.plannedItems;
    const auto first = std::find(planned.begin(), planned.end(), &item);
    if (first == planned.end() || first - planned.begin() != row) {
        return kIdsReasonRowMismatch;
    }
    return HoldsZeroByte(item.sourcePath) ? kIdsReasonZeroByteInName : 0;
}

// A row whose item fails MismatchReasonId: an error with its reason in the summary and the
// record, nothing run or reserved.
void RefuseRow(ConversionShared& shared, WorkerUi& ui, RunState& state, SourceItem& item, int row,
               int reasonId) {
    const std::string reason = ui.Text(reasonId);
    LogMessage("Row %d not converted: %s", row + 1, reason.c_str());
    state.anyFailed = true;
    state.failedList += '\n';
    state.failedList += ShownPath(item.sourcePath);
    state.failedList += "\n    ";
    state.failedList += reason;
    const int64_t plannedMs = state.plannedMs[static_cast<size_t>(row)];
    CountFileEnded(shared, 0, plannedMs);
    // No output of this row's: a name the item holds is another run's or another row's.
    RowRecord record = RecordOf(item, shared.cancelAll ? kSkip : kError);
    record.reason = reason;
    {
        const std::lock_guard lock(shared.stateLock);
        shared.records.push_back(std::move(record));
    }
    // An item that is not this row's own keeps its status: it is another row's to show.
    if (!shared.cancelAll && reasonId != kIdsReasonRowMismatch) {
        item.status = kError;
        ui.RefreshRow(row);
    }
}

// A fitted row's output told to the plan, and made again smaller when it left the rows to come
// no room; the step line says so meanwhile. Skip or Cancel All during that keeps the first.
void FinishFitted(ConversionShared& shared, WorkerUi& ui, const SourceItem& item, int row) {
    FinishFittedFile(
        *shared.fit, static_cast<size_t>(row), shared.run, item,
        [&shared] { return shared.skipCurrent.load() || shared.cancelAll.load(); },
        [&shared, &ui, row] {
            const std::string format = ui.Text(kIdsFitRemakeStep);
            const std::lock_guard lock(shared.stateLock);
            shared.stepText = FormatText(format.c_str(), row + 1, shared.fileCount.load(),
                                         shared.currentSource.c_str());
        });
}

void ConvertRow(ConversionShared& shared, WorkerUi& ui, RunState& state, int row) {
    shared.skipCurrent = false;
    shared.currentIndex = row;
    SourceItem* item = ui.ItemOfRow(row);
    shared.currentItem = item;
    if (item == nullptr) {
        return;
    }
    if (const int reasonId = MismatchReasonId(state, *item, row); reasonId != 0) {
        RefuseRow(shared, ui, state, *item, row, reasonId);
        return;
    }
    item->status = kDoing;
    shared.currentSource = item->sourcePath;
    // Taken at once, so another run into the same folder cannot pick the same name. When no
    // name can be taken the encoder still runs (it may know better), but a failure is put down
    // to the folder.
    const ReserveNameResult reservation =
        ReserveOutputName(*item, state.settings.outputFolder,
                          std::string(OutputExtension(state.settings.outputType)), kOutputSuffix);
    const int reserveError = reservation.error;
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
    EncoderOutcome outcome;
    const uint32_t began = CurrentTick();
    const auto index = static_cast<size_t>(row);
    const int32_t result =
        ConvertOne(*item, state, shared.run,
                   shared.fit ? shared.fit->OptionsFor(index) : state.options, outcome);
    const bool failed = result < 0;
    const bool skipped = !failed && (shared.skipCurrent || shared.cancelAll);
    if (shared.fit) {
        // What the disc will hold of this row: its output, or nothing.
        if (failed || skipped) {
            shared.fit->Finished(index, 0);
        } else {
            FinishFitted(shared, ui, *item, row);
        }
    }
    const int64_t encodeMs = static_cast<int64_t>(CurrentTick() - began);
    const int64_t convertedMs =
        failed || skipped ? shared.run.mediaMs.load() : PartOf(*item).lengthMs;
    const int64_t plannedMs = state.plannedMs[static_cast<size_t>(row)];
    CountFileEnded(shared, convertedMs, plannedMs);
    // A name reserved for a file that got nothing is given back.
    DropEmptyOutput(OutputPath(*item));
    const std::string reason =
        failed ? NoteFailure(ui, state, *item, outcome, reserveError) : std::string();
    // After Cancel All the dialog marks the row (Skip) itself; the record says the same.
    const int32_t status = failed ? kError : (shared.skipCurrent ? kSkip : kDone);
    Record(shared, *item, shared.cancelAll ? kSkip : status, encodeMs, convertedMs, reason);
    if (!shared.cancelAll) {
        item->status = status;
        ui.RefreshRow(row);
    }
}

std::vector<const SourceItem*> RowItems(WorkerUi& ui, int count) {
    std::vector<const SourceItem*> items;
    items.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        items.push_back(ui.ItemOfRow(row));
    }
    return items;
}

}  // namespace

std::string FailureReason(WorkerUi& ui, const SourceItem& item, const EncoderOutcome& outcome,
                          int reserveError, bool convertibleType) {
    if (IsEmptyPart(item)) {
        return ui.Text(kIdsReasonEmptyPart);
    }
    if (!convertibleType) {
        return ui.Text(kIdsReasonNoEncoderForType);
    }
    if (reserveError == ENAMETOOLONG) {
        return FormatText(ui.Text(kIdsReasonNameTooLong).c_str(), item.outputFolder.c_str());
    }
    if (reserveError != 0) {
        return FormatText(ui.Text(kIdsReasonFolderUnwritable).c_str(), item.outputFolder.c_str());
    }
    if (!outcome.started) {
        const ProgramLookup lookup = LookUpProgram(EncoderName(), std::getenv("PATH"));
        // Missing, or gone since: the short text that names the program.
        if (lookup.state == ProgramState::kFound || lookup.state == ProgramState::kMissing) {
            return FormatText(ui.Text(kIdsReasonEncoderMissing).c_str(), EncoderName().c_str());
        }
        return EncoderUnusableMessage(lookup, EncoderName(), {},
                                      [&ui](int id) { return ui.Text(id); });
    }
    if (IsDiskFullError(outcome.errorLine)) {
        return ui.Text(kIdsReasonDiskFull);
    }
    if (outcome.hung) {
        return FormatText(ui.Text(kIdsReasonEncoderHung).c_str(), kExitAfterEofMs / 1000);
    }
    if (outcome.endSignal != 0) {
        return FormatText(ui.Text(kIdsReasonEncoderSignal).c_str(), outcome.endSignal,
                          SignalName(outcome.endSignal).c_str());
    }
    if (!outcome.errorLine.empty()) {
        return outcome.errorLine;
    }
    if (outcome.exitStatus != 0) {
        return FormatText(ui.Text(kIdsReasonEncoderStatus).c_str(), outcome.exitStatus);
    }
    return ReasonInOurWords(ui, outcome.outputProblem);
}

RunMeasure MeasureRun(const ConversionShared& shared, uint32_t now) {
    RunMeasure measure;
    if (!shared.measuring) {
        return measure;
    }
    const int64_t current = shared.run.mediaMs.load();
    measure.elapsedMs = static_cast<int64_t>(now - shared.startTick.load());
    measure.convertedMediaMs = shared.finishedMediaMs.load() + current;
    measure.remainingMediaMs = std::max<int64_t>(shared.pendingMediaMs.load() - current, 0);
    return measure;
}

void RunConversionWorker(ConversionShared& shared, WorkerUi& ui,
                         const std::function<void()>& postCancelAll) {
    RunState state;
    shared.fileCount = ui.RowCount();
    if (shared.fileCount > 0) {
        state.settings = ui.Settings();
        EnsureFolder(state.settings.outputFolder);
        state.options = BuildOptions(state.settings);
    }
    state.plannedItems = RowItems(ui, shared.fileCount);
    state.plannedMs = PlannedPartMs(state.plannedItems);
    int64_t planned = 0;
    for (const int64_t part : state.plannedMs) {
        planned += part;
    }
    {
        const std::lock_guard lock(shared.stateLock);
        shared.records.clear();
    }
    shared.finishedMediaMs = 0;
    shared.pendingMediaMs = planned;
    shared.run.mediaMs = 0;
    shared.startTick = CurrentTick();
    shared.measuring = true;
    int row = 0;
    for (; row < shared.fileCount && !shared.cancelAll; ++row) {
        ConvertRow(shared, ui, state, row);
    }
    RecordUnreached(shared, ui, row);
    shared.measuring = false;
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
