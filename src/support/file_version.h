// Reading the file version of an executable from its fixed version block (the VS_FIXEDFILEINFO
// layout: thirteen little-endian 32-bit words). Windows PE files are read from their version
// resource, our own ELF programs from the block they carry (see version_resource.h).
// As the reader always has, it writes a dump of the block, or an error line, to its output
// stream (standard output unless given). User-interface thread; one object per use.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace clipwright {

struct FixedFileInfo {
    uint32_t signature = 0;
    uint32_t strucVersion = 0;
    uint32_t fileVersionMS = 0;
    uint32_t fileVersionLS = 0;
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    uint32_t fileFlagsMask = 0;
    uint32_t fileFlags = 0;
    uint32_t fileOS = 0;
    uint32_t fileType = 0;
    uint32_t fileSubtype = 0;
    uint32_t fileDateMS = 0;
    uint32_t fileDateLS = 0;
};

// "0x40 | VS_FF_DEBUG" style names of a flags word; "" for 0.
std::string FileFlagsText(uint32_t flags);
// "VOS_NT_WINDOWS32", ..., or "Unknown FileOS".
std::string FileOsName(uint32_t os);
// The type name directly followed by the subtype text, e.g. "VFT_DRVFileSubtype: VFT2_DRV_SOUND".
std::string FileTypeText(uint32_t type, uint32_t subtype);
// The nine dump lines, each starting with two blanks and ending in "\n".
std::string FormatVersionDump(const FixedFileInfo& info);

class CFileVersion {
public:
    // out (not owned) receives the dump or the error line.
    explicit CFileVersion(std::FILE* out = stdout) : out_(out) {}
    virtual ~CFileVersion() = default;

    // On success sets major, minor and build (high and low word of the most significant file
    // version word, high word of the least significant one) and returns true; otherwise writes
    // "Unable to access file "<name>" : <reason>" and leaves the outputs as they were. A name
    // without "/" is looked for beside the executable first, then in the current folder.
    bool ReadFileVersion(const std::string& fileName, int& major, int& minor, int& build);

private:
    std::FILE* out_;
};

}  // namespace clipwright
