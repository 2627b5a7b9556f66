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
#include "base/string_ids.h"
#include "base/text_format.h"
#include "disc/disc_plan.h"
#include "engine/batch_estimate.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/folders.h"
#include "engine/free_space.h"
#include "engine/preset_choices.h"
#include "engine/probe_server.h"
#include "platform/settings_store.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgram = "clipwright-cli";
constexpr const char* kReportStem = "clipwright-report";
// The desktop program's settings key, where its output folder is stored.
constexpr const char* kSettingsKey = "Software\\Trelvane\\Clipwright";
// How often the live line and the JSON percent are renewed.
constexpr auto kRefresh = std::chrono::milliseconds(500);
constexpr int kBarWidth = 24;

std::string Seconds(int64_t ms) {
    return FormatText("%.1f s", static_cast<double>(ms) / 1000.0);
}

std::string StatusName(int32_t status) {
    switch (status) {
        case kDone:
            return "done";
        case kError:
            return "failed";
        default:
            return "skipped";
    }
}

bool IsWritableFolder(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// The folder itself when it exists, else whether its nearest existing parent lets it be made.
bool CanWriteInto(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(folder, error);
    if (error) {
        return false;
    }
    path = path.lexically_normal();
    while (true) {
        std::string text = path.string();
        while (text.size() > 1 && text.back() == '/') {
            text.pop_back();
        }
        struct stat info {};
        if (::stat(text.c_str(), &info) == 0) {
            return IsWritableFolder(text);
        }
        if (!path.has_relative_path()) {
            return false;
        }
        path = fs::path(text).parent_path();
    }
}

std::string ProbeReason(const ProbeFailure& failure) {
    switch (failure.kind) {
        case ProbeFailure::kEncoderSaid:
            return failure.text;
        case ProbeFailure::kTimedOut:
            return FormatText(EnglishText(kIdsProbeTimedOut).c_str(), kProbeTimeoutMs / 1000);
        case ProbeFailure::kEncoderEnded:
            return EnglishText(kIdsProbeEncoderEnded);
        case ProbeFailure::kUndecodableName:
            return EnglishText(kIdsProbeUndecodableName);
        case ProbeFailure::kNoDuration:
        case ProbeFailure::kNone:
            break;
    }
    return EnglishText(kIdsProbeNoDuration);
}

// Creates folder/stem.ext, or stem[1].ext and so on, exclusively; the path, or empty (and
// nothing left behind) when it could not be written whole.
std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& ext,
                         const std::string& text) {
    for (int n = 0; n < 1000; ++n) {
        const std::string name = n == 0 ? stem : stem + "[" + std::to_string(n) + "]";
        const std::string path = folder + name + "." + ext;
        const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (fd.get() < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        // fsync reports what a network file system only finds when the data reaches it.
        if (!WriteAll(fd.get(), text.data(), text.size()) || ::fsync(fd.get()) != 0) {
            ::unlink(path.c_str());
            return {};
        }
        return path;
    }
    return {};
}

// A regular file's whole text; nullopt for a folder or what cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

struct Batch::Row {
    SourceEntry entry;
    SourceItem item;
    bool probed = false;
    std::string probeError;
    int32_t status = kWaiting;  // the worker's until it reports the row finished
    std::string reason;
    int64_t encodeMs = 0;
    int64_t mediaMs = 0;
    int64_t plannedMs = 0;
    bool started = false;
    std::string reserved;  // under lock_: the name taken while the row converts
};

struct Batch::Slot {
    EncoderRun run;
    std::atomic<long> row{-1};
    std::thread thread;
};

std::string OptionsFor(const ConversionSettings& settings) {
    return BuildOptions(RunSettings(settings));
}

std::string StoredOutputFolder() {
    const SettingsValues values = ReadSettingsFile(SettingsFilePath(kSettingsKey));
    const auto found = values.find("OutputPath");
    if (found != values.end()) {
        if (const auto* folder = std::get_if<std::string>(&found->second);
            folder != nullptr && IsFolder(*folder)) {
            return folder->back() == '/' ? *folder : *folder + "/";
        }
    }
    return HomeFolder() + "/ConvertedMedia/";
}

int EncodeThreadsTenths(int32_t outputType) {
    // Cores one encode of a 720p source can keep busy, from bench_cli_jobs: its processor time
    // over that of its busiest thread (the decode, filter and mux path the encoder's slice
    // threads wait on). The encoder already starts a thread per core, so an MPEG or DV encode
    // fills two cores alone and a second one at once only shares them.
    switch (outputType) {
        case kTypeDvd:
        case kTypeSvcd:
            return 23;
        case kTypeVcd:
            return 24;
        case kTypeDv:
            return 26;
        case kTypeMpeg4:
            return 11;  // Xvid encodes on the one thread
        case kTypeH264:
            return 36;
        default:
            return 23;
    }
}

int AutoJobs(int32_t outputType, unsigned cores) {
    const int tenths = std::max(EncodeThreadsTenths(outputType), 10);
    const int jobs =
        static_cast<int>((static_cast<int64_t>(std::max(cores, 1U)) * 10 + tenths / 2) / tenths);
    return std::clamp(jobs, 1, 64);
}

const std::vector<std::pair<int, std::string_view>>& EnglishTexts() {
    static const std::vector<std::pair<int, std::string_view>> texts{
        {kIdsReasonEmptyPart, "The chosen part is empty."},
        {kIdsReasonNoEncoderForType, "There is no encoder for this output type."},
        {kIdsReasonEncoderMissing, "The encoder program %s is missing or could not be started."},
        {kIdsReasonFolderUnwritable, "The output folder %s cannot be written to."},
        {kIdsReasonDiskFull, "The disk of the output folder is full."},
        {kIdsReasonNameTooLong,
         "The output file name is too long for the file system of the folder %s."},
        {kIdsReasonEncoderStatus, "The encoder program ended with status %d and gave no reason."},
        {kIdsReasonEncoderSignal, "The encoder program was ended by signal %d (%s)."},
        {kIdsReasonEncoderHung,
         "The encoder program closed its output but did not end; it was stopped after %d s."},
        {kIdsReasonZeroByteInName, "the name holds a zero byte, which no file name can hold"},
        {kIdsReasonRowMismatch,
         "This row's record did not match the list, so the row was not converted."},
        {kIdsOutputMissing, "no output file was written"},
        {kIdsOutputEmpty, "the output file is empty"},
        {kIdsOutputUnreadable, "the output is not a readable media file"},
        {kIdsOutputLength, "the output lasts %s s instead of %s s"},
        {kIdsSourceIsFolder, "is a folder, not a media file"},
        {kIdsSourceNotRegular, "not a regular file"},
        {kIdsSourceUnreadable, "not a readable media file (%s)"},
        {kIdsSourceNoStreamInfo, "cannot read stream information (%s)"},
        {kIdsSourceNoStreams, "holds no video or audio stream"},
        {kIdsProbeTimedOut, "did not answer within %d s"},
        {kIdsProbeEncoderEnded, "the encoder program ended unexpectedly"},
        {kIdsProbeNoDuration, "the encoder program found no length in it and gave no reason"},
        {kIdsProbeUndecodableName,
         "the file name is not valid UTF-8 and could not be passed on unchanged, so the file was "
         "not found"},
    };
    return texts;
}

std::string EnglishText(int stringId) {
    for (const auto& [id, text] : EnglishTexts()) {
        if (id == stringId) {
            return std::string(text);
        }
    }
    return {};
}

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
        return DryRun();
    }
    if (!options_.force && !SpaceFits()) {
        return kExitFailed;
    }
    if (options_.fitDisc) {
        if (const int status = FitToDisc(); status >= 0) {
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
    for (const std::unique_ptr<Row>& row : rows_) {
        if (!row->probed) {
            Message(row->entry.path + ": " + row->probeError);
            continue;
        }
        SourceItem item = row->item;
        MakeOutputNameAvoiding(item, settings_.outputFolder, ext, kOutputSuffix,
                               [&named](const std::string& path) { return named.count(path) > 0; });
        named.insert(OutputPath(item));
        std::fprintf(out_, "%s\t%s\n", OutputPath(item).c_str(),
                     BuildCommandLine(item, commandOptions_).c_str());
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
    int reserveError = 0;
    const bool reserved = ReserveOutputName(item, settings_.outputFolder,
                                            std::string(OutputExtension(settings_.outputType)),
                                            kOutputSuffix, &reserveError);
    // The previous file's figures must not show as this one's before its encoder starts.
    slot.run.percent = 0;
    slot.run.mediaMs = 0;
    {
        const std::lock_guard lock(lock_);
        row.reserved = reserved ? OutputPath(item) : std::string();
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
        stop_ && result == 0 && !CheckOutput(OutputPath(item), PartOf(item).lengthMs).empty();
    int32_t status = kDone;
    int64_t mediaMs = PartOf(item).lengthMs;
    std::string reason;
    if (stopped) {
        status = kSkip;
        mediaMs = slot.run.mediaMs;
    } else if (result < 0) {
        status = kError;
        mediaMs = slot.run.mediaMs;
        reason = FailureReason(ui_, item, outcome, reserveError, true);
        DropEmptyOutput(OutputPath(item));
    }
    if (fit_) {
        struct stat written {};
        const bool kept = status == kDone && ::stat(OutputPath(item).c_str(), &written) == 0;
        fit_->Finished(index, kept ? static_cast<int64_t>(written.st_size) : 0);
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

void Batch::Emit(size_t index, bool finished) {
    {
        const std::lock_guard lock(lock_);
        events_.emplace_back(index, finished);
    }
    wake_.notify_all();
}

void Batch::Follow(const std::vector<std::unique_ptr<Slot>>& slots) {
    const size_t count = rows_.size();
    while (true) {
        std::vector<std::pair<size_t, bool>> events;
        bool done = false;
        {
            std::unique_lock lock(lock_);
            wake_.wait_for(lock, kRefresh,
                           [this] { return !events_.empty() || slotsRunning_ == 0; });
            events.swap(events_);
            done = slotsRunning_ == 0;
        }
        if (stop_) {
            // Again each time: a stop that came while an encoder was being started would
            // otherwise be reset by its start.
            for (const std::unique_ptr<Slot>& slot : slots) {
                if (slot->row >= 0) {
                    slot->run.abortRequested = true;
                }
            }
        }
        for (const auto& [index, finished] : events) {
            const Row& row = *rows_[index];
            const std::string number = FormatText("[%zu/%zu]", index + 1, count);
            if (progress_ == ProgressMode::kJson) {
                std::string line = "{\"event\":\"" +
                                   std::string(finished ? "finished" : "started") +
                                   "\",\"file\":" + std::to_string(index + 1) +
                                   ",\"files\":" + std::to_string(count) +
                                   ",\"source\":" + JsonString(row.entry.path);
                if (row.started) {
                    line += ",\"output\":" + JsonString(OutputPath(row.item));
                }
                if (finished) {
                    line += ",\"status\":\"" + StatusName(row.status) +
                            "\",\"reason\":" + JsonString(row.reason) + ",\"encode_seconds\":" +
                            FormatText("%.3f", static_cast<double>(row.encodeMs) / 1000.0);
                }
                std::fprintf(out_, "%s}\n", line.c_str());
                continue;
            }
            ClearBar();
            if (!finished) {
                std::fprintf(out_, "%s converting %s -> %s\n", number.c_str(),
                             row.entry.path.c_str(), OutputPath(row.item).c_str());
            } else if (row.status == kDone) {
                RowRecord record;
                record.encodeMs = row.encodeMs;
                record.mediaMs = row.mediaMs;
                std::fprintf(out_, "%s done %s (%s, %s)\n", number.c_str(), row.entry.path.c_str(),
                             Seconds(row.encodeMs).c_str(), SpeedText(RowSpeed(record)).c_str());
            } else if (row.status == kError) {
                std::fprintf(out_, "%s failed %s: %s\n", number.c_str(), row.entry.path.c_str(),
                             row.reason.c_str());
            } else {
                std::fprintf(out_, "%s stopped %s\n", number.c_str(), row.entry.path.c_str());
            }
        }
        std::fflush(out_);
        if (done) {
            return;
        }
        DrawProgress(slots, false);
    }
}

void Batch::DrawProgress(const std::vector<std::unique_ptr<Slot>>& slots, bool final) {
    if (progress_ == ProgressMode::kLines || rows_.empty()) {
        return;
    }
    int64_t finishedMs = 0;
    int64_t pendingMs = 0;
    int64_t percentSum = 0;
    std::string current;
    std::string filesJson;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = *rows_[i];
        pendingMs += row.plannedMs;
    }
    {
        const std::lock_guard lock(lock_);
        for (const std::unique_ptr<Row>& row : rows_) {
            if (row->status != kWaiting) {
                finishedMs += row->status == kDone ? row->mediaMs : 0;
                pendingMs -= row->plannedMs;
                percentSum += 100;
            }
        }
        for (const std::unique_ptr<Slot>& slot : slots) {
            const long index = slot->row;
            if (index < 0) {
                continue;
            }
            const int percent = slot->run.percent;
            const int64_t mediaMs = slot->run.mediaMs;
            percentSum += percent;
            finishedMs += mediaMs;
            pendingMs -= mediaMs;
            current += FormatText("  %ld/%zu %d%%", index + 1, rows_.size(), percent);
            filesJson += FormatText("%s{\"file\":%ld,\"percent\":%d}", filesJson.empty() ? "" : ",",
                                    index + 1, percent);
        }
    }
    const int overall = static_cast<int>(percentSum / static_cast<int64_t>(rows_.size()));
    RunMeasure measure;
    measure.elapsedMs = static_cast<int64_t>(CurrentTick() - startTick_);
    measure.convertedMediaMs = finishedMs;
    measure.remainingMediaMs = std::max<int64_t>(pendingMs, 0);
    const BatchEstimate estimate = EstimateBatch(measure);
    if (progress_ == ProgressMode::kJson) {
        // Only news: a reader gets a line when a percent moved, not every refresh.
        const std::string news = FormatText("%d[%s]", overall, filesJson.c_str());
        if (!final && news != lastJsonProgress_) {
            lastJsonProgress_ = news;
            std::fprintf(out_, "{\"event\":\"progress\",\"percent\":%d,\"current\":[%s]", overall,
                         filesJson.c_str());
            if (estimate.shown) {
                std::fprintf(out_, ",\"speed\":%.2f,\"seconds_left\":%lld", estimate.speed,
                             static_cast<long long>(estimate.secondsLeft));
            }
            std::fprintf(out_, "}\n");
            std::fflush(out_);
        }
        return;
    }
    if (final) {
        ClearBar();
        return;
    }
    const int filled = overall * kBarWidth / 100;
    std::string line = "\r\033[K[" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kBarWidth - filled), '.') + "] " +
                       FormatText("%3d%%", overall) + current;
    if (estimate.shown) {
        line += "  " + SpeedText(estimate.speed) + "  " + FormatHms(estimate.secondsLeft) + " left";
    }
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    barShown_ = true;
}

void Batch::ClearBar() {
    if (barShown_) {
        std::fputs("\r\033[K", out_);
        barShown_ = false;
    }
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

void Batch::WriteReport() {
    std::vector<RowRecord> records;
    for (const std::unique_ptr<Row>& row : rows_) {
        RowRecord record;
        record.source = row->entry.path;
        record.status = row->status == kWaiting ? kSkip : row->status;
        record.partStart = row->item.selStart;
        record.partEnd = row->item.selEnd;
        const std::string output = row->started ? OutputPath(row->item) : std::string();
        struct stat info {};
        if (!output.empty() && ::lstat(output.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            record.output = output;
            record.outputBytes = static_cast<int64_t>(info.st_size);
        }
        record.encodeMs = row->encodeMs;
        record.mediaMs = row->status == kDone ? row->mediaMs : 0;
        record.reason = row->reason;
        records.push_back(std::move(record));
    }
    const std::string& folder = settings_.outputFolder;
    std::vector<std::string> written;
    if (options_.reportCsv && options_.reportJson) {
        std::string csvPath;
        std::string jsonPath;
        if (WriteBatchReport(folder, kReportStem, records, csvPath, jsonPath)) {
            written = {csvPath, jsonPath};
        }
    } else {
        const bool csv = options_.reportCsv;
        const std::string path = WriteNewFile(folder, kReportStem, csv ? "csv" : "json",
                                              csv ? ReportCsv(records) : ReportJson(records));
        if (!path.empty()) {
            written = {path};
        }
    }
    if (written.empty()) {
        Message("the report could not be written into " + folder);
        return;
    }
    if (progress_ != ProgressMode::kJson) {
        for (const std::string& path : written) {
            std::fprintf(out_, "report %s\n", path.c_str());
        }
        std::fflush(out_);
    }
}

int Batch::MakeDisc() {
    const DiscKind kind = *DiscKindOfType(settings_.outputType);
    std::vector<DiscTitle> titles;
    std::string firstTitle;
    for (const std::unique_ptr<Row>& row : rows_) {
        if (row->status != kDone) {
            continue;
        }
        if (firstTitle.empty()) {
            firstTitle = row->item.title;
        }
        DiscTitle title;
        title.path = OutputPath(row->item);
        SourceItem probed;
        if (Probe(probed, title.path) == 0) {
            title.durationMs = probed.durationMs;
            title.video = ParseVideoFacts(probed.videoInfo).value_or(VideoFacts{});
        }
        struct stat info {};
        title.bytes =
            ::stat(title.path.c_str(), &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
        titles.push_back(std::move(title));
    }
    if (titles.empty()) {
        Message("--disc: no file was converted, so no disc was made");
        return kExitFailed;
    }
    const PlanCheck check = CheckTitles(kind, titles);
    if (check.problem != PlanProblem::kNone) {
        std::string files;
        for (const std::string& file : check.files) {
            files += "\n  " + file;
        }
        const char* what = check.problem == PlanProblem::kMixedStandards
                               ? "PAL and NTSC files do not go on one disc:"
                               : "these files do not fit the disc:";
        Message(std::string("--disc: ") + what + files);
        return kExitFailed;
    }
    const uint64_t size = EstimatedImageBytes(kind, titles);
    const uint64_t capacity =
        fit_ ? static_cast<uint64_t>(FitDiscBytes(*options_.fitDisc)) : DiscCapacityBytes(kind);
    if (size > capacity && !options_.force && !options_.splitDiscs) {
        Message(
            FormatText("--disc: the image would take about %.0f MB, more than the disc's %.0f MB "
                       "(--force makes it anyway)",
                       static_cast<double>(size) / 1e6, static_cast<double>(capacity) / 1e6));
        return kExitFailed;
    }
    std::string target = options_.discFolder.empty()
                             ? SuggestedDiscFolder(settings_.outputFolder, firstTitle)
                             : options_.discFolder;
    target = WithoutTrailingSlash(fs::absolute(target).lexically_normal().string());
    const TargetState state = CheckTarget(target);
    if (state == TargetState::kNotEmpty || state == TargetState::kNotFolder) {
        Message("--disc: " + target + " must be a new or empty folder");
        return kExitFailed;
    }
    if (options_.splitDiscs && size > capacity) {
        return MakeSplitDiscs(kind, titles, check, target, capacity);
    }
    std::vector<DiscTool> missing;
    DiscJob job;
    job.kind = kind;
    job.standard = check.standard;
    job.titles = titles;
    job.targetFolder = target;
    job.imageName = ImageName(fs::path(target).filename().string());
    job.volumeLabel = VolumeLabel(job.imageName);
    job.tools = LocateTools(kind, std::getenv("PATH"), missing);
    if (progress_ != ProgressMode::kJson) {
        std::fprintf(out_, "making the disc in %s\n", target.c_str());
        std::fflush(out_);
    }
    const DiscResult result = AuthorDisc(job, discProgress_);
    switch (result.outcome) {
        case DiscOutcome::kDone:
            for (const std::string& file : result.files) {
                if (progress_ == ProgressMode::kJson) {
                    std::fprintf(out_, "{\"event\":\"disc\",\"file\":%s}\n",
                                 JsonString(file).c_str());
                } else {
                    std::fprintf(out_, "disc %s\n", file.c_str());
                }
            }
            std::fflush(out_);
            return kExitConverted;
        case DiscOutcome::kCancelled:
            Message("the disc was not made: interrupted");
            return kExitInterrupted;
        case DiscOutcome::kFailed:
            break;
    }
    Message("--disc: the disc was not made: " + result.errorLine);
    return kExitFailed;
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
