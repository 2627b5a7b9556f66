#include "probe_server.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "diagnostics.h"
#include "input_open.h"
#include "probe.h"
#include "stop_signal.h"

namespace trel {
namespace {

// A request longer than this is no path any file system takes; it is answered without a probe.
constexpr size_t kMaxRequestBytes = 1 << 20;

// Zero-terminated requests from a descriptor, read in blocks.
class RequestReader {
public:
    explicit RequestReader(int fd) : fd_(fd) {}

    // The next request; false at the end of the input (a last request without its zero byte is
    // dropped: the writer died while sending it), on a read error or on a stop signal.
    // oversized is set when the request was longer than kMaxRequestBytes (its text is cut).
    bool next(std::string& request, bool& oversized) {
        request.clear();
        oversized = false;
        while (true) {
            const size_t end = buffer_.find('\0', used_);
            if (end != std::string::npos) {
                append(request, oversized, std::string_view(buffer_).substr(used_, end - used_));
                used_ = end + 1;
                return true;
            }
            append(request, oversized, std::string_view(buffer_).substr(used_));
            buffer_.clear();
            used_ = 0;
            if (!fill()) {
                return false;
            }
        }
    }

private:
    static void append(std::string& request, bool& oversized, std::string_view part) {
        const size_t room = kMaxRequestBytes - request.size();
        if (part.size() > room) {
            oversized = true;
            part = part.substr(0, room);
        }
        request += part;
    }

    bool fill() {
        char block[4096];
        while (stop_signal() == 0) {
            const ssize_t n = ::read(fd_, block, sizeof block);
            if (n > 0) {
                buffer_.assign(block, static_cast<size_t>(n));
                return true;
            }
            if (n == 0 || errno != EINTR) {
                return false;
            }
        }
        return false;
    }

    int fd_;
    std::string buffer_;
    size_t used_ = 0;
};

void write_answer_end(int status) {
    std::string line(kProbeAnswerEnd);
    line += std::to_string(status);
    line += '\n';
    write_stderr(line);
}

}  // namespace

int probe_source(const std::string& path) {
    const OpenedInput opened = open_input(path, stop_requested_callback);
    if (!opened.context) {
        report_error(path, opened.error);
        return 1;
    }
    if (const std::string error = settle_duration(*opened.context); !error.empty()) {
        report_error(path, error);
        return 1;
    }
    write_stderr(probe_report(*opened.context));
    return 0;
}

int run_probe_server(int input_fd) {
    write_stderr(kProbeServerReady);
    RequestReader reader(input_fd);
    std::string path;
    bool oversized = false;
    while (stop_signal() == 0 && reader.next(path, oversized)) {
        if (oversized) {
            report_error(path.substr(0, 256) + "...", std::strerror(ENAMETOOLONG));
            write_answer_end(1);
            continue;
        }
        write_answer_end(probe_source(path));
    }
    return 0;
}

}  // namespace trel
