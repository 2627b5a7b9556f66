#include "disc/tool_output.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace clipwright {

namespace {

constexpr int kDvdauthorReadShare = 80;

// The decimal number that ends just before end in text, or -1.
double NumberBefore(std::string_view text, size_t end) {
    size_t begin = end;
    while (begin > 0 &&
           ((text[begin - 1] >= '0' && text[begin - 1] <= '9') || text[begin - 1] == '.')) {
        --begin;
    }
    if (begin == end) {
        return -1;
    }
    // Not strtod: the tools write a point whatever this program's locale is.
    double value = -1;
    std::from_chars(text.data() + begin, text.data() + end, value, std::chars_format::fixed);
    return value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The integer digits of the decimal number that ends just before end in text, or -1. The fraction
// may follow a point or a comma: genisoimage prints its figures in the user's locale.
int WholeNumberBefore(std::string_view text, size_t end) {
    size_t begin = end;
    while (begin > 0 && IsDigit(text[begin - 1])) {
        --begin;
    }
    if (begin > 1 && begin < end && (text[begin - 1] == '.' || text[begin - 1] == ',') &&
        IsDigit(text[begin - 2])) {
        end = begin - 1;
        begin = end;
        while (begin > 0 && IsDigit(text[begin - 1])) {
            --begin;
        }
    }
    if (begin == end) {
        return -1;
    }
    return std::atoi(std::string(text.substr(begin, end - begin)).c_str());
}

int Clamp(double percent) {
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            if (i > begin) {
                lines.push_back(text.substr(begin, i - begin));
            }
            begin = i + 1;
        }
    }
    return lines;
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    return line;
}

bool IsGenisoimageError(std::string_view line) {
    constexpr std::string_view kPrefix = "genisoimage: ";
    if (line.rfind(kPrefix, 0) != 0) {
        return false;
    }
    line.remove_prefix(kPrefix.size());
    return line.rfind("Warning", 0) != 0 && line.rfind("WARNING", 0) != 0;
}

bool IsErrorLine(std::string_view line) {
    return line.rfind("ERR:", 0) == 0 || IsGenisoimageError(line) ||
           line.rfind("++ ERROR", 0) == 0 || line.rfind("**", 0) == 0;
}

}  // namespace

int DvdauthorPercent(std::string_view line, double totalMb) {
    if (line.rfind("STAT:", 0) != 0) {
        return -1;
    }
    const size_t fixing = line.find("fixing VOBU");
    if (fixing != std::string_view::npos) {
        const size_t sign = line.find("%)", fixing);
        if (sign == std::string_view::npos) {
            return -1;
        }
        const double own = NumberBefore(line, sign);
        if (own < 0) {
            return -1;
        }
        return Clamp(kDvdauthorReadShare + own * (100 - kDvdauthorReadShare) / 100.0);
    }
    const size_t vobu = line.find("VOBU");
    const size_t mb = line.find("MB", vobu == std::string_view::npos ? 0 : vobu);
    if (vobu == std::string_view::npos || mb == std::string_view::npos || totalMb <= 0) {
        return -1;
    }
    const double done = NumberBefore(line, mb);
    if (done < 0) {
        return -1;
    }
    return std::min(Clamp(done / totalMb * kDvdauthorReadShare), kDvdauthorReadShare);
}

int GenisoimagePercent(std::string_view line) {
    const size_t sign = line.find("% done");
    if (sign == std::string_view::npos) {
        return -1;
    }
    const int percent = WholeNumberBefore(line, sign);
    return percent < 0 ? -1 : std::min(percent, 100);
}

std::string ToolErrorLine(std::string_view output) {
    const std::vector<std::string_view> lines = Lines(output);
    std::string_view last;
    for (const std::string_view raw : lines) {
        const std::string_view line = Trimmed(raw);
        if (IsErrorLine(line)) {
            return std::string(line);
        }
        if (!line.empty()) {
            last = line;
        }
    }
    return std::string(last);
}

}  // namespace clipwright
