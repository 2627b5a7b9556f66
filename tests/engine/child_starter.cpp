// Starts "sleep 60" the way the engine starts an encoder, prints its pid and waits to be killed:
// for the test that an encoder never outlives the program that started it.
#include <unistd.h>

#include <cstdio>

#include "engine/child_process.h"

int main() {
    clipwright::ChildProcess child;
    child.commandLine = "sleep 60";
    child.flags = clipwright::PIPE_STDOUT;
    if (clipwright::StartChild(child) != 0) {
        return 1;
    }
    std::printf("%d\n", static_cast<int>(child.processHandle));
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}
