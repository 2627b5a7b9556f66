#include "dialogs/convert_progress_dialog.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "engine/batch_estimate.h"
#include "engine/child_io.h"
#include "engine/encoder_run.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"
#include "ui/percent_bar.h"

namespace clipwright {

namespace {

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

// Each line that is wider than the label loses the middle of its text (a long path's middle
// folders), so every line of the step text stays in sight; the whole text is the tooltip.
void SetElidedLines(const TemplateForm& form, int controlId, const std::string& text) {
    auto* label = form.Get<QLabel>(controlId);
    if (label == nullptr) {
        return;
    }
    const QString whole = QString::fromStdString(text);
    const QFontMetrics metrics(label->font());
    const int width = label->contentsRect().width();
    QStringList lines = whole.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    }
    label->setWordWrap(false);
    label->setText(lines.join(QLatin1Char('\n')));
    label->setToolTip(whole);
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
    : WorkerDialog(owner,
                   Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                   kConvertDialogId),
      ui_(ui),
      shared_(run) {
    setWindowTitle(CaptionOf(Form(), Module()));
    KeepAwakeWhileWorking(QString::fromStdString(LoadResourceString(kIdsAwakeConverting)));
    for (const int id : {kCurrentBarControl, kOverallBarControl}) {
        if (auto* bar = dynamic_cast<CPercentBar*>(Form().Control(id))) {
            bar->SetRange(0, 100);
            bar->SetPos(0);
        }
    }
    if (auto* skip = Form().Get<QPushButton>(kSkipCurrentControl)) {
        connect(skip, &QPushButton::clicked, this, [this] { SkipCurrent(); });
    }
    if (auto* cancel = Form().Get<QPushButton>(kCancelAllControl)) {
        connect(cancel, &QPushButton::clicked, this, [this] { CancelAll(); });
    }
}

ConvertProgressDialog::~ConvertProgressDialog() {
    if (WorkerRunning()) {
        // Destroyed during a run: stop it, and let the worker's last blocking calls through.
        cancelHandled_ = true;
        shared_.cancelAll = true;
        shared_.skipCurrent = true;
        shared_.run.abortRequested = true;
    }
    EndWorker();
}

void ConvertProgressDialog::PrepareStart() {
    // The run object outlives dialogs; the previous run's last figures must not show.
    shared_.run.percent = 0;
    shared_.doneEvent.Reset();
    shared_.workerRunning = true;
}

void ConvertProgressDialog::RunWorker() {
    RunConversionWorker(shared_, ui_, [this] { PostCancelAll(); });
}

void ConvertProgressDialog::PostCancelAll() {
    Post([this] { CancelAll(); });
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
    ShowTimeLeft();  // from atomics alone, outside the lock
    const std::lock_guard lock(shared_.stateLock);
    SetBar(Form(), kCurrentBarControl, current);
    SetBar(Form(), kOverallBarControl, overall);
    // The encoder's own count first: its output keeps an empty name until it is finished.
    const int64_t encoderKb = shared_.run.outputKb.load();
    const std::string size =
        encoderKb >= 0 ? std::to_string(encoderKb) + "K" : FileSizeText(shared_.currentTarget);
    if (!size.empty()) {
        sizeText_ = size;
    }
    SetElidedLines(Form(), kStepTextControl, shared_.stepText);
    SetLabel(Form(), kSizeTextControl, sizeText_);
}

void ConvertProgressDialog::ShowTimeLeft() {
    auto* label = Form().Get<QLabel>(kTimeLeftControl);
    if (label == nullptr) {
        return;
    }
    const BatchEstimate estimate = EstimateBatch(MeasureRun(shared_, CurrentTick()));
    if (!estimate.shown) {
        label->setVisible(false);
        return;
    }
    label->setText(QString::fromStdString(
        LoadResourceString(kIdsBatchTimeLeft, SpeedText(estimate.speed).c_str(),
                           FormatHms(estimate.secondsLeft).c_str())));
    label->setVisible(true);
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
    // A close-box question still open asks about a run that is over now: it goes with it.
    for (QMessageBox* question : findChildren<QMessageBox*>()) {
        question->reject();
    }
    if (Started()) {
        WaitUntil([this] { return shared_.doneEvent.TryWait(); });
    }
    if (!shared_.completed) {
        MarkRemainingSkipped(shared_, ui_);
    }
    emit RunEnded(shared_.completed);
    const int messageId = shared_.completed ? kIdsConversionCompleted : kIdsConversionCanceled;
    ShowMessageBox(this, LoadResourceString(messageId), MessageButtons::kOk,
                   MessageIcon::kInformation);
    // After doneEvent the worker makes no blocking call any more, only posts, so it is joined
    // here and no thread is left once exec() returns.
    JoinWorker();
    StopTicks();
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
