#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "base/c_locale.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

class TextLogTest : public ::testing::Test {
protected:
    void TearDown() override { SetLogFilePath(""); }
    TestFolder dir_;
};

TEST_F(TextLogTest, EmptyPathWritesNothing) {
    SetLogFilePath("");
    LogMessage("load %d/%d:%s", 1, 3, "/x");
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(TextLogTest, PlainAndTaggedLines) {
    const std::string log = dir_.path() + "log.txt";
    SetLogFilePath(log);
    LogMessage("load %d/%d:%s", 1, 3, "/v/a %s b.avi");
    LogMessage("#FILE_LINE#abc");
    const std::string text = TestFolder::Read(log);
    const std::regex expected(R"(load 1/3:/v/a %s b\.avi\n\d\d:\d\d:\d\d \(-?\d+\): abc)");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(TextLogTest, LongMessagesAreCut) {
    const std::string log = dir_.path() + "log.txt";
    SetLogFilePath(log);
    LogMessage("%s", std::string(9000, 'm').c_str());
    EXPECT_EQ(TestFolder::Read(log), std::string(kLogMessageLimit, 'm') + "\n");
}

TEST_F(TextLogTest, UnopenableFileIsSkipped) {
    SetLogFilePath(dir_.path() + "no/such/folder/log.txt");
    LogMessage("nothing happens");
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "no"));
}

// CLIPWRIGHT_LOG naming a FIFO: with no reader the message is lost at once instead of holding
// the program (at its start) until someone reads; once a reader is there the lines arrive.
TEST_F(TextLogTest, AFifoIsNeverWaitedFor) {
    const std::string fifo = dir_.path() + "log.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    SetLogFilePath(fifo);
    auto logged = std::async(std::launch::async, [] { LogMessage("nobody reads %d", 1); });
    const bool returned = logged.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    // A blocked writer is let go by a reader, so a failure ends instead of hanging the test.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    logged.wait();
    EXPECT_TRUE(returned) << "LogMessage waited for a reader of the FIFO";

    char drained[256];
    while (::read(reader, drained, sizeof drained) > 0) {
    }
    LogMessage("read %d", 2);
    char text[64] = {};
    EXPECT_EQ(::read(reader, text, sizeof text - 1), 7);
    EXPECT_STREQ(text, "read 2\n");
    ::close(reader);
}

// Texts for programs (command lines, reports, the log) keep their decimal point whatever the
// process's locale says; the comma_locale run of these tests sets a German one.
TEST_F(TextLogTest, NumbersIgnoreTheLocale) {
    EXPECT_EQ(FormatText("-r %.3f %s %d", 23.976, "x", 4), "-r 23.976 x 4");
    EXPECT_EQ(DecimalText(6.6666, 3), "6.667");
    EXPECT_EQ(DecimalText(-0.125, 2), "-0.12");
    EXPECT_EQ(DecimalText(2.0, 0), "2");
    double value = 0;
    EXPECT_TRUE(ParseDecimal("29.97", value));
    EXPECT_DOUBLE_EQ(value, 29.97);
    EXPECT_FALSE(ParseDecimal("29,97", value));
    EXPECT_FALSE(ParseDecimal("", value));
    EXPECT_DOUBLE_EQ(value, 29.97);

    const std::string log = dir_.path() + "log.txt";
    SetLogFilePath(log);
    LogMessage("speed %.2fx", 1.5);
    EXPECT_EQ(TestFolder::Read(log), "speed 1.50x\n");
}

TEST_F(TextLogTest, ThreadsAndProcessesNeverInterleave) {
    const std::string log = dir_.path() + "log.txt";
    constexpr int kThreads = 3;
    constexpr int kLines = 150;
    std::vector<std::thread> processes;
    for (const char* mark : {"P1", "P2"}) {
        processes.emplace_back([&, mark] {
            const std::string command = std::string(LOG_WRITER) + " '" + log + "' " + mark + " " +
                                        std::to_string(kThreads) + " " + std::to_string(kLines);
            EXPECT_EQ(std::system(command.c_str()), 0);
        });
    }
    for (std::thread& p : processes) {
        p.join();
    }
    std::istringstream lines(TestFolder::Read(log));
    const std::regex shape(R"((P[12])-(\d)-(\d+):([a-z])\4{2999})");
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ASSERT_TRUE(std::regex_match(line, shape)) << line.substr(0, 80);
        ++count;
    }
    EXPECT_EQ(count, 2 * kThreads * kLines);
}

// Through a pipe, a write longer than the pipe's atomic size can be split, and a slow reader
// makes the writers wait in the middle of their lines: only the log's own lock keeps the lines
// of two processes apart.
TEST_F(TextLogTest, ProcessesNeverInterleaveEvenThroughAPipe) {
    const std::string log = dir_.path() + "log.fifo";
    ASSERT_EQ(::mkfifo(log.c_str(), 0600), 0);
    const int reader = ::open(log.c_str(), O_RDWR | O_CLOEXEC);  // never sees an end of its own
    ASSERT_GE(reader, 0);
    constexpr int kLines = 60;
    constexpr size_t kBody = 7000;
    std::string received;
    std::atomic<bool> writersDone{false};
    std::thread drain([&] {
        char chunk[512];
        for (;;) {
            pollfd pfd{reader, POLLIN, 0};
            if (::poll(&pfd, 1, writersDone ? 0 : 100) <= 0) {
                if (writersDone) {
                    return;
                }
                continue;
            }
            const ssize_t n = ::read(reader, chunk, sizeof chunk);
            if (n <= 0) {
                return;
            }
            received.append(chunk, static_cast<size_t>(n));
        }
    });
    std::vector<std::thread> processes;
    for (const char* mark : {"P1", "P2"}) {
        processes.emplace_back([&, mark] {
            const std::string command = std::string(LOG_WRITER) + " '" + log + "' " + mark + " 2 " +
                                        std::to_string(kLines) + " " + std::to_string(kBody);
            EXPECT_EQ(std::system(command.c_str()), 0);
        });
    }
    for (std::thread& p : processes) {
        p.join();
    }
    writersDone = true;
    drain.join();
    ::close(reader);
    std::istringstream lines(received);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        ASSERT_NE(colon, std::string::npos) << line.substr(0, 80);
        const std::string body = line.substr(colon + 1);
        ASSERT_EQ(body, std::string(kBody, body[0])) << line.substr(0, 80);
        ++count;
    }
    EXPECT_EQ(count, 2 * 2 * kLines);
}

}  // namespace
}  // namespace clipwright
