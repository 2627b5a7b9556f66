// The conversion's progress parse of the encoder's "... time=..." text: one chunk directly, and
// the same text read from a pipe by ReadProgress, which gathers and cuts the chunks itself.
//
// Input: a first line "<run seconds> <starting percent> <milliseconds per clock reading>", any
// of them may be missing; the rest is the encoder's output.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "engine/child_io.h"
#include "engine/encoder_run.h"
#include "fuzz_input.h"

namespace {

using clipwright::EncoderRun;

// Leading optional "-" and decimal digits at pos, saturating; pos moves past them and blanks.
int64_t NextNumber(std::string_view text, size_t& pos, int64_t fallback) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    const bool negative = pos < text.size() && text[pos] == '-';
    size_t i = negative ? pos + 1 : pos;
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return fallback;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value > std::numeric_limits<int64_t>::max() / 10 - 1 ? value
                                                                     : value * 10 + (text[i] - '0');
    }
    pos = i;
    return negative ? -value : value;
}

std::atomic<uint32_t> gTick{0};
std::atomic<uint32_t> gTickStep{0};

uint32_t FakeTick() {
    return gTick.fetch_add(gTickStep.load()) + gTickStep.load();
}

// The pipe holds at least this much without a reader, so writing it all first cannot block.
constexpr size_t kPipeText = 60000;

void CheckReadProgress(int64_t duration, std::string_view text, uint32_t step) {
    int fds[2];
    FUZZ_CHECK(::pipe2(fds, O_CLOEXEC) == 0);
    const std::string_view sent = text.substr(0, std::min(text.size(), kPipeText));
    FUZZ_CHECK(clipwright::fuzz::WriteAllBytes(fds[1], sent));
    ::close(fds[1]);

    gTick.store(0);
    gTickStep.store(step);
    clipwright::SetTickSource(&FakeTick);
    EncoderRun run;
    run.runDuration.store(duration);
    clipwright::ChildProcess child;  // no process: only its output pipe
    child.stdoutRead = fds[0];
    clipwright::ReadProgress(run, child);
    clipwright::SetTickSource(nullptr);
    // The end of the output is the end of the file.
    FUZZ_CHECK(run.percent.load() == 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t headerEnd = std::min(input.find('\n'), input.size());
    const std::string_view header = input.substr(0, headerEnd);
    size_t pos = 0;
    const int64_t duration = NextNumber(header, pos, 100);
    const auto startPercent =
        static_cast<int32_t>(std::clamp<int64_t>(NextNumber(header, pos, 0), 0, 100));
    const auto step =
        static_cast<uint32_t>(std::clamp<int64_t>(NextNumber(header, pos, 500), 0, 100000));
    const std::string_view text = headerEnd < input.size() ? input.substr(headerEnd + 1) : "";

    // ParseProgressChunk wants the text zero-terminated.
    const std::string chunk(text);
    EncoderRun run;
    run.runDuration.store(duration);
    run.percent.store(startPercent);
    const int result = clipwright::ParseProgressChunk(run, chunk.c_str(), chunk.size());
    FUZZ_CHECK(result == 0 || result == -1);
    const int32_t percent = run.percent.load();
    if (result != 0) {
        FUZZ_CHECK(percent == startPercent);
    } else {
        // A file is only done when the encoder ends.
        FUZZ_CHECK(percent >= 0 && percent <= 99);
        if (duration <= 0) {
            FUZZ_CHECK(percent == 0);
        }
    }

    // Only the last line counts, so it alone must give the same.
    const size_t lineFeed = chunk.rfind('\n');
    if (lineFeed != std::string::npos) {
        const std::string lastLine = chunk.substr(lineFeed + 1);
        EncoderRun alone;
        alone.runDuration.store(duration);
        alone.percent.store(startPercent);
        FUZZ_CHECK(clipwright::ParseProgressChunk(alone, lastLine.c_str(), lastLine.size()) ==
                   result);
        FUZZ_CHECK(alone.percent.load() == percent);
    }

    CheckReadProgress(duration, text, step);
    return 0;
}
