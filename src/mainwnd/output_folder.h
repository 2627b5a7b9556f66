// The output folder the form starts with. Reads the settings file; user-interface thread.
#pragma once

#include <string>

namespace clipwright {

// "$HOME/ConvertedMedia/".
std::string DefaultOutputFolder();
// The stored "OutputPath" when it names an existing folder, else the default.
std::string StoredOutputFolder();

}  // namespace clipwright
