// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once

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

// Waits until a file appears (the fake encoder's sign that it has started). No time limit of
// its own: ctest's timeout ends a test that never sees it.
inline void WaitForFile(const std::string& file) {
    while (!std::filesystem::exists(file)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace clipwright::testing
