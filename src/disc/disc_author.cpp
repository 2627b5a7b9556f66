#include "disc/disc_author.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>
#include <system_error>

#include "base/text_log.h"
#include "disc/tool_output.h"
#include "engine/child_io.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/file_system.h"

namespace clipwright {

namespace fs = std::filesystem;

namespace {

// How often a tool's output is looked at while it prints nothing, for the cancel flag.
constexpr int kPollMs = 100;
// A stopped tool gets this long to end before it is killed.
constexpr int kToolStopGraceMs = 1000;
// Output kept for the error line; older text is dropped past this.
constexpr size_t kOutputKeep = 256 * 1024;

// Where dvdauthor finds the titles, in the target folder while it runs.
constexpr const char* kTitleLinkFolder = "dvdauthor-titles";

// A tool run's end: success only for an exit status of 0 that nobody asked for.
enum class ToolEnd { kOk, kFailed, kCancelled };

struct ToolRun {
    ToolEnd end = ToolEnd::kFailed;
    std::string output;
};

void AppendBounded(std::string& output, std::string_view more) {
    output.append(more);
    if (output.size() > kOutputKeep) {
        output.erase(0, output.size() - kOutputKeep / 2);
    }
}

// Feeds every complete line (ended by "\n" or "\r") of pending to onLine and keeps the rest.
void TakeLines(std::string& pending, const std::function<void(std::string_view)>& onLine) {
    size_t begin = 0;
    for (size_t i = 0; i < pending.size(); ++i) {
        if (pending[i] == '\n' || pending[i] == '\r') {
            if (i > begin && onLine) {
                onLine(std::string_view(pending).substr(begin, i - begin));
            }
            begin = i + 1;
        }
    }
    pending.erase(0, begin);
}

bool ExitedWell(const ChildProcess& child) {
    return child.exited && WIFEXITED(child.waitStatus) && WEXITSTATUS(child.waitStatus) == 0;
}

// Runs one tool in folder until it ends or the run is cancelled; onLine sees its output line by
// line and onIdle runs at least every kPollMs.
ToolRun RunTool(const std::string& commandLine, const std::string& folder, DiscProgress& progress,
                const std::function<void(std::string_view)>& onLine,
                const std::function<void()>& onIdle) {
    LogMessage("%s", commandLine.c_str());
    ToolRun run;
    ChildProcess child;
    child.commandLine = commandLine;
    child.workingFolder = folder;
    child.flags = PIPE_STDOUT;
    if (StartChild(child) != 0) {
        run.output = "could not start " + commandLine;
        return run;
    }
    std::string pending;
    char chunk[4096];
    bool open = true;
    while (!progress.abortRequested.load()) {
        if (onIdle) {
            onIdle();
        }
        if (!open) {
            if (WaitChildExit(child, kPollMs)) {
                break;
            }
            continue;
        }
        const OutputWait wait = WaitForOutput(child, kPollMs, nullptr);
        if (wait == OutputWait::kTimedOut) {
            continue;
        }
        // The tool's own end counts even while something it left behind holds the pipe.
        const ssize_t n =
            wait == OutputWait::kReadable ? ReadSome(child.stdoutRead, chunk, sizeof chunk) : 0;
        if (n <= 0) {
            open = false;
            continue;
        }
        const std::string_view text(chunk, static_cast<size_t>(n));
        AppendBounded(run.output, text);
        pending.append(text);
        TakeLines(pending, onLine);
    }
    if (progress.abortRequested.load()) {
        StopChild(child, kToolStopGraceMs);
        run.end = ToolEnd::kCancelled;
    } else {
        run.end = ExitedWell(child) ? ToolEnd::kOk : ToolEnd::kFailed;
    }
    KillChild(child);
    ReleaseChild(child);
    return run;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// The result of a failed step: the tool's own line, or a plain account when it printed none.
DiscResult Failed(const ToolRun& run, DiscTool tool) {
    DiscResult result;
    result.outcome =
        run.end == ToolEnd::kCancelled ? DiscOutcome::kCancelled : DiscOutcome::kFailed;
    result.errorLine = ToolErrorLine(run.output);
    if (result.errorLine.empty()) {
        result.errorLine = std::string(ToolProgram(tool)) + " failed without a message";
    }
    return result;
}

DiscResult FailedWith(std::string line) {
    DiscResult result;
    result.errorLine = std::move(line);
    return result;
}

void StartStep(DiscProgress& progress, int step, DiscTool tool) {
    progress.step.store(step);
    progress.tool.store(static_cast<int>(tool));
    progress.percent.store(0);
}

// Whether an XML attribute carries text unchanged: a parser turns line breaks and tabs into
// blanks and refuses the other control characters.
bool XmlCarries(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The titles as dvdauthor is to read them: each file under a link of ours in folder (inside the
// working folder), named by its place in the list. dvdauthor takes its file names from XML, so
// the user's own names never reach it. Where the file system has no links (a FAT stick), a name
// XML carries is given as it is. Empty, or what went wrong.
std::string LinkTitles(const std::vector<DiscTitle>& titles, const std::string& folder,
                       std::vector<DiscTitle>& linked) {
    std::error_code error;
    if (!fs::create_directory(folder, error)) {
        return "could not create " + folder;
    }
    linked = titles;
    for (size_t i = 0; i < linked.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%03zu.mpg", i + 1);
        fs::create_symlink(titles[i].path, folder + "/" + name, error);
        if (!error) {
            linked[i].path = std::string(kTitleLinkFolder) + "/" + name;
        } else if (!XmlCarries(titles[i].path)) {
            return "could not link " + titles[i].path + " for dvdauthor (" + error.message() + ")";
        }
    }
    return {};
}

DiscResult AuthorDvd(const DiscJob& job, DiscProgress& progress, CreatedPaths& created) {
    const std::string& target = job.targetFolder;
    const std::string xmlPath = target + "/" + job.imageName + ".dvdauthor.xml";
    const std::string isoName = job.imageName + ".iso";
    const std::string linkFolder = target + "/" + kTitleLinkFolder;
    if (!created.Add(xmlPath) || !created.Add(target + "/VIDEO_TS") ||
        !created.Add(target + "/AUDIO_TS") || !created.Add(target + "/" + isoName) ||
        !created.Add(linkFolder)) {
        return FailedWith("the target folder is no longer empty");
    }
    std::vector<DiscTitle> linked;
    const std::string linkProblem = LinkTitles(job.titles, linkFolder, linked);
    if (!linkProblem.empty()) {
        return FailedWith(linkProblem);
    }
    if (!WriteTextFile(xmlPath, DvdAuthorXml(linked, job.standard))) {
        return FailedWith("could not write " + xmlPath);
    }
    double totalMb = 0;
    for (const DiscTitle& title : job.titles) {
        totalMb += static_cast<double>(title.bytes) / (1024.0 * 1024.0);
    }
    StartStep(progress, 1, DiscTool::kDvdauthor);
    const std::string author = QuoteArgument(job.tools.dvdauthor) + " -o " + QuoteArgument(target) +
                               " -x " + QuoteArgument(xmlPath);
    const ToolRun authored = RunTool(author, target, progress,
                                     [&](std::string_view line) {
                                         const int percent = DvdauthorPercent(line, totalMb);
                                         if (percent >= 0) {
                                             progress.percent.store(percent);
                                         }
                                     },
                                     {});
    if (authored.end != ToolEnd::kOk) {
        return Failed(authored, DiscTool::kDvdauthor);
    }
    std::error_code ignored;
    fs::remove(xmlPath, ignored);
    created.Drop(xmlPath);
    // Before the image: the links must not go onto the disc.
    std::error_code unlinked;
    fs::remove_all(linkFolder, unlinked);
    if (unlinked) {
        return FailedWith("could not remove " + linkFolder);
    }
    created.Drop(linkFolder);

    StartStep(progress, 2, DiscTool::kGenisoimage);
    // UDF 1.02 bridged with ISO 9660, VIDEO_TS first and its files in order: what stand-alone
    // players read. Run in the target folder with relative names, so the user's folder name never
    // meets option parsing; genisoimage leaves its own output file out of the image.
    const std::string image = QuoteArgument(job.tools.genisoimage) + " -dvd-video -udf -V " +
                              QuoteArgument(job.volumeLabel) + " -o " +
                              QuoteArgument("./" + isoName) + " .";
    const ToolRun imaged = RunTool(image, target, progress,
                                   [&](std::string_view line) {
                                       const int percent = GenisoimagePercent(line);
                                       if (percent >= 0) {
                                           progress.percent.store(percent);
                                       }
                                   },
                                   {});
    if (imaged.end != ToolEnd::kOk) {
        return Failed(imaged, DiscTool::kGenisoimage);
    }
    DiscResult result;
    result.outcome = DiscOutcome::kDone;
    result.files = {target + "/" + isoName};
    return result;
}

DiscResult AuthorVcd(const DiscJob& job, DiscProgress& progress, CreatedPaths& created) {
    const std::string& target = job.targetFolder;
    const std::string cueName = job.imageName + ".cue";
    const std::string binName = job.imageName + ".bin";
    const std::string binPath = target + "/" + binName;
    if (!created.Add(target + "/" + cueName) || !created.Add(binPath)) {
        return FailedWith("the target folder is no longer empty");
    }
    StartStep(progress, 1, DiscTool::kVcdimager);
    std::string command = QuoteArgument(job.tools.vcdimager) + " -t " +
                          (job.kind == DiscKind::kSvcd ? "svcd" : "vcd2") + " " +
                          QuoteArgument("--iso-volume-label=" + job.volumeLabel) + " " +
                          QuoteArgument("--cue-file=" + cueName) + " " +
                          QuoteArgument("--bin-file=" + binName);
    for (const DiscTitle& title : job.titles) {
        command += ' ';
        command += QuoteArgument(title.path);
    }
    // vcdimager prints no progress: the image's growth against its expected size stands in.
    const double expected = static_cast<double>(EstimatedImageBytes(job.kind, job.titles));
    const ToolRun made = RunTool(command, target, progress, {}, [&] {
        const double done = static_cast<double>(FileBytesOrZero(binPath));
        progress.percent.store(std::min(99, static_cast<int>(done * 100.0 / expected)));
    });
    if (made.end != ToolEnd::kOk) {
        return Failed(made, DiscTool::kVcdimager);
    }
    DiscResult result;
    result.outcome = DiscOutcome::kDone;
    result.files = {target + "/" + cueName, binPath};
    return result;
}

}  // namespace

const char* ToolProgram(DiscTool tool) {
    switch (tool) {
        case DiscTool::kDvdauthor:
            return "dvdauthor";
        case DiscTool::kGenisoimage:
            return "genisoimage";
        case DiscTool::kVcdimager:
            return "vcdimager";
        case DiscTool::kNone:
            break;
    }
    return "";
}

const char* ToolPackage(DiscTool tool) {
    // Each tool's Debian package has the tool's own name.
    return ToolProgram(tool);
}

std::vector<DiscTool> ToolsFor(DiscKind kind) {
    if (kind == DiscKind::kDvd) {
        return {DiscTool::kDvdauthor, DiscTool::kGenisoimage};
    }
    return {DiscTool::kVcdimager};
}

DiscTools LocateTools(DiscKind kind, const char* searchPath, std::vector<DiscTool>& missing) {
    DiscTools tools;
    missing.clear();
    for (const DiscTool tool : ToolsFor(kind)) {
        const std::string path = FindProgramOnPath(ToolProgram(tool), searchPath);
        if (path.empty()) {
            missing.push_back(tool);
        }
        std::string& slot = tool == DiscTool::kDvdauthor     ? tools.dvdauthor
                            : tool == DiscTool::kGenisoimage ? tools.genisoimage
                                                             : tools.vcdimager;
        slot = path;
    }
    return tools;
}

CreatedPaths::~CreatedPaths() {
    if (!kept_) {
        RemoveAll();
    }
}

bool CreatedPaths::Add(const std::string& path) {
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
        return false;
    }
    paths_.push_back(path);
    return true;
}

void CreatedPaths::Drop(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void CreatedPaths::RemoveAll() {
    for (auto it = paths_.rbegin(); it != paths_.rend(); ++it) {
        std::error_code error;
        fs::remove_all(*it, error);
        if (error) {
            LogMessage("Could not remove %s: %s", it->c_str(), error.message().c_str());
        }
    }
    paths_.clear();
}

TargetState CheckTarget(const std::string& folder) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (status.type() == fs::file_type::not_found) {
        return TargetState::kMissing;
    }
    if (status.type() != fs::file_type::directory) {
        return TargetState::kNotFolder;
    }
    const bool empty = fs::is_empty(folder, error);
    return error ? TargetState::kNotFolder : empty ? TargetState::kEmpty : TargetState::kNotEmpty;
}

DiscResult AuthorDisc(const DiscJob& job, DiscProgress& progress) {
    progress.steps.store(job.kind == DiscKind::kDvd ? 2 : 1);
    CreatedPaths created;
    const TargetState state = CheckTarget(job.targetFolder);
    if (state == TargetState::kNotEmpty || state == TargetState::kNotFolder) {
        return FailedWith(job.targetFolder + " is not an empty folder");
    }
    if (state == TargetState::kMissing) {
        std::error_code error;
        if (!created.Add(job.targetFolder) || !fs::create_directories(job.targetFolder, error)) {
            return FailedWith("could not create " + job.targetFolder);
        }
    }
    DiscResult result = job.kind == DiscKind::kDvd ? AuthorDvd(job, progress, created)
                                                   : AuthorVcd(job, progress, created);
    if (result.outcome == DiscOutcome::kDone && progress.abortRequested.load()) {
        result.outcome = DiscOutcome::kCancelled;  // a cancel after the last tool still counts
    }
    if (result.outcome == DiscOutcome::kDone) {
        created.Keep();
        progress.percent.store(100);
    }
    return result;
}

std::string ImageName(const std::string& folderName) {
    std::string name;
    for (const char c : folderName) {
        const bool odd = static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\' ||
                         c == '/' || c == '=' || c == '\'' || c == '|';
        name += odd ? '_' : c;
    }
    while (!name.empty() && (name.front() == '.' || name.front() == '-')) {
        name.erase(0, 1);
    }
    return name.empty() ? "disc" : name;
}

std::string SuggestedDiscFolder(const std::string& outputFolder, const std::string& firstTitle) {
    const auto withoutSlash = [](std::string path) {
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return path;
    };
    const std::string base = outputFolder.empty() ? "." : outputFolder;
    const std::string first = withoutSlash(
        fs::absolute(fs::path(base) / ImageName(firstTitle)).lexically_normal().string());
    const auto taken = [](const std::string& folder) {
        const TargetState state = CheckTarget(folder);
        return state == TargetState::kNotEmpty || state == TargetState::kNotFolder;
    };
    std::string candidate = first;
    for (int n = 2; n < 100 && taken(candidate); ++n) {
        candidate = first + " " + std::to_string(n);
    }
    return candidate;
}

}  // namespace clipwright
