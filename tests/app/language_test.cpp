#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "app_test_support.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/batch_estimate.h"
#include "engine/free_space.h"
#include "mainwnd/form_control_ids.h"
#include "mainwnd/source_list.h"
#include "shell/language.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"
#include "support/resource_module.h"
#include "support/resource_strings.h"
#include "test_folder.h"
#include "ui/template_form.h"

namespace clipwright {
namespace {

using namespace testing;
namespace fs = std::filesystem;

constexpr int kGermanEntry = 1;   // "&Deutsch" sorts before the Chinese name
constexpr int kChineseEntry = 2;  // "中文(简体)(&C)"
constexpr char kThanks[] =
    "If you find any translation error, please mail to translations@trelvane.example, thanks a "
    "lot.";

std::string TestLibrary(int kind) {
    return std::string(TEST_LANGUAGES) + "test_language_" + std::to_string(kind) + ".so";
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShell();
        WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
        SetLanguageDirectory(folder_.path());
    }
    void TearDown() override {
        app_.reset();
        LoadLanguageLibrary({});
        SetLanguageDirectory({});
        SetLogFilePath("");
    }

    void Install(const std::string& library, const std::string& name) const {
        fs::copy_file(library, folder_.path() + name, fs::copy_options::overwrite_existing);
    }
    void InstallShipped() const {
        Install(CHINESE_LIBRARY, "LanResChsDll.so");
        Install(GERMAN_LIBRARY, "LanResDeuDll.so");
    }

    CMainFrame* Start() {
        app_ = std::make_unique<CTrelvaneApp>();
        EXPECT_TRUE(app_->InitInstance());
        return app_->Frame();
    }

    QMenu* LanguagePopup() const { return app_->Frame()->menuBar()->actions()[2]->menu(); }

    QStringList LanguageTexts() const {
        QStringList texts;
        for (QAction* action : LanguagePopup()->actions()) {
            texts << action->text();
        }
        return texts;
    }

    std::vector<bool> CheckMarks() const {
        std::vector<bool> marks;
        for (QAction* action : LanguagePopup()->actions()) {
            marks.push_back(action->isChecked());
        }
        return marks;
    }

    QString ToolbarLabel(int commandId) const {
        return app_->Frame()->Action(commandId)->iconText();
    }

    // Runs a language entry as the menu does; a switch to an entry other than English shows the
    // translation message, which is answered.
    void Choose(int entry) {
        if (entry != 0) {
            SetNextMessageAnswer(kAnswerOk);
        }
        app_->Frame()->RunCommand(kFirstLanguageCommand + entry);
    }

    TestFolder folder_;
    std::unique_ptr<CTrelvaneApp> app_;
};

TEST_F(LanguageTest, LibrariesThatCannotAnswerAreLeftOut) {
    Install(TestLibrary(1), "LanResNoIdDll.so");
    Install(TestLibrary(6), "LanResNoNameDll.so");
    Install(TestLibrary(7), "LanResZeroDll.so");
    folder_.Write("LanResJunkDll.so", "not a shared library");
    fs::create_directory(folder_.path() + "LanResFolderDll.so");
    Install(TestLibrary(5), "LanResAfrDll.so");
    Install(TestLibrary(5), "LanResAfr.so");  // not the library pattern

    std::vector<std::string> listed = ListLanguageLibraries(folder_.path());
    std::sort(listed.begin(), listed.end());
    const std::string dir = folder_.path();
    EXPECT_EQ(listed,
              (std::vector<std::string>{dir + "LanResAfrDll.so", dir + "LanResJunkDll.so",
                                        dir + "LanResNoIdDll.so", dir + "LanResNoNameDll.so",
                                        dir + "LanResZeroDll.so"}));
    const std::vector<LanguageEntry> entries = EnumerateLanguages();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].id, 1078);
    EXPECT_EQ(entries[0].name, "&Afrikaans");
    EXPECT_EQ(entries[0].path, dir + "LanResAfrDll.so");
    EXPECT_EQ(FindLanguageLibrary(1049), "");
    EXPECT_EQ(FindLanguageLibrary(1078), dir + "LanResAfrDll.so");
    EXPECT_FALSE(SetLanguage(1049));
    EXPECT_EQ(CurrentLanguage(), 0);
}

// A FIFO named like a library would hold the start in dlopen; of two libraries of one language
// the first by name is listed and the other is left out, with a line in the log.
TEST_F(LanguageTest, OnlyRegularFilesLoadAndARepeatedLanguageIsLeftOut) {
    Install(TestLibrary(5), "LanResAfrDll.so");
    Install(TestLibrary(5), "LanResAfrXDll.so");
    ASSERT_EQ(::mkfifo((folder_.path() + "LanResFifoDll.so").c_str(), 0600), 0);
    fs::create_symlink(folder_.path() + "LanResFifoDll.so", folder_.path() + "LanResLinkDll.so");
    const std::string dir = folder_.path();
    const std::string log = dir + "log.txt";
    SetLogFilePath(log);
    EXPECT_EQ(ListLanguageLibraries(dir),
              (std::vector<std::string>{dir + "LanResAfrDll.so", dir + "LanResAfrXDll.so"}));
    const std::vector<LanguageEntry> entries = EnumerateLanguages();
    SetLogFilePath("");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, dir + "LanResAfrDll.so");
    EXPECT_EQ(FindLanguageLibrary(1078), dir + "LanResAfrDll.so");
    const std::string logged = TestFolder::Read(log);
    EXPECT_NE(logged.find(dir + "LanResAfrXDll.so has the language id 1078 of " + dir +
                          "LanResAfrDll.so; left out"),
              std::string::npos)
        << logged;
}

TEST_F(LanguageTest, EntriesAreSortedByNameAfterEnglishAndCarryCheckMarks) {
    InstallShipped();
    Install(TestLibrary(2), "LanResEnuDll.so");
    Install(TestLibrary(3), "LanResTw1Dll.so");
    Install(TestLibrary(4), "LanResTw2Dll.so");
    Install(TestLibrary(5), "LanResAfrDll.so");
    Start();
    EXPECT_EQ(LanguageTexts(),
              (QStringList{"&English", "&Afrikaans", "&Deutsch", "&English (US)", "&Twin", "&Twin",
                           QString::fromUtf8("中文(简体)(&C)")}));
    // Equal names keep the order in which the folder listed them.
    std::vector<uint16_t> twinsListed;
    for (const std::string& path : ListLanguageLibraries(folder_.path())) {
        if (path.find("LanResTw") != std::string::npos) {
            twinsListed.push_back(QueryLanguageLibrary(path)->id);
        }
    }
    EXPECT_EQ(twinsListed,
              (std::vector<uint16_t>{LanguageEntries()[4].id, LanguageEntries()[5].id}));
    // A first start on an English desktop: English is current and checked (with the library
    // that reports 1033), and nothing is stored.
    EXPECT_EQ(CurrentLanguage(), kEnglishUs);
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{true, false, false, true, false, false, false}));
    EXPECT_EQ(ReadConfig().find("Language"), std::string::npos);

    // Choosing a checked entry switches nothing (no new view, no message) but makes the
    // desktop's language the stored choice; a stored one is left as it is.
    const QPointer<CTrelvaneView> view = app_->Frame()->View();
    app_->Frame()->RunCommand(kFirstLanguageCommand);
    EXPECT_NE(ReadConfig().find("\"Language\"=dword:00000409"), std::string::npos);
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000407\n");
    app_->Frame()->RunCommand(kFirstLanguageCommand + 3);
    EXPECT_NE(ReadConfig().find("\"Language\"=dword:00000407"), std::string::npos);
    EXPECT_EQ(app_->Frame()->View(), view.data());
    EXPECT_TRUE(TakeMessageTexts().empty());
    EXPECT_EQ(LoadResourceString(61308), "Add");
}

TEST_F(LanguageTest, SwitchingRebuildsEverythingAndKeepsTheViewsState) {
    InstallShipped();
    CMainFrame* frame = Start();
    AddRow(*frame->View(), MakeItem("/v/a.avi", 10));
    AddRow(*frame->View(), MakeItem("/v/b.avi", 20));
    AddRow(*frame->View(), MakeItem("/v/c.avi", 30));
    frame->View()->List().Control()->topLevelItem(0)->setSelected(true);
    frame->View()->OnRemove();  // slot 0 stays, empty
    frame->View()->Form().Get<QAbstractButton>(kFirstTypeId + kTypeSvcd)->click();
    frame->View()->Form().Get<QAbstractButton>(kFirstStandardId + kPal)->click();
    frame->View()->Controls().size->setCurrentIndex(4);
    frame->View()->Controls().variableBitRate->click();
    frame->View()->Controls().maxRate->setText(QStringLiteral("2500"));
    frame->View()->Controls().sampleRate->setCurrentIndex(2);

    struct Step {
        int entry;
        uint16_t id;
        const char* stored;
        const char* fileMenu;
        const char* addLabel;
        bool message;
    };
    const Step steps[] = {
        {kChineseEntry, 2052, "dword:00000804", "文件(&F)", "添加", true},
        {kGermanEntry, 1031, "dword:00000407", "&Datei", "Hinzufügen", true},
        {0, 1033, "dword:00000409", "&File", "Add", false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.id);
        const CTrelvaneView* old = frame->View();
        Choose(step.entry);
        ASSERT_NE(frame->View(), old);
        CTrelvaneView* view = frame->View();
        EXPECT_EQ(CurrentLanguage(), step.id);
        EXPECT_NE(ReadConfig().find(std::string("\"Language\"=") + step.stored), std::string::npos);
        // The thanks come in the chosen language.
        const std::vector<std::string> messages = TakeMessageTexts();
        ASSERT_EQ(messages.size(), step.message ? 1u : 0u);
        if (step.message) {
            EXPECT_NE(messages[0], kThanks);
            EXPECT_NE(messages[0].find("translations@trelvane.example"), std::string::npos);
        }
        EXPECT_EQ(frame->menuBar()->actions()[0]->text(), QString::fromUtf8(step.fileMenu));
        EXPECT_EQ(ToolbarLabel(kCmdAdd), QString::fromUtf8(step.addLabel));
        EXPECT_EQ(frame->windowTitle(), "Clipwright");
        EXPECT_EQ(frame->Action(kCmdAbout)->text(), "&About Clipwright ...");
        EXPECT_TRUE(frame->Action(kFirstLanguageCommand + step.entry)->isChecked());
        EXPECT_EQ(CheckMarks().size(), 3u);

        EXPECT_EQ(view->OutputTypeMember(), kTypeSvcd);
        EXPECT_EQ(view->TvStandardMember(), kPal);
        EXPECT_TRUE(view->Form().Get<QAbstractButton>(kFirstTypeId + kTypeSvcd)->isChecked());
        EXPECT_EQ(view->Controls().size->currentIndex(), 4);
        EXPECT_TRUE(view->Controls().variableBitRate->isChecked());
        EXPECT_EQ(view->Controls().maxRate->text(), "2500");
        EXPECT_EQ(view->Controls().sampleRate->currentIndex(), 2);
        ASSERT_EQ(view->RowCount(), 2);
        EXPECT_EQ(view->List().Slots().size(), 3u);
        EXPECT_EQ(view->List().Slots()[0], nullptr);
        EXPECT_EQ(view->ItemOfRow(1)->sourcePath, "/v/c.avi");
        EXPECT_EQ(view->List().Control()->topLevelItem(1)->text(0), "c.avi");
        EXPECT_TRUE(frame->Action(kCmdConvert)->isEnabled());
    }
    TakeMessageTexts();
}

TEST_F(LanguageTest, StartUpAppliesTheStoredLanguageBeforeTheFrameExists) {
    InstallShipped();
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000804\n");
    CMainFrame* frame = Start();
    EXPECT_EQ(CurrentLanguage(), 2052);
    EXPECT_EQ(frame->menuBar()->actions()[0]->text(), QString::fromUtf8("文件(&F)"));
    EXPECT_EQ(ToolbarLabel(kCmdRemoveAll), QString::fromUtf8("全部移除"));
    EXPECT_EQ(frame->View()->Form().Get<QAbstractButton>(kBrowseId)->text(),
              QString::fromUtf8("浏览..."));
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{false, false, true}));
}

// The forms of a language written in Han characters take the CJK face, drawn fully hinted: the
// view made on the switch, the dialogs opened after it and, at start-up, the toolbar; English
// ones keep the Latin face.
TEST_F(LanguageTest, FormsInChineseTakeTheHanFaceAndFormsInEnglishDoNot) {
    const auto han = [](const QWidget& widget) {
        return widget.font().hintingPreference() == QFont::PreferFullHinting;
    };
    // The list's rows keep the Latin letters at the size they were measured in, in any language.
    const auto rowWidth = [](CMainFrame& frame) {
        const auto* list = frame.View()->Form().Get<QTreeWidget>(kListId);
        return QFontMetrics(list->font()).horizontalAdvance(QStringLiteral("00:00:00-00:55:00"));
    };
    InstallShipped();
    CMainFrame* frame = Start();
    EXPECT_FALSE(han(*frame->View()));
    EXPECT_FALSE(han(*frame->Toolbar()));
    const int latinRow = rowWidth(*frame);
    Choose(kChineseEntry);
    ASSERT_EQ(CurrentLanguage(), 2052);
    EXPECT_EQ(app_->Values().currentLanguage, 2052);
    EXPECT_TRUE(han(*frame->View()));
    EXPECT_TRUE(han(*frame->Toolbar()));
    EXPECT_EQ(rowWidth(*frame), latinRow);
    EXPECT_TRUE(han(CHelpTipsDialog(frame)));
    Choose(0);
    EXPECT_EQ(app_->Values().currentLanguage, kEnglishUs);
    EXPECT_FALSE(han(*frame->View()));
    EXPECT_FALSE(han(*frame->Toolbar()));
    EXPECT_FALSE(han(CHelpTipsDialog(frame)));
    TakeMessageTexts();

    app_.reset();
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000804\n");
    frame = Start();
    EXPECT_TRUE(han(*frame->Toolbar()));
    EXPECT_TRUE(han(*frame->View()));
}

TEST_F(LanguageTest, AFirstStartFollowsTheDesktopAndAStoredChoiceWins) {
    InstallShipped();
    struct Case {
        std::vector<std::string> desktop;  // most preferred first
        uint16_t expected;
    };
    const Case cases[] = {
        {{"de-DE", "en-US"}, 1031},
        {{"de-CH"}, 1031},
        {{"zh-TW", "zh-Hans-CN"}, 2052},  // Traditional script is not the Simplified catalog
        {{"zh-TW"}, kEnglishUs},
        {{"fr-FR", "en-GB", "de-DE"}, kEnglishUs},  // English comes before German here
        {{"C"}, kEnglishUs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop.front());
        app_.reset();
        SetLanguage(kEnglishUs);
        SetDesktopUiLanguages(c.desktop);
        Start();
        EXPECT_EQ(CurrentLanguage(), c.expected);
        EXPECT_EQ(ReadConfig().find("Language"), std::string::npos);  // chosen, not stored
    }
    app_.reset();
    SetDesktopUiLanguages({"de-DE"});
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000409\n");
    Start();
    EXPECT_EQ(CurrentLanguage(), kEnglishUs);
}

TEST_F(LanguageTest, QtsOwnTextsAndShownNumbersFollowTheLanguage) {
    InstallShipped();
    Start();
    const auto qtCancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    const auto shownSize = [] { return ByteSizeText(static_cast<uint64_t>(36.1 * 1024 * 1024)); };
    ASSERT_EQ(qtCancel(), "Cancel");
    Choose(kGermanEntry);
    EXPECT_EQ(qtCancel(), QString::fromUtf8("Abbrechen"));
    EXPECT_EQ(QtCatalogLanguage(), 1031);
    const size_t germanCatalogs = QtCatalogCount();
    EXPECT_GT(germanCatalogs, 0u);
    EXPECT_EQ(shownSize(), "36,1 MB");
    EXPECT_EQ(SpeedText(2.8), "2,8x");
    // Numbers for programs keep the point whatever the language.
    EXPECT_EQ(FormatText("%.1f", 2.5), "2.5");
    EXPECT_EQ(QLocale().decimalPoint(), ",");
    // The information pane writes the encoder's times and frame rates so too; names stay.
    SourceItem item = MakeItem("/v/a.avi", 10);
    item.videoInfo = "h264, yuv420p, 1280x720, 25.00 fps";
    item.audioInfo = "ac3, 48000 Hz, 5.1, 384 kb/s";
    const std::string info = BuildSourceInfo(item);
    EXPECT_NE(info.find("00:00:10,00 (10 s)"), std::string::npos) << info;
    EXPECT_NE(info.find("25,00 fps"), std::string::npos) << info;
    EXPECT_NE(info.find(" 5.1,"), std::string::npos) << info;
    Choose(kChineseEntry);
    EXPECT_EQ(qtCancel(), QString::fromUtf8("取消"));
    EXPECT_EQ(QtCatalogCount(), germanCatalogs);  // the German ones were dropped, not kept
    // The file dialog's type column, which Qt asks under a name the Chinese catalog lacks.
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"),
              QString::fromUtf8("文件夹"));
    EXPECT_EQ(shownSize(), "36.1 MB");
    Choose(0);
    EXPECT_EQ(qtCancel(), "Cancel");
    EXPECT_EQ(QtCatalogCount(), 0u);
    EXPECT_EQ(SpeedText(2.8), "2.8x");
    TakeMessageTexts();
}

TEST_F(LanguageTest, AStoredLanguageWithoutItsLibraryKeepsTheBuiltInResources) {
    Install(GERMAN_LIBRARY, "LanResDeuDll.so");
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n\"Language\"=dword:00000804\n");
    Start();
    EXPECT_EQ(CurrentLanguage(), 0);
    EXPECT_EQ(ToolbarLabel(kCmdAdd), "Add");
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{false, false}));
}

TEST_F(LanguageTest, ALibraryThatIsGoneOrBrokenWhenChosenChangesNothing) {
    InstallShipped();
    CMainFrame* frame = Start();
    Choose(kChineseEntry);
    ASSERT_EQ(CurrentLanguage(), 2052);
    TakeMessageTexts();
    WriteConfig("\"HiddenToolTips\"=\"TRUE\"\n");
    const QPointer<CTrelvaneView> view = frame->View();

    // Gone since the menu was built.
    fs::remove(folder_.path() + "LanResDeuDll.so");
    frame->RunCommand(kFirstLanguageCommand + kGermanEntry);
    // Still there by name, but no longer a library: the loaded Chinese resources stay current.
    folder_.Write("LanResDeuDll.so", "truncated");
    frame->RunCommand(kFirstLanguageCommand + kGermanEntry);

    EXPECT_EQ(CurrentLanguage(), 2052);
    EXPECT_EQ(LoadResourceString(61308), "添加");
    EXPECT_EQ(frame->View(), view.data());
    EXPECT_EQ(ReadConfig().find("Language"), std::string::npos);
    EXPECT_TRUE(TakeMessageTexts().empty());
    EXPECT_TRUE(frame->Action(kFirstLanguageCommand + kChineseEntry)->isChecked());
}

TEST_F(LanguageTest, EntriesPastTheTwentiethAreDisabledAndRunNothing) {
    for (int copy = 0; copy < 21; ++copy) {
        Install(TestLibrary(8), "LanRes" + std::to_string(copy) + "Dll.so");
    }
    CMainFrame* frame = Start();
    const QList<QAction*> entries = LanguagePopup()->actions();
    ASSERT_EQ(entries.size(), 22);
    EXPECT_TRUE(entries[19]->isEnabled());
    EXPECT_EQ(entries[19], frame->Action(kFirstLanguageCommand + 19));
    QAction* download = frame->Action(32771);
    ASSERT_NE(download, nullptr);
    for (const int overflow : {20, 21}) {
        QAction* entry = entries[overflow];
        EXPECT_FALSE(entry->isEnabled()) << overflow;
        EXPECT_NE(entry, download);
        entry->trigger();
    }
    frame->UpdateCommandStates();
    EXPECT_FALSE(entries[21]->isEnabled());
    EXPECT_EQ(download->text(), "Trelvane Audio Converter");
    EXPECT_TRUE(frame->menuBar()->actions()[5]->menu()->actions().contains(download));
    EXPECT_EQ(CurrentLanguage(), kEnglishUs);
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(LanguageTest, AStringMissingFromTheLibraryIsEmptyAndLogged) {
    Install(TestLibrary(5), "LanResAfrDll.so");
    TestFolder logs;
    SetLogFilePath(logs.path() + "log.txt");
    Start();
    Choose(1);
    ASSERT_EQ(CurrentLanguage(), 1078);
    EXPECT_EQ(ToolbarLabel(kCmdAdd), "");
    EXPECT_EQ(LoadResourceString(61337), "Garder l'original");  // no fallback to English
    EXPECT_NE(
        TestFolder::Read(logs.path() + "log.txt").find("**Error Loading Resource String:id=61308"),
        std::string::npos);
    TakeMessageTexts();
}

TEST_F(LanguageTest, TheHelpTipsOpenAgainAfterASwitch) {
    InstallShipped();
    WriteConfig("");
    int opened = 0;
    SetModalDialogHandler([&](QDialog& dialog) {
        opened += qobject_cast<CHelpTipsDialog*>(&dialog) != nullptr ? 1 : 0;
        return static_cast<int>(QDialog::Accepted);
    });
    Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 10000));
    Choose(kGermanEntry);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 2; }, 10000));
    TakeMessageTexts();
}

// Ids, sources and placeholders of the built-in catalog's source file.
std::map<std::string, std::string> EnglishMessages() {
    QFile file(QStringLiteral(ENGLISH_CATALOG));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::map<std::string, std::string> messages;
    std::string id;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("message")) {
            id = xml.attributes().value(QLatin1String("id")).toString().toStdString();
        } else if (xml.name() == QLatin1String("source")) {
            messages[id] = xml.readElementText().toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError());
    return messages;
}

int Count(const std::string& text, char c) {
    return static_cast<int>(std::count(text.begin(), text.end(), c));
}

// The letter after a single "&", lower-cased; 0 when there is none.
QChar Accelerator(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at < 0 || at + 1 >= text.size() ? QChar() : text[at + 1].toLower();
}

TEST(ShippedCatalogTest, EveryTextIsTranslatedWithItsPlaceholdersLinesAndAccelerators) {
    const std::map<std::string, std::string> english = EnglishMessages();
    ASSERT_GT(english.size(), 200u);
    for (const auto& [library, id] : {std::pair{CHINESE_LIBRARY, 2052}, {GERMAN_LIBRARY, 1031}}) {
        SCOPED_TRACE(library);
        const std::optional<LanguageEntry> entry = QueryLanguageLibrary(library);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->id, id);
        ASSERT_TRUE(LoadLanguageLibrary(library));
        const std::shared_ptr<const ResourceModule> module = CurrentResourceModule();
        for (const auto& [key, source] : english) {
            const std::optional<std::string> text = module->Text(key);
            ASSERT_TRUE(text.has_value()) << key;
            EXPECT_EQ(PlaceholderKinds(*text), PlaceholderKinds(source)) << key;
            EXPECT_EQ(Count(*text, '\n'), Count(source, '\n')) << key;
            EXPECT_EQ(Count(*text, '\t'), Count(source, '\t')) << key;
            EXPECT_EQ(Count(*text, '&'), Count(source, '&')) << key;
        }
        // Accelerators stay unique among the top-level popups and within each popup.
        const std::vector<MenuItem> menu = *module->Menu(128);
        std::set<QChar> top;
        for (const MenuItem& popup : menu) {
            const QString title = QString::fromStdString(*module->Text(popup.textKey));
            EXPECT_TRUE(top.insert(Accelerator(title)).second) << title.toStdString();
            std::set<QChar> inside;
            for (const MenuItem& item : popup.children) {
                const QChar key =
                    item.separator
                        ? QChar()
                        : Accelerator(QString::fromStdString(*module->Text(item.textKey)));
                if (!key.isNull()) {
                    EXPECT_TRUE(inside.insert(key).second) << item.commandId;
                }
            }
        }
        LoadLanguageLibrary({});
    }
}

}  // namespace
}  // namespace clipwright
