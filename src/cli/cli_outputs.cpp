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
#include "disc/disc_split.h"
#include "engine/batch_estimate.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/free_space.h"
#include "engine/preset_choices.h"
#include "engine/probe_server.h"

#include "cli/batch_internals.h"
#include "engine/disc_fit.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

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
        const BatchReportResult report = WriteBatchReport(folder, kReportStem, records);
        if (report.written) {
            written = {report.csvPath, report.jsonPath};
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
        titles.push_back(ProbedTitle(OutputPath(row->item)));
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
    const bool split =
        size > capacity && (options_.splitDiscs || (SplitsWithoutAsking(kind) && !options_.force));
    if (size > capacity && !options_.force && !split) {
        Message(
            FormatText("--disc: the image would take about %.0f MB, more than the disc's %.0f MB "
                       "(--split-discs puts the titles onto several discs, --force makes one "
                       "anyway)",
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
    if (split) {
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

}  // namespace clipwright::cli
