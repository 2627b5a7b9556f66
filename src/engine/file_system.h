// Small questions to the file system and the making of output folders, each in one place. Any
// thread; nothing is cached.
#pragma once

#include <cstdint>
#include <string>

namespace clipwright {

// Whether path names a folder (a link to one counts).
bool IsFolder(const std::string& path);

// Creates folder (which ends in "/") and its missing parents, parents first. Errors are left
// for the encoder to meet when it writes.
void EnsureFolder(const std::string& folder);

// Whether the name exists at all: a dangling symbolic link counts, since writing through it
// would surprise.
bool PathExists(const std::string& path);

// The size of the regular file at path, links not followed; -1 for an empty path, a missing
// name or anything but a regular file.
int64_t RegularFileBytes(const std::string& path);

// The size of what path names, links followed; 0 when it cannot be read.
uint64_t FileBytesOrZero(const std::string& path);

}  // namespace clipwright
