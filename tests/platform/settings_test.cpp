#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/settings_key.h"

namespace clipwright {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cw-settings-XXXXXX").string();
        home_ = ::mkdtemp(pattern.data());
        ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
        file_ = home_ + "/Trelvane/Clipwright.conf";
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(home_);
    }
    void WriteFile(const std::string& text) {
        std::filesystem::create_directories(home_ + "/Trelvane");
        std::ofstream(file_, std::ios::binary) << text;
    }
    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string home_;
    std::string file_;
};

TEST_F(SettingsTest, KeyPathMapsIntoTheConfigFolder) {
    EXPECT_EQ(SettingsFilePath(kSettingsKeyPath), file_);
    EXPECT_EQ(SettingsFilePath("Software\\..\\evil"), "");
}

TEST_F(SettingsTest, MissingFileGivesDefaults) {
    const CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    uint32_t language = 0xffffffff;
    std::string tips;
    key.ReadDword("Language", language);
    key.ReadString("HiddenToolTips", tips);
    EXPECT_EQ(language, 0xffffffffu);
    EXPECT_EQ(tips, "");
    EXPECT_FALSE(std::filesystem::exists(file_));  // nothing written by reading
}

TEST_F(SettingsTest, ValuesKeepTheirTypesAndSurviveAnyText) {
    const std::string awkward = "/home/ann/My \"Videos\"\\new\nline/\xc3\xa9/";
    {
        CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
        key.WriteDword("Language", 0x804);
        key.WriteString("OutputPath", awkward);
    }
    EXPECT_NE(Read(file_).find("\"Language\"=dword:00000804\n"), std::string::npos);
    const CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    uint32_t language = 0;
    std::string path;
    key.ReadDword("Language", language);
    key.ReadString("OutputPath", path);
    EXPECT_EQ(language, 0x804u);
    EXPECT_EQ(path, awkward);
    // The other type reads as absent.
    std::string languageText = "unchanged";
    uint32_t pathNumber = 7;
    key.ReadString("Language", languageText);
    key.ReadDword("OutputPath", pathNumber);
    EXPECT_EQ(languageText, "unchanged");
    EXPECT_EQ(pathNumber, 7u);
}

TEST_F(SettingsTest, AFileOfTheWrongShapeReadsAsDefaultsAndIsRepairedByAWrite) {
    WriteFile(
        "garbage\n\"Language\"=\"2052\"\n\"HiddenToolTips\"=dword:zz\n[section]\n\xff\xfe\n"
        "\"OutputPath\"=\"/ok/\"\n\"Broken\"=\"unclosed\n");
    {
        CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
        uint32_t language = 0xffffffff;
        key.ReadDword("Language", language);
        EXPECT_EQ(language, 0xffffffffu);
        std::string path;
        key.ReadString("OutputPath", path);
        EXPECT_EQ(path, "/ok/");
        key.WriteString("HiddenToolTips", "TRUE");
    }
    EXPECT_EQ(Read(file_),
              "\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=\"2052\"\n\"OutputPath\"=\"/ok/\"\n");
}

TEST_F(SettingsTest, AnUnwritableFolderLosesWritesQuietly) {
    ::setenv("XDG_CONFIG_HOME", "/proc/no-such-place", 1);
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    EXPECT_FALSE(key.IsOpen());
    key.WriteString("OutputPath", "/x/");
    std::string path = "default";
    key.ReadString("OutputPath", path);
    EXPECT_EQ(path, "default");
}

// Root reads a file of mode 000, so a link whose file is gone stands for a settings file that is
// there but cannot be read; without root, mode 000 is tried as well.
TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverReplaced) {
    std::filesystem::create_directories(home_ + "/Trelvane");
    std::filesystem::create_symlink(home_ + "/moved-away.conf", file_);
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    key.WriteString("OutputPath", "/x/");
    EXPECT_TRUE(std::filesystem::is_symlink(file_));
    EXPECT_FALSE(std::filesystem::exists(home_ + "/moved-away.conf"));

    if (::geteuid() == 0) {
        return;
    }
    std::filesystem::remove(file_);
    WriteFile("\"Language\"=dword:00000804\n\"OutputPath\"=\"/kept/\"\n");
    std::filesystem::permissions(file_, std::filesystem::perms::none);
    key.WriteDword("Language", 1033);
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
    EXPECT_EQ(Read(file_), "\"Language\"=dword:00000804\n\"OutputPath\"=\"/kept/\"\n");
}

TEST_F(SettingsTest, ConcurrentWritersNeverTearTheFile) {
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([w] {
            for (int i = 0; i < 50; ++i) {
                CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
                key.WriteString("Writer" + std::to_string(w),
                                std::string(500, static_cast<char>('a' + w)));
                key.WriteDword("Language", static_cast<uint32_t>(i));
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    const SettingsValues values = ReadSettingsFile(file_);
    ASSERT_EQ(values.size(), 5u);
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(std::get<std::string>(values.at("Writer" + std::to_string(w))),
                  std::string(500, static_cast<char>('a' + w)));
    }
    EXPECT_EQ(std::get<uint32_t>(values.at("Language")), 49u);
    for (const auto& entry : std::filesystem::directory_iterator(home_ + "/Trelvane")) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
    }
}

}  // namespace
}  // namespace clipwright
