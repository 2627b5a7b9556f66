#include "dialogs/detect_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

namespace clipwright {

DetectDialog::DetectDialog(QWidget* owner, WorkerUi& ui, std::vector<std::string> paths)
    : WorkerDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint, kDetectDialogId),
      ui_(ui),
      paths_(std::move(paths)) {
    if (auto* bar = Form().Get<QProgressBar>(kDetectBarControl)) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
}

DetectDialog::~DetectDialog() {
    EndWorker();
}

void DetectDialog::RunWorker() {
    const DetectionCallbacks callbacks{
        [this](int percent) { Post([this, percent] { SetProgress(percent); }); },
        // The close request is the worker's last act: the dialog closes once the thread that
        // made it has ended (WorkerFinished), so no thread is left when exec() returns.
        [] {},
    };
    RunDetectionWorker(shared_, ui_, paths_, callbacks);
}

void DetectDialog::SetProgress(int percent) {
    if (auto* bar = Form().Get<QProgressBar>(kDetectBarControl)) {
        bar->setValue(percent);
    }
}

void DetectDialog::ShowStatus() {
    auto* label = Form().Get<QLabel>(kDetectTextControl);
    const std::lock_guard lock(shared_.stateLock);
    // Until the worker names its first file the template's own text stays.
    if (label != nullptr && !shared_.statusText.empty()) {
        label->setText(QString::fromStdString(shared_.statusText));
    }
}

void DetectDialog::WorkerFinished() {
    StopTicks();
    ShowStatus();
    done(QDialog::Accepted);
}

void DetectDialog::reject() {
    if (shared_.workerRunning) {
        return;
    }
    StopTicks();
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
