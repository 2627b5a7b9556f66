// The small modal window shown while added files are probed: which file is being looked at and
// a bar. The detection worker starts when the dialog is first shown; its end is the only way the
// dialog ends while it runs (Esc and the close box do nothing then).
//
// User-interface thread only. The worker reaches the user interface through the WorkerUi alone
// and reaches the dialog through queued calls. No thread is left once exec() has returned;
// destroying the dialog while the worker still runs waits for it, servicing events meanwhile.
#pragma once

#include <string>
#include <vector>

#include "dialogs/worker_dialog.h"
#include "engine/detection_worker.h"

namespace clipwright {

inline constexpr int kDetectDialogId = 137;
inline constexpr int kDetectTextControl = 1030;
inline constexpr int kDetectBarControl = 1026;

class DetectDialog : public WorkerDialog {
    Q_OBJECT

public:
    // ui (the source list) is borrowed and must outlive the dialog; paths are probed in order.
    DetectDialog(QWidget* owner, WorkerUi& ui, std::vector<std::string> paths);
    ~DetectDialog() override;

    DetectionShared& Shared() { return shared_; }

protected:
    void RunWorker() override;
    void Tick() override { ShowStatus(); }
    void PrepareStart() override { shared_.workerRunning = true; }
    void WorkerFinished() override;
    void closeEvent(QCloseEvent* event) override;
    // Esc ends up here: ignored while the worker runs.
    void reject() override;

private:
    void ShowStatus();
    void SetProgress(int percent);

    WorkerUi& ui_;
    const std::vector<std::string> paths_;
    DetectionShared shared_;
};

}  // namespace clipwright
