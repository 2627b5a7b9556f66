#include "mainwnd/output_folder.h"

#include "base/home_folder.h"
#include "engine/file_system.h"
#include "platform/settings_key.h"

namespace clipwright {

std::string DefaultOutputFolder() {
    return HomeFolder() + "/ConvertedMedia/";
}

std::string StoredOutputFolder() {
    const CSettingsKey key(SettingsRoot::kLocalMachine, kSettingsKeyPath,
                           kSettingsRead | kSettingsWrite);
    std::string folder;
    key.ReadString("OutputPath", folder);
    return IsFolder(folder) ? folder : DefaultOutputFolder();
}

}  // namespace clipwright
