#include "platform/settings_store.h"

#include "base/file_io.h"
#include "base/home_folder.h"
#include "base/text_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace clipwright {

namespace {

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    return HomeFolder() + "/.config";
}

std::string Escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at text[pos] == '"'; returns the position after the closing
// quote, or npos when the quote is not closed.
size_t Unquote(const std::string& text, size_t pos, std::string& out) {
    out.clear();
    for (size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            return i + 1;
        }
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return std::string::npos;
}

std::optional<uint32_t> ParseDword(const std::string& digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (const char c : digits) {
        const int v = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (v < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<uint32_t>(v);
    }
    return value;
}

void ParseLine(const std::string& line, SettingsValues& values) {
    if (line.empty() || line[0] != '"') {
        return;
    }
    std::string name;
    const size_t afterName = Unquote(line, 0, name);
    if (afterName == std::string::npos || afterName >= line.size() || line[afterName] != '=') {
        return;
    }
    const size_t valueAt = afterName + 1;
    if (line.compare(valueAt, 6, "dword:") == 0) {
        if (const auto dword = ParseDword(line.substr(valueAt + 6))) {
            values[name] = *dword;
        }
        return;
    }
    if (valueAt < line.size() && line[valueAt] == '"') {
        std::string text;
        if (Unquote(line, valueAt, text) == line.size()) {
            values[name] = text;
        }
    }
}

// The lock file itself, opened and locked for one write; unlocked before it is closed.
class LockFile {
public:
    explicit LockFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)), lock_(fd_.get()) {}
    bool held() const { return fd_.get() >= 0; }

private:
    UniqueFd fd_;
    FileLock lock_;
};

bool WriteWhole(const std::string& file, const std::string& text) {
    const std::string temporary = file + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, text.data(), text.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string SettingsFilePath(const std::string& keyPath) {
    std::string relative = keyPath;
    const std::string prefix = "Software\\";
    if (relative.compare(0, prefix.size(), prefix) == 0) {
        relative.erase(0, prefix.size());
    }
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (relative.empty() || relative.find("..") != std::string::npos || relative[0] == '/') {
        return {};
    }
    return ConfigHome() + "/" + relative + ".conf";
}

SettingsValues ParseSettings(const std::string& text) {
    SettingsValues values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        ParseLine(line, values);
    }
    return values;
}

std::string FormatSettings(const SettingsValues& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) on "literal" + string.
        text += '"';
        text += Escape(name);
        text += "\"=";
        if (const auto* dword = std::get_if<uint32_t>(&value)) {
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x", *dword);
            text += digits;
        } else {
            text += '"';
            text += Escape(std::get<std::string>(value));
            text += '"';
        }
        text += "\n";
    }
    return text;
}

std::optional<SettingsValues> ReadSettingsFileStrict(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        struct stat info {};
        // Only a file that is not there is an empty one; one we cannot read holds values we
        // must not lose.
        if (::lstat(file.c_str(), &info) != 0 && errno == ENOENT) {
            return SettingsValues{};
        }
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return ParseSettings(text.str());
}

SettingsValues ReadSettingsFile(const std::string& file) {
    return ReadSettingsFileStrict(file).value_or(SettingsValues{});
}

bool WriteSettingsValue(const std::string& file, const std::string& name,
                        const SettingsValue& value) {
    if (file.empty()) {
        return false;
    }
    const LockFile lock(file + ".lock");
    if (!lock.held()) {
        return false;
    }
    std::optional<SettingsValues> values = ReadSettingsFileStrict(file);
    if (!values) {
        LogMessage("Settings file %s cannot be read (%s); not writing \"%s\".", file.c_str(),
                   std::strerror(errno), name.c_str());
        return false;
    }
    (*values)[name] = value;
    return WriteWhole(file, FormatSettings(*values));
}

}  // namespace clipwright
