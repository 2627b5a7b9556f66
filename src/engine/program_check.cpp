#include "engine/program_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "engine/child_process.h"

namespace clipwright {

namespace {

// kMissing when nothing stands at path.
ProgramState StateOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return ProgramState::kMissing;
    }
    if (S_ISDIR(info.st_mode)) {
        return ProgramState::kFolder;
    }
    return ::access(path.c_str(), X_OK) == 0 ? ProgramState::kFound : ProgramState::kNotExecutable;
}

}  // namespace

ProgramLookup LookUpProgram(const std::string& word, const char* searchPath) {
    ProgramLookup lookup;
    if (word.empty()) {
        return lookup;
    }
    if (word.find('/') != std::string::npos) {
        lookup.state = StateOf(word);
        lookup.path = word;
        return lookup;
    }
    for (const std::string& folder : ProgramSearchFolders(searchPath)) {
        const std::string candidate = folder + (folder.ends_with('/') ? "" : "/") + word;
        const ProgramState state = StateOf(candidate);
        if (state == ProgramState::kFound) {
            return {state, candidate};
        }
        if (state != ProgramState::kMissing && lookup.state == ProgramState::kMissing) {
            lookup = {state, candidate};
        }
    }
    return lookup;
}

std::string EncoderUnusableMessage(const ProgramLookup& lookup, const std::string& name,
                                   const std::string& searchText,
                                   const std::function<std::string(int)>& text) {
    switch (lookup.state) {
        case ProgramState::kFound:
            return {};
        case ProgramState::kNotExecutable:
            return FormatText(text(kIdsEncoderNotExecutable).c_str(), lookup.path.c_str());
        case ProgramState::kFolder:
            return FormatText(text(kIdsEncoderIsFolder).c_str(), lookup.path.c_str());
        case ProgramState::kMissing:
            break;
    }
    return FormatText(text(kIdsEncoderMissing).c_str(), name.c_str(), searchText.c_str());
}

}  // namespace clipwright
