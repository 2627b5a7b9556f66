#include "engine/command_line.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <memory>

#include "base/c_locale.h"
#include "engine/file_system.h"

namespace clipwright {

namespace {

std::string& EncoderNameStorage() {
    static std::string name = kEncoderName;
    return name;
}

// Size and rate texts reach the command line unquoted, so anything but plain digits is left
// out rather than passed on as extra arguments.
bool IsDigits(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A size or rate the user typed, as the encoder reads it: plain digits without leading zeros,
// so "00" is the "0" (keep the source's) that it means. Empty for anything but digits or 0.
std::string TypedNumber(const std::string& text) {
    if (!IsDigits(text)) {
        return {};
    }
    const size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string Format(const char* format, auto value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string StandardWord(int32_t tvStandard) {
    switch (tvStandard) {
        case kPal:
            return "pal";
        case kNtscFilm:
            return "film";
        default:
            return "ntsc";
    }
}

std::string VideoCodecOptions(int32_t outputType) {
    // H.264 output really carries H.264; only the MPEG-4 type keeps Xvid.
    return outputType == kTypeH264 ? " -vcodec h264 -pix_fmt yuv420p"
                                   : " -vcodec xvid -pix_fmt yuv420p";
}

std::string FreeFormOptions(const ConversionSettings& s) {
    std::string options = VideoCodecOptions(s.outputType);
    const std::string width = TypedNumber(s.widthText);
    const std::string height = TypedNumber(s.heightText);
    if (!width.empty() && !height.empty()) {
        options += " -s " + width + "x" + height;
    }
    if (const double* rate = EntryOfRow(kFrameRates, s.frameRateChoice)) {
        options += " -r " + DecimalText(*rate, 3);
    }
    const int32_t* videoKbps = EntryOfRow(kVideoBitrates, s.videoBitrateChoice);
    if (s.variableBitRate) {
        if (videoKbps != nullptr) {
            options += Format(" -bt %d", *videoKbps);
        }
        if (const std::string max = TypedNumber(s.maxRateText); !max.empty()) {
            options += " -maxrate " + max;
        }
        if (const std::string min = TypedNumber(s.minRateText); !min.empty()) {
            options += " -minrate " + min;
        }
    } else if (videoKbps != nullptr) {
        options += Format(" -b %d", *videoKbps);
    }
    if (const int32_t* channels = EntryOfRow(kAudioChannels, s.channelsChoice)) {
        options += Format(" -ac %d", *channels);
    }
    if (const AudioBitrate* audio = EntryOfRow(kAudioBitrates, s.audioBitrateChoice)) {
        options += Format(" -ab %d", audio->kbps);
    }
    if (const int32_t* rate = EntryOfRow(kSampleRates, s.sampleRateChoice)) {
        options += Format(" -ar %d", *rate);
    }
    return options;
}

// The first word of a command line names the program; quoting it is only needed when it holds
// blanks, and it cannot carry a quote of its own.
std::string ProgramWord() {
    const std::string& name = EncoderName();
    if (name.find_first_of(" \t") == std::string::npos) {
        return name;
    }
    return "\"" + name + "\"";
}

void AppendBackslashes(std::string& out, size_t count) {
    out.append(count, '\\');
}

}  // namespace

void SetEncoderName(const std::string& name) {
    EncoderNameStorage() = name;
}

const std::string& EncoderName() {
    return EncoderNameStorage();
}

std::string BuildOptions(const ConversionSettings& settings) {
    const std::string_view target = TargetName(settings.outputType);
    if (!target.empty()) {
        return "-target " + StandardWord(settings.tvStandard) + "-" + std::string(target);
    }
    if (settings.outputType == kTypeMpeg4 || settings.outputType == kTypeH264) {
        return FreeFormOptions(settings);
    }
    return {};
}

ConversionPart FixedPart(int64_t start, int64_t end) {
    return ConversionPart{start, end, false, (end - start) * 1000};
}

ConversionPart PartOf(const SourceItem& item) {
    ConversionPart part = FixedPart(item.selStart, item.selEnd);
    if (item.selEnd >= item.duration && item.durationMs > 0 && item.selStart < item.selEnd) {
        part.toTheEnd = true;
        part.lengthMs = std::max<int64_t>(item.durationMs - part.start * 1000, 0);
    }
    return part;
}

std::string BuildCommandLine(const std::string& sourcePath, const std::string& title,
                             const std::string& options, const ConversionPart& part,
                             const std::string& outputPath) {
    const auto startText = static_cast<uint32_t>(part.start);
    const std::string lengthText =
        part.toTheEnd ? std::string()
                      : " -t " + std::to_string(static_cast<uint32_t>(part.end - part.start));
    return ProgramWord() + kAccessToken + " -i " + QuoteArgument(sourcePath) + " -title " +
           QuoteArgument(title) + " " + options + " -ss " + std::to_string(startText) + lengthText +
           " -y " + QuoteArgument(outputPath);
}

std::string BuildCommandLine(const std::string& sourcePath, const std::string& title,
                             const std::string& options, int64_t start, int64_t end,
                             const std::string& outputPath) {
    return BuildCommandLine(sourcePath, title, options, FixedPart(start, end), outputPath);
}

std::string BuildCommandLine(const SourceItem& item, const std::string& options) {
    return BuildCommandLine(item.sourcePath, item.title, options, PartOf(item), OutputPath(item));
}

std::string BuildProbeCommandLine(const std::string& path) {
    return ProgramWord() + kAccessToken + " -i " + QuoteArgument(path);
}

std::string BuildProbeServerCommandLine() {
    return ProgramWord() + kAccessToken + " --probe-server";
}

std::string BuildCanMakeCommandLine(const std::string& kind) {
    return ProgramWord() + " --can-make " + QuoteArgument(kind);
}

std::string QuoteArgument(const std::string& text) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (const char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // Backslashes before a quote are doubled, and one more escapes the quote itself.
            AppendBackslashes(out, backslashes * 2 + 1);
        } else {
            AppendBackslashes(out, backslashes);
        }
        backslashes = 0;
        out += c;
    }
    // Trailing backslashes stand before the closing quote, so they are doubled too.
    AppendBackslashes(out, backslashes * 2);
    out += '"';
    return out;
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SplitProgramWord(const std::string& line, std::vector<std::string>& args) {
    size_t i = 0;
    std::string word;
    if (i < line.size() && line[i] == '"') {
        const size_t close = line.find('"', 1);
        const size_t end = close == std::string::npos ? line.size() : close;
        word = line.substr(1, end - 1);
        args.push_back(word);
        return close == std::string::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) {
        word += line[i++];
    }
    args.push_back(word);
    return i;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    if (line.empty()) {
        return args;
    }
    size_t i = SplitProgramWord(line, args);
    const size_t n = line.size();
    while (true) {
        while (i < n && IsBlank(line[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::string arg;
        bool inQuotes = false;
        while (i < n && (inQuotes || !IsBlank(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                size_t count = 0;
                while (i + count < n && line[i + count] == '\\') {
                    ++count;
                }
                i += count;
                if (i < n && line[i] == '"') {
                    AppendBackslashes(arg, count / 2);
                    if (count % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    AppendBackslashes(arg, count);
                }
            } else if (c == '"') {
                if (inQuotes && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    inQuotes = !inQuotes;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

namespace {

enum class NameState { kTaken, kFree, kReserved };

// Counting goes on until a free name turns up: the encoder is told to overwrite, so a name that
// exists must never be handed to it. probe says whether one candidate is free.
template <typename Probe>
NameState ChooseName(SourceItem& item, const std::string& folder, const std::string& extension,
                     const std::string& suffix, Probe probe) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    const std::string tail = suffix.empty() ? std::string() : "-" + suffix;
    const size_t limit = NameByteLimit(dir.empty() ? "." : dir);
    // The title gives way to what must stay: the suffix, the counter and the extension.
    const auto stemOf = [&](const std::string& counter) {
        const size_t fixed = tail.size() + counter.size() + 1 + extension.size();
        return CutUtf8(item.title, limit > fixed ? limit - fixed : 0) + tail + counter;
    };
    std::string stem = stemOf({});
    NameState state = probe(dir + stem + "." + extension);
    for (uint64_t n = 1; state == NameState::kTaken; ++n) {
        std::string counter(1, '[');
        counter.append(std::to_string(n)).push_back(']');
        stem = stemOf(counter);
        state = probe(dir + stem + "." + extension);
    }
    item.outputFolder = dir;
    item.outputStem = stem;
    item.outputExt = extension;
    return state;
}

}  // namespace

namespace {

// How long an empty output nobody holds must have stood before it counts as left behind: far
// longer than a run takes from creating its name to locking it.
constexpr time_t kLeftBehindSeconds = 60;

// Locks fd without waiting; false when another run holds it.
bool LockNow(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The empty file at path open and locked when a run that was killed left it behind; null
// otherwise (in use, written to, recent, or not a regular file).
std::unique_ptr<UniqueFd> TakeOverLeftBehind(const std::string& path) {
    struct stat info {};
    // Only a regular file is opened: opening a FIFO for writing waits for a reader, and a
    // device may act on being opened. Not blocking either, should one take its place meanwhile.
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    auto fd = std::make_unique<UniqueFd>(
        ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd->get() < 0 || ::fstat(fd->get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size != 0 || ::time(nullptr) - info.st_mtime < kLeftBehindSeconds ||
        !LockNow(fd->get())) {
        return nullptr;
    }
    return fd;
}

}  // namespace

void MakeOutputName(SourceItem& item, const std::string& folder, const std::string& extension,
                    const std::string& suffix,
                    const std::function<bool(const std::string& path)>& alsoTaken) {
    ChooseName(item, folder, extension, suffix, [&alsoTaken](const std::string& path) {
        const bool taken =
            (PathExists(path) && !TakeOverLeftBehind(path)) || (alsoTaken && alsoTaken(path));
        return taken ? NameState::kTaken : NameState::kFree;
    });
}

size_t NameByteLimit(const std::string& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : static_cast<size_t>(NAME_MAX);
}

std::string CutUtf8(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t end = maxBytes;
    // Back off continuation bytes (10xxxxxx) so the cut falls before a character's first byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

ReserveNameResult ReserveOutputName(SourceItem& item, const std::string& folder,
                                    const std::string& extension, const std::string& suffix) {
    ReserveNameResult result;
    int lastError = 0;
    const NameState state =
        ChooseName(item, folder, extension, suffix, [&](const std::string& path) {
            auto fd = std::make_unique<UniqueFd>(
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
            if (fd->get() >= 0) {
                LockNow(fd->get());
                result.hold = std::move(fd);
                return NameState::kReserved;
            }
            lastError = errno;
            if (errno == EEXIST || PathExists(path)) {
                result.hold = TakeOverLeftBehind(path);
                if (!result.hold) {
                    return NameState::kTaken;
                }
                ::futimens(result.hold->get(), nullptr);  // fresh again: ours now
                return NameState::kReserved;
            }
            return NameState::kFree;  // cannot be created; the encoder will meet the same error
        });
    result.reserved = state == NameState::kReserved;
    result.error = result.reserved ? 0 : lastError;
    return result;
}

void DropEmptyOutput(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0) {
        ::unlink(path.c_str());
    }
}

}  // namespace clipwright
