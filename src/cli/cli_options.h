// The command line of clipwright-cli: its options read into one record, the part and list-file
// texts, and the choice of a shard's files. Pure functions over strings; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/disc_fit.h"
#include "engine/source_item.h"

namespace clipwright::cli {

// Exit statuses.
inline constexpr int kExitConverted = 0;      // every file converted
inline constexpr int kExitFailed = 1;         // at least one failed or was skipped
inline constexpr int kExitUsage = 2;          // bad usage or bad input, nothing written
inline constexpr int kExitToolMissing = 3;    // the encoder or an authoring tool is missing
inline constexpr int kExitInterrupted = 130;  // stopped by SIGINT or SIGTERM

// A part of a source in whole seconds, start < end.
struct Part {
    int64_t start = 0;
    int64_t end = 0;
};

// One source as the command line or a list file names it.
struct SourceEntry {
    std::string path;
    std::optional<Part> part;  // none: the part of --part, else the whole file
    int listLine = 0;          // its line in the list file; 0 when named on the command line
};

enum class ProgressMode { kAuto, kBar, kLines, kJson };

struct Options {
    // Type, standard and the free-form choices as the form's rows; outputFolder is empty
    // unless -o gave one (the stored folder is used then).
    ConversionSettings settings;
    std::optional<Part> part;
    int jobs = 1;
    bool jobsAuto = false;
    bool reportCsv = false;
    bool reportJson = false;
    bool disc = false;
    std::string discFolder;  // empty: the folder the desktop program suggests
    int shardIndex = 1;      // 1-based
    int shardCount = 1;
    ProgressMode progress = ProgressMode::kAuto;
    bool dryRun = false;
    bool force = false;
    std::optional<FitDiscSize> fitDisc;  // --fit-disc: the disc the run is fitted to
    bool splitDiscs = false;             // --split-discs: a disc too small takes several
    std::string listFile;
    std::vector<SourceEntry> sources;  // the FILE arguments, in order
    bool help = false;
    bool version = false;
};

struct ParseResult {
    bool ok = false;
    std::string error;  // names the option and what was wrong with it
    Options options;
};

// args excludes the program name. Options and files may be mixed; "--" ends the options.
// --name=value and --name value are both read; --disc takes its folder only as --disc=DIR.
ParseResult ParseArguments(const std::vector<std::string>& args);

// "[[HH:]MM:]SS-[[HH:]MM:]SS", the end after the start; nullopt otherwise.
std::optional<Part> ParsePart(const std::string& text);

struct ListResult {
    std::vector<SourceEntry> sources;
    std::string error;  // "LIST:LINE: what is wrong" for the first bad line; empty when none
};
// One source a line: PATH, or PATH, a tab and a part. Blank lines and lines starting with "#"
// are skipped; a CR before the line feed is dropped. listName is used in the error only.
ListResult ParseList(const std::string& text, const std::string& listName);

// Indices (0-based) of the files shard index of count takes out of total: every count-th from
// index - 1 on. Together the shards 1..count take each index exactly once.
std::vector<size_t> ShardIndices(size_t total, int index, int count);

// The help text (--help), with the program name as shown.
std::string UsageText();

// The type's command-line word and back; -1 for an unknown word.
int32_t TypeOfWord(const std::string& word);
std::string WordOfType(int32_t type);

}  // namespace clipwright::cli
