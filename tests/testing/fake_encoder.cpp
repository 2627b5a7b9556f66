// A stand-in for the encoder program in engine tests. It takes the file given after "-i" as a
// script of what to do, one command a line:
//   print TEXT         write TEXT (escapes \n \r \t \\) to stderr in one write
//   stdout TEXT        the same on stdout
//   burst N            write N bytes of 'x' in one write
//   progress N MS STEP write N progress lines ended by "\r", MS apart, time= growing by STEP s
//   sleep MS           stay silent for MS milliseconds
//   ignore_term        ignore SIGTERM (to test the kill that follows)
//   on_term FILE       on SIGTERM create FILE, then exit with status 255
//   dumpargs FILE      write every argument to FILE, each ended by a zero byte
//   output BYTES       write BYTES bytes to the last argument (the output path)
//   media SECONDS      write to the output a script that, probed, reports SECONDS as its
//                      duration: the output of a conversion that worked (ignored when probed)
//   rated_media SECONDS PERMILLE
//                      as media, the output padded to PERMILLE/1000 of what the "-bt" rate
//                      (kbit/s) gives for SECONDS: an encoder whose output misses its rate
//   fail_below KBIT    exit with 1 when a "-bt" rate below KBIT kbit/s is given
//   leave_holder FILE  start a process that keeps stdout and stderr open for ten minutes, and
//                      write its pid to FILE
//   nice FILE          write the nice value we run at to FILE
//   pid FILE           write our process id to FILE
//   close_output       close stdout and stderr (and go on with the script)
//   exit CODE          exit with CODE
//   signal SIG         die of signal SIG
// Without a readable script it prints an error and exits with 1.
//
// With --probe-server it serves probes as trelcore does: it writes the ready line, then reads
// zero-ended paths on stdin and, for each, runs that script (where "exit CODE" ends the answer
// and "signal" or "sleep" hit the whole server) and writes the end line with the status.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* gTermMarker = nullptr;

void OnTerm(int) {
    if (gTermMarker != nullptr) {
        const int fd = ::open(gTermMarker, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ::close(fd);
        }
    }
    ::_exit(255);
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

void WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}

void Sleep(long ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void Progress(int count, long intervalMs, double step) {
    for (int k = 1; k <= count; ++k) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "frame=%5d fps= 25 q=2.0 size=%8dkB time=%.2f bitrate=1000.0kbits/s\r",
                      k * 25, k * 100, k * step);
        WriteAll(STDERR_FILENO, line);
        Sleep(intervalMs);
    }
}

std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    return rest.empty() ? rest : rest.substr(1);
}

// A script that, probed, reports seconds as its duration.
std::string MediaScript(double seconds) {
    const auto hundredths = static_cast<long>(seconds * 100 + 0.5);
    char text[160];
    std::snprintf(text, sizeof text,
                  "print   Duration: %02ld:%02ld:%02ld.%02ld, start: 0.000000, bitrate: "
                  "1000 kb/s\\n\n",
                  hundredths / 360000, hundredths / 6000 % 60, hundredths / 100 % 60,
                  hundredths % 100);
    return text;
}

constexpr const char* kServerReady = "\x1etrelcore probe server\n";
constexpr const char* kAnswerEnd =
    "\x1e"
    "end ";

// Runs the script's commands; the status the run ends with. probing: the run is a probe (no
// output is written).
int RunScript(const std::vector<std::string>& args, const std::string& script, bool probing) {
    std::ifstream file(script);
    if (!file) {
        WriteAll(STDERR_FILENO, "fake encoder: cannot read " + script + "\n");
        return 1;
    }
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "print") {
            WriteAll(STDERR_FILENO, Unescape(Rest(in)));
        } else if (command == "stdout") {
            WriteAll(STDOUT_FILENO, Unescape(Rest(in)));
        } else if (command == "burst") {
            size_t n = 0;
            in >> n;
            WriteAll(STDERR_FILENO, std::string(n, 'x'));
        } else if (command == "progress") {
            int count = 0;
            long ms = 0;
            double step = 0;
            in >> count >> ms >> step;
            Progress(count, ms, step);
        } else if (command == "sleep") {
            long ms = 0;
            in >> ms;
            Sleep(ms);
        } else if (command == "ignore_term") {
            ::signal(SIGTERM, SIG_IGN);
        } else if (command == "on_term") {
            static std::string marker;
            marker = Rest(in);
            gTermMarker = marker.c_str();
            ::signal(SIGTERM, OnTerm);
        } else if (command == "dumpargs") {
            std::ofstream out(Rest(in), std::ios::binary);
            for (const std::string& arg : args) {
                out << arg << '\0';
            }
        } else if (command == "output" && !probing) {
            size_t n = 0;
            in >> n;
            std::ofstream out(args.back(), std::ios::binary);
            out << std::string(n, 'v');
        } else if (command == "media" && !probing) {
            double seconds = 0;
            in >> seconds;
            std::ofstream(args.back(), std::ios::binary) << MediaScript(seconds);
        } else if (command == "fail_below" && !probing) {
            double least = 0;
            in >> least;
            const auto rate = std::find(args.begin(), args.end(), "-bt");
            if (rate + 1 < args.end() && std::strtod(rate[1].c_str(), nullptr) < least) {
                return 1;
            }
        } else if (command == "rated_media" && !probing) {
            double seconds = 0;
            double perMille = 1000;
            in >> seconds >> perMille;
            const auto rate = std::find(args.begin(), args.end(), "-bt");
            const double kbit = rate + 1 < args.end() ? std::strtod(rate[1].c_str(), nullptr) : 0;
            const auto bytes = static_cast<size_t>(kbit * 1000 / 8 * seconds * perMille / 1000);
            std::string text = MediaScript(seconds);
            if (bytes > text.size() + 3) {
                text += "# " + std::string(bytes - text.size() - 3, 'v') + "\n";
            }
            std::ofstream(args.back(), std::ios::binary) << text;
        } else if (command == "leave_holder") {
            const std::string pidFile = Rest(in);
            const pid_t holder = ::fork();
            if (holder == 0) {
                ::sleep(600);
                ::_exit(0);
            }
            std::ofstream(pidFile) << holder;
        } else if (command == "nice") {
            errno = 0;
            std::ofstream(Rest(in)) << ::getpriority(PRIO_PROCESS, 0);
        } else if (command == "pid") {
            std::ofstream(Rest(in)) << ::getpid();
        } else if (command == "close_output") {
            ::close(STDOUT_FILENO);
            ::close(STDERR_FILENO);
        } else if (command == "exit") {
            int code = 0;
            in >> code;
            return code;
        } else if (command == "signal") {
            int sig = 0;
            in >> sig;
            ::signal(sig, SIG_DFL);
            ::raise(sig);
        }
    }
    return 0;
}

// Zero-ended paths from stdin until its end.
int ServeProbes(const std::vector<std::string>& args) {
    WriteAll(STDERR_FILENO, kServerReady);
    std::string path;
    char c = 0;
    while (true) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return 0;
        }
        if (c != '\0') {
            path += c;
            continue;
        }
        const int status = RunScript(args, path, true);
        WriteAll(STDERR_FILENO, kAnswerEnd + std::to_string(status) + "\n");
        path.clear();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    if (std::find(args.begin(), args.end(), "--probe-server") != args.end()) {
        return ServeProbes(args);
    }
    std::string script;
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "-i") {
            script = args[i + 1];
            break;
        }
    }
    return RunScript(args, script, args.back() == script);
}
