#include "base/settings_store.h"

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
#include <utility>
#include <vector>

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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

size_t SkipBlanks(const std::string& line, size_t pos) {
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

// One value line: "Name"="text" or "Name"=dword:hex, with the blanks a person types around the
// name, the '=' and the value (and a Windows line end) allowed. nullopt for any other line.
std::optional<std::pair<std::string, SettingsValue>> ParseLine(const std::string& line) {
    const size_t nameAt = SkipBlanks(line, 0);
    if (nameAt == line.size() || line[nameAt] != '"') {
        return std::nullopt;
    }
    std::string name;
    const size_t afterName = Unquote(line, nameAt, name);
    if (afterName == std::string::npos) {
        return std::nullopt;
    }
    const size_t equals = SkipBlanks(line, afterName);
    if (equals == line.size() || line[equals] != '=') {
        return std::nullopt;
    }
    const size_t valueAt = SkipBlanks(line, equals + 1);
    size_t valueEnd = line.size();
    while (valueEnd > valueAt && IsBlank(line[valueEnd - 1])) {
        --valueEnd;
    }
    if (line.compare(valueAt, 6, "dword:") == 0) {
        const auto dword = ParseDword(line.substr(valueAt + 6, valueEnd - valueAt - 6));
        if (!dword) {
            return std::nullopt;
        }
        return std::make_pair(std::move(name), SettingsValue(*dword));
    }
    if (valueAt < line.size() && line[valueAt] == '"') {
        std::string text;
        if (Unquote(line, valueAt, text) == valueEnd) {
            return std::make_pair(std::move(name), SettingsValue(std::move(text)));
        }
    }
    return std::nullopt;
}

// The file's lines without their '\n'; a last line without one counts as a line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find('\n', from);
        if (end == std::string::npos) {
            lines.push_back(text.substr(from));
            break;
        }
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

std::string FormatLine(const std::string& name, const SettingsValue& value) {
    // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) on "literal" + string.
    std::string text;
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
    return text;
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

// Replaces file by a complete new one of the given mode (permission bits).
bool WriteWhole(const std::string& file, const std::string& text, mode_t mode) {
    const std::string temporary = file + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    // Set after the open, which the umask would narrow; the text is written only then.
    bool ok = ::fchmod(fd, mode) == 0;
    ok = ok && WriteAll(fd, text.data(), text.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// The file's whole text; "" for a file that is not there, nullopt (errno set) for one that
// cannot be read, and for anything but a regular file: a FIFO would block the read.
std::optional<std::string> ReadSettingsText(const std::string& file) {
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        struct stat info {};
        // Only a file that is not there is an empty one; one we cannot read holds values we
        // must not lose.
        if (::lstat(file.c_str(), &info) != 0 && errno == ENOENT) {
            return std::string();
        }
        errno = error;
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            return text;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
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
    for (const std::string& line : SplitLines(text)) {
        if (auto entry = ParseLine(line)) {
            values[entry->first] = std::move(entry->second);
        }
    }
    return values;
}

std::string FormatSettings(const SettingsValues& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        text += FormatLine(name, value);
        text += '\n';
    }
    return text;
}

std::string UpdateSettingsText(const std::string& text, const std::string& name,
                               const SettingsValue& value) {
    std::string out;
    bool written = false;
    for (const std::string& line : SplitLines(text)) {
        const auto entry = ParseLine(line);
        if (entry && entry->first == name) {
            // The first line of the name takes the new value in its place; a later one would
            // override it on the next read.
            if (!written) {
                out += FormatLine(name, value);
                out += '\n';
                written = true;
            }
            continue;
        }
        out += line;
        out += '\n';
    }
    if (!written) {
        out += FormatLine(name, value);
        out += '\n';
    }
    return out;
}

std::optional<SettingsValues> ReadSettingsFileStrict(const std::string& file) {
    const std::optional<std::string> text = ReadSettingsText(file);
    if (!text) {
        return std::nullopt;
    }
    return ParseSettings(*text);
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
    const std::optional<std::string> text = ReadSettingsText(file);
    if (!text) {
        LogMessage("Settings file %s cannot be read (%s); \"%s\" was not saved.", file.c_str(),
                   std::strerror(errno), name.c_str());
        return false;
    }
    // A link (a dotfiles setup) stays a link: the file it names is the one replaced.
    std::string target = file;
    if (char* const resolved = ::realpath(file.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && (info.st_mode & S_IWUSR) == 0) {
        LogMessage("Settings file %s is read-only; \"%s\" was not saved.", file.c_str(),
                   name.c_str());
        return false;
    }
    const mode_t mode = exists ? (info.st_mode & 07777) : 0600;
    if (!WriteWhole(target, UpdateSettingsText(*text, name, value), mode)) {
        LogMessage("Settings file %s cannot be written (%s); \"%s\" was not saved.", file.c_str(),
                   std::strerror(errno), name.c_str());
        return false;
    }
    return true;
}

}  // namespace clipwright
