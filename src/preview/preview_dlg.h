// "Preview and select a part to convert" (template 107): plays one source with CPreviewPlayer
// and lets the user choose the part to convert as the position slider's selection, in whole
// seconds. OK writes the part back through startOut and endOut; Cancel, the close box and a file
// that never opened leave them as they were. User-interface thread only.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <memory>
#include <string>

#include "preview/preview_player.h"
#include "ui/template_form.h"

class QPushButton;

namespace clipwright {

// The sliders of the player's sound.
inline constexpr int kPreviewVolumeId = 1060;
inline constexpr int kPreviewBalanceId = 1061;

class CPreviewDlg : public QDialog {
    Q_OBJECT

public:
    // fileName: the source's full path (UTF-8). startOut and endOut hold the part on entry and
    // must outlive the dialog.
    CPreviewDlg(QWidget* parent, std::string fileName, int32_t* startOut, int32_t* endOut);
    ~CPreviewDlg() override;

    void OnPlay();
    void OnPause();
    void OnStop();
    void OnStart();
    void OnEnd();
    void OnFull();
    void OnOk();
    void reject() override;  // Cancel and the close box

    const TemplateForm& Form() const { return *form_; }
    CPreviewPlayer& Player() { return *player_; }
    SelectionSlider* PositionSlider() const;
    VideoFrame* Frame() const { return frame_; }

protected:
    // The file opens as soon as the dialog is on its way to the screen, not a tick later.
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetButtonRow(ButtonRow row);
    void SetSelection(int start, int end);
    void RefreshTimeBoxes();
    void Close(int result);

    std::unique_ptr<TemplateForm> form_;
    VideoFrame* frame_ = nullptr;  // a child of the frame control
    std::unique_ptr<CPreviewPlayer> player_;
    int32_t* startOut_;
    int32_t* endOut_;
    QBasicTimer timer_;  // "timer 101"
};

}  // namespace clipwright
