#include "support/file_version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

TEST(FileVersionNamesTest, FlagsListHighBitsThenNames) {
    EXPECT_EQ(FileFlagsText(0x41), "0x40 | VS_FF_DEBUG");
    EXPECT_EQ(FileFlagsText(0), "");
    EXPECT_EQ(FileFlagsText(0x22), "VS_FF_PRERELEASE | VS_FF_SPECIALBUILD");
    EXPECT_EQ(FileFlagsText(0x3F),
              "VS_FF_DEBUG | VS_FF_PRERELEASE | VS_FF_PATCHED | VS_FF_PRIVATEBUILD | "
              "VS_FF_INFOINFERRED | VS_FF_SPECIALBUILD");
    EXPECT_EQ(FileFlagsText(0x80000100), "0x80000100");
}

TEST(FileVersionNamesTest, OperatingSystems) {
    EXPECT_EQ(FileOsName(0), "VOS_UNKNOWN");
    EXPECT_EQ(FileOsName(4), "VOS__WINDOWS32");
    EXPECT_EQ(FileOsName(0x10001), "VOS_DOS_WINDOWS16");
    EXPECT_EQ(FileOsName(0x30003), "VOS_OS232_PM32");
    EXPECT_EQ(FileOsName(0x40004), "VOS_NT_WINDOWS32");
    EXPECT_EQ(FileOsName(5), "Unknown FileOS");
    EXPECT_EQ(FileOsName(0x40001), "Unknown FileOS");
}

TEST(FileVersionNamesTest, TypeNamesRunIntoTheirSubtypeText) {
    EXPECT_EQ(FileTypeText(3, 9), "VFT_DRVFileSubtype: VFT2_DRV_SOUND");
    EXPECT_EQ(FileTypeText(3, 0), "VFT_DRVFileSubtype: VFT2_UNKNOWN");
    EXPECT_EQ(FileTypeText(3, 11), "VFT_DRVFileSubtype: VFT2_DRV_INPUTMETHOD");
    EXPECT_EQ(FileTypeText(3, 12), "VFT_DRVUnknown FileSubtype: c");
    EXPECT_EQ(FileTypeText(4, 3), "VFT_FONTFileSubtype: VFT2_FONT_TRUETYPE");
    EXPECT_EQ(FileTypeText(4, 0), "VFT_FONTUnknown FileSubtype: 0");
    EXPECT_EQ(FileTypeText(1, 7), "VFT_APP, FileSubtype: 7");
    EXPECT_EQ(FileTypeText(2, 0), "VFT_DLL");
    EXPECT_EQ(FileTypeText(6, 0), "Unknown FileType");
    EXPECT_EQ(FileTypeText(7, 0x1a), "VFT_STATIC_LIB, FileSubtype: 1a");
}

TEST(FileVersionNamesTest, DumpLines) {
    FixedFileInfo info;
    info.signature = 0xFEEF04BD;
    info.strucVersion = 0x00010000;
    info.fileVersionMS = 0x00060005;
    info.fileVersionLS = 0x0A280001;
    info.productVersionMS = 0x00060005;
    info.productVersionLS = 0x0A280000;
    info.fileFlagsMask = 0x3F;
    info.fileFlags = 0x41;
    info.fileOS = 0x40004;
    info.fileType = 3;
    info.fileSubtype = 9;
    info.fileDateMS = 0x1c;
    info.fileDateLS = 0xabc;
    EXPECT_EQ(FormatVersionDump(info),
              "  Signature:       feef04bd\n"
              "  StrucVersion:    1.0\n"
              "  FileVersion:     6.5.2600.1\n"
              "  ProductVersion:  6.5.2600.0\n"
              "  FileFlagsMask:   0x3f\n"
              "  FileFlags:       0x41 (0x40 | VS_FF_DEBUG)\n"
              "  FileOS:          VOS_NT_WINDOWS32\n"
              "  FileType:        VFT_DRVFileSubtype: VFT2_DRV_SOUND\n"
              "  FileDate:        1c.abc\n");
    info.fileFlagsMask = 0;
    info.fileFlags = 0;
    const std::string dump = FormatVersionDump(info);
    EXPECT_NE(dump.find("  FileFlagsMask:   0\n  FileFlags:       0\n"), std::string::npos);
}

// Collects what the reader writes to its output stream.
class CapturedOutput {
public:
    CapturedOutput() : stream_(open_memstream(&buffer_, &size_)) {}
    ~CapturedOutput() {
        std::fclose(stream_);
        std::free(buffer_);
    }
    std::FILE* stream() const { return stream_; }
    std::string Text() {
        std::fflush(stream_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    size_t size_ = 0;
    std::FILE* stream_;
};

void Put(std::vector<uint8_t>& data, size_t offset, uint32_t value, int bytes) {
    if (data.size() < offset + static_cast<size_t>(bytes)) {
        data.resize(offset + static_cast<size_t>(bytes));
    }
    for (int i = 0; i < bytes; ++i) {
        data[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A version root "VS_VERSION_INFO" with a fixed block of the given file version words.
std::vector<uint8_t> VersionRoot(uint32_t fileMS, uint32_t fileLS, uint16_t valueLength = 52) {
    std::vector<uint8_t> root(92, 0);
    Put(root, 0, 92, 2);
    Put(root, 2, valueLength, 2);
    const char* key = "VS_VERSION_INFO";
    for (size_t i = 0; i < std::strlen(key); ++i) {
        Put(root, 6 + 2 * i, static_cast<uint8_t>(key[i]), 2);
    }
    const uint32_t fixed[13] = {0xFEEF04BD, 0x10000, fileMS, fileLS, fileMS, fileLS, 0x3F,
                                0,          0x40004, 2,      0,      0,      0};
    for (size_t i = 0; i < 13; ++i) {
        Put(root, 40 + 4 * i, fixed[i], 4);
    }
    return root;
}

// A minimal PE32 file: one ".rsrc" section holding type 16 / name 1 / language 0x409.
std::string SmallPeFile(const std::vector<uint8_t>& versionRoot) {
    std::vector<uint8_t> pe(0x200, 0);
    Put(pe, 0, 0x5A4D, 2);     // "MZ"
    Put(pe, 0x3C, 0x40, 4);    // e_lfanew
    Put(pe, 0x40, 0x4550, 4);  // "PE\0\0"
    Put(pe, 0x44, 0x14C, 2);   // i386
    Put(pe, 0x46, 1, 2);       // one section
    Put(pe, 0x54, 224, 2);     // optional header size
    const size_t optional = 0x58;
    Put(pe, optional, 0x10B, 2);
    Put(pe, optional + 92, 16, 4);  // directory count
    const uint32_t rsrcRva = 0x1000;
    Put(pe, optional + 96 + 2 * 8, rsrcRva, 4);
    const size_t section = optional + 224;
    std::memcpy(&pe[section], ".rsrc", 5);
    const uint32_t rsrcSize = 0x58 + static_cast<uint32_t>(versionRoot.size());
    Put(pe, section + 8, rsrcSize, 4);
    Put(pe, section + 12, rsrcRva, 4);
    Put(pe, section + 16, rsrcSize, 4);
    Put(pe, section + 20, 0x200, 4);
    const size_t r = 0x200;
    Put(pe, r + 14, 1, 2);  // root: one id entry
    Put(pe, r + 16, 16, 4);
    Put(pe, r + 20, 0x80000018, 4);
    Put(pe, r + 0x18 + 14, 1, 2);  // names
    Put(pe, r + 0x18 + 16, 1, 4);
    Put(pe, r + 0x18 + 20, 0x80000030, 4);
    Put(pe, r + 0x30 + 14, 1, 2);  // languages
    Put(pe, r + 0x30 + 16, 0x409, 4);
    Put(pe, r + 0x30 + 20, 0x48, 4);
    Put(pe, r + 0x48, rsrcRva + 0x58, 4);  // data entry
    Put(pe, r + 0x4C, static_cast<uint32_t>(versionRoot.size()), 4);
    pe.resize(r + 0x58);
    pe.insert(pe.end(), versionRoot.begin(), versionRoot.end());
    return {pe.begin(), pe.end()};
}

class ReadFileVersionTest : public ::testing::Test {
protected:
    bool Read(const std::string& path) {
        CFileVersion reader(out_.stream());
        return reader.ReadFileVersion(path, major_, minor_, build_);
    }

    TestFolder dir_;
    CapturedOutput out_;
    int major_ = 0;
    int minor_ = 0;
    int build_ = 0;
};

TEST_F(ReadFileVersionTest, OwnProgramsReportTheProjectVersion) {
    ASSERT_TRUE(Read("/proc/self/exe")) << out_.Text();
    EXPECT_EQ(major_, PROJECT_MAJOR);
    EXPECT_EQ(minor_, PROJECT_MINOR);
    EXPECT_EQ(build_, PROJECT_PATCH);
    EXPECT_EQ(out_.Text().rfind("  Signature:       feef04bd\n", 0), 0u) << out_.Text();
    const std::vector<std::string> programs = {OWN_PROGRAMS};
    for (const std::string& program : programs) {
        major_ = minor_ = build_ = -1;
        EXPECT_TRUE(Read(program)) << program;
        EXPECT_EQ(major_, PROJECT_MAJOR) << program;
        EXPECT_EQ(minor_, PROJECT_MINOR) << program;
        EXPECT_EQ(build_, PROJECT_PATCH) << program;
    }
}

TEST_F(ReadFileVersionTest, WindowsLibraryIsReadFromItsVersionResource) {
    const std::string dll =
        dir_.Write("quartz.dll", SmallPeFile(VersionRoot(0x00060005, 0x0A280001)));
    ASSERT_TRUE(Read(dll)) << out_.Text();
    EXPECT_EQ(major_, 6);
    EXPECT_EQ(minor_, 5);
    EXPECT_EQ(build_, 2600);
    EXPECT_NE(out_.Text().find("  FileVersion:     6.5.2600.1\n"), std::string::npos);
    EXPECT_NE(out_.Text().find("  FileType:        VFT_DLL\n"), std::string::npos);
}

TEST_F(ReadFileVersionTest, FilesWithoutABlockGiveTheErrorLineAndKeepTheOutputs) {
    const std::string text = dir_.Write("notes.txt", "no version here");
    EXPECT_FALSE(Read(text));
    EXPECT_EQ(out_.Text(), "Unable to access file \"" + text +
                               "\" : The specified resource type cannot be found in the image "
                               "file.");
    EXPECT_EQ(major_, 0);
    EXPECT_FALSE(Read("/bin/sh"));  // an ELF program that is not ours
    EXPECT_FALSE(Read(dir_.path() + "missing dir/wmvcore.dll"));
    EXPECT_NE(out_.Text().find("wmvcore.dll\" : No such file or directory"), std::string::npos);
    EXPECT_FALSE(Read(dir_.path()));
    EXPECT_FALSE(Read(dir_.Write("empty.dll", "")));
    EXPECT_EQ(major_ + minor_ + build_, 0);
}

TEST_F(ReadFileVersionTest, DamagedPeFilesAreRefusedSafely) {
    const std::string whole = SmallPeFile(VersionRoot(0x00090000, 0));
    for (size_t cut = 2; cut < whole.size(); cut += 7) {
        EXPECT_FALSE(Read(dir_.Write("cut.dll", whole.substr(0, cut)))) << cut;
    }
    EXPECT_FALSE(Read(dir_.Write("novalue.dll", SmallPeFile(VersionRoot(0x00090000, 0, 0)))));
    EXPECT_NE(out_.Text().find("no fixed file information"), std::string::npos);
    std::string loop = whole;
    loop[0x200 + 20] = 0x00;  // the type entry points back at the root directory
    loop[0x200 + 23] = static_cast<char>(0x80);
    EXPECT_FALSE(Read(dir_.Write("loop.dll", loop)));
    EXPECT_EQ(major_ + minor_ + build_, 0);
}

}  // namespace
}  // namespace clipwright
