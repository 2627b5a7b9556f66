#include "support/file_version.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "support/version_resource.h"

namespace clipwright {
namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string ResolveName(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const std::string folder = ExecutableFolder();
    if (!folder.empty()) {
        const std::string beside = folder + "/" + name;
        if (access(beside.c_str(), R_OK) == 0) {
            return beside;
        }
    }
    return name;
}

uint32_t Word(const std::vector<uint8_t>& data, size_t offset) {
    return static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
           static_cast<uint32_t>(data[offset + 2]) << 16 |
           static_cast<uint32_t>(data[offset + 3]) << 24;
}

// The fixed block of a VS_VERSIONINFO root: after the three 16-bit words and the
// zero-terminated UTF-16 key, at the next 4-byte boundary.
std::optional<FixedFileInfo> FixedBlock(const std::vector<uint8_t>& data, std::string* error) {
    constexpr size_t kFixedSize = 13 * 4;
    if (data.size() < 6) {
        *error = "The version resource is truncated.";
        return std::nullopt;
    }
    const size_t valueLength = data[2] | static_cast<size_t>(data[3]) << 8;
    size_t keyEnd = 6;
    while (keyEnd + 1 < data.size() && (data[keyEnd] != 0 || data[keyEnd + 1] != 0)) {
        keyEnd += 2;
    }
    const size_t offset = (keyEnd + 2 + 3) & ~size_t{3};
    // A root without a value has no fixed block; reading where it would be gives garbage.
    if (valueLength < kFixedSize) {
        *error = "The version resource has no fixed file information.";
        return std::nullopt;
    }
    if (offset + kFixedSize > data.size()) {
        *error = "The version resource is truncated.";
        return std::nullopt;
    }
    std::array<uint32_t, 13> words{};
    for (size_t i = 0; i < words.size(); ++i) {
        words[i] = Word(data, offset + i * 4);
    }
    return FixedFileInfo{words[0], words[1], words[2], words[3],  words[4],  words[5], words[6],
                         words[7], words[8], words[9], words[10], words[11], words[12]};
}

}  // namespace

std::string FileFlagsText(uint32_t flags) {
    static const char* const kNames[] = {"VS_FF_DEBUG",        "VS_FF_PRERELEASE",
                                         "VS_FF_PATCHED",      "VS_FF_PRIVATEBUILD",
                                         "VS_FF_INFOINFERRED", "VS_FF_SPECIALBUILD"};
    std::string text;
    if ((flags & ~0x3Fu) != 0) {
        text = "0x" + Hex(flags & ~0x3Fu);
    }
    for (unsigned bit = 0; bit < 6; ++bit) {
        if ((flags & (1u << bit)) == 0) {
            continue;
        }
        if (!text.empty()) {
            text += " | ";
        }
        text += kNames[bit];
    }
    return text;
}

std::string FileOsName(uint32_t os) {
    static const std::pair<uint32_t, const char*> kNames[] = {
        {0, "VOS_UNKNOWN"},
        {1, "VOS__WINDOWS16"},
        {2, "VOS__PM16"},
        {3, "VOS__PM32"},
        {4, "VOS__WINDOWS32"},
        {0x10000, "VOS_DOS"},
        {0x10001, "VOS_DOS_WINDOWS16"},
        {0x10004, "VOS_DOS_WINDOWS32"},
        {0x20000, "VOS_OS216"},
        {0x20002, "VOS_OS216_PM16"},
        {0x30000, "VOS_OS232"},
        {0x30003, "VOS_OS232_PM32"},
        {0x40000, "VOS_NT"},
        {0x40004, "VOS_NT_WINDOWS32"},
    };
    for (const auto& [value, name] : kNames) {
        if (value == os) {
            return name;
        }
    }
    return "Unknown FileOS";
}

std::string FileTypeText(uint32_t type, uint32_t subtype) {
    static const char* const kTypes[] = {"VFT_UNKNOWN", "VFT_APP",  "VFT_DLL",
                                         "VFT_DRV",     "VFT_FONT", "VFT_VXD"};
    static const char* const kDrivers[] = {
        "VFT2_UNKNOWN",         "VFT2_DRV_PRINTER", "VFT2_DRV_KEYBOARD", "VFT2_DRV_LANGUAGE",
        "VFT2_DRV_DISPLAY",     "VFT2_DRV_MOUSE",   "VFT2_DRV_NETWORK",  "VFT2_DRV_SYSTEM",
        "VFT2_DRV_INSTALLABLE", "VFT2_DRV_SOUND",   "VFT2_DRV_COMM",     "VFT2_DRV_INPUTMETHOD"};
    static const char* const kFonts[] = {"VFT2_FONT_RASTER", "VFT2_FONT_VECTOR",
                                         "VFT2_FONT_TRUETYPE"};
    std::string text = type < 6 ? kTypes[type] : type == 7 ? "VFT_STATIC_LIB" : "Unknown FileType";
    const std::string unknownSubtype = "Unknown FileSubtype: " + Hex(subtype);
    if (type == 3) {
        text += subtype < 12 ? std::string("FileSubtype: ") + kDrivers[subtype] : unknownSubtype;
    } else if (type == 4) {
        text += subtype >= 1 && subtype <= 3 ? std::string("FileSubtype: ") + kFonts[subtype - 1]
                                             : unknownSubtype;
    } else if (subtype != 0) {
        text += ", FileSubtype: " + Hex(subtype);
    }
    return text;
}

std::string FormatVersionDump(const FixedFileInfo& info) {
    char line[256];
    std::string dump;
    const auto add = [&](int length) { dump.append(line, static_cast<size_t>(length)); };
    add(std::snprintf(line, sizeof line, "  Signature:       %08x\n", info.signature));
    add(std::snprintf(line, sizeof line, "  StrucVersion:    %d.%d\n", info.strucVersion >> 16,
                      info.strucVersion & 0xFFFF));
    add(std::snprintf(line, sizeof line, "  FileVersion:     %d.%d.%d.%d\n",
                      info.fileVersionMS >> 16, info.fileVersionMS & 0xFFFF,
                      info.fileVersionLS >> 16, info.fileVersionLS & 0xFFFF));
    add(std::snprintf(line, sizeof line, "  ProductVersion:  %d.%d.%d.%d\n",
                      info.productVersionMS >> 16, info.productVersionMS & 0xFFFF,
                      info.productVersionLS >> 16, info.productVersionLS & 0xFFFF));
    add(std::snprintf(line, sizeof line, "  FileFlagsMask:   %s%x\n",
                      info.fileFlagsMask != 0 ? "0x" : "", info.fileFlagsMask));
    if (info.fileFlags != 0) {
        dump += "  FileFlags:       0x" + Hex(info.fileFlags) + " (" +
                FileFlagsText(info.fileFlags) + ")\n";
    } else {
        dump += "  FileFlags:       0\n";
    }
    dump += "  FileOS:          " + FileOsName(info.fileOS) + "\n";
    dump += "  FileType:        " + FileTypeText(info.fileType, info.fileSubtype) + "\n";
    add(std::snprintf(line, sizeof line, "  FileDate:        %x.%x\n", info.fileDateMS,
                      info.fileDateLS));
    return dump;
}

bool CFileVersion::ReadFileVersion(const std::string& fileName, int& major, int& minor,
                                   int& build) {
    std::string error;
    const std::optional<std::vector<uint8_t>> resource =
        LoadVersionResource(ResolveName(fileName), &error);
    const std::optional<FixedFileInfo> info =
        resource ? FixedBlock(*resource, &error) : std::nullopt;
    if (!info) {
        std::fprintf(out_, "Unable to access file \"%s\" : %s", fileName.c_str(), error.c_str());
        return false;
    }
    std::fputs(FormatVersionDump(*info).c_str(), out_);
    major = static_cast<int>(info->fileVersionMS >> 16);
    minor = static_cast<int>(info->fileVersionMS & 0xFFFF);
    build = static_cast<int>(info->fileVersionLS >> 16);
    return true;
}

}  // namespace clipwright
