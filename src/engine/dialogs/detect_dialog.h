// The small modal window shown while added files are probed: which file is being looked at and
// a bar. The detection worker starts when the dialog is first shown; the worker's own close
// request is the only way the dialog ends while it runs (Esc and the close box do nothing then).
//
// User-interface thread only. The worker reaches the user interface through the WorkerUi alone
// and reaches the dialog through queued calls. No thread is left once exec() has returned;
// destroying the dialog while the worker still runs waits for it, servicing events meanwhile.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/detection_worker.h"
#include "engine/dialogs/serviced_wait.h"
#include "shell/template_form.h"
#include "support/resource_module.h"

namespace clipwright {

inline constexpr int kDetectDialogId = 137;
inline constexpr int kDetectTextControl = 1030;
inline constexpr int kDetectBarControl = 1026;

class DetectDialog : public QDialog {
    Q_OBJECT

public:
    // ui (the source list) is borrowed and must outlive the dialog; paths are probed in order.
    DetectDialog(QWidget* owner, WorkerUi& ui, std::vector<std::string> paths);
    ~DetectDialog() override;

    DetectDialog(const DetectDialog&) = delete;
    DetectDialog& operator=(const DetectDialog&) = delete;

    DetectionShared& Shared() { return shared_; }
    QWidget* Control(int controlId) const { return form_.Control(controlId); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    // Esc ends up here: ignored while the worker runs.
    void reject() override;

private:
    void StartWorker();
    void ShowStatus();
    void SetProgress(int percent);
    void OnCloseRequested();

    WorkerUi& ui_;
    const std::vector<std::string> paths_;
    DetectionShared shared_;
    std::shared_ptr<const ResourceModule> module_;  // keeps the form's template alive
    TemplateForm form_;
    QBasicTimer timer_;
    bool started_ = false;
    bool closeRequested_ = false;  // the worker's last queued call has arrived
    bool destroying_ = false;
    ServicedWait wait_;
    std::thread worker_;
};

}  // namespace clipwright
