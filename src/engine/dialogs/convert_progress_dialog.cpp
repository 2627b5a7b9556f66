#include "engine/dialogs/convert_progress_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "engine/dialogs/dialog_placement.h"
#include "shell/message_box.h"
#include "shell/percent_bar.h"
#include "support/resource_strings.h"
#include "support/string_ids.h"

namespace clipwright {

namespace {

constexpr int kProgressTickMs = 100;

void SetBar(const TemplateForm& form, int controlId, int position) {
    if (auto* bar = dynamic_cast<CPercentBar*>(form.Control(controlId))) {
        bar->SetPos(position);
    }
}

void SetLabel(const TemplateForm& form, int controlId, const std::string& text) {
    if (auto* label = form.Get<QLabel>(controlId)) {
        label->setText(QString::fromStdString(text));
    }
}

QString CaptionOf(const TemplateForm& form, const ResourceModule& module) {
    const DialogTemplate* dialog = form.Template();
    if (dialog == nullptr || dialog->captionKey.empty()) {
        return {};
    }
    return QString::fromStdString(module.Text(dialog->captionKey).value_or(""));
}

}  // namespace

ConvertProgressDialog::ConvertProgressDialog(QWidget* owner, WorkerUi& ui, EncoderRun& run)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(ui),
      shared_(run),
      module_(CurrentResourceModule()),
      form_(this, kConvertDialogId, *module_) {
    setModal(true);
    setWindowTitle(CaptionOf(form_, *module_));
    for (const int id : {kCurrentBarControl, kOverallBarControl}) {
        if (auto* bar = dynamic_cast<CPercentBar*>(form_.Control(id))) {
            bar->SetRange(0, 100);
            bar->SetPos(0);
        }
    }
    if (auto* skip = form_.Get<QPushButton>(kSkipCurrentControl)) {
        connect(skip, &QPushButton::clicked, this, [this] { SkipCurrent(); });
    }
    if (auto* cancel = form_.Get<QPushButton>(kCancelAllControl)) {
        connect(cancel, &QPushButton::clicked, this, [this] { CancelAll(); });
    }
    PlaceOnOwner(*this, owner, form_.PixelSize());
}

ConvertProgressDialog::~ConvertProgressDialog() {
    if (!worker_.joinable()) {
        return;
    }
    // Destroyed during a run: stop it, and let the worker's last blocking calls through.
    cancelHandled_ = true;
    shared_.cancelAll = true;
    shared_.skipCurrent = true;
    shared_.run.abortRequested = true;
    wait_.Until([this] { return workerFinished_; });
}

void ConvertProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        StartWorker();
    }
}

void ConvertProgressDialog::StartWorker() {
    started_ = true;
    // The run object outlives dialogs; the previous run's last figures must not show.
    shared_.run.percent = 0;
    shared_.doneEvent.Reset();
    shared_.workerRunning = true;
    worker_ = std::thread([this] {
        RunConversionWorker(shared_, ui_, [this] { PostCancelAll(); });
        QMetaObject::invokeMethod(
            this, [this] { OnWorkerFinished(); }, Qt::QueuedConnection);
    });
    timer_.start(kProgressTickMs, this);
}

void ConvertProgressDialog::PostCancelAll() {
    QMetaObject::invokeMethod(
        this, [this] { CancelAll(); }, Qt::QueuedConnection);
}

void ConvertProgressDialog::OnWorkerFinished() {
    workerFinished_ = true;
    if (worker_.joinable()) {
        worker_.join();  // its body has returned; only the thread's exit is left
    }
    wait_.Wake();
}

void ConvertProgressDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    UpdateProgress();
}

void ConvertProgressDialog::KeepStopRequested() {
    // Starting an encoder clears the abort flag, so a stop asked for in the moment before the
    // start would be lost and the file would run to its end; ask again while it is still wanted.
    if (shared_.workerRunning && (shared_.skipCurrent || shared_.cancelAll)) {
        shared_.run.abortRequested = true;
    }
}

void ConvertProgressDialog::UpdateProgress() {
    KeepStopRequested();
    const int current = std::min(shared_.run.percent.load(), 100);
    // Before the first file starts the index is -1, which would give a negative position.
    const int index = std::max(shared_.currentIndex.load(), 0);
    const int overall = std::clamp(OverallPercent(current, index, shared_.fileCount), 0, 100);
    const std::lock_guard lock(shared_.stateLock);
    SetBar(form_, kCurrentBarControl, current);
    SetBar(form_, kOverallBarControl, overall);
    const std::string size = FileSizeText(shared_.currentTarget);
    if (!size.empty()) {
        sizeText_ = size;
    }
    SetLabel(form_, kStepTextControl, shared_.stepText);
    SetLabel(form_, kSizeTextControl, sizeText_);
}

void ConvertProgressDialog::SkipCurrent() {
    shared_.skipCurrent = true;
    shared_.run.abortRequested = true;
}

void ConvertProgressDialog::CancelAll() {
    if (cancelHandled_) {
        return;
    }
    cancelHandled_ = true;
    shared_.cancelAll = true;
    shared_.skipCurrent = true;
    shared_.run.abortRequested = true;
    if (started_) {
        wait_.Until([this] { return shared_.doneEvent.TryWait(); });
    }
    if (!shared_.completed) {
        MarkRemainingSkipped(shared_, ui_);
    }
    const int messageId = shared_.completed ? kIdsConversionCompleted : kIdsConversionCanceled;
    ShowMessageBox(this, LoadResourceString(messageId), MessageButtons::kOk,
                   MessageIcon::kInformation);
    // After doneEvent the worker makes no blocking call any more, only posts, so it is joined
    // here and no thread is left once exec() returns.
    if (worker_.joinable()) {
        worker_.join();
    }
    timer_.stop();
    done(QDialog::Accepted);
}

void ConvertProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (shared_.cancelAll) {
        return;
    }
    const int answer = ShowMessageBox(this, LoadResourceString(kIdsConfirmCancelAll),
                                      MessageButtons::kOkCancel, MessageIcon::kQuestion);
    if (answer == kAnswerOk) {
        PostCancelAll();
    }
}

void ConvertProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace clipwright
