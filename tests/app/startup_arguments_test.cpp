// The command line of clipwright: parsed as a function, run as a process without a display, and
// files given at start-up taken through the detecting dialog into the list.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QUrl>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app_test_support.h"
#include "shell/main_frame.h"
#include "shell/startup_arguments.h"
#include "shell/trelvane_app.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using namespace testing;
using Action = StartupArguments::Action;

StartupArguments Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("clipwright"));
    return ParseStartupArguments(arguments);
}

TEST(StartupArguments, FilesArePathsOrFileUrisMadeAbsolute) {
    const QString cwd = QDir::currentPath();
    const StartupArguments parsed =
        Parse({QStringLiteral("clip one.avi"), QStringLiteral("/tmp//b.mp4"),
               QUrl::fromLocalFile(QStringLiteral("/tmp/with space#.mkv")).toString(),
               QStringLiteral("file:///tmp/%C3%BC.ogg"), QStringLiteral("--"),
               QStringLiteral("-dash.avi")});
    ASSERT_EQ(parsed.action, Action::kRun) << parsed.text.toStdString();
    const std::vector<std::string> expected = {
        (cwd + QStringLiteral("/clip one.avi")).toStdString(), "/tmp/b.mp4", "/tmp/with space#.mkv",
        "/tmp/\xc3\xbc.ogg", (cwd + QStringLiteral("/-dash.avi")).toStdString()};
    EXPECT_EQ(parsed.files, expected);
    EXPECT_TRUE(Parse({}).files.empty());
}

// A path is taken as the kernel opens it: "link/../x" is the x beside the link's target, not the
// x beside the link; the last name is kept, even when it is a link itself.
TEST(StartupArguments, PathsAreResolvedAsTheKernelOpensThem) {
    const TestFolder dir;
    const std::string root = QDir(QString::fromStdString(dir.path())).canonicalPath().toStdString();
    std::filesystem::create_directories(root + "/real/sub");
    std::filesystem::create_directory_symlink(root + "/real/sub", root + "/link");
    dir.Write("real/x.avi", "the file the kernel opens");
    dir.Write("x.avi", "the file the text seems to name");
    std::filesystem::create_symlink(root + "/real/x.avi", root + "/named.avi");
    const StartupArguments parsed =
        Parse({QString::fromStdString(root + "/link/../x.avi"),
               QString::fromStdString(root + "/./link/.././../named.avi"),
               QString::fromStdString(root + "/gone/../x.avi")});
    ASSERT_EQ(parsed.action, Action::kRun) << parsed.text.toStdString();
    ASSERT_EQ(parsed.files.size(), 3u);
    EXPECT_EQ(parsed.files[0], root + "/real/x.avi");
    EXPECT_EQ(TestFolder::Read(parsed.files[0]), "the file the kernel opens");
    EXPECT_EQ(parsed.files[1], root + "/named.avi");
    EXPECT_EQ(parsed.files[2], root + "/gone/../x.avi") << "what the kernel cannot open stays";
}

// file://localhost/ is this computer; another host is refused by name. Names that are not UTF-8
// keep their bytes, given as they are or %-escaped in an address.
TEST(StartupArguments, LocalHostsAndBytesOfAnyEncoding) {
    const StartupArguments local = Parse({QStringLiteral("file://localhost/tmp/a%20b.avi"),
                                          QStringLiteral("file://LocalHost/tmp/c.avi"),
                                          QStringLiteral("file:///tmp/caf%E9.avi")});
    ASSERT_EQ(local.action, Action::kRun) << local.text.toStdString();
    EXPECT_EQ(local.files,
              (std::vector<std::string>{"/tmp/a b.avi", "/tmp/c.avi", "/tmp/caf\xe9.avi"}));

    const StartupArguments remote = Parse({QStringLiteral("file://otherhost/tmp/x.avi")});
    EXPECT_EQ(remote.action, Action::kError);
    EXPECT_EQ(remote.exitCode, 2);
    EXPECT_TRUE(remote.text.contains(QStringLiteral("another computer (otherhost)")))
        << remote.text.toStdString();

    const QByteArray latin1("/tmp/caf\xe9 \xff.avi");
    const std::vector<QByteArray> raw = {"clipwright", "-platform", "offscreen", latin1, "/tmp/b"};
    QStringList text;
    for (const QByteArray& argument : raw) {
        text.append(QString::fromLocal8Bit(argument));
    }
    const StartupArguments bytes = ParseStartupArguments(text, raw);
    ASSERT_EQ(bytes.action, Action::kRun) << bytes.text.toStdString();
    EXPECT_EQ(bytes.files, (std::vector<std::string>{latin1.toStdString(), "/tmp/b"}));
}

TEST(StartupArguments, HelpAndVersionEndTheProgramWithSuccess) {
    for (const char* flag : {"--help", "-h"}) {
        const StartupArguments parsed = Parse({QString::fromLatin1(flag), QStringLiteral("a.avi")});
        EXPECT_EQ(parsed.action, Action::kHelp) << flag;
        EXPECT_EQ(parsed.exitCode, 0);
        EXPECT_TRUE(parsed.text.startsWith(QStringLiteral("Usage: clipwright"))) << flag;
    }
    for (const char* flag : {"--version", "-v"}) {
        const StartupArguments parsed = Parse({QString::fromLatin1(flag)});
        EXPECT_EQ(parsed.action, Action::kVersion) << flag;
        EXPECT_EQ(parsed.exitCode, 0);
        EXPECT_EQ(parsed.text, QStringLiteral("clipwright " CLIPWRIGHT_VERSION "\n"));
    }
}

TEST(StartupArguments, WrongCommandLinesAreErrorsWithStatusTwo) {
    const StartupArguments unknown = Parse({QStringLiteral("--frobnicate"), QStringLiteral("a")});
    EXPECT_EQ(unknown.action, Action::kError);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.text.contains(QStringLiteral("frobnicate"))) << unknown.text.toStdString();
    EXPECT_TRUE(unknown.files.empty());
    // Another kind of address is no file this program can open.
    const StartupArguments remote = Parse({QStringLiteral("https://example.org/a.mp4")});
    EXPECT_EQ(remote.action, Action::kError);
    EXPECT_EQ(remote.exitCode, 2);
    EXPECT_TRUE(remote.text.contains(QStringLiteral("https://example.org/a.mp4")));
    EXPECT_EQ(Parse({QStringLiteral("--style")}).action, Action::kError) << "missing value";
}

TEST(StartupArguments, QtWindowSystemOptionsAreLeftToQt) {
    const StartupArguments parsed =
        Parse({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-reverse"),
               QStringLiteral("/tmp/x.avi")});
    ASSERT_EQ(parsed.action, Action::kRun) << parsed.text.toStdString();
    EXPECT_EQ(parsed.files, std::vector<std::string>{"/tmp/x.avi"});
}

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The real program with no display of any kind: no X11, no Wayland, no Qt platform chosen.
ProcessResult RunWithoutDisplay(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CLIPWRIGHT), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(StartupArgumentsProcess, HelpVersionAndErrorsNeedNoDisplay) {
    const ProcessResult help = RunWithoutDisplay({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith("Usage: clipwright")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const ProcessResult version = RunWithoutDisplay({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QByteArray("clipwright " CLIPWRIGHT_VERSION "\n"));

    // Help that could not be written (standard output closed) is no success.
    const std::string closed = std::string("'") + CLIPWRIGHT + "' --help >&- 2>/dev/null";
    const int closedStatus = std::system(closed.c_str());
    EXPECT_TRUE(WIFEXITED(closedStatus) && WEXITSTATUS(closedStatus) == 1) << closedStatus;

    const ProcessResult unknown = RunWithoutDisplay({QStringLiteral("--bogus")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.contains("bogus")) << unknown.err.toStdString();
}

TEST(StartupFiles, ReachTheDetectingDialogAndTheList) {
    ResetShell();
    SetModalDialogHandler({});  // the real detecting dialog, closed by its worker
    SetEncoderName(TRELCORE);
    const TestFolder dir;
    const std::string clip = dir.path() + "start up.avi";
    const std::string command = std::string(CLIPGEN) + " '" + clip +
                                "' --duration 1 --size 160x120 --vcodec mpeg4 --acodec mp2";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string junk = dir.path() + "not media.avi";
    std::ofstream(junk) << "no media in here";

    // A name that is not UTF-8, as the process gets it: bytes.
    const std::string latin1 = dir.path() + "caf\xe9.avi";
    std::filesystem::copy_file(clip, latin1);

    const QString uri = QUrl::fromLocalFile(QString::fromStdString(clip)).toString();
    const std::vector<QByteArray> raw = {"clipwright", uri.toUtf8(),
                                         QByteArray::fromStdString(junk),
                                         QByteArray::fromStdString(latin1)};
    QStringList text;
    for (const QByteArray& argument : raw) {
        text.append(QString::fromLocal8Bit(argument));
    }
    const StartupArguments parsed = ParseStartupArguments(text, raw);
    ASSERT_EQ(parsed.action, Action::kRun);

    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    app.OpenFilesWhenShown(parsed.files);
    CTrelvaneView* const view = app.Frame()->View();
    EXPECT_EQ(view->RowCount(), 0) << "nothing is added before the event loop runs";
    SetNextMessageAnswer(kAnswerOk);  // the failure summary
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    ASSERT_EQ(view->RowCount(), 2);
    EXPECT_EQ(view->ItemOfRow(0)->sourcePath, clip);
    EXPECT_EQ(view->ItemOfRow(1)->sourcePath, latin1);
    const std::vector<std::string> messages = TakeMessageTexts();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find(junk), std::string::npos) << messages[0];
    EXPECT_EQ(messages[0].find(clip), std::string::npos) << messages[0];
}

// Taskbars match the window to the installed desktop entry and show the same icon.
TEST(StartupFiles, TheWindowCarriesTheApplicationIconAndEntryName) {
    ResetShell();
    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("com.trelvane.Clipwright"));
    const QIcon icon = app.Frame()->windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(QSize(64, 64)).size(), QSize(64, 64));
    // The large size follows once the window is up.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.Frame()));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return app.Frame()->windowIcon().pixmap(QSize(256, 256)).size() == QSize(256, 256);
    }));
}

}  // namespace
}  // namespace clipwright
