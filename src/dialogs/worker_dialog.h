// A modal dialog built from a template that owns one worker thread for its lifetime: the thread
// starts when the dialog is first shown, a 100 ms tick lets the dialog show the worker's state,
// and the end of the thread reaches the dialog as a queued call, after which the thread is
// joined. The dialogs that run a worker are built on it, so this lifecycle, and the serviced
// waits that keep the worker's blocking calls going, live in one place.
//
// User-interface thread only, except RunWorker() (the worker thread) and Post() (any thread).
// A derived class must end the worker in its own destructor (EndWorker()), while the state it
// shares with the worker still exists; the base destructor only checks that this happened.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <functional>
#include <memory>
#include <thread>

#include "dialogs/serviced_wait.h"
#include "platform/sleep_inhibitor.h"
#include "support/resource_module.h"
#include "ui/template_form.h"

namespace clipwright {

class WorkerDialog : public QDialog {
    Q_OBJECT

public:
    ~WorkerDialog() override;

    WorkerDialog(const WorkerDialog&) = delete;
    WorkerDialog& operator=(const WorkerDialog&) = delete;

    QWidget* Control(int controlId) const { return form_.Control(controlId); }

protected:
    WorkerDialog(QWidget* owner, Qt::WindowFlags flags, int templateId);

    // Worker thread: the whole job. When it returns, WorkerFinished() follows on this thread.
    virtual void RunWorker() = 0;
    // Every 100 ms from the start until StopTicks().
    virtual void Tick() = 0;
    // Just before the worker thread starts.
    virtual void PrepareStart() {}
    // Once the worker thread has ended and been joined; not while the dialog is destroyed.
    virtual void WorkerFinished() {}

    const TemplateForm& Form() const { return form_; }
    const ResourceModule& Module() const { return *module_; }
    bool Started() const { return started_; }
    bool WorkerRunning() const { return worker_.joinable(); }

    // Runs call later on the user-interface thread; dropped when the dialog is gone by then.
    void Post(std::function<void()> call);
    // Runs the event loop until done() holds: the worker's blocking calls still go through.
    void WaitUntil(const std::function<bool()>& done) { wait_.Until(done); }
    // Joins a worker whose job has returned or that makes no blocking call any more.
    void JoinWorker();
    // For derived destructors, after they have asked the worker to stop: waits, servicing
    // events, until the worker thread has ended.
    void EndWorker();
    void StopTicks() { timer_.stop(); }
    // From the worker's start until its end (or the dialog's), the computer is kept from
    // suspending, for this reason (the text the desktop shows). Call before the dialog is shown.
    void KeepAwakeWhileWorking(QString reason) { awakeReason_ = std::move(reason); }

    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void StartWorker();
    void OnThreadFinished();

    std::shared_ptr<const ResourceModule> module_;  // keeps the form's template alive
    TemplateForm form_;
    QBasicTimer timer_;
    bool started_ = false;
    bool threadFinished_ = false;  // set by the worker thread's last queued call
    bool destroying_ = false;
    ServicedWait wait_;
    std::thread worker_;
    QString awakeReason_;
    std::unique_ptr<SleepInhibitor> awake_;  // held while the worker runs
};

}  // namespace clipwright
