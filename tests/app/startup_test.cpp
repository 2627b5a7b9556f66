// The way to the first window: neither the FFmpeg libraries nor libmpv may be loaded before the
// main window is on screen, and libmpv not after it either until the preview needs it. This
// program links no FFmpeg library of its own, so any found mapped came in through the
// application's libraries.
#include <gtest/gtest.h>

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/media_runtime.h"
#include "shell/app_icon.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"
#include "test_folder.h"

namespace clipwright {
namespace {

// Whether a library whose file name starts with name is mapped into this process.
bool IsMapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const size_t slash = line.rfind('/');
        if (slash != std::string::npos && line.compare(slash + 1, name.size(), name) == 0) {
            return true;
        }
    }
    return false;
}

// What was true when the window's first expose arrived, before the application handled it.
class ExposeRecorder : public QObject {
public:
    explicit ExposeRecorder(const CTrelvaneApp& app) : app_(app) {}

    bool exposed = false;
    bool mpvMapped = false;
    bool ffmpegMapped = false;
    bool readStarted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !exposed) {
            exposed = true;
            mpvMapped = IsMapped("libmpv");
            // libmpv brings FFmpeg too, so they are looked for before its read may start.
            ffmpegMapped = IsMapped("libavcodec") || IsMapped("libavformat") ||
                           IsMapped("libavutil") || IsMapped("libswscale");
            readStarted = app_.RuntimeVersionReadStarted();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const CTrelvaneApp& app_;
};

bool RuntimeVersionRead(const CTrelvaneApp& app) {
    const RuntimeVersion version = app.Values().mediaRuntime;
    return version.major != kRequiredMediaRuntime.major ||
           version.minor != kRequiredMediaRuntime.minor;
}

TEST(Startup, TheWindowComesUpWithoutFfmpegOrLibmpv) {
    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(app.RuntimeVersionReadStarted()) << "nothing is read before the window is up";
    ExposeRecorder recorder(app);
    ASSERT_NE(app.Frame()->windowHandle(), nullptr);
    app.Frame()->windowHandle()->installEventFilter(&recorder);

    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.Frame()));
    ASSERT_TRUE(recorder.exposed);
    EXPECT_FALSE(recorder.readStarted);
    EXPECT_FALSE(recorder.mpvMapped);
    EXPECT_FALSE(recorder.ffmpegMapped);

    // The version is still read, once the window is up, and the tip follows it; a child of
    // ours loads libmpv for it, so the idle window never carries it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.RuntimeVersionReadStarted(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return RuntimeVersionRead(app); }, 30000));
    EXPECT_FALSE(IsMapped("libmpv"));
    const RuntimeVersion asked = app.Values().mediaRuntime;
    const RuntimeVersion here = ReadMediaRuntimeVersion();
    EXPECT_EQ(asked.major, here.major);
    EXPECT_EQ(asked.minor, here.minor);
}

// An icon theme with the application's icon, 48 pixels of one colour, made current for a test.
class IconThemeTest : public ::testing::Test {
protected:
    static constexpr QRgb kThemeColour = qRgb(255, 0, 255);

    void SetUp() override {
        savedPaths_ = QIcon::themeSearchPaths();
        savedName_ = QIcon::themeName();
        const std::string theme = folder_.path() + "cwtest/";
        std::filesystem::create_directories(theme + "48x48/apps");
        folder_.Write("cwtest/index.theme",
                      "[Icon Theme]\nName=cwtest\nDirectories=48x48/apps\n\n"
                      "[48x48/apps]\nSize=48\nType=Fixed\n");
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(kThemeColour);
        ASSERT_TRUE(
            image.save(QString::fromStdString(theme + "48x48/apps/" + kApplicationId + ".png")));
        QIcon::setThemeSearchPaths({QString::fromStdString(folder_.path())});
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedName_);
    }

    static QRgb CentreOf(const QIcon& icon) {
        return icon.pixmap(QSize(48, 48)).toImage().pixel(24, 24);
    }

    testing::TestFolder folder_;
    QStringList savedPaths_;
    QString savedName_;
};

// The theme is looked at only once the window is up, and its icon then replaces the built-in one.
TEST_F(IconThemeTest, TheThemesIconFollowsTheFirstExpose) {
    QIcon::setThemeName(QStringLiteral("cwtest"));
    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_NE(CentreOf(app.Frame()->windowIcon()), kThemeColour);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.Frame()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.RuntimeVersionReadStarted(); }));
    EXPECT_EQ(CentreOf(app.Frame()->windowIcon()), kThemeColour);
}

TEST_F(IconThemeTest, WithoutTheThemesIconTheBuiltInOneStays) {
    QIcon::setThemeName(QStringLiteral("no-such-theme"));
    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    const QRgb builtIn = CentreOf(app.Frame()->windowIcon());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.Frame()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.RuntimeVersionReadStarted(); }));
    EXPECT_EQ(CentreOf(app.Frame()->windowIcon()), builtIn);
    EXPECT_EQ(app.Frame()->windowIcon().pixmap(QSize(256, 256)).size(), QSize(256, 256));
}

}  // namespace
}  // namespace clipwright
