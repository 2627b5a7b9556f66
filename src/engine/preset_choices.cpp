#include "engine/preset_choices.h"

#include "engine/command_line.h"
#include "engine/file_system.h"

namespace clipwright {

void NormalizeFrameSizeTexts(std::string& width, std::string& height) {
    const bool widthZero = width == "0";
    const bool heightZero = height == "0";
    // Built, not assigned from a literal: GCC 12 wrongly warns (-Wrestrict) on the assignment.
    if (widthZero) {
        height = std::string(1, '0');
    }
    if (heightZero) {
        width = std::string(1, '0');
    }
}

ConversionSettings RunSettings(ConversionSettings chosen) {
    if (chosen.outputType == kTypeMpeg4 || chosen.outputType == kTypeH264) {
        NormalizeFrameSizeTexts(chosen.widthText, chosen.heightText);
    }
    return chosen;
}

void MakeOutputNameAvoiding(SourceItem& item, const std::string& folder,
                            const std::string& extension, const std::string& suffix,
                            const std::function<bool(const std::string& path)>& taken) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    const std::string base = suffix.empty() ? item.title : item.title + "-" + suffix;
    std::string stem = base;
    const auto inUse = [&](const std::string& candidate) {
        const std::string path = dir + candidate + "." + extension;
        return PathExists(path) || taken(path);
    };
    for (uint64_t n = 1; inUse(stem); ++n) {
        stem = base + "[" + std::to_string(n) + "]";
    }
    item.outputFolder = dir;
    item.outputStem = stem;
    item.outputExt = extension;
}

}  // namespace clipwright
