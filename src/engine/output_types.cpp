#include "engine/output_types.h"

namespace clipwright {

namespace {
constexpr std::array<std::string_view, kOutputTypeCount> kExtensions{
    "mp4", "mov", "mpg", "wmv", "3gp", "ogm", "mpg", "mpg", "mpg", "avi"};
constexpr std::array<std::string_view, kOutputTypeCount> kTargets{"", "",    "dvd",  "",   "",
                                                                  "", "vcd", "svcd", "dv", ""};
bool InRange(int32_t outputType) {
    return outputType >= 0 && outputType < kOutputTypeCount;
}
}  // namespace

std::string_view OutputExtension(int32_t outputType) {
    return InRange(outputType) ? kExtensions[static_cast<size_t>(outputType)] : "";
}

std::string_view TargetName(int32_t outputType) {
    return InRange(outputType) ? kTargets[static_cast<size_t>(outputType)] : "";
}

bool IsConvertibleType(int32_t outputType) {
    return outputType == kTypeMpeg4 || outputType == kTypeH264 || !TargetName(outputType).empty();
}

}  // namespace clipwright
