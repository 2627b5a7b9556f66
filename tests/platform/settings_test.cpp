#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "base/text_log.h"
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

// A file edited by hand: blanks around the '=' and after the value are understood, and a write
// changes only its own line, keeping every line it does not understand byte for byte.
TEST_F(SettingsTest, HandEditedLinesAreReadAndEveryOtherLineSurvivesAWrite) {
    const std::string kept =
        "garbage\n\"HiddenToolTips\"=dword:zz\n[section]\n\xff\xfe\n\"Broken\"=\"unclosed\n"
        "# a note\n\n";
    WriteFile(" \"OutputPath\" = \"/my videos/\" \n\"Language\"\t=\tdword:00000804\t\r\n" + kept +
              "\"Title\"=\"a \\\"quoted\\\" one\"   ");
    {
        CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
        std::string path;
        uint32_t language = 0;
        std::string title;
        std::string tips = "unset";
        key.ReadString("OutputPath", path);
        key.ReadDword("Language", language);
        key.ReadString("Title", title);
        key.ReadString("HiddenToolTips", tips);
        EXPECT_EQ(path, "/my videos/");
        EXPECT_EQ(language, 0x804u);
        EXPECT_EQ(title, "a \"quoted\" one");
        EXPECT_EQ(tips, "unset");
        key.WriteString("HiddenToolTips", "TRUE");
        key.WriteString("OutputPath", "/new/");
    }
    EXPECT_EQ(Read(file_),
              "\"OutputPath\"=\"/new/\"\n\"Language\"\t=\tdword:00000804\t\r\n" + kept +
                  "\"Title\"=\"a \\\"quoted\\\" one\"   \n\"HiddenToolTips\"=\"TRUE\"\n");

    // A name written twice by hand: the first line takes the value, the later one (which would
    // win on reading) goes.
    WriteFile("\"Language\"=dword:1\nx\n\"Language\" = dword:2\n");
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    key.WriteDword("Language", 3);
    EXPECT_EQ(Read(file_), "\"Language\"=dword:00000003\nx\n");
}

// A dotfiles setup links the settings file into a repository: the link stays, the file it names
// gets the value and keeps its mode; a read-only file is left as it is and the log says so.
TEST_F(SettingsTest, LinksModesAndReadOnlyFilesAreRespected) {
    namespace fs = std::filesystem;
    fs::create_directories(home_ + "/Trelvane");
    fs::create_directories(home_ + "/dotfiles");
    const std::string real = home_ + "/dotfiles/clipwright.conf";
    std::ofstream(real, std::ios::binary) << "# mine\n\"Language\"=dword:00000407\n";
    fs::permissions(real, fs::perms(0644));
    fs::create_symlink("../dotfiles/clipwright.conf", file_);
    const std::string log = home_ + "/log.txt";
    const std::string previousLog = LogFilePath();
    SetLogFilePath(log);
    {
        CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
        key.WriteString("OutputPath", "/out/");
        EXPECT_TRUE(fs::is_symlink(file_));
        EXPECT_EQ(Read(real), "# mine\n\"Language\"=dword:00000407\n\"OutputPath\"=\"/out/\"\n");
        EXPECT_EQ(fs::status(real).permissions(), fs::perms(0644));
        for (const auto& entry : fs::directory_iterator(home_ + "/dotfiles")) {
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
        }

        fs::permissions(real, fs::perms(0444));
        key.WriteString("OutputPath", "/lost/");
        std::string path;
        key.ReadString("OutputPath", path);
        EXPECT_EQ(path, "/out/");  // what the file still says
    }
    SetLogFilePath(previousLog);
    EXPECT_EQ(Read(real), "# mine\n\"Language\"=dword:00000407\n\"OutputPath\"=\"/out/\"\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0444));
    EXPECT_TRUE(fs::is_symlink(file_));
    const std::string logged = Read(log);
    EXPECT_NE(logged.find("read-only"), std::string::npos) << logged;
    EXPECT_NE(logged.find("\"OutputPath\" was not saved"), std::string::npos) << logged;
}

// A FIFO where the settings file belongs would block the start in the read; it is not a file
// whose values can be kept, so it is neither read nor replaced.
TEST_F(SettingsTest, ASettingsFileThatIsAFifoIsNeitherReadNorReplaced) {
    std::filesystem::create_directories(home_ + "/Trelvane");
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath, 3);
    key.WriteString("OutputPath", "/x/");
    EXPECT_EQ(std::filesystem::status(file_).type(), std::filesystem::file_type::fifo);
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
