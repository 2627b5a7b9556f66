// The one main of every Qt test program: a QApplication on the offscreen platform, and a home
// and settings folder of the run's own, so no test reads or writes the user's. Built with
// CLIPWRIGHT_GUI_TEST_MAIN for the programs that link the widgets, it also fails a test that
// reaches a message box or file dialog without a queued answer, which would otherwise stay up
// until CTest's time limit.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/c_locale.h"

#ifdef CLIPWRIGHT_GUI_TEST_MAIN
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace {

void FailUnansweredDialogs() {
    clipwright::SetUnansweredMessageHandler([](const std::string& text) {
        ADD_FAILURE() << "a message box had no queued answer: " << text;
        return clipwright::kAnswerCancel;
    });
    clipwright::SetUnansweredDialogHandler([](const char* dialog) {
        ADD_FAILURE() << "a " << dialog << " dialog had no queued answer";
    });
}

}  // namespace
#endif

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string home = (std::filesystem::temp_directory_path() / "cw-qt-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr) {
        return 2;
    }
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    int result = 0;
    {
        QApplication app(argc, argv);
        // As the program's main does: the application object took the environment's locale.
        clipwright::UseCNumericLocale();
        testing::InitGoogleTest(&argc, argv);
#ifdef CLIPWRIGHT_GUI_TEST_MAIN
        FailUnansweredDialogs();
#endif
        result = RUN_ALL_TESTS();
    }
    std::filesystem::remove_all(home);
    return result;
}
