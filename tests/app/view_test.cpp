#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <memory>
#include <set>

#include "app_test_support.h"
#include "base/string_ids.h"
#include "base/text_format.h"
#include "dialogs/convert_progress_dialog.h"
#include "dialogs/detect_dialog.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/free_space.h"
#include "mainwnd/form_control_ids.h"
#include "platform/launcher.h"
#include "support/resource_strings.h"
#include "test_folder.h"
#include "ui/file_dialogs.h"

namespace clipwright {
namespace {

using namespace testing;

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { ResetShell(); }
    void TearDown() override { SetLaunchHandler({}); }

    std::unique_ptr<CTrelvaneView> NewView() {
        auto view = std::make_unique<CTrelvaneView>(QuietStartup());
        view->OnInitialUpdate();
        return view;
    }
    std::string Home() { return std::getenv("HOME"); }
};

TEST_F(ViewTest, OutputFolderFromSettingsOrTheDefault) {
    EXPECT_EQ(NewView()->OutputFolderMember(), Home() + "/ConvertedMedia/");
    WriteConfig("\"OutputPath\"=\"" + ConfigFile() + "\"\n");  // a file, not a folder
    EXPECT_EQ(NewView()->OutputFolderMember(), Home() + "/ConvertedMedia/");
    WriteConfig("\"OutputPath\"=\"" + Home() + "/missing/\"\n");
    EXPECT_EQ(NewView()->OutputFolderMember(), Home() + "/ConvertedMedia/");
    WriteConfig("\"OutputPath\"=\"/tmp/\"\n");
    EXPECT_EQ(NewView()->OutputFolderMember(), "/tmp/");
}

TEST_F(ViewTest, FirstUpdateDefaults) {
    auto view = NewView();
    EXPECT_EQ(view->OutputTypeMember(), kTypeDvd);
    EXPECT_EQ(view->TvStandardMember(), kNtsc);
    EXPECT_TRUE(view->TipsHidden());
    EXPECT_TRUE(view->Form().Get<QAbstractButton>(kFirstTypeId + kTypeDvd)->isChecked());
    EXPECT_TRUE(view->Form().Get<QAbstractButton>(kFirstStandardId + kNtsc)->isChecked());
    EXPECT_FALSE(view->Form().Get<QWidget>(kFirstTypeId)->isVisibleTo(view.get()));
    EXPECT_EQ(view->Controls().volume->count(), 20);
    EXPECT_NE(view->Run(), nullptr);
}

TEST_F(ViewTest, CommandEnablingFollowsTheRowCount) {
    auto view = NewView();
    EXPECT_TRUE(view->IsCommandEnabled(kCmdAdd));
    EXPECT_FALSE(view->IsCommandEnabled(kCmdConvert));
    EXPECT_FALSE(view->IsCommandEnabled(kCmdRemoveAll));
    AddRow(*view, MakeItem("/v/a.avi", 10));
    EXPECT_TRUE(view->IsCommandEnabled(kCmdConvert));
    EXPECT_TRUE(view->IsCommandEnabled(kCmdRemove));
    EXPECT_TRUE(view->IsCommandEnabled(kCmdPreview));
    EXPECT_FALSE(view->IsCommandEnabled(kCmdMoveUp));
    AddRow(*view, MakeItem("/v/b.avi", 10));
    EXPECT_TRUE(view->IsCommandEnabled(kCmdMoveUp));
    EXPECT_TRUE(view->IsCommandEnabled(kCmdMoveDown));
}

// A listed file replaced by a FIFO (or a device) would hold the player's open, and with it the
// dialog, until something writes to it: Preview refuses it at once, naming it; a regular file
// still opens the dialog.
TEST_F(ViewTest, PreviewRefusesWhatIsNoLongerARegularFile) {
    const TestFolder dir;
    const std::string fifo = dir.path() + "clip.mpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto view = NewView();
    int dialogs = 0;
    SetModalDialogHandler([&](QDialog&) {
        ++dialogs;
        return static_cast<int>(QDialog::Rejected);
    });
    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        view->OnRemoveAll();
        AddRow(*view, MakeItem(path, 10));
        view->List().SelectOnlyLast();
        SetNextMessageAnswer(kAnswerOk);
        view->RunCommand(kCmdPreview);
        EXPECT_EQ(dialogs, 0) << path;
        EXPECT_EQ(TakeMessageTexts(),
                  std::vector<std::string>{path + " cannot be previewed: it is not a regular file "
                                                  "(it is a FIFO or a device, for example)."});
    }
    const std::string regular = dir.Write("plain.mpg", "not media, but a regular file");
    view->OnRemoveAll();
    AddRow(*view, MakeItem(regular, 10));
    view->List().SelectOnlyLast();
    view->RunCommand(kCmdPreview);
    EXPECT_EQ(dialogs, 1);
}

TEST_F(ViewTest, SavingStopsAtATextOverItsLimit) {
    auto view = NewView();
    // PAL shown without a press (a press is saved at once).
    view->Form().Get<QAbstractButton>(kFirstStandardId + kPal)->setChecked(true);
    view->Form().Get<QLineEdit>(kFolderEditId)->setText(QString(257, QLatin1Char('x')));
    TakeMessageTexts();
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_FALSE(view->UpdateData(true));
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"Please enter no more than 256 characters."});
    EXPECT_EQ(view->TvStandardMember(), kNtsc);  // fields after the folder keep their values
    view->Form().Get<QLineEdit>(kFolderEditId)->setText(QString(256, QLatin1Char('x')));
    EXPECT_TRUE(view->UpdateData(true));
    EXPECT_EQ(view->TvStandardMember(), kPal);
    EXPECT_EQ(view->OutputFolderMember(), std::string(256, 'x'));
}

TEST_F(ViewTest, BrowseAddsTheSlashAndStoresTheFolderEvenWhenCancelled) {
    WriteConfig("\"OutputPath\"=\"/tmp\"\n");
    auto view = NewView();
    EXPECT_EQ(view->OutputFolderMember(), "/tmp");
    SetNextFolder(std::nullopt);
    view->OnBrowse();
    EXPECT_EQ(view->OutputFolderMember(), "/tmp/");
    EXPECT_NE(ReadConfig().find("\"OutputPath\"=\"/tmp/\""), std::string::npos);
    SetNextFolder(QStringLiteral("/var/tmp"));
    view->OnBrowse();
    EXPECT_EQ(view->Form().Get<QLineEdit>(kFolderEditId)->text(), "/var/tmp/");
    EXPECT_NE(ReadConfig().find("\"OutputPath\"=\"/var/tmp/\""), std::string::npos);
}

TEST_F(ViewTest, GoOpensTheFolderAsOneArgument) {
    WriteConfig("\"OutputPath\"=\"/tmp/\"\n");
    auto view = NewView();
    QString program;
    QStringList arguments;
    SetLaunchHandler([&](const QString& p, const QStringList& a) {
        program = p;
        arguments = a;
        return true;
    });
    view->OnGo();
    EXPECT_EQ(program, "xdg-open");
    EXPECT_EQ(arguments, QStringList{"/tmp/"});
}

TEST_F(ViewTest, InformationPaneFollowsTheSelection) {
    auto view = NewView();
    SourceItem unknown = MakeItem("/v/odd.bin", 10);
    unknown.durationText.clear();
    AddRow(*view, unknown);
    view->List().SelectAndFocus(0);
    EXPECT_EQ(view->InfoText(), "odd.bin\r\n\r\nUnknown file format.");
    EXPECT_EQ(view->Form().Get<QPlainTextEdit>(kInfoEditId)->toPlainText(),
              "odd.bin\n\nUnknown file format.");
    // After Remove All the same row index shows the new file.
    view->OnRemoveAll();
    EXPECT_EQ(view->InfoText(), "");
    EXPECT_EQ(view->LastInfoRow(), -1);
    AddRow(*view, MakeItem("/v/new.avi", 10));
    view->List().SelectAndFocus(0);
    EXPECT_EQ(view->InfoText().substr(0, 7), "new.avi");
}

TEST_F(ViewTest, DroppedFilesGoToTheDetectingDialog) {
    auto view = NewView();
    AddRow(*view, MakeItem("/v/a.avi", 10));
    AddRow(*view, MakeItem("/v/b.avi", 10));
    bool detecting = false;
    SetModalDialogHandler([&](QDialog& dialog) {
        detecting = qobject_cast<DetectDialog*>(&dialog) != nullptr;
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnDroppedPaths({"/v/new clip.avi"});
    EXPECT_TRUE(detecting);
    // Nothing was selected, so the last row is now.
    EXPECT_EQ(view->List().SelectedRows(), std::vector<int>{1});
}

TEST_F(ViewTest, TheTipsOpenOnceAndAreThenStoredAsSeen) {
    StartupValues startup;
    startup.tipsHidden = false;
    bool opened = false;
    bool checkedWhileOpen = false;
    auto view = std::make_unique<CTrelvaneView>(startup);
    QObject::connect(view.get(), &CTrelvaneView::TipsShownChanged,
                     [&](bool shown) { checkedWhileOpen = checkedWhileOpen || shown; });
    QEventLoop loop;
    SetModalDialogHandler([&](QDialog& dialog) {
        opened = qobject_cast<CHelpTipsDialog*>(&dialog) != nullptr;
        EXPECT_FALSE(view->TipsHidden());
        loop.quit();
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnInitialUpdate();
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(checkedWhileOpen);
    EXPECT_TRUE(view->TipsHidden());
    EXPECT_TRUE(view->Form().Get<QCheckBox>(kCmdToolTips)->isChecked());
    EXPECT_NE(ReadConfig().find("\"HiddenToolTips\"=\"TRUE\""), std::string::npos);
}

// Files given at the first start are added while the tips come due (a second after the window):
// the detecting dialog finishes first and the tips open after it, not over it, where their loop
// held the add until they were closed.
TEST_F(ViewTest, TheFirstTipsWaitForTheAddToFinish) {
    StartupValues startup;
    startup.tipsHidden = false;
    auto view = std::make_unique<CTrelvaneView>(startup);
    std::vector<std::string> events;
    QEventLoop tipsShown;
    SetModalDialogHandler([&](QDialog& dialog) {
        if (qobject_cast<CHelpTipsDialog*>(&dialog) != nullptr) {
            events.push_back("tips");
            tipsShown.quit();
            return static_cast<int>(QDialog::Accepted);
        }
        EXPECT_NE(qobject_cast<DetectDialog*>(&dialog), nullptr);
        events.push_back("detecting");
        // A slow probe: the dialog stays up past the tips' delay, serving events as exec would.
        QEventLoop detecting;
        QTimer::singleShot(2500, &detecting, &QEventLoop::quit);
        detecting.exec();
        events.push_back("added");
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnInitialUpdate();
    view->AddPaths({"/v/new clip.avi"});
    if (events.size() < 3) {
        QTimer::singleShot(10000, &tipsShown, &QEventLoop::quit);
        tipsShown.exec();
    }
    EXPECT_EQ(events, (std::vector<std::string>{"detecting", "added", "tips"}));
    EXPECT_TRUE(view->TipsHidden());
}

// Selecting a row reloads the form data; the type and standard the user pressed stay, and the
// next conversion uses them.
TEST_F(ViewTest, ThePressedTypeAndStandardSurviveASelection) {
    auto view = NewView();
    AddRow(*view, MakeItem("/v/a.avi", 10));
    AddRow(*view, MakeItem("/v/b.avi", 10));
    view->Form().Get<QAbstractButton>(kFirstTypeId + kTypeVcd)->click();  // VCD
    view->Form().Get<QAbstractButton>(kFirstStandardId + kPal)->click();  // PAL
    view->List().SelectAndFocus(1);
    view->List().SelectAndFocus(0);
    EXPECT_TRUE(view->Form().Get<QAbstractButton>(kFirstTypeId + kTypeVcd)->isChecked());
    EXPECT_TRUE(view->Form().Get<QAbstractButton>(kFirstStandardId + kPal)->isChecked());
    std::optional<ConversionSettings> used;
    SetModalDialogHandler([&](QDialog&) {
        used = view->Settings();
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnConvert();
    ASSERT_TRUE(used.has_value());
    EXPECT_EQ(used->outputType, kTypeVcd);
    EXPECT_EQ(used->tvStandard, kPal);
}

// The list's columns fit it at the template's proportions, with no horizontal scroll bar; Tab
// goes through the controls a user can see.
TEST_F(ViewTest, ColumnsFitAndTabSkipsWhatIsOutOfSight) {
    auto view = NewView();
    view->resize(view->minimumSize() + QSize(17, 14));
    view->show();
    QTreeWidget* list = view->List().Control();
    EXPECT_LE(list->header()->length(), list->viewport()->width());
    EXPECT_GT(list->header()->sectionSize(3), list->header()->sectionSize(0) / 2);
    EXPECT_EQ(view->Form().Get<QWidget>(kVariableBitRateBoxId)->focusPolicy(), Qt::NoFocus);
    // The next stop after the list is the information pane, not a part of the list itself.
    QWidget* next = list->nextInFocusChain();
    while (list->isAncestorOf(next) || (next->focusPolicy() & Qt::TabFocus) == 0) {
        next = next->nextInFocusChain();
    }
    EXPECT_EQ(next, view->Form().Control(kInfoEditId));
    EXPECT_FALSE(list->accessibleName().isEmpty());
    EXPECT_EQ(view->Form().Control(kFolderEditId)->accessibleName(), "Output Path");
}

TEST_F(ViewTest, ConvertMarksEveryRowWaitingAndReplacesTheLastDialog) {
    auto view = NewView();
    AddRow(*view, MakeItem("/v/a.avi", 10));
    AddRow(*view, MakeItem("/v/b.avi", 10));
    std::vector<int32_t> seen;
    SetModalDialogHandler([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<ConvertProgressDialog*>(&dialog), nullptr);
        for (int row = 0; row < view->RowCount(); ++row) {
            seen.push_back(view->ItemOfRow(row)->status);
        }
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnConvert();
    EXPECT_EQ(seen, (std::vector<int32_t>{kWaiting, kWaiting}));
    EXPECT_EQ(view->List().Control()->topLevelItem(1)->text(3), "Waiting");
    const ConvertProgressDialog* first = view->ProgressDialog();
    ASSERT_NE(first, nullptr);
    QPointer<QDialog> watch(view->ProgressDialog());
    view->OnConvert();
    EXPECT_TRUE(watch.isNull());  // the first run's dialog was deleted
    EXPECT_NE(view->ProgressDialog(), nullptr);
}

// A part chosen in the preview is what the row converts, and what it keeps showing through the
// run; a row without one shows its whole length.
TEST_F(ViewTest, RowsKeepShowingThePartTheyConvert) {
    auto view = NewView();
    SourceItem part = MakeItem("/v/a.avi", 10);
    part.selStart = 2;
    part.selEnd = 6;
    AddRow(*view, part);
    AddRow(*view, MakeItem("/v/b.avi", 10));
    const auto shown = [&](int row) {
        return view->List().Control()->topLevelItem(row)->text(2).toStdString();
    };
    std::vector<std::string> during;
    SetModalDialogHandler([&](QDialog&) {
        during = {shown(0), shown(1)};
        return static_cast<int>(QDialog::Accepted);
    });
    view->OnConvert();
    EXPECT_EQ(during, (std::vector<std::string>{"00:00:02-00:00:06", "00:00:00-00:00:10"}));
    EXPECT_EQ(shown(0), "00:00:02-00:00:06");
    EXPECT_EQ(view->List().Control()->topLevelItem(0)->text(3), "Waiting");
}

// When the outputs will not fit, Convert asks first; Cancel leaves the list, the statuses and
// the output folder as they were, and no run starts.
void ExpectCancelLeavesAllAsItWas(CTrelvaneView& view, const std::string& folder) {
    bool started = false;
    SetModalDialogHandler([&](QDialog&) {
        started = true;
        return static_cast<int>(QDialog::Accepted);
    });
    SetNextMessageAnswer(kAnswerCancel);
    view.OnConvert();
    EXPECT_FALSE(started);
    EXPECT_EQ(view.ProgressDialog(), nullptr);
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 30), "The conversion may need up to ");
    EXPECT_NE(texts[0].find(" is free in " + folder + ".\nConvert anyway?"), std::string::npos)
        << texts[0];
    for (int row = 0; row < view.RowCount(); ++row) {
        EXPECT_EQ(view.ItemOfRow(row)->status, kReady);
    }
    EXPECT_EQ(view.List().Control()->topLevelItem(0)->text(3), "Ready");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ViewTest, TooLittleSpaceAsksBeforeTheRunAndCancelChangesNothing) {
    const TestFolder dir;
    auto view = NewView();
    view->Form().Get<QLineEdit>(kFolderEditId)->setText(QString::fromStdString(dir.path()));
    AddRow(*view, MakeItem("/v/a.avi", 10));
    AddRow(*view, MakeItem("/v/b.avi", 10));
    SetFreeSpaceSource([](const std::string&) { return std::optional<uint64_t>(1000000); });
    ExpectCancelLeavesAllAsItWas(*view, dir.path());
    // OK goes on as before.
    bool started = false;
    SetModalDialogHandler([&](QDialog&) {
        started = true;
        return static_cast<int>(QDialog::Accepted);
    });
    SetNextMessageAnswer(kAnswerOk);
    view->OnConvert();
    SetFreeSpaceSource({});
    EXPECT_TRUE(started);
    EXPECT_EQ(view->ItemOfRow(0)->status, kWaiting);
}

// The same on a real file system of one megabyte, where the system lets us mount one.
TEST_F(ViewTest, ASmallRealFileSystemAsksToo) {
    const TestFolder dir;
    const std::string small = dir.path() + "small/";
    const SmallTmpfs disk(small);
    if (disk.WhyNot() != nullptr) {
        GTEST_SKIP() << disk.WhyNot();
    }
    auto view = NewView();
    view->Form().Get<QLineEdit>(kFolderEditId)->setText(QString::fromStdString(small));
    AddRow(*view, MakeItem("/v/a.avi", 10));
    ExpectCancelLeavesAllAsItWas(*view, small);
}

// Probed files reach the list in groups; whatever the grouping, every file is listed after the
// rows already there, in the order given, each row with its own file's name, output and length,
// and the list is usable as soon as the add returns.
TEST_F(ViewTest, TwoHundredAddedFilesAreListedInOrderWithTheirOwnData) {
    auto view = NewView();
    AddRow(*view, MakeItem("/v/first.avi", 10));
    const TestFolder dir;
    SetNextFolder(QString::fromStdString(dir.path() + "out"));
    view->OnBrowse();
    std::vector<std::string> paths;
    for (int i = 0; i < 200; ++i) {
        // Each file lasts a different time (i + 1 s), so a row given another's answer shows.
        char script[160];
        std::snprintf(script, sizeof script,
                      "print   Duration: %02d:%02d:%02d.00, start: 0.000000, bitrate: 64 kb/s\\n"
                      "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25 fps\\n\n",
                      (i + 1) / 3600, (i + 1) / 60 % 60, (i + 1) % 60);
        paths.push_back(dir.Write("clip " + std::to_string(i) + ".avi", script));
    }
    SetEncoderName(FAKE_ENCODER);
    SetModalDialogHandler({});  // the real detecting dialog, closed by its worker
    int changes = 0;
    QObject::connect(view.get(), &CTrelvaneView::CommandStateChanged, [&] { ++changes; });
    view->AddPaths(paths);

    ASSERT_EQ(view->RowCount(), 201);
    QTreeWidget* list = view->List().Control();
    for (int i = 0; i < 200; ++i) {
        const int row = i + 1;
        const SourceItem* item = view->ItemOfRow(row);
        ASSERT_NE(item, nullptr) << row;
        EXPECT_EQ(item->sourcePath, paths[static_cast<size_t>(i)]) << row;
        EXPECT_EQ(item->durationMs, (i + 1) * 1000) << row;
        EXPECT_EQ(item->selEnd, i + 1) << row;
        EXPECT_FALSE(item->videoInfo.empty()) << row;
        const QTreeWidgetItem* shown = list->topLevelItem(row);
        EXPECT_EQ(shown->text(0).toStdString(), DisplayName(*item)) << row;
        EXPECT_EQ(shown->text(1).toStdString(), "clip " + std::to_string(i) + "-cvt.mpg") << row;
        EXPECT_EQ(shown->text(2).toStdString(), "00:00:00-" + FormatHms(i + 1)) << row;
        EXPECT_EQ(shown->text(3), QString::fromStdString(LoadResourceString(kIdsReady))) << row;
    }
    // Every row has an item of its own.
    std::set<const SourceItem*> items;
    for (int row = 0; row < view->RowCount(); ++row) {
        items.insert(view->ItemOfRow(row));
    }
    EXPECT_EQ(items.size(), 201u);
    EXPECT_EQ(view->ItemOfRow(0)->sourcePath, "/v/first.avi");
    EXPECT_GT(changes, 0);
    EXPECT_TRUE(view->IsCommandEnabled(kCmdMoveDown));
}

TEST_F(ViewTest, ARecreatedViewTakesOverChoicesRecordsAndRows) {
    auto old = NewView();
    old->Controls().size->setCurrentIndex(9);
    old->Controls().height->setText(QStringLiteral("470"));
    old->Controls().videoBitrate->setCurrentIndex(7);
    old->Controls().variableBitRate->click();
    old->Controls().maxRate->setText(QStringLiteral("1000"));
    old->Controls().volume->setCurrentIndex(3);
    AddRow(*old, MakeItem("/v/a.avi", 10));
    AddRow(*old, MakeItem("/v/b.avi", 20));
    AddRow(*old, MakeItem("/v/c.avi", 30));
    old->List().Control()->topLevelItem(1)->setSelected(true);
    old->OnRemove();
    old->List().SwapRows(0, 1);
    // Pressed after the last load of the form data, so only the carry-over's save takes them.
    old->Form().Get<QAbstractButton>(kFirstTypeId + kTypeVcd)->click();  // VCD
    old->Form().Get<QAbstractButton>(kFirstStandardId + kNtscFilm)->click();

    auto fresh = NewView();
    fresh->CarryStateFrom(*old);
    EXPECT_EQ(fresh->OutputTypeMember(), kTypeVcd);
    EXPECT_EQ(fresh->TvStandardMember(), kNtscFilm);
    EXPECT_TRUE(fresh->Form().Get<QAbstractButton>(kFirstTypeId + kTypeVcd)->isChecked());
    EXPECT_EQ(fresh->Controls().size->currentIndex(), 9);
    EXPECT_EQ(fresh->Controls().width->text(), "640");
    EXPECT_EQ(fresh->Controls().height->text(), "470");
    EXPECT_EQ(fresh->Controls().videoBitrate->currentIndex(), 7);
    EXPECT_TRUE(fresh->Controls().variableBitRate->isChecked());
    EXPECT_TRUE(fresh->Controls().maxRate->isEnabled());
    EXPECT_EQ(fresh->Controls().maxRate->text(), "1000");
    EXPECT_EQ(fresh->Controls().volume->currentIndex(), 3);
    ASSERT_EQ(fresh->RowCount(), 2);
    EXPECT_EQ(fresh->List().Slots().size(), 3u);
    EXPECT_EQ(fresh->List().Slots()[1], nullptr);
    EXPECT_EQ(fresh->List().SlotOfRow(0), 2);
    EXPECT_EQ(fresh->ItemOfRow(0)->sourcePath, "/v/c.avi");
    EXPECT_EQ(fresh->List().Control()->topLevelItem(0)->text(0), "c.avi");
    EXPECT_NE(fresh->ItemOfRow(0), old->ItemOfRow(0));  // copies, not shared records
}

}  // namespace
}  // namespace clipwright
