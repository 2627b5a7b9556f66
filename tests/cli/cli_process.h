// Running clipwright-cli (or any program) as a child of a test: its output collected, or read
// line by line while it runs, and its exit status.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace clipwright::testing {

struct Finished {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// A started program with its standard output on a pipe; standard error goes to a file.
class Running {
public:
    Running(const std::vector<std::string>& args, const std::string& errFile,
            const std::vector<std::string>& env = {}) {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        // env's NAME=VALUE entries replace the inherited ones of the same name.
        std::vector<std::string> envText = env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            const std::string name = entry.substr(0, entry.find('=') + 1);
            const bool replaced = std::any_of(env.begin(), env.end(), [&](const std::string& own) {
                return own.rfind(name, 0) == 0;
            });
            if (!replaced) {
                envText.push_back(entry);
            }
        }
        std::vector<char*> envp;
        for (std::string& text : envText) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);
        if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out_ = ::fdopen(pipeFds[0], "r");
    }
    ~Running() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        if (out_ != nullptr) {
            std::fclose(out_);
        }
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    pid_t pid() const { return pid_; }
    // The next line of standard output without its line feed; false at its end.
    bool ReadLine(std::string& line) {
        line.clear();
        for (int c; out_ != nullptr && (c = std::fgetc(out_)) != EOF;) {
            if (c == '\n') {
                return true;
            }
            line += static_cast<char>(c);
        }
        return !line.empty();
    }
    std::string ReadRest() {
        std::string rest;
        std::string line;
        while (ReadLine(line)) {
            rest += line + "\n";
        }
        return rest;
    }
    int Wait() {
        int raw = 0;
        while (pid_ > 0 && ::waitpid(pid_, &raw, 0) < 0) {
        }
        pid_ = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }

private:
    pid_t pid_ = -1;
    std::FILE* out_ = nullptr;
};

inline Finished RunProgram(const std::vector<std::string>& args, const std::string& errFile,
                           const std::vector<std::string>& env = {}) {
    Running running(args, errFile, env);
    Finished finished;
    finished.out = running.ReadRest();
    finished.status = running.Wait();
    std::FILE* err = std::fopen(errFile.c_str(), "rb");
    for (int c; err != nullptr && (c = std::fgetc(err)) != EOF;) {
        finished.err += static_cast<char>(c);
    }
    if (err != nullptr) {
        std::fclose(err);
    }
    return finished;
}

}  // namespace clipwright::testing
