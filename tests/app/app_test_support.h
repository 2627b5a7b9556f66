// Helpers for the application's widget tests: a clean settings file per test, the start-up
// values views are made with, and rows put straight into a view's list.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/command_line.h"
#include "mainwnd/trelvane_view.h"
#include "shell/language.h"
#include "small_tmpfs.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"
#include "ui/startup_values.h"

namespace clipwright::testing {

inline std::string ConfigFile() {
    return std::string(std::getenv("XDG_CONFIG_HOME")) + "/Trelvane/Clipwright.conf";
}

inline void WriteConfig(const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(ConfigFile()).parent_path());
    std::ofstream(ConfigFile(), std::ios::binary) << text;
}

inline std::string ReadConfig() {
    std::ifstream in(ConfigFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every test starts with no settings, no queued answers, and the tips already seen.
inline void ResetShell() {
    std::filesystem::remove(ConfigFile());
    TakeMessageTexts();
    while (HasPendingMessageAnswers()) {
        ShowMessageBox(nullptr, "", MessageButtons::kOk, MessageIcon::kInformation);
    }
    TakeMessageTexts();
    // No dialog opens by surprise; a test that wants one runs sets its own handler.
    SetModalDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    // English resources, Qt's catalogs dropped, whatever the last test chose or the desktop speaks.
    SetLanguage(kEnglishUs);
    SetDesktopUiLanguages({"en-US"});
    ForgetCurrentLanguage();
    SetEncoderName(kEncoderName);
    // Language libraries beside the test program are not this test's: none are listed.
    SetLanguageDirectory(std::string(std::getenv("HOME")) + "/no-languages/");
}

// What start-up leaves for a view a test makes: the tips already seen, the media runtime's
// version unread (0.0).
inline const StartupValues& QuietStartup() {
    static const StartupValues values = [] {
        StartupValues quiet;
        quiet.tipsHidden = true;
        return quiet;
    }();
    return values;
}

inline SourceItem MakeItem(const std::string& path, int32_t duration) {
    SourceItem item;
    SetSourcePath(item, path);
    item.duration = duration;
    item.selEnd = duration;
    item.durationText = "00:00:10.00 (10 s)";
    return item;
}

inline void AddRow(CTrelvaneView& view, const SourceItem& item) {
    const int slot = view.AddItem(std::make_unique<SourceItem>(item));
    const int row = view.RowCount();
    view.InsertRow(row, slot);
    view.RefreshRow(row);
}

}  // namespace clipwright::testing
