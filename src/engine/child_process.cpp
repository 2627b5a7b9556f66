#include "engine/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <strings.h>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/command_line.h"

extern char** environ;

namespace clipwright {

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Descriptors made while starting one child; whatever is still held on return is closed.
struct PipeEnds {
    int outRead = -1;
    int outWrite = -1;
    int inRead = -1;
    int inWrite = -1;
    ~PipeEnds() {
        CloseFd(outRead);
        CloseFd(outWrite);
        CloseFd(inRead);
        CloseFd(inWrite);
    }
};

struct SpawnActions {
    posix_spawn_file_actions_t actions{};
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
};

struct SpawnAttributes {
    posix_spawnattr_t attributes{};
    SpawnAttributes() { posix_spawnattr_init(&attributes); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
};

// The child's environment: ours, with folder put in front of PATH when one is given. Built as a
// copy so the process-wide environment is never changed while other threads may read it.
class ChildEnvironment {
public:
    explicit ChildEnvironment(const std::string& folder) {
        const char* old = std::getenv("PATH");
        path_ = old != nullptr ? old : "";
        if (folder.empty()) {
            return;
        }
        path_ = old != nullptr ? folder + ":" + path_ : folder;
        for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
            if (std::string_view(*entry).substr(0, 5) != "PATH=") {
                pointers_.push_back(*entry);
            }
        }
        pathEntry_ = "PATH=" + path_;
        pointers_.push_back(pathEntry_.data());
        pointers_.push_back(nullptr);
    }
    ChildEnvironment(const ChildEnvironment&) = delete;
    ChildEnvironment& operator=(const ChildEnvironment&) = delete;

    // PATH as the child sees it; the program is looked up there too.
    const std::string& Path() const { return path_; }
    char** Envp() { return pointers_.empty() ? environ : pointers_.data(); }

private:
    std::string path_;
    std::string pathEntry_;
    std::vector<char*> pointers_;  // not owned, but for pathEntry_; empty: our own environment
};

bool IsExecutableFile(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0 && !PathExists(path + "/.");
}

std::string ExecutableFolder() {
    std::array<char, 4096> target{};
    const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size() - 1);
    if (n <= 0) {
        return {};
    }
    std::string path(target.data(), static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

// A script command line (its last "." is followed by "bat") runs under the shell.
bool IsScriptCommand(const std::string& commandLine) {
    const size_t dot = commandLine.find_last_of('.');
    return dot != std::string::npos && ::strcasecmp(commandLine.c_str() + dot + 1, "bat") == 0;
}

int SetUpPipes(ChildProcess& child, PipeEnds& ends, SpawnActions& spawn) {
    posix_spawn_file_actions_t* actions = &spawn.actions;
    if ((child.flags & PIPE_STDOUT) != 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return -1;
        }
        ends.outRead = fds[0];
        ends.outWrite = fds[1];
        posix_spawn_file_actions_adddup2(actions, ends.outWrite, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(actions, ends.outWrite, STDERR_FILENO);
    } else if ((child.flags & STDERR_TO_STDOUT) != 0) {
        posix_spawn_file_actions_adddup2(actions, STDOUT_FILENO, STDERR_FILENO);
    }
    if ((child.flags & PIPE_STDIN) != 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return -1;
        }
        ends.inRead = fds[0];
        ends.inWrite = fds[1];
        posix_spawn_file_actions_adddup2(actions, ends.inRead, STDIN_FILENO);
    } else {
        // The encoder gets no input: it must never read the user's terminal.
        posix_spawn_file_actions_addopen(actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (!child.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(actions, child.workingFolder.c_str());
    }
    return 0;
}

// Worker threads may block signals; the child starts with none blocked and default handlers.
void SetUpAttributes(SpawnAttributes& spawn) {
    sigset_t empty;
    sigemptyset(&empty);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int sig : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD}) {
        sigaddset(&defaults, sig);
    }
    posix_spawnattr_setsigmask(&spawn.attributes, &empty);
    posix_spawnattr_setsigdefault(&spawn.attributes, &defaults);
    // A group of its own: a Ctrl+C in the terminal that started us is ours to handle.
    posix_spawnattr_setpgroup(&spawn.attributes, 0);
    posix_spawnattr_setflags(
        &spawn.attributes,
        static_cast<short>(POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP));
}

std::vector<std::string> ChildArguments(const std::string& commandLine) {
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (IsScriptCommand(commandLine)) {
        args.insert(args.begin(), "/bin/sh");
    }
    return args;
}

bool Reap(ChildProcess& child, int options) {
    if (child.exited) {
        return true;
    }
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(child.processHandle, &status, options);
    } while (r < 0 && errno == EINTR);
    if (r == child.processHandle) {
        child.exited = true;
        child.waitStatus = status;
        return true;
    }
    if (r < 0 && errno == ECHILD) {
        // Someone else reaped it; there is nothing left to wait for.
        child.exited = true;
        child.waitStatus = 0;
        return true;
    }
    return false;
}

}  // namespace

ChildProcess::~ChildProcess() {
    ReleaseChild(*this);
}

std::string FindProgram(const std::string& word) {
    const char* path = std::getenv("PATH");
    return FindProgramOnPath(word, path != nullptr ? path : nullptr);
}

std::string FindProgramOnPath(const std::string& word, const char* path) {
    if (word.empty()) {
        return {};
    }
    if (word.find('/') != std::string::npos) {
        return word;
    }
    const std::string besideUs = ExecutableFolder() + word;
    if (IsExecutableFile(besideUs)) {
        return besideUs;
    }
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t begin = 0;
    while (begin <= dirs.size()) {
        size_t end = dirs.find(':', begin);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        const std::string dir = end > begin ? dirs.substr(begin, end - begin) : ".";
        const std::string candidate = dir + "/" + word;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        begin = end + 1;
    }
    return {};
}

int StartChild(ChildProcess& child) {
    if (child.processHandle != 0 || child.commandLine.empty()) {
        return -1;
    }
    ChildEnvironment environment(child.pathFolder);
    child.processId = 0;
    child.exited = false;
    child.waitStatus = 0;
    child.killedByUs = false;

    const std::vector<std::string> args = ChildArguments(child.commandLine);
    if (args.empty()) {
        return -1;
    }
    const std::string program =
        FindProgramOnPath(args.front(), std::getenv("PATH") != nullptr || !child.pathFolder.empty()
                                            ? environment.Path().c_str()
                                            : nullptr);
    if (program.empty()) {
        return -1;
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    PipeEnds ends;
    SpawnActions actions;
    SpawnAttributes attributes;
    if (SetUpPipes(child, ends, actions) != 0) {
        return -1;
    }
    SetUpAttributes(attributes);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), &actions.actions, &attributes.attributes, argv.data(),
                      environment.Envp()) != 0) {
        return -1;
    }
    child.processHandle = pid;
    child.processId = pid;
    child.pidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    // The parent keeps only its own ends, so a read sees the end when the child closes its
    // output, and a later child never inherits them (they are close-on-exec).
    child.stdoutRead = ends.outRead;
    ends.outRead = -1;
    child.stdinWrite = ends.inWrite;
    ends.inWrite = -1;
    return 0;
}

int SetChildPriority(ChildProcess& child, int level) {
    static constexpr std::array<int, 6> kNice{19, 19, 0, -10, -10, -20};
    if (level < 0 || level > 5 || child.processHandle == 0 || child.exited) {
        return -1;
    }
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(child.processHandle),
                         kNice[static_cast<size_t>(level)]) == 0
               ? 0
               : -1;
}

int KillChild(ChildProcess& child) {
    if (child.processHandle == 0 || Reap(child, WNOHANG)) {
        return -1;
    }
    if (::kill(child.processHandle, SIGKILL) != 0) {
        return -1;
    }
    child.killedByUs = true;
    Reap(child, 0);
    return 0;
}

bool WaitChildExit(ChildProcess& child, int timeoutMs) {
    if (child.processHandle == 0) {
        return true;
    }
    if (Reap(child, WNOHANG)) {
        return true;
    }
    if (child.pidFd >= 0) {
        pollfd pfd{child.pidFd, POLLIN, 0};
        int r;
        do {
            r = ::poll(&pfd, 1, timeoutMs);
        } while (r < 0 && errno == EINTR);
        return Reap(child, WNOHANG);
    }
    // Without pidfds there is no descriptor to wait on; look again every few milliseconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (Reap(child, WNOHANG)) {
            return true;
        }
    }
    return false;
}

int StopChild(ChildProcess& child, int graceMs) {
    if (child.processHandle == 0) {
        return -1;
    }
    if (Reap(child, WNOHANG)) {
        return 0;
    }
    if (::kill(child.processHandle, SIGTERM) == 0) {
        child.killedByUs = true;
    }
    if (WaitChildExit(child, graceMs)) {
        return 0;
    }
    KillChild(child);
    return 0;
}

int ReleaseChild(ChildProcess& child) {
    if (child.processHandle != 0 && !Reap(child, WNOHANG)) {
        // Never leave a child running or a zombie behind a released record.
        ::kill(child.processHandle, SIGKILL);
        child.killedByUs = true;
        Reap(child, 0);
    }
    CloseFd(child.stdoutRead);
    CloseFd(child.stdinWrite);
    CloseFd(child.pidFd);
    child.processHandle = 0;
    child.processId = 0;
    if ((child.flags & OWNS_BUFFER) != 0) {
        std::free(child.buffer);
        child.buffer = nullptr;
        child.bufferSize = 0;
    }
    return 0;
}

}  // namespace clipwright
