#include "disc/disc_plan.h"

#include <sys/stat.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/output_types.h"
#include "engine/probe.h"

namespace clipwright {

namespace {

constexpr int64_t kChapterInterval = 5 * 60;
// DVD: dvdauthor adds navigation packs and the IFO files; 2 % and a megabyte cover both.
constexpr double kDvdOverhead = 1.02;
constexpr uint64_t kDvdFixedBytes = 1 << 20;
// VCD/SVCD: each 2,324-byte pack of the file fills the payload of one 2,352-byte raw sector;
// the ISO track, and each track's pregap and margins, are 300 sectors. 1 % covers the rest.
constexpr uint64_t kRawSector = 2352;
constexpr uint64_t kPackBytes = 2324;
constexpr uint64_t kIsoTrackSectors = 300;
constexpr uint64_t kTrackExtraSectors = 300;

bool Near(double value, double target) {
    return std::fabs(value - target) < 0.02;
}

int ParseInt(std::string_view text, size_t& pos) {
    int value = 0;
    const size_t begin = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - begin < 6) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos == begin ? -1 : value;
}

// The first "WxH" token of text, with digits either side of the x.
bool FindFrameSize(std::string_view text, VideoFacts& facts) {
    for (size_t x = 1; x + 1 < text.size(); ++x) {
        if (text[x] != 'x' || !std::isdigit(static_cast<unsigned char>(text[x - 1])) ||
            !std::isdigit(static_cast<unsigned char>(text[x + 1]))) {
            continue;
        }
        size_t begin = x;
        while (begin > 0 && std::isdigit(static_cast<unsigned char>(text[begin - 1]))) {
            --begin;
        }
        size_t pos = begin;
        const int width = ParseInt(text, pos);
        ++pos;
        const int height = ParseInt(text, pos);
        if (width > 0 && height > 0) {
            facts.width = width;
            facts.height = height;
            return true;
        }
    }
    return false;
}

// The number before " fps".
double FindRate(std::string_view text) {
    const size_t fps = text.find(" fps");
    if (fps == std::string_view::npos) {
        return 0.0;
    }
    size_t begin = fps;
    while (begin > 0 &&
           (std::isdigit(static_cast<unsigned char>(text[begin - 1])) || text[begin - 1] == '.')) {
        --begin;
    }
    // Not strtod: the prober writes a point whatever this program's locale is.
    double rate = 0.0;
    std::from_chars(text.data() + begin, text.data() + fps, rate, std::chars_format::fixed);
    return rate;
}

std::string Timecode(int64_t seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    return buffer;
}

}  // namespace

std::optional<DiscKind> DiscKindOfType(int32_t outputType) {
    switch (outputType) {
        case kTypeDvd:
            return DiscKind::kDvd;
        case kTypeVcd:
            return DiscKind::kVcd;
        case kTypeSvcd:
            return DiscKind::kSvcd;
        default:
            return std::nullopt;
    }
}

DiscTitle ProbedTitle(const std::string& path) {
    DiscTitle title;
    title.path = path;
    SourceItem probed;
    if (Probe(probed, path) == 0) {
        title.durationMs = probed.durationMs;
        title.video = ParseVideoFacts(probed.videoInfo).value_or(VideoFacts{});
    }
    struct stat info {};
    title.bytes = ::stat(path.c_str(), &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
    return title;
}

std::optional<VideoFacts> ParseVideoFacts(std::string_view videoInfo) {
    VideoFacts facts;
    if (!FindFrameSize(videoInfo, facts)) {
        return std::nullopt;
    }
    facts.fps = FindRate(videoInfo);
    return facts;
}

DiscStandard StandardOf(const VideoFacts& facts) {
    const bool palLines = facts.height == 576 || facts.height == 288;
    const bool ntscLines = facts.height == 480 || facts.height == 240;
    if (palLines && Near(facts.fps, 25.0)) {
        return DiscStandard::kPal;
    }
    if (ntscLines && (Near(facts.fps, 29.97) || Near(facts.fps, 23.976))) {
        return DiscStandard::kNtsc;
    }
    return DiscStandard::kUnknown;
}

bool FitsDisc(DiscKind kind, const VideoFacts& facts) {
    switch (kind) {
        case DiscKind::kDvd:
            return facts.width == 720 || facts.width == 704 || facts.width == 352;
        case DiscKind::kVcd:
            return facts.width == 352 && (facts.height == 288 || facts.height == 240);
        case DiscKind::kSvcd:
            return facts.width == 480 && (facts.height == 576 || facts.height == 480);
    }
    return false;
}

size_t MaxDiscTitles(DiscKind kind) {
    return kind == DiscKind::kDvd ? 99 : 98;
}

PlanCheck CheckTitles(DiscKind kind, const std::vector<DiscTitle>& titles) {
    PlanCheck check;
    if (titles.empty()) {
        check.problem = PlanProblem::kNoTitles;
        return check;
    }
    if (titles.size() > MaxDiscTitles(kind)) {
        check.problem = PlanProblem::kTooManyTitles;
        return check;
    }
    for (const DiscTitle& title : titles) {
        if (title.video.width <= 0 || title.durationMs <= 0) {
            check.files.push_back(title.path);
        }
    }
    if (!check.files.empty()) {
        check.problem = PlanProblem::kUnreadable;
        return check;
    }
    for (const DiscTitle& title : titles) {
        if (!FitsDisc(kind, title.video) || StandardOf(title.video) == DiscStandard::kUnknown) {
            check.files.push_back(title.path);
        }
    }
    if (!check.files.empty()) {
        check.problem = PlanProblem::kWrongType;
        return check;
    }
    for (const DiscTitle& title : titles) {
        auto& list = StandardOf(title.video) == DiscStandard::kPal ? check.files : check.otherFiles;
        list.push_back(title.path);
    }
    if (!check.files.empty() && !check.otherFiles.empty()) {
        check.problem = PlanProblem::kMixedStandards;
        return check;
    }
    check.standard = check.files.empty() ? DiscStandard::kNtsc : DiscStandard::kPal;
    check.files.clear();
    check.otherFiles.clear();
    return check;
}

uint64_t EstimatedImageBytes(DiscKind kind, const std::vector<DiscTitle>& titles) {
    if (kind == DiscKind::kDvd) {
        double total = 0;
        for (const DiscTitle& title : titles) {
            total += static_cast<double>(title.bytes);
        }
        return static_cast<uint64_t>(total * kDvdOverhead) + kDvdFixedBytes;
    }
    uint64_t sectors = kIsoTrackSectors;
    for (const DiscTitle& title : titles) {
        const uint64_t packs = (title.bytes + kPackBytes - 1) / kPackBytes;
        sectors += packs + packs / 100 + kTrackExtraSectors;
    }
    return sectors * kRawSector;
}

uint64_t DiscCapacityBytes(DiscKind kind) {
    return kind == DiscKind::kDvd ? 4'700'000'000ULL : 360'000ULL * kRawSector;
}

std::string ChapterList(int64_t durationMs, int64_t intervalSeconds) {
    std::string list = "0";
    if (intervalSeconds <= 0) {
        return list;
    }
    for (int64_t at = intervalSeconds; at * 1000 < durationMs; at += intervalSeconds) {
        list += ',' + Timecode(at);
    }
    return list;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string DvdAuthorXml(const std::vector<DiscTitle>& titles, DiscStandard standard) {
    const char* format = standard == DiscStandard::kPal ? "pal" : "ntsc";
    // The menu domain needs a video format too, though the disc has no menu.
    std::string xml = "<dvdauthor>\n  <vmgm>\n    <fpc>jump title 1;</fpc>\n";
    xml += std::string("    <menus><video format=\"") + format + "\"/></menus>\n  </vmgm>\n";
    xml += std::string("  <titleset>\n    <titles>\n      <video format=\"") + format + "\"/>\n";
    for (size_t i = 0; i < titles.size(); ++i) {
        const DiscTitle& title = titles[i];
        const std::string post =
            i + 1 < titles.size() ? "jump title " + std::to_string(i + 2) + ";" : "exit;";
        xml += "      <pgc>\n        <vob file=\"" + XmlEscape(title.path) + "\" chapters=\"" +
               ChapterList(title.durationMs, kChapterInterval) + "\"/>\n        <post>" + post +
               "</post>\n      </pgc>\n";
    }
    xml += "    </titles>\n  </titleset>\n</dvdauthor>\n";
    return xml;
}

std::string VolumeLabel(std::string_view title) {
    std::string label;
    for (const char c : title) {
        if (label.size() == 32) {
            break;
        }
        if (c >= 'a' && c <= 'z') {
            label += static_cast<char>(c - 'a' + 'A');
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            label += c;
        } else if (!label.empty() && label.back() != '_') {
            label += '_';
        }
    }
    while (!label.empty() && label.back() == '_') {
        label.pop_back();
    }
    return label.empty() ? "DISC" : label;
}

}  // namespace clipwright
