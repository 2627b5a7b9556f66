#include "shell/trelvane_app.h"

#include <strings.h>
#include <QApplication>
#include <QPointer>

#include "base/text_log.h"
#include "mainwnd/trelvane_view.h"
#include "platform/media_runtime.h"
#include "platform/settings_key.h"
#include "shell/app_icon.h"
#include "shell/first_expose.h"
#include "shell/language.h"
#include "shell/main_frame.h"
#include "ui/help_commands.h"
#include "ui/message_box.h"

namespace clipwright {

namespace {

// The child loads libmpv and its libraries: far less than this even on a loaded machine. The
// limit also bounds how long closing the program right after its start can wait for it.
constexpr int kRuntimeVersionTimeoutMs = 10000;

}  // namespace

CTrelvaneApp::CTrelvaneApp() = default;
CTrelvaneApp::~CTrelvaneApp() = default;

bool CTrelvaneApp::InitInstance() {
    QApplication::setApplicationName(QLatin1String(kApplicationName));
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
    QApplication::setWindowIcon(BuiltInApplicationIcon());
    values_.mediaRuntime = kRequiredMediaRuntime;  // no tip until the version is read
    values_.settingsKeyPath = std::string("Software\\Trelvane\\") + kApplicationName;
    {
        const CSettingsKey key(SettingsRoot::kLocalMachine, values_.settingsKeyPath,
                               kSettingsRead | kSettingsWrite);
        std::string hidden;
        key.ReadString("HiddenToolTips", hidden);
        values_.tipsHidden = ::strcasecmp(hidden.c_str(), "TRUE") == 0;
        uint32_t language = 0xffffffffu;
        key.ReadDword("Language", language);
        if (language == 0xffffffffu) {
            // Not stored, so not remembered either: the desktop's language may change later.
            language = LanguageForUiLanguages(DesktopUiLanguages(), EnumerateLanguages());
        }
        SetLanguage(language);
        values_.currentLanguage = CurrentLanguage();
    }
    frame_ = std::make_unique<CMainFrame>(values_);
    frame_->RebuildMenu(false);
    frame_->UpdateTitle();
    // Where an installed program found its files, for a report of a missing language or manual.
    LogMessage("Start-up: language %u, %zu language libraries in %s, help in %s",
               unsigned{CurrentLanguage()}, LanguageEntries().size() - 1,
               LanguageDirectory().c_str(), DocsFolder().toUtf8().constData());
    frame_->show();
    // libmpv pulls in some 180 libraries (about 150 ms on two cores, with the dynamic loader's
    // lock held while Qt loads its platform plugins), so it is loaded only once the window is
    // on screen; the form's tip is shown when the version turns out missing or too old.
    firstExpose_ = std::make_unique<FirstExposeWatcher>(*frame_, [this] {
        ReportStartupStep("exposed");
        UseFullIcon();
        ReadRuntimeVersionLater();
    });
    return true;
}

// An icon theme may hold its own picture of the application; it replaces the built-in one,
// which otherwise gains its large size now.
void CTrelvaneApp::UseFullIcon() {
    const std::optional<QIcon> icon = ThemeApplicationIcon();
    QApplication::setWindowIcon(icon ? *icon
                                     : WithLargeApplicationIcon(QApplication::windowIcon()));
}

// The program that answers the version question: our own executable, which every build and
// install puts beside the other programs (tests included), so libmpv stays out of this process.
std::string RuntimeVersionProgram() {
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/clipwright")).toStdString();
}

void CTrelvaneApp::ReadRuntimeVersionLater() {
    versionReader_ = std::jthread([frame = QPointer<CMainFrame>(frame_.get()), values = &values_,
                                   program = RuntimeVersionProgram()] {
        const RuntimeVersion version = AskMediaRuntimeVersion(program, kRuntimeVersionTimeoutMs);
        QMetaObject::invokeMethod(
            qApp,
            [frame, values, version] {
                // The values are this object's, which goes only after its frame: with the frame
                // gone, so may they be.
                if (frame != nullptr) {
                    values->mediaRuntime = version;
                }
                ReportStartupStep("runtime");
                if (frame != nullptr && frame->View() != nullptr) {
                    frame->View()->UpdateRuntimeTip();
                }
            },
            Qt::QueuedConnection);
    });
}

void CTrelvaneApp::OpenFilesWhenShown(std::vector<std::string> paths) {
    if (paths.empty() || !frame_) {
        return;
    }
    // The frame, not this object, carries the call: the view may be replaced before it runs,
    // so it is looked up then.
    CMainFrame* const frame = frame_.get();
    QMetaObject::invokeMethod(
        frame,
        [frame, files = std::move(paths)] {
            CTrelvaneView* const view = frame->View();
            if (view == nullptr) {
                return;
            }
            view->AddPaths(files);
            ReportStartupStep("listed");
            view->List().SelectOnlyLast();
            view->ShowSourceInfo();
        },
        Qt::QueuedConnection);
}

}  // namespace clipwright
