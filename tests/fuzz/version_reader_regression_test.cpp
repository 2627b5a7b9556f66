// Inputs the version fuzz target found that the PE reader once read past the end of.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "support/file_version.h"

namespace clipwright {
namespace {

void Put16(std::vector<uint8_t>& image, size_t at, uint16_t value) {
    image[at] = static_cast<uint8_t>(value);
    image[at + 1] = static_cast<uint8_t>(value >> 8);
}

// "MZ", the PE header at 12, one section and no optional header beyond its magic word, so the
// section table starts right there; 128 bytes in all. Read through a stream into a vector, this
// size leaves no spare room after the data, so a read past the end meets the sanitizer's guard.
std::vector<uint8_t> PeCutInsideItsOptionalHeader(uint16_t magic) {
    std::vector<uint8_t> image(128, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 12;
    std::memcpy(&image[12], "PE\0\0", 4);
    Put16(image, 16, 0x14C);  // machine
    Put16(image, 18, 1);      // one section
    Put16(image, 32, 0);      // optional header size
    Put16(image, 36, magic);
    return image;
}

// The reader's result and what it printed, for an image written to a scratch file.
struct ReadResult {
    bool read = false;
    int major = -1;
    std::string printed;
};

ReadResult ReadImage(const std::vector<uint8_t>& image) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir != nullptr && dir[0] == '/' ? dir : "/tmp") +
                       "/clipwright-version-regression-XXXXXX";
    const int fd = ::mkstemp(path.data());
    EXPECT_GE(fd, 0);
    EXPECT_TRUE(fuzz::WriteAllBytes(
        fd, std::string_view(reinterpret_cast<const char*>(image.data()), image.size())));
    ::close(fd);
    char* text = nullptr;
    size_t length = 0;
    std::FILE* out = ::open_memstream(&text, &length);
    ReadResult result;
    int minor = -1;
    int build = -1;
    result.read = CFileVersion(out).ReadFileVersion(path, result.major, minor, build);
    std::fclose(out);
    result.printed.assign(text, length);
    std::free(text);
    ::unlink(path.c_str());
    return result;
}

TEST(TruncatedPeImage, CutBeforeTheDirectoryCountIsNotAValidImage) {
    for (const uint16_t magic : {uint16_t{0x10B}, uint16_t{0x20B}, uint16_t{0}}) {
        SCOPED_TRACE(magic);
        const ReadResult result = ReadImage(PeCutInsideItsOptionalHeader(magic));
        EXPECT_FALSE(result.read);
        EXPECT_EQ(result.major, -1);
        EXPECT_NE(result.printed.find(" : The file is not a valid executable image."),
                  std::string::npos)
            << result.printed;
    }
}

}  // namespace
}  // namespace clipwright
