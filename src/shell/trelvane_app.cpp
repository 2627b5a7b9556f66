#include "shell/trelvane_app.h"

#include <strings.h>
#include <QApplication>

#include "mainwnd/trelvane_view.h"
#include "platform/settings_key.h"
#include "shell/app_icon.h"
#include "shell/language.h"
#include "shell/main_frame.h"
#include "ui/message_box.h"
#include "ui/startup_values.h"

namespace clipwright {

CTrelvaneApp::CTrelvaneApp() = default;
CTrelvaneApp::~CTrelvaneApp() = default;

bool CTrelvaneApp::InitInstance() {
    QApplication::setApplicationName(QLatin1String(kApplicationName));
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
    QApplication::setWindowIcon(ApplicationIcon());
    StartupValues& values = TheStartupValues();
    values.mediaRuntime = ReadMediaRuntimeVersion();
    values.settingsKeyPath = std::string("Software\\Trelvane\\") + kApplicationName;
    {
        const CSettingsKey key(SettingsRoot::kLocalMachine, values.settingsKeyPath,
                               kSettingsRead | kSettingsWrite);
        std::string hidden;
        key.ReadString("HiddenToolTips", hidden);
        values.tipsHidden = ::strcasecmp(hidden.c_str(), "TRUE") == 0;
        uint32_t language = 0xffffffffu;
        key.ReadDword("Language", language);
        if (language != 0xffffffffu) {
            SetLanguage(language);
        }
    }
    frame_ = std::make_unique<CMainFrame>();
    frame_->RebuildMenu(false);
    frame_->UpdateTitle();
    frame_->show();
    return true;
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
            view->List().SelectOnlyLast();
            view->ShowSourceInfo();
        },
        Qt::QueuedConnection);
}

}  // namespace clipwright
