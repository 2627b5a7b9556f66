#include "engine/detection_worker.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/child_io.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/probe.h"
#include "engine/probe_server.h"
#include "engine/program_check.h"
#include "engine/reason_words.h"

namespace clipwright {

namespace {

// A reason as its line under a failed path in the summary.
std::string ReasonLine(const std::string& reason) {
    return "\n    " + reason;
}

// The reason line under a failed path in the summary; empty when no reason is known.
std::string FailureReasonLine(WorkerUi& ui, const ProbeFailure& failure) {
    switch (failure.kind) {
        case ProbeFailure::kEncoderSaid:
            return ReasonLine(ReasonInOurWords(ui, failure.text));
        case ProbeFailure::kTimedOut: {
            const std::string format = ui.Text(kIdsProbeTimedOut);
            return ReasonLine(FormatText(format.c_str(), kProbeTimeoutMs / 1000));
        }
        case ProbeFailure::kEncoderEnded:
            return ReasonLine(ui.Text(kIdsProbeEncoderEnded));
        case ProbeFailure::kNoDuration:
            return ReasonLine(ui.Text(kIdsProbeNoDuration));
        case ProbeFailure::kUndecodableName:
            return ReasonLine(ui.Text(kIdsProbeUndecodableName));
        case ProbeFailure::kNone:
            break;
    }
    return {};
}

// How long probed files wait before they are handed to the list together: the detecting
// dialog's tick, so the list grows as often as the dialog's text changes, and a long add costs
// one hand-over a tick instead of several round trips to the user-interface thread a file.
constexpr uint32_t kHandOverMs = 100;

// What the worker reads of the user interface once: the form cannot change while the modal
// detecting dialog runs.
struct DetectionTexts {
    std::string step;  // the dialog's text, not yet formatted
    std::string outputFolder;
    std::string outputExtension;
};

// Probed files not yet in the list, in path order.
class PendingRows {
public:
    explicit PendingRows(WorkerUi& ui) : ui_(ui), since_(CurrentTick()) {}

    void Add(std::unique_ptr<SourceItem> item, const std::string& path) {
        paths_.push_back(path);
        items_.push_back(std::move(item));
    }
    // Hands the waiting items over once they have waited a tick (or always, when forced).
    void HandOver(bool force) {
        if (items_.empty() || (!force && CurrentTick() - since_ < kHandOverMs)) {
            return;
        }
        const int first = ui_.AppendRows(std::move(items_));
        for (size_t i = 0; i < paths_.size(); ++i) {
            LogMessage("Listed %s at row %d.", paths_[i].c_str(), first + static_cast<int>(i));
        }
        items_.clear();
        paths_.clear();
        since_ = CurrentTick();
    }

private:
    WorkerUi& ui_;
    std::vector<std::unique_ptr<SourceItem>> items_;
    std::vector<std::string> paths_;
    uint32_t since_;
};

// What DetectOne made of one file.
struct DetectResult {
    std::unique_ptr<SourceItem> item;  // the probed and named item; null when the file failed
    bool zeroByte = false;             // it failed because its path holds a zero byte
    ProbeFailure failure;              // otherwise why its probe failed
};

DetectResult DetectOne(DetectionShared& shared, ProbeServer& server, const DetectionTexts& texts,
                       const std::string& path, int i, int n) {
    DetectResult result;
    {
        const std::lock_guard lock(shared.stateLock);
        shared.statusText = FormatText(texts.step.c_str(), i + 1, n, ShownPath(path).c_str());
    }
    LogMessage("load %d/%d:%s", i + 1, n, ShownPath(path).c_str());
    // No file name holds a zero byte: such a path (from "%00" in a URI, say) names no file, and
    // on the probe server's input it would read as two requests, each answer then going to
    // the wrong file.
    result.zeroByte = HoldsZeroByte(path);
    if (result.zeroByte) {
        return result;
    }
    auto item = std::make_unique<SourceItem>();
    if (server.Probe(*item, path, &result.failure) != 0) {
        return result;
    }
    // Named before the view takes it, so no other thread ever sees it half made.
    MakeOutputName(*item, texts.outputFolder, texts.outputExtension, kOutputSuffix);
    result.item = std::move(item);
    return result;
}

}  // namespace

std::string EncoderSearchText(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    // A folder named twice (on PATH and beside us, or "/usr/bin/" and "/usr/bin") is searched
    // once for the user: it is listed once, where it is first searched.
    std::string text;
    std::vector<std::string> listed;
    for (const std::string& folder : ProgramSearchFolders(std::getenv("PATH"))) {
        std::string same = folder;
        while (same.size() > 1 && same.back() == '/') {
            same.pop_back();
        }
        if (std::find(listed.begin(), listed.end(), same) != listed.end()) {
            continue;
        }
        listed.push_back(same);
        text += (text.empty() ? "" : "\n") + folder;
    }
    return text;
}

std::string EncoderMissingMessage(WorkerUi& ui) {
    const std::string& name = EncoderName();
    return EncoderUnusableMessage(LookUpProgram(name, std::getenv("PATH")), name,
                                  EncoderSearchText(name), [&ui](int id) { return ui.Text(id); });
}

void RunDetectionWorker(DetectionShared& shared, WorkerUi& ui,
                        const std::vector<std::string>& paths,
                        const DetectionCallbacks& callbacks) {
    const int n = static_cast<int>(paths.size());
    LogMessage("------Start load source files(%d)...------", n);
    // Without the encoder every file would fail with the codec-libraries text, which names the
    // wrong cause: say what is missing instead, and list nothing.
    if (n > 0 && LookUpProgram(EncoderName(), std::getenv("PATH")).state != ProgramState::kFound) {
        LogMessage("Encoder %s not found.", EncoderName().c_str());
        ui.ShowMessage(EncoderMissingMessage(ui));
        shared.workerRunning = false;
        callbacks.requestClose();
        return;
    }
    const DetectionTexts texts{ui.Text(kIdsDetectingFile), ui.OutputFolder(),
                               std::string(OutputExtension(ui.OutputType()))};
    std::string failedList;
    PendingRows pending(ui);
    int shownPercent = -1;
    // One encoder process probes the files in turn; a file that hangs or kills it costs only
    // that file, and an encoder without the mode is started once per file instead.
    ProbeServer server;
    for (int i = 0; i < n; ++i) {
        const std::string& path = paths[static_cast<size_t>(i)];
        if (const int percent = 100 * (i + 1) / n; percent != shownPercent) {
            shownPercent = percent;
            callbacks.setProgress(percent);
        }
        DetectResult detected = DetectOne(shared, server, texts, path, i, n);
        if (detected.item) {
            pending.Add(std::move(detected.item), path);
        } else {
            failedList += '\n';
            failedList += ShownPath(path);
            failedList += detected.zeroByte ? ReasonLine(ui.Text(kIdsReasonZeroByteInName))
                                            : FailureReasonLine(ui, detected.failure);
        }
        pending.HandOver(false);
    }
    pending.HandOver(true);
    if (!failedList.empty()) {
        ui.ShowMessage(ui.Text(kIdsCantPlayback) + "\r\n" + failedList + "\r\n\r\n" +
                       ui.Text(kIdsFailureReasons));
    }
    shared.workerRunning = false;
    callbacks.requestClose();
}

}  // namespace clipwright
