// One child process with its standard output and error in one pipe, started from a command line
// that is split into arguments (never given to a shell). Used from worker threads; one record is
// owned by one thread at a time. The child leads a process group of its own and is killed when
// the thread that started it ends, so it never outlives the program: a record must be released
// (or its child reaped) by the thread that started it. When the child is reaped, however it
// ended, the rest of its group is killed, so nothing it started outlives it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace clipwright {

enum ChildFlags : uint8_t {
    OWNS_BUFFER = 1,
    SHOW_WINDOW = 2,  // no meaning here: there is no console window to show
    PIPE_STDIN = 4,
    PIPE_STDOUT = 8,
    STDERR_TO_STDOUT = 16,
};

// ChildProcess::startNice when the child keeps our nice value.
inline constexpr int kInheritNice = -1000;

struct ChildProcess {
    std::string commandLine;
    std::string workingFolder;  // empty: the parent's current folder
    std::string pathFolder;     // non-empty: put in front of the child's PATH
    int stdoutRead = -1;        // parent's end of the child's output and errors
    int stdinWrite = -1;        // parent's end of the child's input (PIPE_STDIN)
    pid_t processHandle = 0;    // the child's pid while this record holds it
    int pidFd = -1;             // a pidfd for timed waits on the child's exit, when available
    pid_t processId = 0;
    void* buffer = nullptr;  // freed with free() by ReleaseChild when OWNS_BUFFER is set
    uint32_t bufferSize = 0;
    uint8_t flags = 0;
    // The nice value the child starts at, set before its program runs (so none of its work is
    // done at ours first); kInheritNice: ours.
    int startNice = kInheritNice;
    // Filled when the child has been reaped: the raw waitpid status.
    bool exited = false;
    int waitStatus = 0;
    bool killedByUs = false;  // SIGKILL or SIGTERM was sent by this layer

    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Kills and reaps a child still held and closes every descriptor.
    ~ChildProcess();
};

// Each returns 0 for success and -1 for failure.
int StartChild(ChildProcess& child);
// Level 0..5: nice 19, 19, 0, -10, -10, -20. Raising priority needs the privilege to do so.
int SetChildPriority(ChildProcess& child, int level);
// SIGKILL and reap. -1 when there is no process or it had already ended by itself.
int KillChild(ChildProcess& child);
int ReleaseChild(ChildProcess& child);

// Sends SIGTERM (and SIGCONT, for a stopped child) to the child's group so the child can close
// its files, and SIGKILL if it is still there after graceMs; then ends whatever is left of its
// group. Reaps it. 0 when it is gone, -1 when there was no process.
int StopChild(ChildProcess& child, int graceMs);
// Waits up to timeoutMs for the child to end on its own and reaps it. True when it has ended.
bool WaitChildExit(ChildProcess& child, int timeoutMs);

// The package's folder for programs only the application starts, fixed at build time; empty
// when the build named none.
#ifdef CLIPWRIGHT_LIBEXEC_DIR
inline constexpr const char* kLibexecFolder = CLIPWRIGHT_LIBEXEC_DIR;
#else
inline constexpr const char* kLibexecFolder = "";
#endif

// The program a command line's first word names: a word with a "/" as it is, else the first
// executable file of that name in ProgramSearchFolders. Empty when none.
std::string FindProgram(const std::string& word);
// The same with path as the list of folders; null: the system's default list.
std::string FindProgramOnPath(const std::string& word, const char* path);
// The folders a program is looked for in, in order: beside the running executable, the
// libexec folder, then each entry of path (null: the system's default list). No trailing "/".
std::vector<std::string> ProgramSearchFolders(const char* path);
// The first folder/word that is an executable file (not a folder). Empty when none.
std::string FindProgramIn(const std::string& word, const std::vector<std::string>& folders);
// Whether a command line starting with word would find its program now (PATH of this process).
bool ProgramExists(const std::string& word);

}  // namespace clipwright
