// A one-megabyte tmpfs for the tests that fill a disk; no Qt, so every test folder may use it.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace clipwright::testing {

// A one-megabyte tmpfs on `folder` (made here) while the object lives, so a conversion can fill
// its disk. Only root may mount, and not every system lets it: WhyNot() then says why, for
// GTEST_SKIP.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const std::string& folder) : folder_(folder) {
        if (::geteuid() != 0) {
            whyNot_ = "mounting a tmpfs needs root";
            return;
        }
        std::filesystem::create_directory(folder_);
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=1m") != 0) {
            whyNot_ = "tmpfs cannot be mounted here";
        }
    }
    ~SmallTmpfs() {
        if (whyNot_ == nullptr) {
            ::umount(folder_.c_str());
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    const char* WhyNot() const { return whyNot_; }  // null once mounted

private:
    std::string folder_;
    const char* whyNot_ = nullptr;
};

}  // namespace clipwright::testing
