// Cost of parsing one collected chunk of progress text, for chunk sizes up to the full buffer.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/encoder_run.h"

namespace {

std::string ProgressText(size_t bytes) {
    std::string text;
    int frame = 0;
    while (text.size() < bytes) {
        ++frame;
        text += "frame=" + std::to_string(frame) +
                " fps= 50 q=2.0 size=    " + std::to_string(frame * 12) +
                "kB time=" + std::to_string(frame / 25) + ".44 bitrate=1704.1kbits/s\r";
    }
    text.resize(bytes);
    return text;
}

void BM_ParseProgressChunk(benchmark::State& state) {
    const std::string text = ProgressText(static_cast<size_t>(state.range(0)));
    clipwright::EncoderRun run;
    run.runDuration = 3600;
    for (auto _ : state) {
        run.percent = 0;
        benchmark::DoNotOptimize(clipwright::ParseProgressChunk(run, text.c_str(), text.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ParseProgressChunk)->Arg(80)->Arg(512)->Arg(2047);

}  // namespace

BENCHMARK_MAIN();
