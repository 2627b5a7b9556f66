// The modal window that stands over the main window while a conversion run lasts. It owns the
// run: the worker thread starts when the dialog is first shown, the bars, the step text and the
// output size follow it every 100 ms, Skip Current and Cancel All steer it, and the dialog closes
// itself with the closing message once the worker has ended.
//
// User-interface thread only. The worker reaches the user interface through the WorkerUi alone
// and reaches the dialog through queued calls. The dialog may be kept after exec() returns (no
// thread is left by then); destroying it while a run still goes cancels the run and waits for
// the worker, servicing events meanwhile.
#pragma once

#include <string>

#include "dialogs/worker_dialog.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_run.h"

namespace clipwright {

inline constexpr int kConvertDialogId = 106;
inline constexpr int kStepTextControl = 1030;
inline constexpr int kOverallBarControl = 1026;
inline constexpr int kCurrentBarControl = 1025;
inline constexpr int kSizeTextControl = 1028;
inline constexpr int kSkipCurrentControl = 1036;
inline constexpr int kCancelAllControl = 1022;
// Speed and time left for the whole run, under the overall bar; hidden until measured.
inline constexpr int kTimeLeftControl = 1041;

class ConvertProgressDialog : public WorkerDialog {
    Q_OBJECT

public:
    // ui (the source list and settings) and run (shared with the encoder reader) are borrowed
    // and must outlive the dialog.
    ConvertProgressDialog(QWidget* owner, WorkerUi& ui, EncoderRun& run);
    ~ConvertProgressDialog() override;

    // The timer's work: both bars, the output size, the step text and the time left from the
    // shared state.
    void UpdateProgress();
    // Stops the encoder of the current file; the worker marks it Skip and goes on.
    void SkipCurrent();
    // Stops the run, waits for the worker, marks the rest Skip and closes with the closing
    // message. Also how the worker reports its end. Only the first call of a run does anything.
    void CancelAll();

    ConversionShared& Shared() { return shared_; }

signals:
    // The run is over and every row has its final status; the closing message comes next.
    void RunEnded(bool completed);

protected:
    void RunWorker() override;
    void Tick() override { UpdateProgress(); }
    void PrepareStart() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Esc and every other reject path are swallowed: only Cancel All ends the dialog.
    void reject() override {}

private:
    void PostCancelAll();
    void KeepStopRequested();
    void ShowTimeLeft();

    WorkerUi& ui_;
    ConversionShared shared_;
    std::string sizeText_;
    bool cancelHandled_ = false;
};

}  // namespace clipwright
