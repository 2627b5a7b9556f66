// Runs every file of the given corpus folders (or single files) through the fuzz target once, so
// a normal build replays the committed corpus on every test run without libFuzzer. A file named
// *.hex holds bytes as hex text (see fuzz_input.h); any other file is passed as it stands.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.push_back(path);
        }
    }
    // A fixed order makes a failing run name the same file again.
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "replay: no corpus files given\n");
        return 1;
    }
    for (const auto& file : files) {
        std::vector<uint8_t> bytes;
        if (!clipwright::fuzz::ReadCorpusFile(file, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            return 1;
        }
        std::printf("replay: %s (%zu bytes)\n", file.c_str(), bytes.size());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs passed\n", files.size());
    return 0;
}
