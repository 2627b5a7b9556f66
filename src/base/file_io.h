// Small POSIX file helpers shared by the log and the settings store. Plain functions and an
// RAII lock; safe from any thread on distinct descriptors.
#pragma once

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace clipwright {

// Writes all of text, going on after short writes and interruptions. False on an error.
inline bool WriteAll(int fd, const char* text, size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(fd, text, length);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

// Owns one descriptor and closes it.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Holds an exclusive flock() on fd for its lifetime; a negative fd holds nothing. flock() does
// not exclude other holders of the same open file, so threads sharing fd need a mutex too.
class FileLock {
public:
    explicit FileLock(int fd) : fd_(fd) {
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::flock(fd_, LOCK_UN);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

}  // namespace clipwright
