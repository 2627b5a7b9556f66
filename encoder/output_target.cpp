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

std::string folder_of(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string fd_path(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
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
        // Taken at once and left empty until the output is complete.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            return errno_text("cannot write");
        }
        ::close(fd);
        created_ = true;
    } else {
        // What a link names decides, as /dev/stdout names a pipe or terminal; a dangling link is
        // replaced like a file.
        struct stat target = info;
        if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &target) != 0) {
            target = info;
        }
        if (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode)) {
            // A device or pipe is a destination, not a file to replace.
            mode_ = Mode::kInPlace;
            write_path_ = path;
            return {};
        }
        if (!S_ISREG(target.st_mode) && !S_ISLNK(target.st_mode)) {
            return "is neither a file nor a character device or FIFO; not overwritten";
        }
    }
    const std::string folder = folder_of(path);
    const mode_t mode = replacement_mode(path);
    std::string error = prepare_unnamed(folder, mode);
    if (!error.empty()) {
        error = prepare_temporary(folder, mode);
    }
    if (!error.empty()) {
        discard();
    }
    return error;
}

std::string OutputTarget::prepare_unnamed(const std::string& folder, mode_t mode) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno_text("cannot write");
    }
    fd_ = fd;
    ::fchmod(fd_, mode);
    // The writer opens the file again by this name; it must work now, or the run uses a named
    // temporary file instead.
    const int check = ::open(fd_path(fd_).c_str(), O_WRONLY | O_CLOEXEC);
    if (check < 0) {
        const std::string error = errno_text("cannot write");
        close_fd();
        return error;
    }
    ::close(check);
    mode_ = Mode::kUnnamed;
    write_path_ = fd_path(fd_);
    return {};
}

std::string OutputTarget::prepare_temporary(const std::string& folder, mode_t mode) {
    // The same folder, so the final rename stays within one file system.
    const std::string pattern = (std::filesystem::path(folder) / ".trelcore-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno_text("cannot write a temporary file beside it");
    }
    ::fchmod(fd, mode);
    ::close(fd);
    mode_ = Mode::kTemporary;
    write_path_ = name.data();
    return {};
}

// Gives the unnamed file a hidden name beside the output, ready to be renamed over it. Returns
// "" or the reason.
std::string OutputTarget::link_unnamed() {
    const std::string folder = folder_of(path_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            (std::filesystem::path(folder) /
             (".trelcore-" + std::to_string(::getpid()) + "-" + std::to_string(attempt)))
                .string();
        if (::linkat(AT_FDCWD, fd_path(fd_).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            close_fd();
            mode_ = Mode::kTemporary;
            write_path_ = name;
            return {};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return errno_text("cannot give it its name");
}

std::string OutputTarget::commit() {
    if (mode_ == Mode::kUnnamed) {
        if (std::string error = link_unnamed(); !error.empty()) {
            discard();
            return error;
        }
    }
    if (mode_ == Mode::kTemporary && ::rename(write_path_.c_str(), path_.c_str()) != 0) {
        const std::string error = errno_text("cannot replace it");
        discard();
        return error;
    }
    close_fd();
    mode_ = Mode::kNone;
    created_ = false;
    return {};
}

void OutputTarget::close_fd() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void OutputTarget::discard() {
    if (mode_ == Mode::kTemporary) {
        ::unlink(write_path_.c_str());
    }
    close_fd();  // an unnamed file goes with its last descriptor
    if (created_) {
        ::unlink(path_.c_str());
    }
    created_ = false;
    mode_ = Mode::kNone;
}

}  // namespace trel
