// The user's home folder: $HOME when it names an absolute folder, otherwise the account's home
// from the password database, so an unset HOME never puts files under "/". Never ends in "/";
// empty only when neither is known. Thread-safe.
#pragma once

#include <string>

namespace clipwright {

std::string HomeFolder();

}  // namespace clipwright
