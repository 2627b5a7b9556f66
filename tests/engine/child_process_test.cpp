#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "engine/child_process.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

std::string ReadToEnd(int fd) {
    std::string out;
    char chunk[256];
    ssize_t n;
    while ((n = ::read(fd, chunk, sizeof chunk)) > 0) {
        out.append(chunk, static_cast<size_t>(n));
    }
    return out;
}

// Reads until the child has printed its "ready" line.
void WaitReady(int fd) {
    std::string seen;
    char c;
    while (seen.find("ready\n") == std::string::npos && ::read(fd, &c, 1) == 1) {
        seen += c;
    }
}

TEST(ChildProcess, OutputAndErrorsShareOnePipeUntilTheEnd) {
    ChildProcess child;
    child.commandLine = "/bin/sh -c \"echo out; echo err >&2\"";
    child.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(child), 0);
    EXPECT_EQ(ReadToEnd(child.stdoutRead), "out\nerr\n");
    // After the end a read fails instead of blocking.
    char c;
    EXPECT_EQ(::read(child.stdoutRead, &c, 1), 0);
    EXPECT_TRUE(WaitChildExit(child, 5000));
    EXPECT_EQ(KillChild(child), -1);  // already ended: harmless failure
    EXPECT_EQ(ReleaseChild(child), 0);
    EXPECT_EQ(child.stdoutRead, -1);
    EXPECT_EQ(child.processHandle, 0);
}

TEST(ChildProcess, RefusesBadStartsAndLeavesNothingOpen) {
    ChildProcess empty;
    EXPECT_EQ(StartChild(empty), -1);
    ChildProcess missing;
    missing.commandLine = "no-such-program-anywhere-here --flag";
    missing.flags = PIPE_STDOUT;
    EXPECT_EQ(StartChild(missing), -1);
    EXPECT_EQ(missing.stdoutRead, -1);
    EXPECT_EQ(SetChildPriority(missing, 1), -1);
    EXPECT_EQ(KillChild(missing), -1);

    ChildProcess running;
    running.commandLine = "/bin/sleep 30";
    ASSERT_EQ(StartChild(running), 0);
    EXPECT_EQ(StartChild(running), -1);  // still holds its process
    EXPECT_EQ(SetChildPriority(running, 6), -1);
    EXPECT_EQ(SetChildPriority(running, -1), -1);
    EXPECT_EQ(KillChild(running), 0);
    EXPECT_TRUE(WIFSIGNALED(running.waitStatus));
}

TEST(ChildProcess, IdleLevelIsTheLowestNice) {
    ChildProcess child;
    child.commandLine = "/bin/sleep 30";
    ASSERT_EQ(StartChild(child), 0);
    ASSERT_EQ(SetChildPriority(child, 1), 0);
    errno = 0;
    EXPECT_EQ(::getpriority(PRIO_PROCESS, static_cast<id_t>(child.processHandle)), 19);
    KillChild(child);
}

TEST(ChildProcess, ALaterChildDoesNotHoldAnEarlierPipe) {
    ChildProcess first;
    first.commandLine = "/bin/sh -c \"sleep 0.2; echo first\"";
    first.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(first), 0);
    ChildProcess second;
    second.commandLine = "/bin/sleep 30";
    second.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(second), 0);
    // The read ends when the first child ends, although the second lives on.
    EXPECT_EQ(ReadToEnd(first.stdoutRead), "first\n");
    KillChild(second);
}

TEST(ChildProcess, ScriptCommandLinesRunUnderTheShell) {
    const TestFolder dir;
    const std::string script = dir.Write("job.BAT", "echo from script \"$0\"\n");
    ChildProcess child;
    child.commandLine = "\"" + script + "\" x.BAT";
    child.flags = PIPE_STDOUT;
    // The last "." is followed by "BAT", so the shell runs it although it is not executable.
    ASSERT_EQ(StartChild(child), 0);
    EXPECT_EQ(ReadToEnd(child.stdoutRead), "from script " + script + "\n");
    // A quoted output path's extension is followed by the quote: the first word is the program.
    ChildProcess encoderLike;
    encoderLike.commandLine = "/bin/echo -y \"out.mpg\"";
    encoderLike.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(encoderLike), 0);
    EXPECT_EQ(ReadToEnd(encoderLike.stdoutRead), "-y out.mpg\n");
}

TEST(ChildProcess, PathFolderIsSeenByTheChildAndRestoredAfter) {
    const std::string before = std::getenv("PATH");
    ChildProcess child;
    child.commandLine = "/bin/sh -c \"echo $PATH\"";
    child.pathFolder = "/opt/tools";
    child.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(child), 0);
    EXPECT_EQ(ReadToEnd(child.stdoutRead), "/opt/tools:" + before + "\n");
    EXPECT_EQ(std::string(std::getenv("PATH")), before);
}

TEST(ChildProcess, StopGivesTheChildItsChanceThenKills) {
    const TestFolder dir;
    ChildProcess polite;
    polite.commandLine = "/bin/sh -c \"trap 'echo done > " + dir.path() +
                         "term; exit 3' TERM; "
                         "echo ready; while true; do sleep 0.05; done\"";
    polite.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(polite), 0);
    WaitReady(polite.stdoutRead);
    EXPECT_EQ(StopChild(polite, 5000), 0);
    EXPECT_TRUE(polite.exited);
    EXPECT_EQ(TestFolder::Read(dir.path() + "term"), "done\n");

    ChildProcess stubborn;
    stubborn.commandLine =
        "/bin/sh -c \"trap '' TERM; echo ready; while true; do sleep 0.05; done\"";
    stubborn.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(stubborn), 0);
    WaitReady(stubborn.stdoutRead);
    EXPECT_EQ(StopChild(stubborn, 300), 0);
    ASSERT_TRUE(stubborn.exited);
    EXPECT_EQ(WTERMSIG(stubborn.waitStatus), SIGKILL);
}

// True when the process ends within a generous limit; pidfds see any process end, not only our
// children's.
bool EndsSoon(pid_t pid) {
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) {
        return errno == ESRCH;  // already gone
    }
    pollfd pfd{fd, POLLIN, 0};
    const int r = ::poll(&pfd, 1, 20000);
    ::close(fd);
    return r == 1;
}

pid_t ReadPid(int fd) {
    std::string text;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n') {
        text += c;
    }
    return static_cast<pid_t>(std::atoi(text.c_str()));
}

TEST(ChildProcess, AStoppedChildIsContinuedSoItCanCloseItsFiles) {
    const TestFolder dir;
    ChildProcess child;
    child.commandLine = "/bin/sh -c \"trap 'echo done > " + dir.path() +
                        "term; exit 3' TERM; echo ready; while true; do sleep 0.05; done\"";
    child.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(child), 0);
    WaitReady(child.stdoutRead);
    ASSERT_EQ(::kill(child.processHandle, SIGSTOP), 0);
    EXPECT_EQ(StopChild(child, 10000), 0);
    EXPECT_EQ(TestFolder::Read(dir.path() + "term"), "done\n");
}

TEST(ChildProcess, AStopEndsWhatTheChildStarted) {
    const TestFolder dir;
    const std::string script =
        dir.Write("script", "leave_holder " + dir.path() + "holder\ndumpargs " + dir.path() +
                                "ready\nsleep 60000\n");
    ChildProcess child;
    child.commandLine = std::string(FAKE_ENCODER) + " -i \"" + script + "\"";
    child.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(child), 0);
    testing::WaitForFile(dir.path() + "ready");
    const pid_t holder =
        static_cast<pid_t>(std::atoi(TestFolder::Read(dir.path() + "holder").c_str()));
    ASSERT_GT(holder, 0);
    EXPECT_EQ(StopChild(child, 100), 0);
    EXPECT_TRUE(EndsSoon(holder));
}

TEST(ChildProcess, AChildNeverOutlivesTheProgramThatStartedIt) {
    ChildProcess starter;
    starter.commandLine = CHILD_STARTER;
    starter.flags = PIPE_STDOUT;
    ASSERT_EQ(StartChild(starter), 0);
    const pid_t encoder = ReadPid(starter.stdoutRead);
    ASSERT_GT(encoder, 0);
    EXPECT_EQ(KillChild(starter), 0);
    EXPECT_TRUE(EndsSoon(encoder));
}

TEST(FindProgram, BesideUsFirstThenPath) {
    EXPECT_EQ(FindProgram("/bin/true"), "/bin/true");
    EXPECT_EQ(FindProgram("sh").substr(FindProgram("sh").size() - 3), "/sh");
    EXPECT_EQ(FindProgram("definitely-not-a-program"), "");
    // The test binary itself lies in its own folder, so it is found there first.
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string path = self;
    EXPECT_EQ(FindProgram(path.substr(path.find_last_of('/') + 1)), path);
}

TEST(FindProgram, SearchesBesideUsThenLibexecThenEachPathEntry) {
    const std::vector<std::string> folders = ProgramSearchFolders("/p1::/p2");
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string exe = self;
    const std::vector<std::string> expected = {exe.substr(0, exe.find_last_of('/')), kLibexecFolder,
                                               "/p1", ".", "/p2"};
    EXPECT_EQ(folders, expected);
    // The build names the package's folder, absolute, under the install prefix.
    const std::string libexec = kLibexecFolder;
    ASSERT_FALSE(libexec.empty());
    EXPECT_EQ(libexec.front(), '/');
    EXPECT_EQ(libexec.substr(libexec.find_last_of('/')), "/clipwright");
    EXPECT_EQ(ProgramSearchFolders(nullptr).back(), "/bin") << "the system's default list";
}

TEST(FindProgram, TheFirstFolderWithAnExecutableFileWins) {
    const TestFolder dir;
    std::vector<std::string> folders;
    for (const char* name : {"not-executable", "a-folder", "libexec", "path"}) {
        folders.push_back(dir.path() + name);
        std::filesystem::create_directory(folders.back());
    }
    dir.Write("not-executable/prog", "#!/bin/sh\n");
    std::filesystem::create_directory(folders[1] + "/prog");
    for (const size_t i : {2U, 3U}) {
        const std::string file = dir.Write(
            std::filesystem::path(folders[i]).filename().string() + "/prog", "#!/bin/sh\n");
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(FindProgramIn("prog", folders), folders[2] + "/prog");
    std::filesystem::remove(folders[2] + "/prog");
    EXPECT_EQ(FindProgramIn("prog", folders), folders[3] + "/prog");
    std::filesystem::remove(folders[3] + "/prog");
    EXPECT_EQ(FindProgramIn("prog", folders), "");
}

TEST(FindProgram, ProgramExistsOnlyForAnExecutableFile) {
    EXPECT_TRUE(ProgramExists("sh"));
    EXPECT_TRUE(ProgramExists("/bin/sh"));
    EXPECT_FALSE(ProgramExists("/bin"));
    EXPECT_FALSE(ProgramExists("/no/such/trelcore"));
    EXPECT_FALSE(ProgramExists("definitely-not-a-program"));
}

}  // namespace
}  // namespace clipwright
