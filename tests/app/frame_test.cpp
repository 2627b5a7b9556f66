#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app_test_support.h"
#include "mainwnd/form_control_ids.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"

namespace clipwright {
namespace {

using namespace testing;

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { ResetShell(); }

    // Start-up as the program does it, on the settings file the test wrote.
    std::unique_ptr<CTrelvaneApp> Start() {
        auto app = std::make_unique<CTrelvaneApp>();
        EXPECT_TRUE(app->InitInstance());
        return app;
    }

    static QStringList MenuTexts(QMenuBar* bar) {
        QStringList texts;
        for (QAction* item : MenuActions(bar)) {
            texts << item->text();
        }
        return texts;
    }

    static QList<QAction*> MenuActions(QMenuBar* bar) {
        QList<QAction*> actions;
        for (QAction* top : bar->actions()) {
            for (QAction* item : top->menu()->actions()) {
                if (!item->isSeparator()) {
                    actions << item;
                }
            }
        }
        return actions;
    }
};

TEST_F(FrameTest, StartsWithAnEmptySettingsFile) {
    WriteConfig("");
    auto app = Start();
    EXPECT_FALSE(app->Values().tipsHidden);
    EXPECT_EQ(app->Values().currentLanguage, kEnglishUs);  // the desktop's, not stored
    EXPECT_EQ(ReadConfig().find("Language"), std::string::npos);
    CMainFrame* frame = app->Frame();
    EXPECT_EQ(frame->size(), QSize(kFrameWidth, kFrameHeight));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(frame->windowTitle(), "Clipwright");
    EXPECT_TRUE(frame->Action(kFirstLanguageCommand)->isChecked());
}

TEST_F(FrameTest, ValuesOfTheWrongTypeCountAsAbsent) {
    WriteConfig("\"HiddenToolTips\"=dword:00000001\n\"Language\"=\"1031\"\n");
    auto app = Start();
    EXPECT_FALSE(app->Values().tipsHidden);
    EXPECT_EQ(app->Values().currentLanguage, kEnglishUs);
}

TEST_F(FrameTest, AFullSettingsFileIsApplied) {
    WriteConfig(
        "\"HiddenToolTips\"=\"tRuE\"\n\"Language\"=dword:00000409\n\"OutputPath\"=\"/tmp/\"\n");
    auto app = Start();
    EXPECT_TRUE(app->Values().tipsHidden);
    EXPECT_EQ(app->Values().currentLanguage, 1033);
    EXPECT_EQ(app->Frame()->View()->OutputFolderMember(), "/tmp/");
    EXPECT_TRUE(app->Frame()->Action(kFirstLanguageCommand)->isChecked());
}

TEST_F(FrameTest, OnlyTrueInAnyCaseHidesTheTips) {
    WriteConfig("\"HiddenToolTips\"=\"1\"\n");
    auto app = Start();
    EXPECT_FALSE(app->Values().tipsHidden);
}

TEST_F(FrameTest, MenuWithoutDocumentCommandsAndHiddenTypes) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    CMainFrame* frame = app->Frame();
    const QStringList texts = MenuTexts(frame->menuBar());
    EXPECT_EQ(frame->menuBar()->actions().size(), 7);
    const QList<QAction*> shown = MenuActions(frame->menuBar());
    for (const int gone : {kCmdNew, kCmdOpen, kCmdSave, kCmdSaveAs, 32721, 32733, 32722, 32723,
                           32730, 32719, 32720}) {
        EXPECT_FALSE(shown.contains(frame->Action(gone))) << gone;
    }
    // Four target types stay: DVD, VCD, SVCD and DV.
    EXPECT_TRUE(shown.contains(frame->Action(32725)));
    EXPECT_TRUE(texts.contains("&English"));
    EXPECT_TRUE(texts.contains("&About Clipwright ..."));
    EXPECT_FALSE(shown.contains(frame->Action(kFirstLanguageCommand + 1)));  // English only
}

// The Source Format and Target Format entries only list what can be converted: clicking one
// keeps its check mark and changes nothing else.
TEST_F(FrameTest, FormatEntriesKeepTheirMarksWhenClicked) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    CMainFrame* frame = app->Frame();
    int clicked = 0;
    for (QAction* action : MenuActions(frame->menuBar())) {
        const int command = action->data().toInt();
        if (command < 32701 || command > 32733 || !action->isChecked()) {
            continue;
        }
        action->trigger();  // as a click on the entry does
        EXPECT_TRUE(action->isChecked()) << command;
        ++clicked;
    }
    EXPECT_GE(clicked, 10);
    EXPECT_EQ(frame->View()->RowCount(), 0);
}

TEST_F(FrameTest, ToolbarLabelsPromptsAndEnabling) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    CMainFrame* frame = app->Frame();
    QStringList labels;
    QAction* preview = nullptr;  // the button the user sees
    for (QAction* action : frame->Toolbar()->actions()) {
        if (!action->isSeparator()) {
            labels << action->iconText();
        }
        preview = action->iconText() == "Preview" ? action : preview;
    }
    EXPECT_EQ(labels, (QStringList{"Add", "Remove", "Remove All", "Move Up", "Move Down", "Preview",
                                   "Convert", "Exit"}));
    EXPECT_EQ(frame->Toolbar()->iconSize(), QSize(48, 48));
    EXPECT_FALSE(frame->Toolbar()->isMovable());
    EXPECT_TRUE(frame->Action(kCmdAdd)->isEnabled());
    EXPECT_FALSE(frame->Action(kCmdConvert)->isEnabled());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isEnabled());
    EXPECT_FALSE(frame->Action(kCmdAdd)->statusTip().isEmpty());
    AddRow(*frame->View(), MakeItem("/v/a.avi", 10));
    EXPECT_TRUE(frame->Action(kCmdConvert)->isEnabled());
    EXPECT_TRUE(preview->isEnabled());
    EXPECT_FALSE(frame->Action(kCmdMoveUp)->isEnabled());
    // Delete removes the selected rows, as Remove does, and Remove's tooltip names the key.
    EXPECT_EQ(frame->Action(kCmdRemove)->toolTip(), "Remove (Del)");
    frame->show();
    QApplication::setActiveWindow(frame);
    QTreeWidget* list = frame->View()->List().Control();
    frame->View()->List().SelectOnlyLast();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(frame->View()->RowCount(), 0);
}

TEST_F(FrameTest, TheMediaRuntimeTipFollowsTheVersionReadAfterTheWindowIsUp) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    const QWidget* tip = app->Frame()->View()->Form().Control(kTipLabelId);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(tip->isVisible());
    while (app->Values().mediaRuntime.major == kRequiredMediaRuntime.major &&
           app->Values().mediaRuntime.minor == kRequiredMediaRuntime.minor) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);  // the reader's answer
    }
    EXPECT_GE(app->Values().mediaRuntime.major, 2);  // the installed libmpv
    EXPECT_FALSE(tip->isVisible());
    app->Values().mediaRuntime = RuntimeVersion{1, 106};
    app->Frame()->View()->UpdateRuntimeTip();
    EXPECT_TRUE(tip->isVisible());
}

TEST_F(FrameTest, EveryWayOfClosingAsksFirst) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    CMainFrame* frame = app->Frame();
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    SetNextMessageAnswer(kAnswerCancel);
    frame->RunCommand(kCmdExit);
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"Thanks for using Clipwright. Sure to exit?"});
    EXPECT_TRUE(frame->isVisible());
    SetNextMessageAnswer(kAnswerCancel);
    QTest::keyClick(frame->windowHandle(), Qt::Key_N, Qt::ControlModifier);  // New asks too
    EXPECT_EQ(TakeMessageTexts().size(), 1u);
    EXPECT_EQ(frame->windowTitle(), "Clipwright");
    EXPECT_TRUE(frame->isVisible());
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(FrameTest, ChoosingEnglishStoresItAndKeepsTheList) {
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    auto app = Start();
    CMainFrame* frame = app->Frame();
    AddRow(*frame->View(), MakeItem("/v/a.avi", 10));
    frame->RunCommand(kFirstLanguageCommand);
    EXPECT_EQ(app->Values().currentLanguage, 1033);
    EXPECT_NE(ReadConfig().find("\"Language\"=dword:00000409"), std::string::npos);
    EXPECT_EQ(frame->View()->RowCount(), 1);  // the re-created view took the rows over
    EXPECT_TRUE(frame->Action(kFirstLanguageCommand)->isChecked());
    EXPECT_TRUE(TakeMessageTexts().empty());  // English shows no message
}

}  // namespace
}  // namespace clipwright
