// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace clipwright::testing {

class TestFolder {
public:
    TestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "cw-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        path_ += "/";
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // Ends in "/".
    const std::string& path() const { return path_; }

    std::string Write(const std::string& name, const std::string& content) const {
        const std::string file = path_ + name;
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

// Waits until a file appears (the fake encoder's sign that it has started), looking every 5 ms.
// After limit the test fails, naming the file, and false is returned, so a program that never
// starts fails its own test at once instead of waiting for ctest's timeout.
inline bool WaitForFile(const std::string& file,
                        std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!std::filesystem::exists(file)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << file << " did not appear within " << limit.count() << " ms";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace clipwright::testing
