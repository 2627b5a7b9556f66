#include "mainwnd/conversion_run.h"

#include <QApplication>
#include <QWidget>

#include "base/string_ids.h"
#include "dialogs/convert_progress_dialog.h"
#include "engine/batch_report.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "mainwnd/component_checks.h"
#include "mainwnd/fit_question.h"
#include "mainwnd/run_questions.h"
#include "mainwnd/source_list.h"
#include "platform/desktop_notifier.h"
#include "support/resource_strings.h"
#include "ui/modal_dialog.h"

namespace clipwright {

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ConversionRun::ConversionRun(QWidget& owner, SourceList& list, WorkerUi& ui)
    : owner_(owner), list_(list), ui_(ui) {}

ConversionRun::~ConversionRun() = default;

void ConversionRun::Convert(EncoderRun& run, int32_t outputType, const std::string& outputFolder) {
    if (outputType == kTypeWmv && CheckWindowsMediaSupport(&owner_)) {
        return;
    }
    if (outputType == kTypeOgm && CheckOggSupport(&owner_)) {
        return;
    }
    if (!ConfirmDiscTitleLimit(&owner_, outputType, static_cast<size_t>(list_.RowCount())) ||
        !ConfirmFreeSpace(&owner_, ui_.Settings(), ListedItems())) {
        return;
    }
    const FitDecision fit =
        DecideDiscFit(&owner_, outputType, BuildOptions(ui_.Settings()), ListedItems());
    if (!fit.go) {
        return;
    }
    fitDiscBytes_ = fit.discBytes;
    severalDiscs_ = fit.severalDiscs;
    for (int row = 0; row < list_.RowCount(); ++row) {
        if (SourceItem* item = list_.ItemOfRow(row)) {
            item->status = kWaiting;
            list_.RefreshRow(row);
        }
    }
    progressDialog_.reset();
    progressDialog_ = std::make_unique<ConvertProgressDialog>(&owner_, ui_, run);
    QObject::connect(progressDialog_.get(), &ConvertProgressDialog::RunEnded, &owner_,
                     [this](bool completed) { NotifyRunEnded(completed); });
    progressDialog_->Shared().fit = fit.fit;
    RunModalDialog(*progressDialog_);
    OfferRunReport();
    OfferDiscAfterRun(outputType, outputFolder);
}

std::vector<const SourceItem*> ConversionRun::ListedItems() const {
    std::vector<const SourceItem*> items;
    for (int row = 0; row < list_.RowCount(); ++row) {
        items.push_back(list_.ItemOfRow(row));
    }
    return items;
}

void ConversionRun::OfferRunReport() {
    // The dialog's worker has ended when exec() returns, so its record is ours to read.
    std::vector<RowRecord> records;
    {
        ConversionShared& shared = progressDialog_->Shared();
        const std::lock_guard lock(shared.stateLock);
        records = shared.records;
    }
    OfferBatchReport(&owner_, records, ui_.Settings().outputFolder);
}

DiscRequest ConversionRun::MakeDiscRequest(int32_t chosenType,
                                           const std::string& outputFolder) const {
    DiscRequest request;
    request.runType = lastRunType_;
    request.chosenType = chosenType;
    request.outputFolder = outputFolder;
    request.discBytes = static_cast<uint64_t>(fitDiscBytes_);
    request.severalDiscs = severalDiscs_;
    for (int row = 0; row < list_.RowCount(); ++row) {
        const SourceItem* item = list_.ItemOfRow(row);
        if (item == nullptr || item->status != kDone) {
            continue;
        }
        if (request.files.empty()) {
            request.firstTitle = item->title;
        }
        request.files.push_back(OutputPath(*item));
    }
    return request;
}

void ConversionRun::OfferDiscAfterRun(int32_t outputType, const std::string& outputFolder) {
    // The type cannot change while the run's modal dialog is up: it is the run's type.
    lastRunType_ = outputType;
    OfferDisc(&owner_, MakeDiscRequest(outputType, outputFolder));
}

void ConversionRun::MakeDiscOfLastRun(int32_t chosenType, const std::string& outputFolder) {
    MakeDisc(&owner_, MakeDiscRequest(chosenType, outputFolder));
}

void ConversionRun::CarryFrom(const ConversionRun& old) {
    lastRunType_ = old.lastRunType_;
    fitDiscBytes_ = old.fitDiscBytes_;
    severalDiscs_ = old.severalDiscs_;
}

void ConversionRun::NotifyRunEnded(bool completed) const {
    int converted = 0;
    int skipped = 0;
    int failed = 0;
    for (int row = 0; row < list_.RowCount(); ++row) {
        const SourceItem* item = list_.ItemOfRow(row);
        const int32_t status = item != nullptr ? item->status : kError;
        int& count = status == kDone ? converted : status == kError ? failed : skipped;
        ++count;
    }
    // The user who looks at our window (or one of its dialogs) sees the closing message.
    bool active = false;
    const QWidget* window = owner_.window();
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        active = active || w == window;
    }
    const int summaryId = completed ? kIdsConversionCompleted : kIdsConversionCanceled;
    clipwright::NotifyRunEnded(TheNotificationBus(), active, Qs(LoadResourceString(summaryId)),
                               Qs(LoadResourceString(kIdsRunCounts, converted, skipped, failed)));
}

}  // namespace clipwright
