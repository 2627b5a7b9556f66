#include "engine/fit_remake.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "base/text_log.h"
#include "engine/command_line.h"
#include "engine/file_system.h"

namespace clipwright {

namespace {

// A new empty file beside output with output's extension (the encoder may go by it) and mode
// (the encoder keeps the mode of what it writes over), hidden; empty when none can be made.
std::string HiddenSibling(const std::string& output) {
    const std::filesystem::path path(output);
    const std::string extension = path.extension().string();
    std::string name = (path.parent_path() / (".remake-XXXXXX" + extension)).string();
    const int fd = ::mkstemps(name.data(), static_cast<int>(extension.size()));
    if (fd < 0) {
        return {};
    }
    struct stat first {};
    if (::stat(output.c_str(), &first) == 0) {
        ::fchmod(fd, first.st_mode & 07777);
    }
    ::close(fd);
    return name;
}

int64_t BytesOrNothing(const std::string& path) {
    const int64_t bytes = RegularFileBytes(path);
    return bytes > 0 ? bytes : 0;
}

// Makes item again into hidden and puts it over output when whole and smaller; otherwise
// hidden goes and output stays.
void Remake(EncoderRun& run, const SourceItem& item, const std::string& options,
            const std::string& hidden, const std::string& output,
            const std::function<bool()>& stopped, const std::function<void()>& starting) {
    LogMessage("%s came out larger than the disc has room for; making it again smaller.",
               output.c_str());
    if (starting) {
        starting();
    }
    EncoderOutcome outcome;
    const int result =
        RunConversion(run, item.sourcePath, hidden, item.title, options, PartOf(item), outcome);
    // Only a whole and smaller output is worth the first one.
    const bool better = result == 0 && !run.abortRequested.load() && !stopped() &&
                        RegularFileBytes(hidden) < RegularFileBytes(output);
    if (better && std::rename(hidden.c_str(), output.c_str()) == 0) {
        return;
    }
    ::unlink(hidden.c_str());
    if (result != 0) {
        LogMessage("Making %s again failed; the first output stays. %s", output.c_str(),
                   outcome.errorLine.c_str());
    }
}

}  // namespace

void FinishFittedFile(RunFit& fit, size_t index, EncoderRun& run, const SourceItem& item,
                      const std::function<bool()>& stopped, const std::function<void()>& starting) {
    const std::string output = OutputPath(item);
    fit.Finished(index, BytesOrNothing(output));
    const std::optional<std::string> options = fit.RemakeOptions(index);
    if (!options) {
        return;
    }
    const std::string hidden = stopped() ? std::string() : HiddenSibling(output);
    if (!hidden.empty()) {
        Remake(run, item, *options, hidden, output, stopped, starting);
    }
    // What stays, the smaller output or the first.
    fit.Finished(index, BytesOrNothing(output));
}

}  // namespace clipwright
