// Helpers shared by the fuzz targets and their corpus replay: reading a corpus file (hex text for
// binary seeds) and stopping loudly when an invariant breaks.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Aborts, so that both libFuzzer and the replay report the input, when cond is false.
#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

namespace clipwright::fuzz {

// Bytes written as hex digit pairs; blanks and line ends between pairs are ignored and "#" starts
// a comment up to the line end. False on any other character or an odd digit count.
inline bool DecodeHex(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    int high = -1;
    bool inComment = false;
    for (const char c : text) {
        if (inComment) {
            inComment = c != '\n';
            continue;
        }
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c == '#') {
            inComment = true;
            continue;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            continue;
        } else {
            return false;
        }
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return high < 0;
}

// The input a corpus file stands for: decoded hex for *.hex, the bytes themselves otherwise.
inline bool ReadCorpusFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    if (in.bad()) {
        return false;
    }
    if (path.extension() == ".hex") {
        return DecodeHex(text, bytes);
    }
    bytes.assign(text.begin(), text.end());
    return true;
}

// The input split at line feeds; a final line without one counts too.
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin <= text.size()) {
        const size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(begin));
            break;
        }
        lines.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

// Writes all of text to fd, going on after short writes. False on an error.
inline bool WriteAllBytes(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace clipwright::fuzz
