#include "disc/disc_split.h"

#include <filesystem>
#include <system_error>

namespace clipwright {

namespace fs = std::filesystem;

namespace {

// Takes back a disc made earlier in a split run: the folder's contents, and the folder when the
// run made it. Only folders that were missing or empty before the run are ever given here.
void TakeBack(const std::string& folder, bool madeByRun) {
    std::error_code error;
    if (madeByRun) {
        fs::remove_all(folder, error);
        return;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::error_code ignored;
        fs::remove_all(entry.path(), ignored);
    }
}

}  // namespace

DiscSplit SplitTitles(DiscKind kind, const std::vector<DiscTitle>& titles, uint64_t capacityBytes) {
    DiscSplit split;
    std::vector<DiscTitle> current;
    std::vector<size_t> currentIndex;
    for (size_t i = 0; i < titles.size(); ++i) {
        if (EstimatedImageBytes(kind, {titles[i]}) > capacityBytes) {
            split.tooLarge.push_back(i);
            continue;
        }
        current.push_back(titles[i]);
        if (current.size() > MaxDiscTitles(kind) ||
            EstimatedImageBytes(kind, current) > capacityBytes) {
            split.discs.push_back(currentIndex);
            current = {titles[i]};
            currentIndex.clear();
        }
        currentIndex.push_back(i);
    }
    if (!currentIndex.empty()) {
        split.discs.push_back(currentIndex);
    }
    return split;
}

uint64_t TitleBytesBudget(DiscKind kind, uint64_t capacityBytes, size_t titleCount) {
    // The image grows with the titles' bytes in steps no larger than a sector: search the most
    // bytes whose image still fits, for titles of equal size.
    const size_t count = titleCount == 0 ? 1 : titleCount;
    uint64_t low = 0;
    uint64_t high = capacityBytes;
    auto fits = [&](uint64_t total) {
        std::vector<DiscTitle> titles(count);
        for (size_t i = 0; i < count; ++i) {
            titles[i].bytes = total / count + (i < total % count ? 1 : 0);
        }
        return EstimatedImageBytes(kind, titles) <= capacityBytes;
    };
    if (!fits(0)) {
        return 0;
    }
    while (low < high) {
        const uint64_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

std::string NumberedDiscFolder(const std::string& folder, size_t number) {
    return folder + " " + std::to_string(number);
}

SplitResult AuthorDiscs(const DiscJob& job, const DiscSplit& split, DiscProgress& progress) {
    SplitResult result;
    std::vector<std::pair<std::string, bool>> made;  // folder, made by this run
    for (size_t n = 0; n < split.discs.size(); ++n) {
        DiscJob disc = job;
        disc.titles.clear();
        for (const size_t index : split.discs[n]) {
            disc.titles.push_back(job.titles.at(index));
        }
        disc.targetFolder = NumberedDiscFolder(job.targetFolder, n + 1);
        disc.imageName = ImageName(fs::path(disc.targetFolder).filename().string());
        disc.volumeLabel = VolumeLabel(disc.imageName);
        const bool missing = CheckTarget(disc.targetFolder) == TargetState::kMissing;
        const DiscResult one = AuthorDisc(disc, progress);
        if (one.outcome != DiscOutcome::kDone) {
            for (auto it = made.rbegin(); it != made.rend(); ++it) {
                TakeBack(it->first, it->second);
            }
            result.outcome = one.outcome;
            result.errorLine = one.errorLine;
            result.folders.clear();
            result.files.clear();
            return result;
        }
        made.emplace_back(disc.targetFolder, missing);
        result.folders.push_back(disc.targetFolder);
        result.files.push_back(one.files);
    }
    result.outcome = DiscOutcome::kDone;
    return result;
}

}  // namespace clipwright
