#include "dialogs/worker_dialog.h"

#include <QShowEvent>
#include <QTimerEvent>
#include <cassert>

#include "dialogs/dialog_placement.h"

namespace clipwright {

namespace {

constexpr int kTickMs = 100;

}  // namespace

WorkerDialog::WorkerDialog(QWidget* owner, Qt::WindowFlags flags, int templateId)
    : QDialog(owner, flags),
      module_(CurrentResourceModule()),
      form_(this, templateId, *module_, WritesHan(module_->Language())) {
    setModal(true);
    PlaceOnOwner(*this, owner, form_.PixelSize());
}

WorkerDialog::~WorkerDialog() {
    assert(!worker_.joinable() && "a derived destructor must call EndWorker()");
}

void WorkerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) {
        StartWorker();
    }
}

void WorkerDialog::StartWorker() {
    started_ = true;
    if (!awakeReason_.isEmpty()) {
        awake_ = std::make_unique<SleepInhibitor>(awakeReason_);
    }
    PrepareStart();
    worker_ = std::thread([this] {
        RunWorker();
        Post([this] { OnThreadFinished(); });
    });
    timer_.start(kTickMs, this);
}

void WorkerDialog::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void WorkerDialog::OnThreadFinished() {
    threadFinished_ = true;
    JoinWorker();  // its job has returned; only the thread's exit is left
    awake_.reset();
    wait_.Wake();
    if (!destroying_) {
        WorkerFinished();
    }
}

void WorkerDialog::JoinWorker() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void WorkerDialog::EndWorker() {
    destroying_ = true;
    if (worker_.joinable()) {
        wait_.Until([this] { return threadFinished_; });
    }
    JoinWorker();
}

void WorkerDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    Tick();
}

}  // namespace clipwright
