// The per-user settings file that stands in for one registry key: typed values in a text file
// under $XDG_CONFIG_HOME (default ~/.config), one line a value, such as
//   "Language"=dword:00000804
//   "OutputPath"="/home/ann/Videos/"
// Writes lock the file against other copies of the program, write a temporary file and rename
// it over the old one, so a crash or a second writer never leaves half a file: the last writer
// wins. Lines of any other shape are ignored when reading and dropped when writing.
// Not thread-safe on one object; separate objects may be used from separate threads.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace clipwright {

using SettingsValue = std::variant<uint32_t, std::string>;
using SettingsValues = std::map<std::string, SettingsValue>;

// "Software\Trelvane\Clipwright" becomes <config>/Trelvane/Clipwright.conf; a leading
// "Software\" is dropped and every "\" becomes "/". Empty for a key path with "..".
std::string SettingsFilePath(const std::string& keyPath);

// Parsing and writing of the file's text, exposed for tests.
SettingsValues ParseSettings(const std::string& text);
std::string FormatSettings(const SettingsValues& values);

// Reads every value; missing or unreadable files give none.
SettingsValues ReadSettingsFile(const std::string& file);
// The same, but nullopt for a file that exists and cannot be read.
std::optional<SettingsValues> ReadSettingsFileStrict(const std::string& file);
// Sets one value, keeping every other value the file holds now. False when it cannot be written,
// and when the file exists but cannot be read: that file is never replaced.
bool WriteSettingsValue(const std::string& file, const std::string& name,
                        const SettingsValue& value);

}  // namespace clipwright
