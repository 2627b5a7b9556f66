// Why a program that command lines name cannot be run: missing, present but not executable, or a
// folder. Reads the file system only; any thread.
#pragma once

#include <functional>
#include <string>

namespace clipwright {

enum class ProgramState { kFound, kMissing, kNotExecutable, kFolder };

struct ProgramLookup {
    ProgramState state = ProgramState::kMissing;
    std::string path;  // kFound: the program; kNotExecutable, kFolder: what stands there instead
};

// Looks word up as command lines do (a word with a "/" is the path itself, otherwise the folders
// of ProgramSearchFolders in order). A runnable program anywhere wins; otherwise the first thing
// met under that name says why none can be run.
ProgramLookup LookUpProgram(const std::string& word, const char* searchPath);

// The message for an encoder program that cannot be run, in the user's words through text
// (a string-table loader); the missing case names the folders it was looked for in
// (searchText). Empty when the program was found.
std::string EncoderUnusableMessage(const ProgramLookup& lookup, const std::string& name,
                                   const std::string& searchText,
                                   const std::function<std::string(int)>& text);

}  // namespace clipwright
