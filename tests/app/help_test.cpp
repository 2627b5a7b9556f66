#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QUrl>
#include <filesystem>

#include "app_test_support.h"
#include "dialogs/about_dialog.h"
#include "platform/launcher.h"
#include "shell/main_frame.h"
#include "test_folder.h"
#include "ui/help_commands.h"
#include "ui/hyper_link.h"

namespace clipwright {
namespace {

using namespace testing;

TEST(AboutBoxTest, ShowsTheVersionTheBuildPutIn) {
    CAboutDialog about(nullptr);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Clipwright"));
    EXPECT_EQ(about.Form().Get<QLabel>(kAboutTitleId)->text(), QStringLiteral("Clipwright ( tm )"));
    EXPECT_EQ(about.Form().Get<QLabel>(kAboutVersionId)->text(),
              QStringLiteral("Version " CLIPWRIGHT_VERSION));
    const CHyperLink* link = about.Form().Get<CHyperLink>(kAboutLinkId);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->LinkAddress(), QLatin1String(kMakerWebAddress));
    EXPECT_EQ(link->toolTip(), QLatin1String(kMakerWebAddress));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

// A PATH with fake xdg-open and xdg-mime, a fake browser entry; the launcher seam records what
// would start, so no browser and no real xdg-open ever runs.
class HelpCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShell();
        savedPath_ = qgetenv("PATH");
        savedData_ = qgetenv("XDG_DATA_HOME");
        std::filesystem::create_directories(folder_.path() + "bin");
        std::filesystem::create_directories(folder_.path() + "data/applications");
        Executable("bin/xdg-open", "#!/bin/sh\nexit 0\n");
        Executable("bin/xdg-mime", "#!/bin/sh\necho fake-browser.desktop\n");
        const std::string browser = Executable("browser", "#!/bin/sh\nexit 0\n");
        folder_.Write("data/applications/fake-browser.desktop",
                      "[Desktop Entry]\nExec=" + browser + " %u\n");
        qputenv("PATH", QByteArray::fromStdString(folder_.path() + "bin"));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder_.path() + "data"));
        SetLaunchHandler([this](const QString& program, const QStringList& arguments) {
            launched_ << QFileInfo(program).fileName();
            launched_ += arguments;
            return true;
        });
    }
    void TearDown() override {
        SetLaunchHandler(nullptr);
        qputenv("PATH", savedPath_);
        qputenv("XDG_DATA_HOME", savedData_);
    }
    std::string Executable(const std::string& name, const std::string& content) {
        const std::string file = folder_.Write(name, content);
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        return file;
    }

    StartupValues startup_ = QuietStartup();
    TestFolder folder_;
    QStringList launched_;
    QByteArray savedPath_;
    QByteArray savedData_;
};

TEST_F(HelpCommandsTest, ContentsOpensTheInstalledManual) {
    CMainFrame frame(startup_);
    ASSERT_TRUE(frame.Action(kCmdHelpContents)->isEnabled());
    frame.RunCommand(kCmdHelpContents);
    const QString manual = DocsFolder() + QStringLiteral("Clipwright.html");
    EXPECT_EQ(launched_, (QStringList{"xdg-open", manual}));
    EXPECT_TRUE(QFile::exists(manual));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(HelpCommandsTest, ContentsSaysSoWhenXdgOpenIsMissing) {
    std::filesystem::remove(folder_.path() + "bin/xdg-open");
    SetNextMessageAnswer(kAnswerOk);
    OpenHelpContents(nullptr);
    EXPECT_TRUE(launched_.isEmpty());
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{"Can't find xdg-open. It's included in the xdg-utils "
                                        "package."}));
}

TEST_F(HelpCommandsTest, EachDownloadEntryOpensItsSectionOfTheDownloadPage) {
    CMainFrame frame(startup_);
    QFile page(DocsFolder() + QStringLiteral("download.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    for (int command = 32771; command <= 32780; ++command) {
        launched_.clear();
        ASSERT_TRUE(frame.Action(command)->isEnabled()) << command;
        frame.RunCommand(command);
        ASSERT_EQ(launched_.size(), 2) << command;
        const QUrl address(launched_[1]);
        EXPECT_EQ(address.toLocalFile(), page.fileName());
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(address.fragment())))
            << address.toString().toStdString();
    }
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(HelpCommandsTest, AboutRunsTheAboutBox) {
    CMainFrame frame(startup_);
    QString shown;
    SetModalDialogHandler([&shown](QDialog& dialog) {
        shown = dialog.windowTitle();
        return 1;
    });
    frame.RunCommand(kCmdAbout);
    SetModalDialogHandler(nullptr);
    EXPECT_EQ(shown, QStringLiteral("About Clipwright"));
}

}  // namespace
}  // namespace clipwright
