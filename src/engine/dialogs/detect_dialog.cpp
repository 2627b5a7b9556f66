#include "engine/dialogs/detect_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include "engine/dialogs/dialog_placement.h"

namespace clipwright {

namespace {

constexpr int kStatusTickMs = 100;

}  // namespace

DetectDialog::DetectDialog(QWidget* owner, WorkerUi& ui, std::vector<std::string> paths)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint),
      ui_(ui),
      paths_(std::move(paths)),
      module_(CurrentResourceModule()),
      form_(this, kDetectDialogId, *module_) {
    setModal(true);
    if (auto* bar = form_.Get<QProgressBar>(kDetectBarControl)) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    PlaceOnOwner(*this, owner, form_.PixelSize());
}

DetectDialog::~DetectDialog() {
    destroying_ = true;
    if (worker_.joinable()) {
        wait_.Until([this] { return closeRequested_; });
    }
}

void DetectDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        StartWorker();
    }
}

void DetectDialog::StartWorker() {
    started_ = true;
    shared_.workerRunning = true;
    const DetectionCallbacks callbacks{
        [this](int percent) {
            QMetaObject::invokeMethod(
                this, [this, percent] { SetProgress(percent); }, Qt::QueuedConnection);
        },
        [this] {
            QMetaObject::invokeMethod(
                this, [this] { OnCloseRequested(); }, Qt::QueuedConnection);
        },
    };
    worker_ =
        std::thread([this, callbacks] { RunDetectionWorker(shared_, ui_, paths_, callbacks); });
    timer_.start(kStatusTickMs, this);
}

void DetectDialog::SetProgress(int percent) {
    if (auto* bar = form_.Get<QProgressBar>(kDetectBarControl)) {
        bar->setValue(percent);
    }
}

void DetectDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    ShowStatus();
}

void DetectDialog::ShowStatus() {
    auto* label = form_.Get<QLabel>(kDetectTextControl);
    const std::lock_guard lock(shared_.stateLock);
    // Until the worker names its first file the template's own text stays.
    if (label != nullptr && !shared_.statusText.empty()) {
        label->setText(QString::fromStdString(shared_.statusText));
    }
}

void DetectDialog::OnCloseRequested() {
    closeRequested_ = true;
    if (worker_.joinable()) {
        worker_.join();  // the close request is the worker's last act
    }
    wait_.Wake();
    if (destroying_) {
        return;
    }
    timer_.stop();
    ShowStatus();
    done(QDialog::Accepted);
}

void DetectDialog::reject() {
    if (shared_.workerRunning) {
        return;
    }
    timer_.stop();
    QDialog::reject();
}

void DetectDialog::closeEvent(QCloseEvent* event) {
    if (shared_.workerRunning) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace clipwright
