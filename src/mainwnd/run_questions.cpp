#include "mainwnd/run_questions.h"

#include <cctype>
#include <optional>

#include "base/string_ids.h"
#include "base/text_log.h"
#include "disc/disc_plan.h"
#include "engine/free_space.h"
#include "platform/launcher.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace clipwright {

bool ConfirmFreeSpace(QWidget* owner, const ConversionSettings& settings,
                      const std::vector<const SourceItem*>& items) {
    const int64_t needed = RunBytesUpTo(settings, items);
    if (needed <= 0) {
        return true;
    }
    const std::optional<uint64_t> free = FreeBytesOf(settings.outputFolder);
    if (!free || static_cast<uint64_t>(needed) <= *free) {
        return true;
    }
    const std::string neededText = ByteSizeText(static_cast<uint64_t>(needed));
    const std::string freeText = ByteSizeText(*free);
    LogMessage("The run may need up to %s, %s free.", neededText.c_str(), freeText.c_str());
    const std::string text = LoadResourceString(kIdsAskLowSpace, neededText.c_str(),
                                                freeText.c_str(), settings.outputFolder.c_str());
    return ShowMessageBox(owner, text, MessageButtons::kOkCancel, MessageIcon::kQuestion) ==
           kAnswerOk;
}

bool ConfirmDiscTitleLimit(QWidget* owner, int32_t outputType, size_t rows) {
    const std::optional<DiscKind> kind = DiscKindOfType(outputType);
    if (!kind || rows <= MaxDiscTitles(*kind)) {
        return true;
    }
    std::string label(TargetName(outputType));
    for (char& c : label) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    LogMessage("%zu rows for a %s, which takes %zu.", rows, label.c_str(), MaxDiscTitles(*kind));
    const std::string text =
        LoadResourceString(kIdsAskDiscTitleLimit, label, static_cast<int>(MaxDiscTitles(*kind)),
                           static_cast<int>(rows));
    return ShowMessageBox(owner, text, MessageButtons::kOkCancel, MessageIcon::kQuestion) ==
           kAnswerOk;
}

void OfferBatchReport(QWidget* owner, const std::vector<RowRecord>& records,
                      const std::string& folder) {
    if (records.empty()) {
        return;
    }
    if (ShowMessageBox(owner, LoadResourceString(kIdsAskBatchReport), MessageButtons::kOkCancel,
                       MessageIcon::kQuestion) != kAnswerOk) {
        return;
    }
    const BatchReportResult report = WriteBatchReport(folder, kReportStem, records);
    if (!report.written) {
        ShowMessageBox(owner, LoadResourceString(kIdsReportFailed, folder.c_str()),
                       MessageButtons::kOk, MessageIcon::kExclamation);
        return;
    }
    LogMessage("Report written to %s and %s", report.csvPath.c_str(), report.jsonPath.c_str());
    OpenWithDesktop(QString::fromStdString(report.csvPath));
}

}  // namespace clipwright
