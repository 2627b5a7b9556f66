// Writes many long log lines from several threads, for the test of the log's locking across
// threads and processes. Usage: log_writer LOGFILE MARK THREADS LINES [BODY_LENGTH]
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "base/text_log.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        return 2;
    }
    const size_t bodyLength = argc == 6 ? static_cast<size_t>(std::atol(argv[5])) : 3000;
    clipwright::SetLogFilePath(argv[1]);
    const std::string mark = argv[2];
    const int threads = std::atoi(argv[3]);
    const int lines = std::atoi(argv[4]);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            // Long lines make a torn write likely if the locking were wrong.
            const std::string body(bodyLength, static_cast<char>('a' + t % 26));
            for (int i = 0; i < lines; ++i) {
                clipwright::LogMessage("%s-%d-%d:%s", mark.c_str(), t, i, body.c_str());
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return 0;
}
