// The per-user settings file that stands in for one registry key: typed values in a text file
// under $XDG_CONFIG_HOME (default ~/.config), one line a value, such as
//   "Language"=dword:00000804
//   "OutputPath"="/home/ann/Videos/"
// Blanks around the name, the '=' and the value are allowed. Writes lock the file against other
// copies of the program, write a temporary file and rename it over the old one, so a crash or a
// second writer never leaves half a file: the last writer wins. A write changes only the line of
// its value: lines of any other shape are ignored when reading and kept as they are. A symbolic
// link is written through (the file it names is replaced, the link stays), the file's mode is
// kept, and a file without its owner's write permission is left alone (the log says so).
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
// The file's text with the one value set: its first line replaced in place (later lines of the
// same name dropped) or appended; every other line kept byte for byte.
std::string UpdateSettingsText(const std::string& text, const std::string& name,
                               const SettingsValue& value);

// Reads every value; missing or unreadable files give none.
SettingsValues ReadSettingsFile(const std::string& file);
// The same, but nullopt for a file that exists and cannot be read.
std::optional<SettingsValues> ReadSettingsFileStrict(const std::string& file);
// Sets one value, keeping every other line the file holds now. False (and logged) when it cannot
// be written, when it is read-only, and when it exists but cannot be read or is no regular file:
// that file is never replaced.
bool WriteSettingsValue(const std::string& file, const std::string& name,
                        const SettingsValue& value);

}  // namespace clipwright
