// The view's run flow: the checks before a run, the progress dialog, and after it the report,
// the disc offer and the desktop notification.
#include <QApplication>

#include "base/string_ids.h"
#include "dialogs/convert_progress_dialog.h"
#include "engine/batch_report.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "mainwnd/component_checks.h"
#include "mainwnd/fit_question.h"
#include "mainwnd/make_disc.h"
#include "mainwnd/run_questions.h"
#include "mainwnd/trelvane_view.h"
#include "platform/desktop_notifier.h"
#include "support/resource_strings.h"
#include "ui/modal_dialog.h"

namespace clipwright {

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void CTrelvaneView::OnConvert() {
    UpdateData(true);
    if (outputType_ == kTypeWmv && CheckWindowsMediaSupport(this)) {
        return;
    }
    if (outputType_ == kTypeOgm && CheckOggSupport(this)) {
        return;
    }
    if (!ConfirmDiscTitleLimit(this, outputType_, static_cast<size_t>(list_->RowCount())) ||
        !ConfirmFreeSpace(this, Settings(), ListedItems())) {
        return;
    }
    const FitDecision fit =
        DecideDiscFit(this, outputType_, BuildOptions(Settings()), ListedItems());
    if (!fit.go) {
        return;
    }
    fitDiscBytes_ = fit.discBytes;
    severalDiscs_ = fit.severalDiscs;
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (SourceItem* item = list_->ItemOfRow(row)) {
            item->status = kWaiting;
            list_->RefreshRow(row);
        }
    }
    progressDialog_.reset();
    progressDialog_ = std::make_unique<ConvertProgressDialog>(this, *this, *run_);
    connect(progressDialog_.get(), &ConvertProgressDialog::RunEnded, this,
            &CTrelvaneView::NotifyRunEnded);
    progressDialog_->Shared().fit = fit.fit;
    RunModalDialog(*progressDialog_);
    OfferRunReport();
    OfferDiscAfterRun();
}

std::vector<const SourceItem*> CTrelvaneView::ListedItems() {
    std::vector<const SourceItem*> items;
    for (int row = 0; row < list_->RowCount(); ++row) {
        items.push_back(list_->ItemOfRow(row));
    }
    return items;
}

void CTrelvaneView::OfferRunReport() {
    // The dialog's worker has ended when exec() returns, so its record is ours to read.
    std::vector<RowRecord> records;
    {
        ConversionShared& shared = progressDialog_->Shared();
        const std::lock_guard lock(shared.stateLock);
        records = shared.records;
    }
    OfferBatchReport(this, records, Settings().outputFolder);
}

DiscRequest CTrelvaneView::MakeDiscRequest() const {
    DiscRequest request;
    request.runType = lastRunType_;
    request.chosenType = outputType_;
    request.outputFolder = outputFolder_;
    request.discBytes = static_cast<uint64_t>(fitDiscBytes_);
    request.severalDiscs = severalDiscs_;
    for (int row = 0; row < list_->RowCount(); ++row) {
        const SourceItem* item = list_->ItemOfRow(row);
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

void CTrelvaneView::OfferDiscAfterRun() {
    // The type cannot change while the run's modal dialog is up: it is the run's type.
    lastRunType_ = outputType_;
    OfferDisc(this, MakeDiscRequest());
}

void CTrelvaneView::OnMakeDisc() {
    UpdateData(true);
    MakeDisc(this, MakeDiscRequest());
}

void CTrelvaneView::NotifyRunEnded(bool completed) {
    int converted = 0;
    int skipped = 0;
    int failed = 0;
    for (int row = 0; row < list_->RowCount(); ++row) {
        const SourceItem* item = list_->ItemOfRow(row);
        const int32_t status = item != nullptr ? item->status : kError;
        int& count = status == kDone ? converted : status == kError ? failed : skipped;
        ++count;
    }
    // The user who looks at our window (or one of its dialogs) sees the closing message.
    bool active = false;
    for (const QWidget* w = QApplication::activeWindow(); w != nullptr; w = w->parentWidget()) {
        active = active || w == window();
    }
    const int summaryId = completed ? kIdsConversionCompleted : kIdsConversionCanceled;
    clipwright::NotifyRunEnded(TheNotificationBus(), active, Qs(LoadResourceString(summaryId)),
                               Qs(LoadResourceString(kIdsRunCounts, converted, skipped, failed)));
}

}  // namespace clipwright
