// Output folder handling for a conversion run.
#pragma once

#include <string>

namespace clipwright {

bool IsFolder(const std::string& path);

// Creates folder (which ends in "/") and its missing parents, parents first. Errors are left
// for the encoder to meet when it writes.
void EnsureFolder(const std::string& folder);

}  // namespace clipwright
