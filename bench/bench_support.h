// Helpers of the benchmarks: wall time, running a program quietly, making a clip with the
// fixture tool (CLIPGEN_PATH).
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace clipwright::bench {

inline double Milliseconds(std::chrono::steady_clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

// Starts args[0] with its output and errors thrown away; its process id, or -1 when it could not
// be started. The caller waits for it.
inline pid_t SpawnQuietly(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Runs args[0] quietly and waits for it, as a caller with no progress display would. The exit
// status, or -1 when it could not run or died of a signal.
inline int RunQuietly(const std::vector<std::string>& args) {
    const pid_t pid = SpawnQuietly(args);
    if (pid < 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A clip of seconds at 640x480 25 fps with MPEG-4 video and MP2 sound; true when made.
inline bool MakeClip(const std::string& path, int seconds) {
    return RunQuietly({CLIPGEN_PATH, path, "--duration", std::to_string(seconds), "--size",
                       "640x480", "--rate", "25", "--vcodec", "mpeg4", "--acodec", "mp2"}) == 0;
}

}  // namespace clipwright::bench
