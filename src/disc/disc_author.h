// Making the disc: the tools it needs and where they are, the record of what a run created (so a
// failed or cancelled run removes exactly that), and the run itself, which starts dvdauthor and
// genisoimage (DVD) or vcdimager (VCD, SVCD) as child processes and follows their progress.
//
// AuthorDisc runs on a worker thread; DiscProgress is shared with the user-interface thread
// (each field one atomic word). The rest is plain values.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "disc/disc_plan.h"

namespace clipwright {

enum class DiscTool { kNone = 0, kDvdauthor = 1, kGenisoimage = 2, kVcdimager = 3 };

// The program's name and the Debian package that has it.
const char* ToolProgram(DiscTool tool);
const char* ToolPackage(DiscTool tool);
// The tools a disc needs, in the order they run.
std::vector<DiscTool> ToolsFor(DiscKind kind);

// Full paths of the tools a disc needs, looked up in searchPath (a PATH-style list; null: the
// system's default list) by FindProgramOnPath. missing gets the tools not found.
struct DiscTools {
    std::string dvdauthor;
    std::string genisoimage;
    std::string vcdimager;
};
DiscTools LocateTools(DiscKind kind, const char* searchPath, std::vector<DiscTool>& missing);

// The paths a run created, removed in reverse order (folders with what is in them) when the
// record is destroyed, unless Keep() was called. Only paths that did not exist when added may be
// added. Not thread-safe: one owner.
class CreatedPaths {
public:
    CreatedPaths() = default;
    ~CreatedPaths();
    CreatedPaths(const CreatedPaths&) = delete;
    CreatedPaths& operator=(const CreatedPaths&) = delete;

    // False (and nothing recorded) when the path exists already: it is not ours to remove.
    bool Add(const std::string& path);
    // Forgets a path that the run removed itself.
    void Drop(const std::string& path);
    void Keep() { kept_ = true; }
    void RemoveAll();
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
    bool kept_ = false;
};

// A target folder may be missing (the run creates it) or empty; anything else is refused.
enum class TargetState { kMissing, kEmpty, kNotEmpty, kNotFolder };
TargetState CheckTarget(const std::string& folder);

struct DiscProgress {
    std::atomic<int> percent{0};  // 0..100 of the current step
    std::atomic<int> step{0};     // 1-based, 0 before the first
    std::atomic<int> steps{0};
    std::atomic<int> tool{0};  // the DiscTool running now
    std::atomic<bool> abortRequested{false};
};

struct DiscJob {
    DiscKind kind = DiscKind::kDvd;
    DiscStandard standard = DiscStandard::kUnknown;
    std::vector<DiscTitle> titles;  // checked with CheckTitles
    std::string targetFolder;       // absolute, without a trailing "/"
    std::string imageName;          // file name of the image without extension
    std::string volumeLabel;        // VolumeLabel()
    DiscTools tools;
};

enum class DiscOutcome { kDone, kCancelled, kFailed };

struct DiscResult {
    DiscOutcome outcome = DiscOutcome::kFailed;
    std::string errorLine;           // the tool's own line, or what went wrong around it
    std::vector<std::string> files;  // kDone: the image files made (ISO, or CUE and BIN)
};

// Makes the disc into job.targetFolder, which must be missing or empty. On failure or
// cancellation everything the run created is removed again, and nothing else.
DiscResult AuthorDisc(const DiscJob& job, DiscProgress& progress);

// The disc folder offered when none is chosen: one named after the first title inside the
// output folder (ImageName of it), with " 2", " 3" ... added while that name holds something
// already. Absolute, without a trailing "/".
std::string SuggestedDiscFolder(const std::string& outputFolder, const std::string& firstTitle);

// The image's base name from a folder name: the characters a CUE sheet, a graft point or a
// shell would take for something else become "_", and leading dots and dashes (a hidden file, an
// option) are dropped; "disc" when nothing is left.
std::string ImageName(const std::string& folderName);

}  // namespace clipwright
