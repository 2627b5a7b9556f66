#include "dialogs/disc_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "base/string_ids.h"
#include "support/resource_strings.h"

namespace clipwright {

DiscDialog::DiscDialog(QWidget* owner, Job job)
    : WorkerDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint,
                   kDiscDialogId),
      job_(std::move(job)) {
    KeepAwakeWhileWorking(QString::fromStdString(LoadResourceString(kIdsAwakeMakingDisc)));
    const DialogTemplate* dialog = Form().Template();
    if (dialog != nullptr && !dialog->captionKey.empty()) {
        setWindowTitle(QString::fromStdString(Module().Text(dialog->captionKey).value_or("")));
    }
    if (auto* bar = Form().Get<QProgressBar>(kDiscBarControl)) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    if (auto* cancel = Form().Get<QPushButton>(kDiscCancelControl)) {
        connect(cancel, &QPushButton::clicked, this, &DiscDialog::Cancel);
    }
}

DiscDialog::~DiscDialog() {
    progress_.abortRequested.store(true);
    EndWorker();
}

void DiscDialog::Cancel() {
    if (!Started()) {
        QDialog::reject();
        return;
    }
    progress_.abortRequested.store(true);
    if (auto* cancel = Form().Get<QPushButton>(kDiscCancelControl)) {
        cancel->setEnabled(false);
    }
}

void DiscDialog::ShowProgress() {
    if (auto* bar = Form().Get<QProgressBar>(kDiscBarControl)) {
        bar->setValue(std::clamp(progress_.percent.load(), 0, 100));
    }
    const int step = progress_.step.load();
    auto* label = Form().Get<QLabel>(kDiscTextControl);
    if (label == nullptr || step == shownStep_) {
        return;
    }
    shownStep_ = step;
    label->setText(QString::fromStdString(
        step <= 0 && !startText_.empty()
            ? startText_
            : DiscStepText(step, progress_.steps.load(), progress_.tool.load())));
}

void DiscDialog::WorkerFinished() {
    StopTicks();
    ShowProgress();
    done(CancelRequested() ? QDialog::Rejected : QDialog::Accepted);
}

void DiscDialog::closeEvent(QCloseEvent* event) {
    if (WorkerRunning()) {
        Cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

std::string DiscStepText(int step, int steps, int tool) {
    if (step <= 0) {
        return LoadResourceString(kIdsDiscChecking);
    }
    return LoadResourceString(kIdsDiscStep, step, steps,
                              std::string(ToolProgram(static_cast<DiscTool>(tool))));
}

}  // namespace clipwright
