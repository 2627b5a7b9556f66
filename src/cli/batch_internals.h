// What the parts of a clipwright-cli batch share: its constants, small helpers, and the records
// of a row and of an encoder slot. For src/cli's own files only.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

#include "cli/cli_run.h"
#include "engine/encoder_run.h"
#include "engine/probe.h"

namespace clipwright::cli {

inline constexpr const char* kProgram = "clipwright-cli";
inline constexpr const char* kReportStem = "clipwright-report";
// The desktop program's settings key, where its output folder is stored.
inline constexpr const char* kSettingsKey = "Software\\Trelvane\\Clipwright";
// How often the live line and the JSON percent are renewed.
inline constexpr auto kRefresh = std::chrono::milliseconds(500);
inline constexpr int kBarWidth = 24;

// "12.3 s" of milliseconds, the point whatever the locale.
std::string Seconds(int64_t ms);
// A finished row's status as the report and the summary name it: done, failed or skipped.
std::string StatusName(int32_t status);
// An existing folder this process may create files in.
bool IsWritableFolder(const std::string& folder);
// The folder itself when it exists, else whether its nearest existing parent lets it be made.
bool CanWriteInto(const std::string& folder);
// The English reason of a failed probe, for the messages and the report.
std::string ProbeReason(const ProbeFailure& failure);
// Creates folder/stem.ext, or stem[1].ext and so on, exclusively; the path, or empty (and
// nothing left behind) when it could not be written whole.
std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& ext,
                         const std::string& text);
// A regular file's whole text; nullopt for a folder or what cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// path without its final slashes (a lone "/" stays).
std::string WithoutTrailingSlash(std::string path);

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

}  // namespace clipwright::cli
