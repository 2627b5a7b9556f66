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
#include "engine/free_space.h"
#include "engine/preset_choices.h"
#include "engine/probe.h"
#include "engine/probe_server.h"

#include "cli/batch_internals.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

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

}  // namespace clipwright::cli
