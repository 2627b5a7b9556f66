#include "engine/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
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
#include "engine/file_system.h"

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

// The child's environment: ours, with folder put in front of PATH when one is given. Built as a
// copy so the process-wide environment is never changed while other threads may read it.
class ChildEnvironment {
public:
    explicit ChildEnvironment(const std::string& folder) {
        const char* old = std::getenv("PATH");
        hasPath_ = old != nullptr || !folder.empty();
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

    // PATH as the child sees it, where the program is looked up too; null when it has none.
    const char* SearchPath() const { return hasPath_ ? path_.c_str() : nullptr; }
    char** Envp() { return pointers_.empty() ? environ : pointers_.data(); }

private:
    bool hasPath_ = false;
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

int SetUpPipes(const ChildProcess& child, PipeEnds& ends) {
    if ((child.flags & PIPE_STDOUT) != 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return -1;
        }
        ends.outRead = fds[0];
        ends.outWrite = fds[1];
    }
    if ((child.flags & PIPE_STDIN) != 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return -1;
        }
        ends.inRead = fds[0];
        ends.inWrite = fds[1];
    }
    return 0;
}

// Everything the child needs after fork(), prepared before it: between fork() and exec only
// async-signal-safe calls may run, since other threads may have held locks at the fork.
struct ExecPlan {
    const char* program = nullptr;
    char** argv = nullptr;
    char** envp = nullptr;
    const char* workingFolder = nullptr;  // null: stay
    int outWrite = -1;
    bool stderrToStdout = false;
    int inRead = -1;  // -1: /dev/null
    int nice = kInheritNice;
    pid_t parent = 0;
    int errorWrite = -1;  // close-on-exec; gets errno when the exec fails
};

[[noreturn]] void FailInChild(int errorWrite) {
    const int error = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(errorWrite, &error, sizeof error);
    ::_exit(127);
}

[[noreturn]] void RunChild(const ExecPlan& plan) {
    // Worker threads may block signals or have handlers; the child starts with none blocked
    // and default dispositions.
    sigset_t empty;
    sigemptyset(&empty);
    ::sigprocmask(SIG_SETMASK, &empty, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (const int sig : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD}) {
        ::sigaction(sig, &defaults, nullptr);
    }
    // A group of its own: a Ctrl+C in the terminal that started us is ours to handle, and a
    // stop reaches whatever the encoder started.
    ::setpgid(0, 0);
    // The encoder must not outlive us: killed when the thread that started it ends, which
    // happens only after the child has been reaped or when the whole program dies.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != plan.parent) {
        ::_exit(127);  // we died before the line above took effect
    }
    if (plan.outWrite >= 0) {
        if (::dup2(plan.outWrite, STDOUT_FILENO) < 0 || ::dup2(plan.outWrite, STDERR_FILENO) < 0) {
            FailInChild(plan.errorWrite);
        }
    } else if (plan.stderrToStdout && ::dup2(STDOUT_FILENO, STDERR_FILENO) < 0) {
        FailInChild(plan.errorWrite);
    }
    // The encoder gets no input unless asked: it must never read the user's terminal.
    const int input = plan.inRead >= 0 ? plan.inRead : ::open("/dev/null", O_RDONLY);
    if (input < 0 || ::dup2(input, STDIN_FILENO) < 0) {
        FailInChild(plan.errorWrite);
    }
    if (plan.nice != kInheritNice) {
        // A level we may not take leaves ours, as SetChildPriority would.
        ::setpriority(PRIO_PROCESS, 0, plan.nice);
    }
    if (plan.workingFolder != nullptr && ::chdir(plan.workingFolder) != 0) {
        FailInChild(plan.errorWrite);
    }
    ::execve(plan.program, plan.argv, plan.envp);
    FailInChild(plan.errorWrite);
}

// Forks and execs; returns the child's pid, or -1 with nothing left running when the start or
// the exec failed.
pid_t ForkAndExec(ExecPlan plan) {
    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
        return -1;
    }
    plan.errorWrite = errorPipe[1];
    plan.parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        RunChild(plan);
    }
    ::close(errorPipe[1]);
    if (pid < 0) {
        ::close(errorPipe[0]);
        return -1;
    }
    ::setpgid(pid, pid);  // also here, so a stop sent at once already reaches the group
    int error = 0;
    ssize_t n;
    do {
        n = ::read(errorPipe[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(errorPipe[0]);
    if (n == 0) {
        return pid;  // the exec closed the pipe
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return -1;
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
    // Whatever the child started goes with it, whenever it ends: a process left behind could
    // still hold its output. Its group is ended while the child is a zombie, so its id, which
    // names the group, cannot have been given to another process yet.
    siginfo_t info{};
    int waited;
    do {
        waited = ::waitid(P_PID, static_cast<id_t>(child.processHandle), &info,
                          WEXITED | WNOWAIT | (options & WNOHANG));
    } while (waited < 0 && errno == EINTR);
    if (waited == 0 && info.si_pid == child.processHandle) {
        ::kill(-child.processHandle, SIGKILL);
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
    return FindProgramIn(word, ProgramSearchFolders(path));
}

std::vector<std::string> ProgramSearchFolders(const char* path) {
    std::vector<std::string> folders;
    const std::string besideUs = ExecutableFolder();
    if (!besideUs.empty()) {
        folders.push_back(besideUs.substr(0, besideUs.size() - 1));
    }
    if (kLibexecFolder[0] != '\0') {
        folders.emplace_back(kLibexecFolder);
    }
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t begin = 0;
    while (begin <= dirs.size()) {
        size_t end = dirs.find(':', begin);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        // An empty entry means the current folder, as for execvp.
        folders.push_back(end > begin ? dirs.substr(begin, end - begin) : ".");
        begin = end + 1;
    }
    return folders;
}

std::string FindProgramIn(const std::string& word, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "/" + word;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

bool ProgramExists(const std::string& word) {
    if (word.find('/') != std::string::npos) {
        return IsExecutableFile(word);
    }
    return !FindProgram(word).empty();
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
    const std::string program = FindProgramOnPath(args.front(), environment.SearchPath());
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
    if (SetUpPipes(child, ends) != 0) {
        return -1;
    }
    ExecPlan plan;
    plan.program = program.c_str();
    plan.argv = argv.data();
    plan.envp = environment.Envp();
    plan.workingFolder = child.workingFolder.empty() ? nullptr : child.workingFolder.c_str();
    plan.outWrite = ends.outWrite;
    plan.stderrToStdout = (child.flags & STDERR_TO_STDOUT) != 0;
    plan.inRead = ends.inRead;
    plan.nice = child.startNice;
    const pid_t pid = ForkAndExec(plan);
    if (pid < 0) {
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
    if (::kill(-child.processHandle, SIGKILL) != 0 && ::kill(child.processHandle, SIGKILL) != 0) {
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
    const pid_t group = child.processHandle;
    if (!Reap(child, WNOHANG)) {
        if (::kill(-group, SIGTERM) == 0 || ::kill(group, SIGTERM) == 0) {
            child.killedByUs = true;
        }
        // A stopped encoder would keep SIGTERM pending until it is continued.
        ::kill(-group, SIGCONT);
        if (!WaitChildExit(child, graceMs)) {
            KillChild(child);
        }
    }
    // What the encoder started went with it when it was reaped; the group's id is no longer
    // ours to signal once the child is gone.
    return 0;
}

int ReleaseChild(ChildProcess& child) {
    if (child.processHandle != 0 && !Reap(child, WNOHANG)) {
        // Never leave a child running or a zombie behind a released record.
        ::kill(-child.processHandle, SIGKILL);
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
