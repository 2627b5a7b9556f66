// Finding the version resource of an executable file: the VS_VERSIONINFO root block of a Windows
// PE file (its RT_VERSION resource), or of one of our own ELF programs, which carry the same
// block in the section ".trelvane_version". Reads the file only; thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace clipwright {

inline constexpr const char* kVersionSectionName = ".trelvane_version";

// The bytes of the version resource, starting at its root block. nullopt with a readable reason
// in *error when the file cannot be read, is neither PE nor ELF, is malformed, or has no block.
std::optional<std::vector<uint8_t>> LoadVersionResource(const std::string& path,
                                                        std::string* error);

}  // namespace clipwright
