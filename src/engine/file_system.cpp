#include "engine/file_system.h"

#include <sys/stat.h>

namespace clipwright {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void EnsureFolder(const std::string& folder) {
    if (folder.empty() || IsFolder(folder)) {
        return;
    }
    std::string path = folder;
    if (path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        EnsureFolder(path.substr(0, slash + 1));
    }
    if (!path.empty()) {
        ::mkdir(path.c_str(), 0777);
    }
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

int64_t RegularFileBytes(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return static_cast<int64_t>(info.st_size);
}

uint64_t FileBytesOrZero(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<uint64_t>(info.st_size) : 0;
}

}  // namespace clipwright
