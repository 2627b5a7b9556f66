// Helpers of the disc tests: running a tool (clipgen, trelcore, lsdvd, xorriso ...) to its end
// with its output collected, and a clip made by clipgen and converted by trelcore as a disc
// title. Both block the calling thread; the programs are started directly, not through the
// engine's command lines, so a fault there does not hide in the tests' own tools.
#pragma once

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "disc/disc_plan.h"
#include "engine/probe.h"
#include "engine/source_item.h"

extern char** environ;

namespace clipwright::testing {

// args[0] is the program (looked up on PATH), the rest its arguments. True when it ran and
// exited with 0; output, when given, gets what it printed to both streams.
inline bool RunTool(const std::vector<std::string>& args, std::string* output = nullptr) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string text;
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(fds[0], chunk, sizeof chunk)) > 0) {
        text.append(chunk, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid) {
        return false;
    }
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A 320x240 clip of seconds made by clipgen as folder/name.mp4 and converted by trelcore for
// target into folder/name.mpg, probed as the view probes it; CLIPGEN_PATH and TRELCORE_PATH are
// the disc tests' build-time paths of both. A step that fails fails the test.
inline DiscTitle ConvertedTitle(const std::string& folder, const std::string& name,
                                const std::string& target, int seconds) {
    const std::string source = folder + name + ".mp4";
    const std::string output = folder + name + ".mpg";
    EXPECT_TRUE(RunTool(
        {CLIPGEN_PATH, source, "--duration", std::to_string(seconds), "--size", "320x240"}));
    EXPECT_TRUE(RunTool({TRELCORE_PATH, "-target", target, "-i", source, "-y", output}));
    SourceItem probed;
    EXPECT_EQ(Probe(probed, output), 0);
    DiscTitle title;
    title.path = output;
    title.durationMs = probed.durationMs;
    title.bytes = std::filesystem::file_size(output);
    title.video = ParseVideoFacts(probed.videoInfo).value_or(VideoFacts{});
    return title;
}

}  // namespace clipwright::testing
