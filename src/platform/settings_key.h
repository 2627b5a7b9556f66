// One settings key, opened for one read or write and closed when the object goes. Failures
// never raise: a key that cannot be opened reads as defaults and drops writes.
#pragma once

#include <cstdint>
#include <string>

#include "base/settings_store.h"

namespace clipwright {

// The only root this program uses; kept so callers read like the key they mean.
enum class SettingsRoot { kLocalMachine };

inline constexpr const char* kSettingsKeyPath = "Software\\Trelvane\\Clipwright";
inline constexpr int kSettingsRead = 1;
inline constexpr int kSettingsWrite = 2;

class CSettingsKey {
public:
    // mode: kSettingsRead and/or kSettingsWrite. Opening for writing makes the key's folder.
    CSettingsKey(SettingsRoot root, const std::string& subKey, int mode);
    ~CSettingsKey();
    CSettingsKey(const CSettingsKey&) = delete;
    CSettingsKey& operator=(const CSettingsKey&) = delete;

    bool IsOpen() const { return open_; }

    // Leave value unchanged when the name is missing or holds the other type.
    void ReadDword(const std::string& name, uint32_t& value) const;
    void ReadString(const std::string& name, std::string& value) const;
    void WriteDword(const std::string& name, uint32_t value);
    void WriteString(const std::string& name, const std::string& value);

private:
    void Open(SettingsRoot root, const std::string& subKey, int mode);
    void Close();

    SettingsRoot root_ = SettingsRoot::kLocalMachine;
    std::string subKey_;
    bool open_ = false;
    std::string file_;
    int mode_ = 0;
    SettingsValues values_;  // as the file was when the key was opened
};

}  // namespace clipwright
