// clipwright-cli: Clipwright's batch conversion without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/stop_signals.h"

int main(int argc, char** argv) {
    using namespace clipwright::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = ParseArguments(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "clipwright-cli: %s\nTry 'clipwright-cli --help'.\n",
                     parsed.error.c_str());
        return kExitUsage;
    }
    if (parsed.options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitConverted;
    }
    if (parsed.options.version) {
        std::printf("clipwright-cli %s\n", CLIPWRIGHT_CLI_VERSION);
        return kExitConverted;
    }
    // The batch starts no thread before Run, so the signals can still be blocked after it is
    // made; and the signal thread, which calls into the batch, ends before the batch goes.
    Batch batch(parsed.options, stdout, stderr);
    StopSignals signals;
    signals.Start(
        [&batch] {
            std::fputs("\nclipwright-cli: stopping (Ctrl+C again stops at once)\n", stderr);
            batch.RequestStop();
        },
        [&batch] { batch.HardStop(); });
    return batch.Run();
}
