// A run's titles onto as many discs as they need: in list order, never one title across two
// discs, each disc within its capacity and its title limit. The split is pure; AuthorDiscs makes
// the discs one after another on a worker thread (DiscProgress as for AuthorDisc).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "disc/disc_author.h"
#include "disc/disc_plan.h"

namespace clipwright {

struct DiscSplit {
    // Indexes into the titles, disc by disc, each in list order.
    std::vector<std::vector<size_t>> discs;
    // Titles that alone pass one disc: no split can take them.
    std::vector<size_t> tooLarge;
};

// Fills each disc with the next titles in order while the image stays within capacityBytes (as
// EstimatedImageBytes counts it) and the disc's title limit; then starts the next disc.
DiscSplit SplitTitles(DiscKind kind, const std::vector<DiscTitle>& titles, uint64_t capacityBytes);

// The bytes a disc's titles may take together so that its image stays within capacityBytes:
// EstimatedImageBytes turned round, for a disc of titleCount titles. 0 when even the disc's own
// structure does not fit.
uint64_t TitleBytesBudget(DiscKind kind, uint64_t capacityBytes, size_t titleCount);

// Whether titles too many for one disc of kind go onto several without asking: a Video CD's
// rate is fixed by its standard, so splitting is the only way it can take them.
inline bool SplitsWithoutAsking(DiscKind kind) {
    return kind == DiscKind::kVcd;
}

// The folder of disc number (1-based) of a split made into folder: "Holiday 1", "Holiday 2".
std::string NumberedDiscFolder(const std::string& folder, size_t number);

struct SplitResult {
    DiscOutcome outcome = DiscOutcome::kFailed;
    std::string errorLine;
    // kDone: per disc, its folder and the image files made.
    std::vector<std::string> folders;
    std::vector<std::vector<std::string>> files;
};

// Makes each disc of the split into NumberedDiscFolder(job.targetFolder, n), each named and
// labelled after its folder; job.titles are all the titles the split indexes. The folders must
// be missing or empty. When one disc fails or is cancelled, the discs made before it are taken
// back too (their folders emptied, or removed when the run made them): a split run gives all
// its discs or none.
SplitResult AuthorDiscs(const DiscJob& job, const DiscSplit& split, DiscProgress& progress);

}  // namespace clipwright
