#include "support/version_resource.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace clipwright {
namespace {

constexpr const char* kNoResource =
    "The specified resource type cannot be found in the image file.";
constexpr const char* kBadImage = "The file is not a valid executable image.";

// Bounds-checked little-endian reads from the file's bytes.
class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& data) : data_(data) {}
    bool Has(uint64_t offset, uint64_t size) const {
        return offset <= data_.size() && size <= data_.size() - offset;
    }
    uint64_t Read(uint64_t offset, int size) const {
        uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = (value << 8) | data_[offset + static_cast<uint64_t>(i)];
        }
        return value;
    }
    std::vector<uint8_t> Slice(uint64_t offset, uint64_t size) const {
        const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset);
        return {begin, begin + static_cast<std::ptrdiff_t>(size)};
    }
    std::string_view CString(uint64_t offset) const {
        const auto* begin = reinterpret_cast<const char*>(data_.data()) + offset;
        return {begin, strnlen(begin, data_.size() - offset)};
    }

private:
    const std::vector<uint8_t>& data_;
};

struct Failure {
    const char* reason;
};

std::vector<uint8_t> ElfVersionSection(const Bytes& file) {
    if (!file.Has(0, 64)) {
        throw Failure{kBadImage};
    }
    const bool is64 = file.Read(4, 1) == 2;
    if (file.Read(5, 1) != 1) {  // big-endian programs are not ours
        throw Failure{kBadImage};
    }
    const uint64_t shoff = is64 ? file.Read(0x28, 8) : file.Read(0x20, 4);
    const uint64_t shentsize = file.Read(is64 ? 0x3A : 0x2E, 2);
    const uint64_t shnum = file.Read(is64 ? 0x3C : 0x30, 2);
    const uint64_t shstrndx = file.Read(is64 ? 0x3E : 0x32, 2);
    const uint64_t minEntry = is64 ? 64 : 40;
    if (shentsize < minEntry || shstrndx >= shnum || !file.Has(shoff, shnum * shentsize)) {
        throw Failure{kBadImage};
    }
    const auto sectionOffset = [&](uint64_t index) {
        const uint64_t header = shoff + index * shentsize;
        return is64 ? file.Read(header + 0x18, 8) : file.Read(header + 0x10, 4);
    };
    const auto sectionSize = [&](uint64_t index) {
        const uint64_t header = shoff + index * shentsize;
        return is64 ? file.Read(header + 0x20, 8) : file.Read(header + 0x14, 4);
    };
    const uint64_t names = sectionOffset(shstrndx);
    if (!file.Has(names, sectionSize(shstrndx))) {
        throw Failure{kBadImage};
    }
    for (uint64_t i = 0; i < shnum; ++i) {
        const uint64_t nameOffset = file.Read(shoff + i * shentsize, 4);
        if (nameOffset >= sectionSize(shstrndx) || !file.Has(names + nameOffset, 1) ||
            file.CString(names + nameOffset) != kVersionSectionName) {
            continue;
        }
        if (!file.Has(sectionOffset(i), sectionSize(i))) {
            throw Failure{kBadImage};
        }
        return file.Slice(sectionOffset(i), sectionSize(i));
    }
    throw Failure{kNoResource};
}

// Maps a relative virtual address to a file offset through the PE section table.
uint64_t PeFileOffset(const Bytes& file, uint64_t sections, uint64_t count, uint64_t rva) {
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t header = sections + i * 40;
        const uint64_t address = file.Read(header + 12, 4);
        const uint64_t rawSize = file.Read(header + 16, 4);
        const uint64_t rawOffset = file.Read(header + 20, 4);
        if (rva >= address && rva - address < rawSize) {
            return rawOffset + (rva - address);
        }
    }
    throw Failure{kBadImage};
}

// The first entry of a resource directory whose id matches (any id when wanted is 0), as an
// offset inside the resource section, with the subdirectory bit kept.
uint64_t PeDirectoryEntry(const Bytes& file, uint64_t base, uint64_t directory, uint64_t wanted) {
    if (!file.Has(base + directory, 16)) {
        throw Failure{kBadImage};
    }
    const uint64_t named = file.Read(base + directory + 12, 2);
    const uint64_t ids = file.Read(base + directory + 14, 2);
    const uint64_t entries = base + directory + 16;
    if (!file.Has(entries, (named + ids) * 8)) {
        throw Failure{kBadImage};
    }
    const uint64_t first = wanted == 0 ? 0 : named;  // named entries come first
    for (uint64_t i = first; i < named + ids; ++i) {
        if (wanted == 0 || file.Read(entries + i * 8, 4) == wanted) {
            return file.Read(entries + i * 8 + 4, 4);
        }
    }
    throw Failure{kNoResource};
}

std::vector<uint8_t> PeVersionResource(const Bytes& file) {
    if (!file.Has(0x3C, 4)) {
        throw Failure{kBadImage};
    }
    const uint64_t pe = file.Read(0x3C, 4);
    if (!file.Has(pe, 24) || file.Read(pe, 4) != 0x4550) {  // "PE\0\0"
        throw Failure{kBadImage};
    }
    const uint64_t sectionCount = file.Read(pe + 6, 2);
    const uint64_t optionalSize = file.Read(pe + 20, 2);
    const uint64_t optional = pe + 24;
    const uint64_t sections = optional + optionalSize;
    if (!file.Has(optional, 2) || !file.Has(sections, sectionCount * 40)) {
        throw Failure{kBadImage};
    }
    const uint64_t magic = file.Read(optional, 2);
    const uint64_t directories = optional + (magic == 0x20B ? 112 : 96);
    constexpr uint64_t kResourceDirectory = 2;
    if ((magic != 0x10B && magic != 0x20B) || !file.Has(directories, 8 * 3)) {
        throw Failure{kBadImage};
    }
    const uint64_t directoryCount = file.Read(directories - 4, 4);
    const uint64_t resourceRva = file.Read(directories + kResourceDirectory * 8, 4);
    if (directoryCount <= kResourceDirectory || resourceRva == 0) {
        throw Failure{kNoResource};
    }
    const uint64_t base = PeFileOffset(file, sections, sectionCount, resourceRva);
    constexpr uint64_t kSubdirectory = 0x80000000;
    constexpr uint64_t kRtVersion = 16;
    // Type, then name, then language; the last level points at a data entry.
    uint64_t entry = PeDirectoryEntry(file, base, 0, kRtVersion);
    for (int level = 0; level < 2; ++level) {
        if ((entry & kSubdirectory) == 0) {
            throw Failure{kBadImage};
        }
        entry = PeDirectoryEntry(file, base, entry & ~kSubdirectory, 0);
    }
    if ((entry & kSubdirectory) != 0 || !file.Has(base + entry, 16)) {
        throw Failure{kBadImage};
    }
    const uint64_t dataRva = file.Read(base + entry, 4);
    const uint64_t dataSize = file.Read(base + entry + 4, 4);
    const uint64_t dataOffset = PeFileOffset(file, sections, sectionCount, dataRva);
    if (!file.Has(dataOffset, dataSize)) {
        throw Failure{kBadImage};
    }
    return file.Slice(dataOffset, dataSize);
}

}  // namespace

std::optional<std::vector<uint8_t>> LoadVersionResource(const std::string& path,
                                                        std::string* error) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) {
        *error = std::strerror(EISDIR);
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = std::strerror(errno != 0 ? errno : ENOENT);
        return std::nullopt;
    }
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    if (in.bad()) {
        *error = std::strerror(errno != 0 ? errno : EIO);
        return std::nullopt;
    }
    const Bytes file(data);
    try {
        if (file.Has(0, 4) && file.Read(0, 4) == 0x464C457F) {  // "\x7fELF"
            return ElfVersionSection(file);
        }
        if (file.Has(0, 2) && file.Read(0, 2) == 0x5A4D) {  // "MZ"
            return PeVersionResource(file);
        }
        throw Failure{kNoResource};
    } catch (const Failure& failure) {
        *error = failure.reason;
        return std::nullopt;
    }
}

}  // namespace clipwright
