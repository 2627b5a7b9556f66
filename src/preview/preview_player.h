// The preview player: plays one source file in the preview dialog through the media graph,
// keeps the position slider and Elapsed Time box in step with playback, seeks when the user
// moves the position slider, and applies the Volume and Balance sliders. Failures are written to
// the text log, never shown. User-interface thread only; the controls belong to the dialog and
// outlive the player.
#pragma once

#include <QLineEdit>
#include <QSlider>
#include <functional>
#include <memory>
#include <string>

#include "platform/media_graph.h"
#include "ui/selection_slider.h"

namespace clipwright {

class VideoFrame;

enum class ButtonRow { kInitialised, kOpened, kPlaying, kPaused, kStopped };
enum PlayState : int { kStateStopped = 0, kStatePaused = 1, kStateRunning = 2 };

struct PlayerControls {
    SelectionSlider* position = nullptr;
    QLineEdit* elapsed = nullptr;
    QLineEdit* duration = nullptr;
    QSlider* volume = nullptr;
    QSlider* balance = nullptr;
    VideoFrame* frame = nullptr;                  // where the video is drawn
    std::function<void(ButtonRow)> setButtonRow;  // the dialog's button rows
    std::function<void()> opened;                 // the file opened: show the caller's part
};

class CPreviewPlayer {
public:
    // fileName: the source's full path, UTF-8.
    CPreviewPlayer(std::string fileName, PlayerControls controls);
    ~CPreviewPlayer();
    CPreviewPlayer(const CPreviewPlayer&) = delete;
    CPreviewPlayer& operator=(const CPreviewPlayer&) = delete;

    HRESULT InitGraph();
    void FreeGraph();
    HRESULT OpenClip();
    HRESULT RunGraph();
    HRESULT PauseGraph();
    HRESULT StopGraph();
    void StopAndRewind();
    void FitVideoWindow();
    // Every 100 ms: the first tick opens and plays, later ones follow a running graph.
    void OnTick();
    // Every user action on one of the three sliders.
    void OnSlider(const QSlider* slider);

    int PlayState() const { return playState_; }
    bool NoVideo() const { return noVideo_; }
    bool OpenTried() const { return openTried_; }
    bool Opened() const { return opened_; }
    int64_t DurationSeconds() const { return durationSeconds_; }
    const std::shared_ptr<GraphBuilder>& Graph() const { return graph_; }

private:
    void ScalePositionSlider(int64_t seconds);
    void SetRow(ButtonRow row) const;

    std::string fileName_;
    PlayerControls controls_;
    std::shared_ptr<GraphBuilder> graph_;
    std::shared_ptr<MediaControl> control_;
    std::shared_ptr<MediaSeeking> seeking_;
    std::shared_ptr<BasicAudio> audio_;
    std::shared_ptr<BasicVideo> video_;
    std::shared_ptr<VideoWindow> window_;
    std::shared_ptr<MediaEventEx> events_;
    bool noVideo_ = false;
    bool openTried_ = false;
    bool opened_ = false;  // the open reached the button row of an opened file
    int playState_ = kStateStopped;
    int64_t durationSeconds_ = 0;
};

}  // namespace clipwright
