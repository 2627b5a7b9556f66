// The Windows-rules split of a command line into the arguments a child is started with, and the
// quoting that must survive it.
//
// The input is used twice: whole, as a command line to split; and as lines "<program name>",
// "<source path>", "<title>", "<output path>" (missing lines are empty) from which
// BuildCommandLine makes the line the encoder is started with.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/command_line.h"
#include "fuzz_input.h"

namespace {

using clipwright::QuoteArgument;
using clipwright::SplitCommandLine;

// Splitting, quoting every argument again and splitting once more must give the same arguments.
// The first word has no escapes, so it is written the way BuildCommandLine writes the program.
void CheckRequoting(const std::string& line) {
    const std::vector<std::string> args = SplitCommandLine(line);
    FUZZ_CHECK(line.empty() == args.empty());
    if (args.empty()) {
        return;
    }
    const std::string& program = args[0];
    const bool hasBlank = program.find_first_of(" \t") != std::string::npos;
    // A first word with a blank came from quotes, which it cannot hold itself.
    FUZZ_CHECK(!hasBlank || program.find('"') == std::string::npos);
    // An empty first word alone on the line needs its quotes to stay a word.
    const bool quote = hasBlank || (program.empty() && args.size() == 1);
    std::string rebuilt = quote ? std::string(1, '"').append(program).append(1, '"') : program;
    for (size_t i = 1; i < args.size(); ++i) {
        rebuilt.append(1, ' ').append(QuoteArgument(args[i]));
    }
    FUZZ_CHECK(SplitCommandLine(rebuilt) == args);
}

void CheckBuiltLine(const std::vector<std::string>& lines) {
    const auto field = [&](size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    const std::string program = field(0);
    // The program name cannot carry a quote; such names are not ours to start.
    if (program.find('"') != std::string::npos) {
        return;
    }
    const std::string source = field(1);
    const std::string title = field(2);
    const std::string output = field(3);
    const int64_t start = static_cast<int64_t>(source.size());
    const int64_t end = start + static_cast<int64_t>(title.size()) + 1;
    clipwright::SetEncoderName(program);
    const std::string line =
        clipwright::BuildCommandLine(source, title, "-target pal-dvd", start, end, output);
    clipwright::SetEncoderName(clipwright::kEncoderName);
    const std::vector<std::string> expected = {program,   "qmt52rwKZ#&",
                                               "-i",      source,
                                               "-title",  title,
                                               "-target", "pal-dvd",
                                               "-ss",     std::to_string(start),
                                               "-t",      std::to_string(end - start),
                                               "-y",      output};
    FUZZ_CHECK(SplitCommandLine(line) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckRequoting(input);
    CheckBuiltLine(clipwright::fuzz::SplitLines(input));
    return 0;
}
