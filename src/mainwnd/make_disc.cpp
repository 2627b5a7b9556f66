#include "mainwnd/make_disc.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "dialogs/disc_dialog.h"
#include "disc/disc_author.h"
#include "disc/disc_plan.h"
#include "disc/disc_split.h"
#include "engine/output_types.h"
#include "support/resource_strings.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"

namespace clipwright {

namespace fs = std::filesystem;

namespace {

void Tell(QWidget* parent, const std::string& text) {
    ShowMessageBox(parent, text, MessageButtons::kOk, MessageIcon::kExclamation);
}

std::string TypeLabel(int32_t type) {
    std::string label(TargetName(type));
    for (char& c : label) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return label;
}

std::string OneALine(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

std::string Joined(const std::vector<DiscTool>& tools, const char* separator, bool packages) {
    std::string text;
    for (const DiscTool tool : tools) {
        text += (text.empty() ? "" : separator);
        text += packages ? ToolPackage(tool) : ToolProgram(tool);
    }
    return text;
}

std::string SizeText(DiscKind kind, uint64_t bytes) {
    if (kind == DiscKind::kDvd) {
        return DisplayDecimal(static_cast<double>(bytes) / 1e9, 2) + " GB";
    }
    return DisplayDecimal(static_cast<double>(bytes) / 1e6, 0) + " MB";
}

std::string CapacityText(DiscKind kind) {
    const std::string size = SizeText(kind, DiscCapacityBytes(kind));
    return kind == DiscKind::kDvd ? size : size + " (80 min CD)";
}

// A folder this command made for the default choice, removed again (when still empty) unless
// the disc was made in it.
class DefaultFolder {
public:
    explicit DefaultFolder(const std::string& path) {
        std::error_code error;
        if (!fs::exists(path, error) && fs::create_directories(path, error)) {
            made_ = path;
        }
    }
    ~DefaultFolder() {
        if (!made_.empty() && !keep_) {
            std::error_code ignored;
            fs::remove(made_, ignored);  // only while empty: never what someone put there
        }
    }
    DefaultFolder(const DefaultFolder&) = delete;
    DefaultFolder& operator=(const DefaultFolder&) = delete;
    void KeepIf(const std::string& chosen) { keep_ = !made_.empty() && chosen == made_; }

private:
    std::string made_;
    bool keep_ = false;
};

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::optional<std::string> AskTarget(QWidget* parent, const std::string& suggested) {
    const std::optional<QString> chosen =
        ChooseFolder(parent, QString::fromStdString(LoadResourceString(kIdsDiscChooseFolder)),
                     QString::fromStdString(suggested));
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    return WithoutTrailingSlash(fs::absolute(chosen->toStdString()).lexically_normal().string());
}

bool TargetUsable(QWidget* parent, const std::string& target) {
    switch (CheckTarget(target)) {
        case TargetState::kNotEmpty:
            Tell(parent, LoadResourceString(kIdsDiscTargetNotEmpty, target));
            return false;
        case TargetState::kNotFolder:
            Tell(parent, LoadResourceString(kIdsDiscTargetNotFolder, target));
            return false;
        default:
            return true;
    }
}

// Probes every file under the dialog; nullopt when the user cancelled.
std::optional<std::vector<DiscTitle>> ProbeTitles(QWidget* parent,
                                                  const std::vector<std::string>& files) {
    std::vector<DiscTitle> titles(files.size());
    DiscDialog dialog(parent, [&files, &titles](DiscProgress& progress) {
        for (size_t i = 0; i < files.size() && !progress.abortRequested.load(); ++i) {
            titles[i] = ProbedTitle(files[i]);
            progress.percent.store(static_cast<int>((i + 1) * 100 / files.size()));
        }
    });
    RunModalDialog(dialog);
    if (dialog.CancelRequested()) {
        return std::nullopt;
    }
    return titles;
}

void TellTooManyTitles(QWidget* parent, DiscKind kind, int32_t type, size_t files) {
    Tell(parent,
         LoadResourceString(kIdsDiscTooManyTitles, TypeLabel(type),
                            static_cast<int>(MaxDiscTitles(kind)), static_cast<int>(files)));
}

bool PlanUsable(QWidget* parent, const PlanCheck& check, DiscKind kind, int32_t type,
                size_t files) {
    switch (check.problem) {
        case PlanProblem::kNone:
            return true;
        case PlanProblem::kNoTitles:
            Tell(parent, LoadResourceString(kIdsDiscNothingConverted));
            break;
        case PlanProblem::kTooManyTitles:
            TellTooManyTitles(parent, kind, type, files);
            break;
        case PlanProblem::kUnreadable:
            Tell(parent, LoadResourceString(kIdsDiscUnreadable, OneALine(check.files)));
            break;
        case PlanProblem::kWrongType:
            Tell(parent,
                 LoadResourceString(kIdsDiscNotOfType, TypeLabel(type), OneALine(check.files)));
            break;
        case PlanProblem::kMixedStandards:
            Tell(parent, LoadResourceString(kIdsDiscMixedStandards, OneALine(check.files),
                                            OneALine(check.otherFiles)));
            break;
    }
    return false;
}

enum class TooLargeChoice { kOneDisc, kSeveralDiscs, kCancel };

// An image over the disc: several discs (the titles split, none cut), one disc anyway (for a
// larger blank), or cancel. A run already meant for several discs, and a Video CD run, go onto
// several without asking.
TooLargeChoice ChooseForTooLarge(QWidget* parent, const DiscRequest& request, DiscKind kind,
                                 const std::vector<DiscTitle>& titles, uint64_t capacity) {
    const uint64_t size = EstimatedImageBytes(kind, titles);
    if (size <= capacity) {
        return TooLargeChoice::kOneDisc;
    }
    if (request.severalDiscs || SplitsWithoutAsking(kind)) {
        return TooLargeChoice::kSeveralDiscs;
    }
    const std::string text =
        LoadResourceString(kIdsDiscTooLarge, SizeText(kind, size), SizeText(kind, size - capacity),
                           CapacityText(kind));
    // "One disc anyway" first: its number is the answer OK stood for before.
    const std::vector<std::string> choices = {LoadResourceString(kIdsDiscChoiceOneAnyway),
                                              LoadResourceString(kIdsFitChoiceSeveral)};
    switch (ShowChoiceBox(parent, text, choices, MessageIcon::kQuestion)) {
        case 1:
            return TooLargeChoice::kOneDisc;
        case 2:
            return TooLargeChoice::kSeveralDiscs;
        default:
            return TooLargeChoice::kCancel;
    }
}

// Tells the user a disc that was cancelled or failed; true when it was made.
bool Made(QWidget* parent, DiscOutcome outcome, const std::string& errorLine) {
    switch (outcome) {
        case DiscOutcome::kDone:
            return true;
        case DiscOutcome::kCancelled:
            ShowMessageBox(parent, LoadResourceString(kIdsDiscCanceled), MessageButtons::kOk,
                           MessageIcon::kInformation);
            return false;
        case DiscOutcome::kFailed:
            Tell(parent, LoadResourceString(kIdsDiscFailed, errorLine));
            return false;
    }
    return false;
}

bool Author(QWidget* parent, const DiscJob& job) {
    DiscResult result;
    DiscDialog dialog(
        parent, [&job, &result](DiscProgress& progress) { result = AuthorDisc(job, progress); });
    RunModalDialog(dialog);
    if (!Made(parent, result.outcome, result.errorLine)) {
        return false;
    }
    ShowMessageBox(parent, LoadResourceString(kIdsDiscDone, OneALine(result.files)),
                   MessageButtons::kOk, MessageIcon::kInformation);
    return true;
}

// The run's titles onto as many discs as they need, in folders "<chosen> 1", "<chosen> 2" ...;
// the closing message says which titles are on which disc.
bool AuthorSeveral(QWidget* parent, const DiscJob& job, uint64_t capacity) {
    const DiscSplit split = SplitTitles(job.kind, job.titles, capacity);
    if (!split.tooLarge.empty()) {
        std::vector<std::string> files;
        for (const size_t index : split.tooLarge) {
            files.push_back(job.titles[index].path);
        }
        Tell(parent, LoadResourceString(kIdsFitTitleTooLarge, OneALine(files)));
        return false;
    }
    for (size_t n = 0; n < split.discs.size(); ++n) {
        if (!TargetUsable(parent, NumberedDiscFolder(job.targetFolder, n + 1))) {
            return false;
        }
    }
    SplitResult result;
    DiscDialog dialog(parent, [&job, &split, &result](DiscProgress& progress) {
        result = AuthorDiscs(job, split, progress);
    });
    RunModalDialog(dialog);
    if (!Made(parent, result.outcome, result.errorLine)) {
        return false;
    }
    std::vector<std::string> lines;
    for (size_t n = 0; n < split.discs.size(); ++n) {
        std::vector<std::string> names;
        for (const size_t index : split.discs[n]) {
            names.push_back(fs::path(job.titles[index].path).filename().string());
        }
        std::string joined;
        for (const std::string& name : names) {
            joined += (joined.empty() ? "" : ", ") + name;
        }
        lines.push_back(LoadResourceString(kIdsFitDiscLine, static_cast<int>(n + 1), joined));
        for (const std::string& file : result.files[n]) {
            lines.push_back("    " + file);
        }
    }
    ShowMessageBox(parent, LoadResourceString(kIdsFitDiscsDone, OneALine(lines)),
                   MessageButtons::kOk, MessageIcon::kInformation);
    return true;
}

}  // namespace

bool CanMakeDisc(int32_t runType, size_t convertedFiles) {
    return DiscKindOfType(runType).has_value() && convertedFiles > 0;
}

bool MakeDisc(QWidget* parent, const DiscRequest& request) {
    const std::optional<DiscKind> kind = DiscKindOfType(request.chosenType);
    if (!kind) {
        Tell(parent, LoadResourceString(kIdsDiscTypeOnly));
        return false;
    }
    if (request.files.empty()) {
        Tell(parent, LoadResourceString(kIdsDiscNothingConverted));
        return false;
    }
    if (request.runType != request.chosenType) {
        const std::string chosen = TypeLabel(request.chosenType);
        Tell(parent, LoadResourceString(kIdsDiscTypeChanged, TypeLabel(request.runType), chosen,
                                        OneALine(request.files), chosen));
        return false;
    }
    // Before the files are probed: the tools would take them all and fail at the end.
    if (request.files.size() > MaxDiscTitles(*kind)) {
        TellTooManyTitles(parent, *kind, request.chosenType, request.files.size());
        return false;
    }
    std::vector<DiscTool> missing;
    const DiscTools tools = LocateTools(*kind, std::getenv("PATH"), missing);
    if (!missing.empty()) {
        Tell(parent, LoadResourceString(kIdsDiscToolMissing, Joined(missing, ", ", false),
                                        Joined(missing, " ", true)));
        return false;
    }
    const std::optional<std::vector<DiscTitle>> titles = ProbeTitles(parent, request.files);
    if (!titles) {
        return false;
    }
    const PlanCheck check = CheckTitles(*kind, *titles);
    const uint64_t capacity = request.discBytes > 0 ? request.discBytes : DiscCapacityBytes(*kind);
    if (!PlanUsable(parent, check, *kind, request.chosenType, titles->size())) {
        return false;
    }
    const TooLargeChoice size = ChooseForTooLarge(parent, request, *kind, *titles, capacity);
    if (size == TooLargeChoice::kCancel) {
        return false;
    }
    const bool split = size == TooLargeChoice::kSeveralDiscs;
    const std::string suggested = SuggestedDiscFolder(request.outputFolder, request.firstTitle);
    // Made now so the folder dialog can show it chosen; taken away again unless the disc is
    // made in it.
    DefaultFolder made(suggested);
    const std::optional<std::string> target = AskTarget(parent, suggested);
    if (!target || !TargetUsable(parent, *target)) {
        return false;
    }
    DiscJob job;
    job.kind = *kind;
    job.standard = check.standard;
    job.titles = *titles;
    job.targetFolder = *target;
    job.imageName = ImageName(fs::path(*target).filename().string());
    job.volumeLabel = VolumeLabel(job.imageName);
    job.tools = tools;
    if (split) {
        return AuthorSeveral(parent, job, capacity);
    }
    const bool done = Author(parent, job);
    if (done) {
        made.KeepIf(*target);
    }
    return done;
}

void OfferDisc(QWidget* parent, const DiscRequest& request) {
    if (!CanMakeDisc(request.runType, request.files.size())) {
        return;
    }
    const std::string question = LoadResourceString(kIdsDiscOffer, TypeLabel(request.runType));
    if (ShowMessageBox(parent, question, MessageButtons::kOkCancel, MessageIcon::kQuestion) !=
        kAnswerOk) {
        return;
    }
    MakeDisc(parent, request);
}

}  // namespace clipwright
