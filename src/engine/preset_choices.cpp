#include "engine/preset_choices.h"

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

}  // namespace clipwright
