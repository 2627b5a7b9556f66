// Where the output file is written and how it comes to carry its name. A new name is created
// exclusively and written in place. An existing empty regular file (a name the application
// reserved, whose growing size it shows) is written in place too. Any other existing file or
// symbolic link stays untouched until a temporary file beside it is finished and renamed over it,
// which replaces a link itself, never the file it points to. Not thread-safe.
#pragma once

#include <string>

namespace trel {

class OutputTarget {
public:
    OutputTarget() = default;
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;
    ~OutputTarget() { discard(); }

    // Decides and creates the file to write for `path`. Returns "" or the reason.
    std::string prepare(const std::string& path);
    // The file to open for writing; valid after a successful prepare().
    const std::string& write_path() const { return write_path_; }
    // Gives the closed file its name. Returns "" or the reason (the written file is then removed).
    std::string commit();
    // Undoes this run: removes a created or temporary file, empties a reserved one again.
    void discard();

private:
    enum class Mode { kNone, kCreated, kReserved, kTemporary };
    std::string prepare_temporary(const std::string& path);

    Mode mode_ = Mode::kNone;
    std::string path_;
    std::string write_path_;
};

}  // namespace trel
