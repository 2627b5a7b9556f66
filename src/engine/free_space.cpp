#include "engine/free_space.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "base/text_format.h"
#include "engine/command_line.h"

namespace clipwright {

namespace {

// The most the disc targets write, as trelcore's target presets set them: the video's peak rate
// and the audio's rate, within the multiplex rate, plus one video buffer (a buffer's worth may
// be spent on top of the peak rate over a run). A Video CD's multiplex is padded to a constant
// rate and DV is 144000 bytes a frame at either standard, whatever the source holds.
constexpr int64_t kDvdPeakVideoBits = 9000000;
constexpr int64_t kSvcdPeakVideoBits = 2516000;
constexpr int64_t kVcdMuxBits = 1411200;
// A Video CD's multiplex also carries the decoder's preload ahead of the part: up to its buffer.
constexpr int64_t kVcdBufferBits = 327680;
constexpr int64_t kDvBits = 28800000;
// Audio alone goes into packs far larger than its frames: a DVD of AC-3 alone measured 1.5 times
// the audio rate, a Super Video CD of MP2 alone 1.6 times.
constexpr int64_t kAudioAlonePackFactor = 2;
// The free-form encoders steer to an average: over a short part they may spend this many seconds
// of their peak rate more.
constexpr int64_t kFreeFormSlackSeconds = 2;
// Estimates stop here (an exabyte): far past any disk, and sums of it cannot overflow.
constexpr double kByteLimit = 1e18;
// trelcore's AAC default when no audio rate is chosen.
constexpr int64_t kAacBitsPerChannel = 64000;

int64_t WithOverhead(int64_t bits) {
    return bits + bits * kMuxOverheadPerMille / 1000;
}

// The "N kb/s" the probe found for the source, in bits per second; 0 when none.
int64_t SourceBits(const SourceItem& item) {
    const int64_t kbps = std::strtoll(item.bitrateText.c_str(), nullptr, 10);
    return kbps > 0 && kbps < 10000000 ? kbps * 1000 : 0;
}

// The output carries only the kinds of stream the source has; a source whose streams were not
// described counts as having both.
bool CarriesVideo(const SourceItem& item) {
    return !item.videoInfo.empty() || item.audioInfo.empty();
}
bool CarriesAudio(const SourceItem& item) {
    return !item.audioInfo.empty() || item.videoInfo.empty();
}

OutputRate DiscRate(const SourceItem& item, int64_t peakVideo, int64_t audio, int64_t mux) {
    if (!CarriesVideo(item)) {
        return {std::min(audio * kAudioAlonePackFactor, mux), 0};
    }
    const int64_t streams = WithOverhead(peakVideo + (CarriesAudio(item) ? audio : 0));
    return {std::min(streams, mux), kMpeg2BufferBits};
}

OutputRate FreeFormRate(const ConversionSettings& s, const SourceItem& item) {
    const int32_t* videoKbps = EntryOfRow(kVideoBitrates, s.videoBitrateChoice);
    const AudioBitrate* audio = EntryOfRow(kAudioBitrates, s.audioBitrateChoice);
    if (videoKbps == nullptr) {
        // Keeping the source's video rate: never more than the source's own whole rate.
        return {SourceBits(item), 0};
    }
    const int32_t* channels = EntryOfRow(kAudioChannels, s.channelsChoice);
    const int64_t audioBits = !CarriesAudio(item) ? 0
                              : audio != nullptr  ? audio->kbps * 1000LL
                                                  : kAacBitsPerChannel * (channels ? *channels : 2);
    if (!CarriesVideo(item)) {
        return {WithOverhead(audioBits), 0};
    }
    // With variable bit rate the typed maximum bounds the video; it is never below the average.
    int64_t peakVideo = *videoKbps * 1000LL;
    if (s.variableBitRate) {
        const int64_t maxKbps = std::strtoll(s.maxRateText.c_str(), nullptr, 10);
        if (maxKbps > 0 && maxKbps < 10000000) {
            peakVideo = std::max(peakVideo, maxKbps * 1000);
        }
    }
    return {WithOverhead(peakVideo + audioBits), peakVideo * kFreeFormSlackSeconds};
}

std::mutex gSourceLock;
FreeSpaceSource gSource;

std::optional<uint64_t> StatvfsFree(const std::string& folder) {
    std::string path = folder.empty() ? std::string(".") : folder;
    while (true) {
        struct statvfs info {};
        if (::statvfs(path.c_str(), &info) == 0) {
            return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
        }
        // A folder the run will make: its parent's file system is where it will be.
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) {
            return std::nullopt;
        }
        const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
        if (parent == path) {
            return std::nullopt;
        }
        path = parent;
    }
}

}  // namespace

OutputRate OutputRateUpTo(const ConversionSettings& settings, const SourceItem& item) {
    switch (settings.outputType) {
        case kTypeDvd:
            return DiscRate(item, kDvdPeakVideoBits, kDvdAudioBits, kDvdMuxBits);
        case kTypeSvcd:
            return DiscRate(item, kSvcdPeakVideoBits, kSvcdAudioBits, kSvcdMuxBits);
        case kTypeVcd:
            return {kVcdMuxBits, kVcdBufferBits};
        case kTypeDv:
            return {kDvBits, 0};
        case kTypeMpeg4:
        case kTypeH264:
            return FreeFormRate(settings, item);
        default:
            return {};  // not converted at all
    }
}

int64_t OutputBytesUpTo(const ConversionSettings& settings, const SourceItem& item) {
    if (item.selEnd <= item.selStart) {
        return 0;
    }
    const OutputRate rate = OutputRateUpTo(settings, item);
    if (rate.bitsPerSecond <= 0) {
        return 0;
    }
    // In floating point: a wild probed rate times a long part would overflow 64 bits.
    const double bits = static_cast<double>(rate.bitsPerSecond) *
                            static_cast<double>(PartOf(item).lengthMs) / 1000.0 +
                        static_cast<double>(rate.bufferBits);
    const double bytes = bits / 8.0;
    return bytes < kByteLimit ? static_cast<int64_t>(bytes) : static_cast<int64_t>(kByteLimit);
}

int64_t RunBytesUpTo(const ConversionSettings& settings,
                     const std::vector<const SourceItem*>& items) {
    int64_t total = 0;
    for (const SourceItem* item : items) {
        if (item != nullptr) {
            total = std::min<int64_t>(total + OutputBytesUpTo(settings, *item),
                                      static_cast<int64_t>(kByteLimit));
        }
    }
    return total;
}

void SetFreeSpaceSource(FreeSpaceSource source) {
    const std::lock_guard lock(gSourceLock);
    gSource = std::move(source);
}

std::optional<uint64_t> FreeBytesOf(const std::string& folder) {
    FreeSpaceSource source;
    {
        const std::lock_guard lock(gSourceLock);
        source = gSource;
    }
    return source ? source(folder) : StatvfsFree(folder);
}

std::string ByteSizeText(uint64_t bytes) {
    // "B" rather than a word: the text is shown in every language.
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes);
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    if (unit == 0) {
        return std::to_string(bytes) + " B";
    }
    return DisplayDecimal(value, 1) + " " + kUnits[unit];
}

}  // namespace clipwright
