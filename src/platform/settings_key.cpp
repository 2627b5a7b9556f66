#include "platform/settings_key.h"

#include <filesystem>

namespace clipwright {

CSettingsKey::CSettingsKey(SettingsRoot root, const std::string& subKey, int mode) {
    Open(root, subKey, mode);
}

CSettingsKey::~CSettingsKey() {
    Close();
}

void CSettingsKey::Open(SettingsRoot root, const std::string& subKey, int mode) {
    const std::string file = SettingsFilePath(subKey);
    bool ok = !file.empty() && (mode & (kSettingsRead | kSettingsWrite)) != 0;
    if (ok && (mode & kSettingsWrite) != 0) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path(), error);
        ok = !error;
    }
    if (!ok) {
        root_ = SettingsRoot::kLocalMachine;
        subKey_.clear();
        file_.clear();
        mode_ = 0;
        open_ = false;
        return;
    }
    root_ = root;
    subKey_ = subKey;
    file_ = file;
    mode_ = mode;
    open_ = true;
    if ((mode & kSettingsRead) != 0) {
        values_ = ReadSettingsFile(file_);
    }
}

void CSettingsKey::Close() {
    open_ = false;
    values_.clear();
}

void CSettingsKey::ReadDword(const std::string& name, uint32_t& value) const {
    const auto found = values_.find(name);
    if (!open_ || found == values_.end()) {
        return;
    }
    if (const auto* dword = std::get_if<uint32_t>(&found->second)) {
        value = *dword;
    }
}

void CSettingsKey::ReadString(const std::string& name, std::string& value) const {
    const auto found = values_.find(name);
    if (!open_ || found == values_.end()) {
        return;
    }
    if (const auto* text = std::get_if<std::string>(&found->second)) {
        value = *text;
    }
}

void CSettingsKey::WriteDword(const std::string& name, uint32_t value) {
    if (!open_ || (mode_ & kSettingsWrite) == 0) {
        return;
    }
    if (WriteSettingsValue(file_, name, value)) {
        values_[name] = value;
    }
}

void CSettingsKey::WriteString(const std::string& name, const std::string& value) {
    if (!open_ || (mode_ & kSettingsWrite) == 0) {
        return;
    }
    if (WriteSettingsValue(file_, name, value)) {
        values_[name] = value;
    }
}

}  // namespace clipwright
