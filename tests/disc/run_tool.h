// Running a disc tool (clipgen, trelcore, lsdvd ...) to its end from a disc test: its output and
// errors collected together, and whether it exited with status 0. Blocks the calling thread.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "engine/child_process.h"
#include "engine/command_line.h"

namespace clipwright::testing {

// args[0] is the program, the rest its arguments (quoted as the command line needs). True when
// it ran and exited with 0; output, when given, gets what it printed to both streams.
inline bool RunTool(const std::vector<std::string>& args, std::string* output = nullptr) {
    std::string line;
    for (const std::string& arg : args) {
        line += (line.empty() ? arg : " " + QuoteArgument(arg));
    }
    ChildProcess child;
    child.commandLine = line;
    child.flags = PIPE_STDOUT | STDERR_TO_STDOUT;
    if (StartChild(child) != 0) {
        return false;
    }
    std::string text;
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(child.stdoutRead, chunk, sizeof chunk)) > 0) {
        text.append(chunk, static_cast<size_t>(n));
    }
    while (!WaitChildExit(child, 10000)) {
    }
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(child.waitStatus) && WEXITSTATUS(child.waitStatus) == 0;
}

}  // namespace clipwright::testing
