// The file version reader on PE and ELF images, with its dump of the fixed block. The input
// becomes a file, since the reader takes only a path.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "support/file_version.h"

namespace {

// One scratch file for the whole process, rewritten for every input. Its name is removed at
// once and the reader opens it through /proc, so a run that crashes leaves nothing behind.
class ScratchFile {
public:
    ScratchFile() {
        // A file in memory keeps one write per input cheap; on disk it costs ten times the run.
        const char* dir = std::getenv("TMPDIR");
        const std::string folder = dir != nullptr && dir[0] == '/'          ? dir
                                   : ::access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm"
                                                                            : "/tmp";
        std::string name = folder + "/clipwright-fuzz-version-XXXXXX";
        fd_ = ::mkstemp(name.data());
        FUZZ_CHECK(fd_ >= 0);
        ::unlink(name.c_str());
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~ScratchFile() { ::close(fd_); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Write(std::string_view bytes) {
        FUZZ_CHECK(::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0);
        FUZZ_CHECK(clipwright::fuzz::WriteAllBytes(fd_, bytes));
        return path_;
    }

private:
    std::string path_;
    int fd_ = -1;
};

size_t CountLines(std::string_view text) {
    size_t count = 0;
    for (const char c : text) {
        count += c == '\n' ? 1 : 0;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile scratch;
    const std::string& path =
        scratch.Write(std::string_view(reinterpret_cast<const char*>(data), size));

    char* text = nullptr;
    size_t length = 0;
    std::FILE* out = ::open_memstream(&text, &length);
    FUZZ_CHECK(out != nullptr);
    int major = -1;
    int minor = -1;
    int build = -1;
    const bool read = clipwright::CFileVersion(out).ReadFileVersion(path, major, minor, build);
    std::fclose(out);
    const std::string printed(text, length);
    std::free(text);

    if (read) {
        FUZZ_CHECK(major >= 0 && major <= 0xFFFF && minor >= 0 && minor <= 0xFFFF && build >= 0 &&
                   build <= 0xFFFF);
        FUZZ_CHECK(printed.rfind("  Signature:", 0) == 0 && CountLines(printed) == 9);
    } else {
        // A failed read leaves the caller's numbers alone and says why.
        FUZZ_CHECK(major == -1 && minor == -1 && build == -1);
        const std::string prefix = "Unable to access file \"" + path + "\" : ";
        FUZZ_CHECK(printed.rfind(prefix, 0) == 0 && printed.size() > prefix.size());
    }
    return 0;
}
