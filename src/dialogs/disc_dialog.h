// The modal window shown while a disc is checked or made: what is happening, a bar and Cancel.
// The job (probing the files, or AuthorDisc) runs on the dialog's worker thread and follows the
// shared DiscProgress; Cancel, Esc and the close box ask it to stop through abortRequested, and
// the dialog closes once the job has returned, so no tool is left running behind it.
//
// User-interface thread only, but for the job (the worker thread). The job must return soon after
// abortRequested is set.
#pragma once

#include <functional>
#include <string>

#include "dialogs/worker_dialog.h"
#include "disc/disc_author.h"

namespace clipwright {

inline constexpr int kDiscDialogId = 139;
inline constexpr int kDiscTextControl = 1030;
inline constexpr int kDiscBarControl = 1026;
inline constexpr int kDiscCancelControl = 2;

class DiscDialog : public WorkerDialog {
    Q_OBJECT

public:
    using Job = std::function<void(DiscProgress&)>;
    DiscDialog(QWidget* owner, Job job);
    ~DiscDialog() override;

    // Whether the user asked to stop.
    bool CancelRequested() const { return progress_.abortRequested.load(); }
    const DiscProgress& Progress() const { return progress_; }
    // Cancel, as the button does.
    void Cancel();
    // What the dialog says before the first step, instead of the checking of the files (for a
    // job that is not about a disc's files yet, such as measuring a run). Before it is shown.
    void SetStartText(std::string text) { startText_ = std::move(text); }
    // Esc: the same as Cancel.
    void reject() override { Cancel(); }

protected:
    void RunWorker() override { job_(progress_); }
    void Tick() override { ShowProgress(); }
    void WorkerFinished() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowProgress();

    Job job_;
    DiscProgress progress_;
    int shownStep_ = -1;
    std::string startText_;
};

// What the dialog says for a step: checking the files (step 0), or step n of m with the tool.
std::string DiscStepText(int step, int steps, int tool);

}  // namespace clipwright
