#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <filesystem>
#include <optional>

#include "platform/address_opener.h"
#include "platform/launcher.h"
#include "test_folder.h"
#include "ui/hyper_link.h"
#include "ui/message_box.h"

namespace clipwright {
namespace {

using testing::TestFolder;

// An address no browser command may split or hand to a shell.
const QString kHostileAddress =
    QStringLiteral("https://a.example/x y?q=\"1\"&r=$(touch /tmp/cw-pwned);'b' %u `id`");

TEST(BrowserCommandTest, CutsTheExecLineAtTheFieldCode) {
    const QString address = QStringLiteral("https://www.trelvane.example/");
    // Quoted: cut at the opening quote, so the quote never reaches the browser.
    EXPECT_EQ(
        BrowserCommand(QStringLiteral("\"/opt/my browser/run\" --new-window \"%u\" --x"), address),
        (QStringList{"/opt/my browser/run", "--new-window", address}));
    // Bare: cut there; what follows goes.
    EXPECT_EQ(BrowserCommand(QStringLiteral("firefox-esr %U --tail"), address),
              (QStringList{"firefox-esr", address}));
    EXPECT_EQ(BrowserCommand(QStringLiteral("viewer --file %f"), address),
              (QStringList{"viewer", "--file", address}));
    // None: the address is added after the whole line.
    EXPECT_EQ(BrowserCommand(QStringLiteral("browser --private"), address),
              (QStringList{"browser", "--private", address}));
    // Other field codes are dropped and "%%" is a percent sign.
    EXPECT_EQ(BrowserCommand(QStringLiteral("browser %i --p=50%% %u"), address),
              (QStringList{"browser", "--p=50%", address}));
    EXPECT_TRUE(BrowserCommand(QStringLiteral("  %u"), address).isEmpty());
}

TEST(BrowserCommandTest, KeepsTheAddressAsOneArgumentAsItIs) {
    const QStringList command = BrowserCommand(QStringLiteral("browser %u"), kHostileAddress);
    ASSERT_EQ(command.size(), 2);
    EXPECT_EQ(command[1], kHostileAddress);
}

TEST(LinkErrorTextTest, KnownCodesAndTheRest) {
    EXPECT_EQ(LinkErrorText(0),
              QStringLiteral("The operating system is out\nof memory or resources."));
    EXPECT_EQ(LinkErrorText(26), QStringLiteral("A sharing violation occurred. "));
    EXPECT_EQ(LinkErrorText(33), QStringLiteral("Unknown Error (33) occurred."));
}

// A desktop with a fake xdg-mime on PATH naming a fake browser entry in XDG_DATA_HOME; the
// launcher seam records what would be started, so nothing is ever run but the fake xdg-mime.
class FakeDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        savedPath_ = qgetenv("PATH");
        savedData_ = qgetenv("XDG_DATA_HOME");
        std::filesystem::create_directories(folder_.path() + "bin");
        std::filesystem::create_directories(folder_.path() + "data/applications");
        WriteExecutable("bin/xdg-mime", "#!/bin/sh\necho \"$*\" > '" + folder_.path() +
                                            "query'\necho fake-browser.desktop\n");
        browser_ = WriteExecutable("my browser", "#!/bin/sh\nexit 0\n");
        qputenv("PATH", QByteArray::fromStdString(folder_.path() + "bin"));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder_.path() + "data"));
        launches_.emplace([this](const QString& program, const QStringList& arguments) {
            launched_ << program;
            launched_ += arguments;
            return true;
        });
    }
    void TearDown() override {
        launches_.reset();
        qputenv("PATH", savedPath_);
        qputenv("XDG_DATA_HOME", savedData_);
        TakeMessageTexts();
    }
    std::string WriteExecutable(const std::string& name, const std::string& content) {
        const std::string file = folder_.Write(name, content);
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        return file;
    }
    void WriteEntry(const std::string& exec) {
        folder_.Write(
            "data/applications/fake-browser.desktop",
            "[Desktop Entry]\nName=Fake\nExec=" + exec + "\n[Desktop Action new]\nExec=wrong %u\n");
    }

    TestFolder folder_;
    std::string browser_;
    std::optional<ScopedLaunchHandler> launches_;
    QStringList launched_;
    QByteArray savedPath_;
    QByteArray savedData_;
};

TEST_F(FakeDesktop, StartsTheDefaultBrowserEntryOnTheAddress) {
    // "\s" is a blank in a desktop entry value; the quotes keep the path in one piece.
    std::string exec = "\"" + browser_ + "\" --new-tab \"%u\"";
    WriteEntry(exec.replace(exec.find(' '), 1, "\\s"));
    EXPECT_GT(OpenAddress(kHostileAddress), 31);
    EXPECT_EQ(launched_,
              (QStringList{QString::fromStdString(browser_), "--new-tab", kHostileAddress}));
    EXPECT_EQ(TestFolder::Read(folder_.path() + "query"), "query default x-scheme-handler/https\n");
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/cw-pwned")));
}

TEST_F(FakeDesktop, MapsEachFailureToItsCode) {
    EXPECT_EQ(OpenAddress(QStringLiteral("https://a.example/")), kNoBrowser);  // no entry file
    WriteEntry(folder_.path() + "missing-browser %u");
    EXPECT_EQ(OpenAddress(QStringLiteral("https://a.example/")), kProgramNotFound);
    WriteEntry("\"" + folder_.Write("plain file", "") + "\" %u");
    EXPECT_EQ(OpenAddress(QStringLiteral("https://a.example/")), kAccessDenied);
    WriteEntry("%u");
    EXPECT_EQ(OpenAddress(QStringLiteral("https://a.example/")), kBadAssociation);
    qputenv("PATH", QByteArray::fromStdString(folder_.path()));  // no xdg-mime at all
    EXPECT_EQ(OpenAddress(QStringLiteral("https://a.example/")), kNoBrowser);
    EXPECT_TRUE(launched_.isEmpty());
}

TEST_F(FakeDesktop, HyperLinkReportsAFailureAndMarksASuccessVisited) {
    QWidget parent;
    CHyperLink link(QStringLiteral("Home"), &parent, QStringLiteral("https://a.example/"));
    SetNextMessageAnswer(kAnswerOk);
    link.FollowLink();
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{"Can't open link:\n\nThe operating system is out\n"
                                        "of memory or resources."}));
    EXPECT_FALSE(link.IsVisited());
    WriteEntry("\"" + browser_ + "\" %u");
    link.FollowLink();
    EXPECT_TRUE(TakeMessageTexts().empty());
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.CurrentColor(), kVisitedColor);
}

TEST_F(FakeDesktop, MailLinkHandsItsAddressToTheDesktop) {
    QWidget parent;
    CMailLink link(QString(), &parent, QStringLiteral("mailto:ann@a.example?subject=a b"));
    EXPECT_EQ(link.text(), QStringLiteral("mailto:ann@a.example?subject=a b"));
    link.FollowLink();
    EXPECT_EQ(launched_, (QStringList{"xdg-open", "mailto:ann@a.example?subject=a b"}));
    EXPECT_TRUE(link.IsVisited());
}

// Input handling, with FollowLink counted instead of starting anything.
class CountingLink : public CHyperLink {
public:
    using CHyperLink::CHyperLink;
    void FollowLink() override {
        ++follows;
        SetVisited();
    }
    int follows = 0;
};

class LinkInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.resize(300, 100);
        link_.move(10, 10);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    QPoint Inside() const { return link_.rect().center(); }
    QPoint Outside() const { return QPoint(link_.width() + 40, link_.height() + 40); }

    QWidget window_;
    CountingLink link_{QStringLiteral("www.trelvane.example"), &window_,
                       QStringLiteral("https://www.trelvane.example/")};
};

TEST_F(LinkInputTest, StartsAsAnUnderlinedHandLinkWithItsAddressAsTooltip) {
    EXPECT_EQ(link_.LinkStyle(), 0x15u);
    EXPECT_TRUE(link_.font().underline());
    EXPECT_EQ(link_.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link_.toolTip(), QStringLiteral("https://www.trelvane.example/"));
    EXPECT_EQ(link_.width(), link_.fontMetrics().size(0, link_.text()).width());
    link_.SetLinkStyle(kLinkNoHandCursor);
    EXPECT_FALSE(link_.font().underline());
    EXPECT_NE(link_.cursor().shape(), Qt::PointingHandCursor);
    link_.SetLinkAddress(QStringLiteral("https://b.example/"));
    EXPECT_EQ(link_.toolTip(), QStringLiteral("https://b.example/"));
}

TEST_F(LinkInputTest, FollowsOnButtonUpUnlessDownClickIsSet) {
    QTest::mousePress(&link_, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(link_.follows, 0);
    QTest::mouseRelease(&link_, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(link_.follows, 1);

    link_.SetLinkStyle(kLinkDefaultStyle | kLinkDownClick);
    QTest::mousePress(&link_, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(link_.follows, 2);
    QTest::mouseRelease(&link_, Qt::LeftButton, {}, Inside());
    EXPECT_EQ(link_.follows, 2);
}

TEST_F(LinkInputTest, DraggingOffReleasesTheCaptureAndDoesNotFollow) {
    QTest::mouseMove(&link_, Inside());
    EXPECT_TRUE(link_.IsHover());
    EXPECT_EQ(QWidget::mouseGrabber(), &link_);
    QTest::mousePress(&link_, Qt::LeftButton, {}, Inside());
    QTest::mouseMove(&link_, Outside());
    EXPECT_FALSE(link_.IsHover());
    EXPECT_NE(QWidget::mouseGrabber(), &link_);
    QTest::mouseRelease(&link_, Qt::LeftButton, {}, Outside());
    EXPECT_EQ(link_.follows, 0);
}

TEST_F(LinkInputTest, SpaceFollowsAndEnterDoesNot) {
    link_.setFocus();
    QTest::keyClick(&link_, Qt::Key_Return);
    QTest::keyClick(&link_, Qt::Key_Enter);
    EXPECT_EQ(link_.follows, 0);
    QTest::keyClick(&link_, Qt::Key_Space);
    EXPECT_EQ(link_.follows, 1);
}

TEST_F(LinkInputTest, ColourOrderIsHoverActiveVisitedLink) {
    link_.clearFocus();  // the only focusable widget takes the focus when its window shows
    EXPECT_EQ(link_.CurrentColor(), kLinkColor);
    link_.FollowLink();
    EXPECT_EQ(link_.CurrentColor(), kVisitedColor);
    link_.setFocus();
    EXPECT_TRUE(link_.IsActive());
    EXPECT_EQ(link_.CurrentColor(), kActiveColor);
    QTest::mouseMove(&link_, Outside());  // a move from wherever an earlier test left it
    QTest::mouseMove(&link_, Inside());
    EXPECT_TRUE(link_.IsHover());
    EXPECT_EQ(link_.CurrentColor(), kActiveColor);  // hover needs its style bit
    link_.SetLinkStyle(kLinkDefaultStyle | kLinkUseHover);
    EXPECT_EQ(link_.CurrentColor(), kHoverColor);
    // Drawn in that colour, or the readable one of its hue against the window.
    EXPECT_EQ(link_.palette().color(QPalette::WindowText),
              ReadableOn(kHoverColor, link_.palette().color(QPalette::Window)));
    link_.SetLinkStyle(kLinkDefaultStyle | kLinkNoActiveColor);
    EXPECT_EQ(link_.CurrentColor(), kVisitedColor);
    link_.clearFocus();
    EXPECT_FALSE(link_.IsActive());
    EXPECT_FALSE(link_.IsHover());
}

// In a light and a dark palette every link colour reads at 4.5:1 at least and keeps its hue;
// a colour that already reads is left as it is.
TEST(LinkColours, StayReadableAndKeepTheirHueInAnyPalette) {
    for (const QColor& window :
         {QColor(239, 239, 239), QColor(53, 53, 53), QColor(30, 30, 30), QColor(Qt::white)}) {
        for (const QColor& colour : {kLinkColor, kVisitedColor, kActiveColor, kHoverColor}) {
            const QColor shown = ReadableOn(colour, window);
            EXPECT_GE(ContrastRatio(shown, window), 4.5)
                << window.name().toStdString() << " " << colour.name().toStdString();
            EXPECT_NEAR(shown.toHsl().hslHueF(), colour.toHsl().hslHueF(), 0.01);
        }
    }
    EXPECT_EQ(ReadableOn(kLinkColor, Qt::white), kLinkColor);
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

}  // namespace
}  // namespace clipwright
