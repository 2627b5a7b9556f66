// Planning a disc from converted files: which disc a run's output type makes, what each file is
// (from the encoder's probe), whether the files belong on one disc, how large the image will be,
// and the dvdauthor XML and volume label. Pure functions over plain values; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clipwright {

enum class DiscKind { kDvd, kVcd, kSvcd };
enum class DiscStandard { kUnknown, kPal, kNtsc };

// The disc an output type makes; nullopt for types that make none (DV is a tape format).
std::optional<DiscKind> DiscKindOfType(int32_t outputType);

// Frame size and rate read from the encoder's video stream text, such as
// "mpeg2video, yuv420p, 720x576, 25.00 fps".
struct VideoFacts {
    int width = 0;
    int height = 0;
    double fps = 0.0;
};
std::optional<VideoFacts> ParseVideoFacts(std::string_view videoInfo);

// PAL for 576/288 lines at 25 fps, NTSC for 480/240 lines at 29.97 or 23.976 fps; unknown when
// the size and the rate disagree or fit neither.
DiscStandard StandardOf(const VideoFacts& facts);
// Whether the frame size is one this disc carries (DVD 720/704/352 wide, VCD 352, SVCD 480).
bool FitsDisc(DiscKind kind, const VideoFacts& facts);

// One converted file, one title of the disc.
struct DiscTitle {
    std::string path;        // the .mpg file, absolute
    int64_t durationMs = 0;  // from the probe
    uint64_t bytes = 0;      // its size
    VideoFacts video;
};

// A converted file as a title: its length and picture as the probe reads them (0 and unknown
// when it cannot) and its size (0 when it cannot be read). Blocks while the encoder probes.
DiscTitle ProbedTitle(const std::string& path);

enum class PlanProblem {
    kNone,
    kNoTitles,
    kTooManyTitles,
    kUnreadable,
    kWrongType,
    kMixedStandards
};

// The most files one disc takes, one title or track each: dvdauthor's 99 titles in a title set,
// and for VCD and SVCD a CD's 99 tracks less the one the disc's file system takes.
size_t MaxDiscTitles(DiscKind kind);

struct PlanCheck {
    PlanProblem problem = PlanProblem::kNone;
    DiscStandard standard = DiscStandard::kUnknown;
    // The files the problem is about; for mixed standards the PAL ones, then the NTSC ones.
    std::vector<std::string> files;
    std::vector<std::string> otherFiles;  // mixed standards: the NTSC files
};

// Checks the titles in order; the first problem found wins. A title with no video facts counts
// as unreadable.
PlanCheck CheckTitles(DiscKind kind, const std::vector<DiscTitle>& titles);

// The image's expected size in bytes: the files plus what the disc's structure adds.
uint64_t EstimatedImageBytes(DiscKind kind, const std::vector<DiscTitle>& titles);
// The largest image a blank disc takes: 4.7 GB for DVD (4,700,000,000 bytes), and for VCD and
// SVCD an 80-minute CD (360,000 raw sectors of 2,352 bytes, the BIN file's size).
uint64_t DiscCapacityBytes(DiscKind kind);

// Chapter marks of a title every intervalSeconds, "0,5:00,10:00", never at or past its end.
std::string ChapterList(int64_t durationMs, int64_t intervalSeconds);
// The dvdauthor control file: one title set, one title per file in order, a chapter every five
// minutes, each title jumping to the next when it ends and the last one stopping.
std::string DvdAuthorXml(const std::vector<DiscTitle>& titles, DiscStandard standard);
// Text escaped for an XML attribute value.
std::string XmlEscape(std::string_view text);

// An ISO 9660 volume label from a title: A-Z, 0-9 and "_", at most 32 characters, "DISC" when
// nothing is left.
std::string VolumeLabel(std::string_view title);

}  // namespace clipwright
