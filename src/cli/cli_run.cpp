#include "cli/cli_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

#include "base/file_io.h"
#include "base/home_folder.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/text_format.h"
#include "disc/disc_plan.h"
#include "engine/batch_estimate.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/fit_remake.h"
#include "engine/free_space.h"
#include "engine/preset_choices.h"
#include "engine/probe.h"
#include "engine/probe_server.h"

#include "cli/batch_internals.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

Batch::Batch(Options options, std::FILE* out, std::FILE* err)
    : options_(std::move(options)), out_(out), err_(err) {
    progress_ = options_.progress;
    if (progress_ == ProgressMode::kAuto) {
        progress_ = ::isatty(::fileno(out_)) ? ProgressMode::kBar : ProgressMode::kLines;
    }
}

Batch::~Batch() = default;

void Batch::Message(const std::string& text) {
    ClearBar();
    std::fprintf(err_, "%s: %s\n", kProgram, text.c_str());
    std::fflush(err_);
}

int Batch::Run() {
    if (const int status = Prepare(); status >= 0) {
        return status;
    }
    if (stop_) {
        return kExitInterrupted;
    }
    if (options_.dryRun) {
        // A fitted dry run measures the files (writing nothing) to print the planned rates.
        if (options_.fitDisc) {
            if (const int status = FitToDisc(true); status >= 0) {
                return status;
            }
        }
        return DryRun();
    }
    if (!options_.force && !SpaceFits()) {
        return kExitFailed;
    }
    if (options_.fitDisc) {
        if (const int status = FitToDisc(false); status >= 0) {
            return status;
        }
    }
    const int converted = Convert();
    if (options_.reportCsv || options_.reportJson) {
        WriteReport();
    }
    if (converted != kExitInterrupted && options_.disc) {
        const int disc = MakeDisc();
        if (disc != kExitConverted) {
            return disc == kExitFailed && converted != kExitConverted ? converted : disc;
        }
    }
    return converted;
}

// -1 when the run may go on, else the exit status.
int Batch::Prepare() {
    std::vector<SourceEntry> entries = options_.sources;
    if (!options_.listFile.empty()) {
        const std::optional<std::string> text = ReadWholeFile(options_.listFile);
        if (!text) {
            Message("--list " + options_.listFile + ": cannot be read");
            return kExitUsage;
        }
        ListResult listed = ParseList(*text, options_.listFile);
        if (!listed.error.empty()) {
            Message(listed.error);
            return kExitUsage;
        }
        if (listed.sources.empty()) {
            Message("--list " + options_.listFile + ": names no file");
            return kExitUsage;
        }
        entries = std::move(listed.sources);
    }
    std::vector<SourceEntry> taken;
    for (const size_t i : ShardIndices(entries.size(), options_.shardIndex, options_.shardCount)) {
        taken.push_back(entries[i]);
    }
    if (const int status = PrepareSources(taken); status >= 0) {
        return status;
    }

    settings_ = options_.settings;
    const int32_t type = settings_.outputType;
    if (options_.disc && !DiscKindOfType(type)) {
        Message("--disc: the " + WordOfType(type) + " type makes no disc (dvd, vcd or svcd do)");
        return kExitUsage;
    }
    if (settings_.outputFolder.empty()) {
        settings_.outputFolder = StoredOutputFolder();
    }
    {
        // Absolute, as the desktop program stores it: the names reach the report and the disc.
        std::error_code error;
        const fs::path absolute = fs::absolute(settings_.outputFolder, error);
        if (!error) {
            settings_.outputFolder = WithoutTrailingSlash(absolute.lexically_normal().string());
            if (settings_.outputFolder.back() != '/') {
                settings_.outputFolder += '/';
            }
        }
    }
    if (!CanWriteInto(settings_.outputFolder)) {
        Message("--output " + settings_.outputFolder + ": the folder cannot be written to");
        return kExitUsage;
    }
    if (options_.disc && !options_.discFolder.empty()) {
        const TargetState state = CheckTarget(options_.discFolder);
        if (state == TargetState::kNotEmpty || state == TargetState::kNotFolder) {
            Message("--disc=" + options_.discFolder + ": must be a new or empty folder");
            return kExitUsage;
        }
    }
    if (!ProgramExists(EncoderName())) {
        Message("the encoder program " + EncoderName() +
                " was not found beside clipwright-cli, in " + kLibexecFolder + " or on PATH");
        return kExitToolMissing;
    }
    if (!IsConvertibleType(type)) {
        Message("there is no encoder for the " + WordOfType(type) + " type");
        return kExitToolMissing;
    }
    if (options_.disc) {
        std::vector<DiscTool> missing;
        LocateTools(*DiscKindOfType(type), std::getenv("PATH"), missing);
        for (const DiscTool tool : missing) {
            Message(std::string("--disc: ") + ToolProgram(tool) + " is missing (Debian package " +
                    ToolPackage(tool) + ")");
        }
        if (!missing.empty()) {
            return kExitToolMissing;
        }
    }
    commandOptions_ = OptionsFor(settings_);
    return ProbeRows();
}

int Batch::PrepareSources(std::vector<SourceEntry>& entries) {
    for (SourceEntry& entry : entries) {
        const std::string where =
            entry.listLine > 0 ? options_.listFile + ":" + std::to_string(entry.listLine) + ": "
                               : std::string();
        struct stat info {};
        if (::stat(entry.path.c_str(), &info) != 0) {
            Message(where + entry.path + ": no such file");
            return kExitUsage;
        }
        if (S_ISDIR(info.st_mode)) {
            Message(where + entry.path + ": is a folder, not a file");
            return kExitUsage;
        }
        if (::access(entry.path.c_str(), R_OK) != 0) {
            Message(where + entry.path + ": cannot be read");
            return kExitUsage;
        }
        // The encoder is started from our folder, so a relative name stays what the user meant
        // only as an absolute one in the report and the disc.
        std::error_code error;
        const fs::path absolute = fs::absolute(entry.path, error);
        if (!error) {
            entry.path = absolute.lexically_normal().string();
        }
        auto row = std::make_unique<Row>();
        row->entry = entry;
        if (!row->entry.part) {
            row->entry.part = options_.part;
        }
        const std::lock_guard lock(lock_);  // HardStop may read the rows from its thread
        rows_.push_back(std::move(row));
    }
    return -1;
}

int Batch::ProbeRows() {
    ProbeServer server;
    for (const std::unique_ptr<Row>& row : rows_) {
        ProbeFailure failure;
        SourceItem& item = row->item;
        row->probed = server.Probe(item, row->entry.path, &failure) == 0;
        SetSourcePath(item, row->entry.path);
        if (!row->probed) {
            row->probeError = ProbeReason(failure);
            continue;
        }
        if (const std::optional<Part>& part = row->entry.part) {
            if (part->start >= item.duration || part->end > item.duration) {
                const std::string where =
                    row->entry.listLine > 0
                        ? options_.listFile + ":" + std::to_string(row->entry.listLine) + ": "
                        : std::string("--part: ");
                Message(where + "the part " + FormatHms(part->start) + "-" + FormatHms(part->end) +
                        " of " + row->entry.path + " goes past its end (" +
                        FormatHms(item.duration) + ")");
                return kExitUsage;
            }
            item.selStart = static_cast<int32_t>(part->start);
            item.selEnd = static_cast<int32_t>(part->end);
        }
    }
    std::vector<const SourceItem*> items;
    for (const std::unique_ptr<Row>& row : rows_) {
        items.push_back(row->probed ? &row->item : nullptr);
    }
    const std::vector<int64_t> planned = PlannedPartMs(items);
    for (size_t i = 0; i < rows_.size() && i < planned.size(); ++i) {
        rows_[i]->plannedMs = planned[i];
    }
    return -1;
}

int Batch::DryRun() {
    std::set<std::string> named;
    const std::string ext(OutputExtension(settings_.outputType));
    for (size_t index = 0; index < rows_.size(); ++index) {
        const std::unique_ptr<Row>& row = rows_[index];
        if (!row->probed) {
            Message(row->entry.path + ": " + row->probeError);
            continue;
        }
        SourceItem item = row->item;
        MakeOutputName(item, settings_.outputFolder, ext, kOutputSuffix,
                       [&named](const std::string& path) { return named.count(path) > 0; });
        named.insert(OutputPath(item));
        std::fprintf(
            out_, "%s\t%s\n", OutputPath(item).c_str(),
            BuildCommandLine(item, fit_ ? fit_->OptionsFor(index) : commandOptions_).c_str());
    }
    std::fflush(out_);
    for (const std::unique_ptr<Row>& row : rows_) {
        if (!row->probed) {
            return kExitFailed;
        }
    }
    return kExitConverted;
}

bool Batch::SpaceFits() {
    std::vector<const SourceItem*> items;
    for (const std::unique_ptr<Row>& row : rows_) {
        items.push_back(row->probed ? &row->item : nullptr);
    }
    const int64_t needed = RunBytesUpTo(settings_, items);
    if (needed <= 0) {
        return true;
    }
    const std::optional<uint64_t> free = FreeBytesOf(settings_.outputFolder);
    if (!free || static_cast<uint64_t>(needed) <= *free) {
        return true;
    }
    Message("the outputs may need up to " + ByteSizeText(static_cast<uint64_t>(needed)) + ", but " +
            settings_.outputFolder + " has " + ByteSizeText(*free) +
            " free; nothing was converted (--force converts anyway)");
    return false;
}

int Batch::Convert() {
    EnsureFolder(settings_.outputFolder);
    int jobs = options_.jobsAuto
                   ? AutoJobs(settings_.outputType, std::thread::hardware_concurrency())
                   : options_.jobs;
    jobs = std::max(1, std::min<int>(jobs, static_cast<int>(rows_.size())));
    startTick_ = CurrentTick();
    std::vector<std::unique_ptr<Slot>> slots;
    for (int i = 0; i < jobs; ++i) {
        slots.push_back(std::make_unique<Slot>());
    }
    {
        const std::lock_guard lock(lock_);
        for (const std::unique_ptr<Slot>& slot : slots) {
            slots_.push_back(slot.get());
        }
    }
    slotsRunning_ = jobs;
    for (const std::unique_ptr<Slot>& slot : slots) {
        slot->thread = std::thread([this, &slot] { Worker(*slot); });
    }
    Follow(slots);
    for (const std::unique_ptr<Slot>& slot : slots) {
        slot->thread.join();
    }
    {
        const std::lock_guard lock(lock_);
        slots_.clear();
    }
    DrawProgress(slots, true);
    PrintSummary();
    return ExitStatus();
}

void Batch::PrintSummary() {
    size_t counts[3] = {0, 0, 0};  // done, failed, skipped
    for (const std::unique_ptr<Row>& row : rows_) {
        ++counts[row->status == kDone ? 0 : (row->status == kError ? 1 : 2)];
    }
    if (progress_ == ProgressMode::kJson) {
        std::fprintf(out_,
                     "{\"event\":\"end\",\"converted\":%zu,\"failed\":%zu,\"skipped\":%zu,"
                     "\"interrupted\":%s}\n",
                     counts[0], counts[1], counts[2], stop_ ? "true" : "false");
    } else {
        std::fprintf(out_, "%s%zu of %zu converted, %zu failed, %zu skipped\n",
                     stop_ ? "interrupted: " : "", counts[0], rows_.size(), counts[1], counts[2]);
    }
    std::fflush(out_);
}

void Batch::Worker(Slot& slot) {
    for (size_t index = nextRow_++; index < rows_.size(); index = nextRow_++) {
        ConvertRow(slot, index);
    }
    {
        const std::lock_guard lock(lock_);
        --slotsRunning_;
    }
    wake_.notify_all();
}

void Batch::ConvertRow(Slot& slot, size_t index) {
    Row& row = *rows_[index];
    if (stop_) {
        const std::lock_guard lock(lock_);
        row.status = kSkip;  // never started: no event, the report counts it skipped
        return;
    }
    if (!row.probed) {
        {
            const std::lock_guard lock(lock_);
            row.status = kError;
            row.reason = row.probeError;
        }
        Emit(index, true);
        return;
    }
    SourceItem& item = row.item;
    // Taken at once, as the desktop program takes it, so no other run picks the same name.
    const ReserveNameResult reservation =
        ReserveOutputName(item, settings_.outputFolder,
                          std::string(OutputExtension(settings_.outputType)), kOutputSuffix);
    // The previous file's figures must not show as this one's before its encoder starts.
    slot.run.percent = 0;
    slot.run.mediaMs = 0;
    {
        const std::lock_guard lock(lock_);
        row.reserved = reservation.reserved ? OutputPath(item) : std::string();
        row.started = true;
        slot.row = static_cast<long>(index);
    }
    Emit(index, false);
    EncoderOutcome outcome;
    const uint32_t began = CurrentTick();
    const int result = stop_
                           ? 0
                           : RunConversion(slot.run, item.sourcePath, OutputPath(item), item.title,
                                           fit_ ? fit_->OptionsFor(index) : commandOptions_,
                                           PartOf(item), outcome);
    const int64_t encodeMs = static_cast<int64_t>(CurrentTick() - began);
    // Stopped: the encoder closed a partial file, which is not what the user asked for. An
    // encoder stopped by us reports success, so under a stop a 0 counts only with a whole
    // output: one that finished just before the stop reached it is kept.
    const bool stopped =
        stop_ && result == 0 && !CheckOutput(OutputPath(item), PartOf(item).lengthMs).ok;
    int32_t status = kDone;
    int64_t mediaMs = PartOf(item).lengthMs;
    std::string reason;
    if (stopped) {
        status = kSkip;
        mediaMs = slot.run.mediaMs;
    } else if (result < 0) {
        status = kError;
        mediaMs = slot.run.mediaMs;
        reason = FailureReason(ui_, item, outcome, reservation.error, true);
        DropEmptyOutput(OutputPath(item));
    }
    if (fit_ && status == kDone) {
        // Made again smaller when it left the files to come no room on the disc.
        FinishFittedFile(*fit_, index, slot.run, item, [this] { return stop_.load(); });
    } else if (fit_) {
        fit_->Finished(index, 0);
    }
    {
        const std::lock_guard lock(lock_);
        if (stopped && !row.reserved.empty()) {
            ::unlink(row.reserved.c_str());
        }
        row.reserved.clear();
        row.status = status;
        row.mediaMs = mediaMs;
        row.encodeMs = encodeMs;
        row.reason = reason;
        slot.row = -1;
    }
    Emit(index, true);
}

int Batch::ExitStatus() const {
    if (stop_) {
        return kExitInterrupted;
    }
    for (const std::unique_ptr<Row>& row : rows_) {
        if (row->status != kDone) {
            return kExitFailed;
        }
    }
    return kExitConverted;
}

const SourceItem* Batch::RowItemIfProbed(size_t index) const {
    return rows_[index]->probed ? &rows_[index]->item : nullptr;
}

void Batch::RequestStop() {
    stop_ = true;
    discProgress_.abortRequested = true;
    {
        const std::lock_guard lock(lock_);
        for (Slot* slot : slots_) {
            if (slot->row >= 0) {
                slot->run.abortRequested = true;
            }
        }
    }
    wake_.notify_all();
}

void Batch::HardStop() {
    {
        const std::lock_guard lock(lock_);
        for (const std::unique_ptr<Row>& row : rows_) {
            if (!row->reserved.empty()) {
                ::unlink(row->reserved.c_str());
            }
        }
        std::fprintf(err_, "\n%s: stopped at once; the files being converted were removed\n",
                     kProgram);
        std::fflush(err_);
    }
    // The encoders are bound to the threads that started them and die with the process.
    ::_exit(kExitInterrupted);
}

}  // namespace clipwright::cli
