// Where the output file is written and how it comes to carry its name. A regular file (new, an
// empty name the application reserved, or an existing file or symbolic link given with -y) is
// written as a file without a name in the output's folder (or, where the file system has none,
// a hidden temporary file beside it) and given the final name only by commit(): a run killed
// before that leaves the final name as it was (absent, reserved and empty, or the old file), never
// a partial file that looks finished. A new name is created empty at once, so no other run takes
// it meanwhile. A renamed-over symbolic link is replaced itself, never the file it points to. A
// character device or FIFO (such as /dev/null), or a link to one (such as /dev/stdout), is
// written in place. Not thread-safe.
#pragma once

#include <sys/types.h>

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
    // Undoes this run: removes what it wrote and a name it created; a reserved name stays empty.
    void discard();

private:
    enum class Mode { kNone, kInPlace, kUnnamed, kTemporary };
    std::string prepare_unnamed(const std::string& folder, mode_t mode);
    std::string prepare_temporary(const std::string& folder, mode_t mode);
    std::string link_unnamed();
    void close_fd();

    Mode mode_ = Mode::kNone;
    bool created_ = false;  // the final name was made empty by this run
    int fd_ = -1;           // kUnnamed: the file without a name
    std::string path_;
    std::string write_path_;
};

}  // namespace trel
