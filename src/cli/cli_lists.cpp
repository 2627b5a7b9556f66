#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace clipwright::cli {

ListResult ParseList(const std::string& text, const std::string& listName) {
    ListResult result;
    int lineNumber = 0;
    size_t from = 0;
    while (from < text.size()) {
        const size_t lineEnd = std::min(text.find('\n', from), text.size());
        std::string line = text.substr(from, lineEnd - from);
        from = lineEnd + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line.front() == '#') {
            continue;
        }
        const auto fail = [&](const std::string& what) {
            result.error = listName + ":" + std::to_string(lineNumber) + ": " + what;
            result.sources.clear();
        };
        if (line.find('\0') != std::string::npos) {
            fail("a path holds a zero byte");
            return result;
        }
        SourceEntry entry;
        entry.listLine = lineNumber;
        const size_t tab = line.find('\t');
        entry.path = line.substr(0, tab);
        if (entry.path.empty()) {
            fail("no path before the tab");
            return result;
        }
        if (tab != std::string::npos) {
            const std::string partText = line.substr(tab + 1);
            entry.part = ParsePart(partText);
            if (!entry.part) {
                fail("\"" + partText +
                     "\" is not a part (HH:MM:SS-HH:MM:SS, the end after the start)");
                return result;
            }
        }
        result.sources.push_back(std::move(entry));
    }
    return result;
}

std::vector<size_t> ShardIndices(size_t total, int index, int count) {
    std::vector<size_t> indices;
    if (count < 1 || index < 1 || index > count) {
        return indices;
    }
    for (size_t i = static_cast<size_t>(index - 1); i < total; i += static_cast<size_t>(count)) {
        indices.push_back(i);
    }
    return indices;
}

}  // namespace clipwright::cli
