// In German, every window and message the widget tests open is walked for English: each text a
// widget shows (labels, buttons, group titles, menus, tooltips, list heads and rows, combo-box
// entries, the information pane) and each message is matched against the English lines of the
// built-in catalog (but for the few words German shares) and against Qt's own English words.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <cstdlib>
#include <functional>
#include <set>
#include <thread>

#include "app_test_support.h"
#include "base/string_ids.h"
#include "dialogs/about_dialog.h"
#include "dialogs/convert_progress_dialog.h"
#include "dialogs/detect_dialog.h"
#include "dialogs/disc_dialog.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/child_io.h"
#include "engine/encoder_run.h"
#include "engine/free_space.h"
#include "platform/mpv_graph.h"
#include "preview/preview_dlg.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"
#include "support/resource_strings.h"
#include "test_folder.h"
#include "ui/file_dialogs.h"

namespace clipwright {
namespace {

using namespace testing;

// A shown line as the matching sees it: no accelerator marks, no shortcut after a tab, trimmed.
QString Normal(QString line) {
    line = line.section(QLatin1Char('\t'), 0, 0);
    line.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    line.remove(QLatin1Char('&'));
    return line.trimmed();
}

QStringList Lines(const QString& text) {
    QStringList lines;
    for (const QString& line : QString(text)
                                   .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                   .split(QLatin1Char('\n'))) {
        const QString normal = Normal(line);
        if (!normal.isEmpty()) {
            lines << normal;
        }
    }
    return lines;
}

// The <source> or <translation> texts of a catalog, line by line.
std::set<QString> CatalogLines(const char* path, const QString& element) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    QXmlStreamReader xml(&file);
    std::set<QString> lines;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) {
            for (const QString& line : Lines(xml.readElementText())) {
                lines.insert(line);
            }
        }
    }
    return lines;
}

class KnownEnglish {
public:
    KnownEnglish() {
        // Words German writes as English does: names, units and loanwords.
        const std::set<QString> shared{
            "Audio", "Balance", "Bitrate:", "Clipwright ( tm )", "Download",
            "Format:", "Information", "Max", "Max:", "Min", "Min:", "NTSC-Film", "Pause", "Slider1",
            "Slider2", "Status", "Trelvane Audio Converter", "Trelvane DVD Creator",
            "Trelvane Screen Recorder", "Trelvane Video Joiner", "Trelvane Video Splitter",
            "Version %d.%d.%d", "Version 0.0.0", "Video", "https://www.trelvane.example/", "Start",
            // The English entry of the language menu names its language as its speakers do.
            "English"};
        for (const QString& line : CatalogLines(ENGLISH_CATALOG, QStringLiteral("source"))) {
            // Short marks and numbers ("OK", "DVD", "%d") say nothing of the language.
            if (shared.contains(line) || line.size() < 3 ||
                !line.contains(QRegularExpression(QStringLiteral("[a-z]")))) {
                continue;
            }
            if (line.contains(QLatin1Char('%'))) {
                // Each placeholder matches anything; the words around it must match exactly.
                QStringList pieces;
                for (const QString& piece :
                     line.split(QRegularExpression(QStringLiteral("%[-+ #0-9.]*[a-z]+")))) {
                    pieces << QRegularExpression::escape(piece);
                }
                patterns_.emplace_back(
                    QRegularExpression::anchoredPattern(pieces.join(QStringLiteral(".*"))));
            } else {
                exact_.insert(line);
            }
        }
        // The About command and box carry the product's English name in every language.
        exact_.erase(QStringLiteral("About Clipwright ..."));
        // Qt's own buttons, file dialog and message-box words.
        for (const char* word : {"Cancel", "Yes", "No", "Open", "Save", "Close",
                                 "Look in:", "File name:", "Files of type:", "Size", "Type",
                                 "Date Modified", "Back", "Forward", "Parent Directory",
                                 "Create New Folder", "List View", "Detail View", "Computer"}) {
            exact_.insert(QString::fromLatin1(word));
        }
    }

    // The lines of text that are known English.
    QStringList In(const QString& text) const {
        QStringList found;
        for (const QString& line : Lines(text)) {
            if (line.startsWith(QLatin1String("About Clipwright"))) {
                continue;  // bound to the product name in every language, as the box's title
            }
            if (exact_.contains(line)) {
                found << line;
                continue;
            }
            for (const QRegularExpression& pattern : patterns_) {
                if (pattern.match(line).hasMatch()) {
                    found << line;
                    break;
                }
            }
        }
        return found;
    }

    size_t Size() const { return exact_.size() + patterns_.size(); }

private:
    std::set<QString> exact_;
    std::vector<QRegularExpression> patterns_;
};

void AddMenu(QStringList& texts, const QList<QAction*>& actions) {
    for (const QAction* action : actions) {
        texts << action->text() << action->toolTip() << action->statusTip() << action->iconText();
        if (action->menu() != nullptr) {
            AddMenu(texts, action->menu()->actions());
        }
    }
}

void AddTree(QStringList& texts, const QTreeWidget& tree) {
    const QTreeWidgetItem* head = tree.headerItem();
    for (int column = 0; column < tree.columnCount(); ++column) {
        texts << head->text(column);
    }
    for (int row = 0; row < tree.topLevelItemCount(); ++row) {
        for (int column = 0; column < tree.columnCount(); ++column) {
            texts << tree.topLevelItem(row)->text(column);
        }
    }
}

// Every text the window and its visible children show, tooltips included.
QStringList ShownTexts(QWidget& window) {
    QStringList texts{window.windowTitle()};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget != &window && !widget->isVisibleTo(&window)) {
            continue;
        }
        texts << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            texts << group->title();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        } else if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
            texts << edit->toPlainText();
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
            texts << plain->toPlainText();
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            texts << line->placeholderText();
        } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
            AddTree(texts, *tree);
        } else if (auto* menuBar = qobject_cast<QMenuBar*>(widget)) {
            AddMenu(texts, menuBar->actions());
        } else if (auto* toolbar = qobject_cast<QToolBar*>(widget)) {
            AddMenu(texts, toolbar->actions());
        }
    }
    return texts;
}

class UntranslatedTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShell();
        originalMessageHandler_ = SetUnansweredMessageHandler({});
        SetUnansweredMessageHandler(originalMessageHandler_);
        originalDialogHandler_ = SetUnansweredDialogHandler({});
        SetUnansweredDialogHandler(originalDialogHandler_);
        SetLanguageDirectory(folder_.path());
        std::filesystem::copy_file(GERMAN_LIBRARY, folder_.path() + "LanResDeuDll.so");
        WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000407\n");
        app_ = std::make_unique<CTrelvaneApp>();
        ASSERT_TRUE(app_->InitInstance());
        ASSERT_EQ(CurrentLanguage(), 1031);
        ASSERT_GT(known_.Size(), 100u);
    }
    void TearDown() override {
        app_.reset();
        SetUnansweredMessageHandler(originalMessageHandler_);
        SetUnansweredDialogHandler(originalDialogHandler_);
        SetModalDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
        SetLanguage(kEnglishUs);
        SetLanguageDirectory({});
        SetEncoderName(kEncoderName);
    }

    void Check(const QString& where, const QStringList& texts) {
        ++checked_;
        for (const QString& text : texts) {
            const QStringList english = known_.In(text);
            EXPECT_TRUE(english.isEmpty())
                << where.toStdString() << ": " << english.join(QStringLiteral(" | ")).toStdString();
        }
    }
    void Check(const QString& where, QWidget& window) { Check(where, ShownTexts(window)); }
    void CheckMessages(const QString& where, size_t expected) {
        const std::vector<std::string> messages = TakeMessageTexts();
        EXPECT_EQ(messages.size(), expected) << where.toStdString();
        QStringList texts;
        for (const std::string& message : messages) {
            texts << QString::fromStdString(message);
        }
        Check(where, texts);
    }

    // Runs open, which shows a modal window (a real one: no test answer is queued), walks that
    // window once it is up and closes it.
    void CheckModal(const QString& where, const std::function<void()>& open) {
        SetUnansweredMessageHandler({});
        SetUnansweredDialogHandler({});
        bool walked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible() || walked) {
                return;
            }
            walked = true;
            Check(where, *modal);
            modal->close();
        });
        poll.start(20);
        open();
        EXPECT_TRUE(walked) << where.toStdString();
        SetUnansweredMessageHandler(originalMessageHandler_);
        SetUnansweredDialogHandler(originalDialogHandler_);
    }

    CMainFrame& Frame() { return *app_->Frame(); }
    CTrelvaneView& View() { return *app_->Frame()->View(); }

    TestFolder folder_;
    KnownEnglish known_;
    std::unique_ptr<CTrelvaneApp> app_;
    int checked_ = 0;
    UnansweredMessageHandler originalMessageHandler_;
    UnansweredDialogHandler originalDialogHandler_;
};

TEST_F(UntranslatedTextTest, TheWalkFindsEnglishWhereThereIsSome) {
    // The walk itself: an English text of ours and Qt's are found, a German one is not.
    EXPECT_EQ(known_.In(QStringLiteral("Remove All")), QStringList{"Remove All"});
    EXPECT_EQ(
        known_.In(QStringLiteral("The encoder program x is missing, so no file can be added."))
            .size(),
        1);
    EXPECT_EQ(known_.In(QStringLiteral("&Cancel")), QStringList{"Cancel"});
    EXPECT_TRUE(known_.In(QString::fromUtf8("Alle entfernen")).isEmpty());
    QLabel label(QStringLiteral("Duration:"));
    EXPECT_EQ(known_.In(ShownTexts(label).join(QLatin1Char('\n'))), QStringList{"Duration:"});
}

TEST_F(UntranslatedTextTest, TheMainWindowAndItsDialogsShowNoEnglish) {
    AddRow(View(), MakeItem("/v/clip.avi", 10));
    View().ItemOfRow(0)->bitrateText = "528 kb/s";
    View().ItemOfRow(0)->videoInfo = "h264, yuv420p, 1280x720, 25.00 fps";
    View().ItemOfRow(0)->audioInfo = "aac, 44100 Hz, stereo, 127 kb/s";
    View().List().SelectOnlyLast();
    View().ShowSourceInfo();
    Frame().UpdateCommandStates();
    Check(QStringLiteral("main window"), Frame());
    Check(QStringLiteral("information pane"), {QString::fromStdString(View().InfoText())});

    CAboutDialog about(&Frame());
    about.show();
    Check(QStringLiteral("About box"), about);
    CHelpTipsDialog tips(&Frame());
    tips.show();
    Check(QStringLiteral("help tips"), tips);

    EncoderRun run;
    ConvertProgressDialog progress(&Frame(), View(), run);
    {
        ConversionShared& shared = progress.Shared();
        const std::lock_guard lock(shared.stateLock);
        shared.stepText = LoadResourceString(kIdsConvertStep, 1, 2, "/v/a.avi", "/o/a.mpg");
    }
    progress.Shared().fileCount = 2;
    progress.Shared().startTick = CurrentTick() - 8000;
    progress.Shared().finishedMediaMs = 20000;
    progress.Shared().pendingMediaMs = 60000;
    progress.Shared().measuring = true;
    // Not shown: a shown dialog starts its worker, and only its texts matter here.
    progress.UpdateProgress();
    Check(QStringLiteral("conversion progress"), progress);

    DetectDialog detect(&Frame(), View(), {});
    Check(QStringLiteral("detecting"), detect);

    DiscDialog disc(&Frame(), [](DiscProgress& state) {
        state.steps = 2;
        state.step = 1;
        state.tool = static_cast<int>(DiscTool::kDvdauthor);
        while (!state.abortRequested.load()) {
            std::this_thread::yield();
        }
    });
    QTimer::singleShot(200, &disc, [&] {
        Check(QStringLiteral("disc progress"), disc);
        disc.Cancel();
    });
    disc.exec();
    EXPECT_EQ(checked_, 7);
}

TEST_F(UntranslatedTextTest, QtsDialogsTheMessagesAndThePreviewShowNoEnglish) {
    CheckModal(QStringLiteral("Add dialog"), [&] { Frame().RunCommand(kCmdAdd); });
    CheckModal(QStringLiteral("Browse dialog"), [&] { View().OnBrowse(); });
    CheckModal(QStringLiteral("question box"), [&] {
        ShowMessageBox(&Frame(), LoadResourceString(kIdsConfirmCancelAll),
                       MessageButtons::kOkCancel, MessageIcon::kQuestion);
    });
    TakeMessageTexts();

    // The adding summary: one file the encoder cannot read, one it never answers for.
    SetEncoderName(TRELCORE);
    SetModalDialogHandler({});
    const std::string broken = folder_.Write("broken.avi", std::string(4096, 'z'));
    SetNextMessageAnswer(kAnswerOk);
    View().AddPaths({broken, folder_.path()});
    CheckMessages(QStringLiteral("adding summary"), 1);

    // The conversion's failure summary and closing message, and the report question.
    AddRow(View(), MakeItem(broken, 2));
    SetNextFolder(QString::fromStdString(folder_.path() + "out"));
    View().OnBrowse();
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerCancel);
    View().OnConvert();
    CheckMessages(QStringLiteral("conversion summary"), 3);

    // Making a disc with nothing converted yet, and the question before the run when the
    // outputs will not fit.
    View().OnRemoveAll();
    AddRow(View(), MakeItem(broken, 2));
    SetNextMessageAnswer(kAnswerOk);
    View().OnMakeDisc();
    CheckMessages(QStringLiteral("disc refusal"), 1);
    SetFreeSpaceSource([](const std::string&) { return std::optional<uint64_t>(1000); });
    SetNextMessageAnswer(kAnswerCancel);
    View().OnConvert();
    SetFreeSpaceSource({});
    CheckMessages(QStringLiteral("low space question"), 1);

    // Leaving.
    SetNextMessageAnswer(kAnswerCancel);
    Frame().RunCommand(kCmdExit);
    CheckMessages(QStringLiteral("exit question"), 1);

    // The encoder nowhere to be found.
    SetEncoderName(folder_.path() + "no-such-encoder");
    SetNextMessageAnswer(kAnswerOk);
    View().AddPaths({broken});
    CheckMessages(QStringLiteral("missing encoder"), 1);

    // The preview of a real clip, not played.
    const std::string clip = folder_.path() + "clip.mp4";
    ASSERT_EQ(
        std::system((std::string(CLIPGEN) + " '" + clip + "' --duration 2 --size 320x240").c_str()),
        0);
    SetMediaOutputs({"null", "null"});
    int32_t start = 0;
    int32_t end = 2;
    CPreviewDlg preview(&Frame(), clip, &start, &end);
    preview.show();
    Check(QStringLiteral("preview"), preview);
    TakeMessageTexts();
}

}  // namespace
}  // namespace clipwright
