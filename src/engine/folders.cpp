#include "engine/folders.h"

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

}  // namespace clipwright
