#include "output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace trel {
namespace {

std::string errno_text(const char* what) {
    return std::string(what) + " (" + std::strerror(errno) + ")";
}

// The permissions a replaced regular file had, else those a new file would get.
mode_t replacement_mode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string OutputTarget::prepare(const std::string& path) {
    discard();
    path_ = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            return errno_text("cannot write");
        }
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            return errno_text("cannot write");
        }
        ::close(fd);
        mode_ = Mode::kCreated;
        write_path_ = path;
        return {};
    }
    if (S_ISREG(info.st_mode) && info.st_size == 0) {
        mode_ = Mode::kReserved;
        write_path_ = path;
        return {};
    }
    return prepare_temporary(path);
}

std::string OutputTarget::prepare_temporary(const std::string& path) {
    // The same folder, so the final rename stays within one file system.
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string pattern = (folder / ".trelcore-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno_text("cannot write a temporary file beside it");
    }
    ::fchmod(fd, replacement_mode(path));
    ::close(fd);
    mode_ = Mode::kTemporary;
    write_path_ = name.data();
    return {};
}

std::string OutputTarget::commit() {
    if (mode_ == Mode::kTemporary && ::rename(write_path_.c_str(), path_.c_str()) != 0) {
        const std::string error = errno_text("cannot replace it");
        discard();
        return error;
    }
    mode_ = Mode::kNone;
    return {};
}

void OutputTarget::discard() {
    switch (mode_) {
        case Mode::kCreated:
        case Mode::kTemporary:
            ::unlink(write_path_.c_str());
            break;
        case Mode::kReserved:
            // Back to the empty file the caller reserved; its name stays theirs.
            static_cast<void>(::truncate(write_path_.c_str(), 0) == 0);
            break;
        case Mode::kNone:
            break;
    }
    mode_ = Mode::kNone;
}

}  // namespace trel
