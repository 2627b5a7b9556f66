#include "engine/source_item.h"

namespace clipwright {

std::string DisplayName(const SourceItem& item) {
    return item.title + "." + item.sourceExt;
}

std::string TargetName(const SourceItem& item) {
    return item.outputStem + "." + item.outputExt;
}

std::string OutputPath(const SourceItem& item) {
    return item.outputFolder + item.outputStem + "." + item.outputExt;
}

void SetSourcePath(SourceItem& item, const std::string& path) {
    item.sourcePath = path;
    const size_t dot = path.find_last_of('.');
    const bool hasExt = dot != std::string::npos && dot > 0;
    item.sourceExt = hasExt ? path.substr(dot + 1) : std::string();
    const std::string stem = hasExt ? path.substr(0, dot) : path;
    // A leading "/" counts: on this system every absolute path starts with one, and a file in
    // the root folder still has a name.
    const size_t slash = stem.find_last_of('/');
    item.title = slash == std::string::npos ? std::string() : stem.substr(slash + 1);
}

bool HoldsZeroByte(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

std::string ShownPath(const std::string& path) {
    std::string shown;
    shown.reserve(path.size());
    for (const char c : path) {
        shown += c == '\0' ? std::string("%00") : std::string(1, c);
    }
    return shown;
}

int StatusStringId(int32_t status) {
    switch (status) {
        case kWaiting:
            return 61335;
        case kDoing:
            return 61316;
        case kSkip:
            return 61328;
        case kDone:
            return 61317;
        case kError:
            return 61313;
        default:
            return 61323;
    }
}

const char* StatusWord(int32_t status) {
    switch (status) {
        case kWaiting:
            return "Waiting";
        case kDoing:
            return "Doing";
        case kSkip:
            return "Skip";
        case kDone:
            return "Done";
        case kError:
            return "Error";
        default:
            return "Ready";
    }
}

}  // namespace clipwright
