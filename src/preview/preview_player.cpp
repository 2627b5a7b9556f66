#include "preview/preview_player.h"

#include <cstdarg>
#include <cstdio>

#include "base/text_format.h"
#include "base/text_log.h"
#include "preview/graph_building.h"
#include "preview/video_frame.h"

namespace clipwright {

namespace {

// The completion poll does not wait: the user-interface thread also draws the video, and a
// wait on every tick would hold the picture back.
constexpr long kCompletionWaitMs = 0;
constexpr long kStateTimeoutMs = 500;
constexpr size_t kLogEntrySize = 516;

__attribute__((format(printf, 1, 2))) void LogEntry(const char* format, ...) {
    char text[kLogEntrySize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    LogMessage("%s", text);
}

unsigned long Code(HRESULT result) {
    return static_cast<uint32_t>(result);
}

int ToSlider(int64_t seconds) {
    return static_cast<int>(std::clamp<int64_t>(seconds, 0, INT32_MAX));
}

}  // namespace

CPreviewPlayer::CPreviewPlayer(std::string fileName, PlayerControls controls)
    : fileName_(std::move(fileName)), controls_(std::move(controls)) {}

CPreviewPlayer::~CPreviewPlayer() {
    FreeGraph();
}

HRESULT CPreviewPlayer::InitGraph() {
    noVideo_ = false;
    window_.reset();
    audio_.reset();
    video_.reset();
    HRESULT result = CoCreateInstance(CLSID_FilterGraph, &graph_);
    // The first interface missing ends the sequence.
    for (const auto& query : std::initializer_list<std::function<HRESULT()>>{
             [&] { return QueryInterface(graph_, &control_); },
             [&] { return QueryInterface(graph_, &seeking_); },
             [&] { return QueryInterface(graph_, &audio_); },
             [&] { return QueryInterface(graph_, &video_); },
             [&] { return QueryInterface(graph_, &window_); },
             [&] { return QueryInterface(graph_, &events_); }}) {
        if (Failed(result)) {
            break;
        }
        result = query();
    }
    if (Failed(result)) {
        FreeGraph();
    }
    return result;
}

void CPreviewPlayer::FreeGraph() {
    StopGraph();
    if (events_) {
        events_->SetNotifyWindow({});
    }
    if (window_) {
        window_->put_Visible(false);
        window_->put_Owner(nullptr);
    }
    control_.reset();
    seeking_.reset();
    window_.reset();
    audio_.reset();
    video_.reset();
    events_.reset();
    graph_.reset();
}

HRESULT CPreviewPlayer::OpenClip() {
    if (const HRESULT result = InitGraph(); Failed(result)) {
        LogEntry("Failed to initialize DirectShow!  hr=0x%x\r\n",
                 static_cast<unsigned>(Code(result)));
        return result;
    }
    if (const HRESULT result = RenderMediaFile(graph_, fileName_); Failed(result)) {
        LogEntry("*** Failed(%08lx) in RenderFile(%s)!\r\n", Code(result), fileName_.c_str());
        return result;
    }
    // Asked before the picture is shown: once the video output draws through this thread, a
    // blocking question to libmpv could wait for a draw that only this thread can make.
    int64_t duration = 0;
    durationSeconds_ =
        Succeeded(SeekGetDuration(seeking_, &duration)) ? duration / kRefTimePerSecond : 0;
    window_->put_AutoShow(false);
    if (Failed(window_->put_MessageDrain(controls_.position))) {
        noVideo_ = true;
    }
    if (!noVideo_) {
        window_->put_Owner(controls_.frame);
    }
    FitVideoWindow();
    if (!noVideo_) {
        window_->put_Visible(true);
        window_->SetWindowForeground(true);
    }
    opened_ = true;
    SetRow(ButtonRow::kOpened);
    controls_.duration->setText(QString::fromStdString(FormatHms(durationSeconds_)));
    ScalePositionSlider(durationSeconds_);
    if (controls_.opened) {
        controls_.opened();
    }
    return S_OK;
}

void CPreviewPlayer::ScalePositionSlider(int64_t seconds) {
    SelectionSlider* slider = controls_.position;
    slider->setRange(0, ToSlider(seconds));
    const int step = ToSlider((seconds / 100 + 1) * 5);
    slider->setTickInterval(step);
    slider->setSingleStep(step);
    slider->setPageStep(4 * step);
}

void CPreviewPlayer::FitVideoWindow() {
    if (noVideo_ || !window_ || controls_.frame == nullptr) {
        return;
    }
    const QRect client = controls_.frame->parentWidget()->contentsRect();
    const HRESULT result =
        window_->SetWindowPosition(client.left(), client.top(), client.width(), client.height());
    if (Failed(result)) {
        LogEntry("Failed to set window position!  hr=0x%x\r\n",
                 static_cast<unsigned>(Code(result)));
    }
}

HRESULT CPreviewPlayer::RunGraph() {
    if (!control_) {
        return S_OK;
    }
    const HRESULT result = control_->Run();
    if (Failed(result)) {
        LogEntry("\r\n*** Failed(%08lx) in Run()!\r\n", Code(result));
        return result;
    }
    playState_ = kStateRunning;
    return result;
}

HRESULT CPreviewPlayer::PauseGraph() {
    if (!control_ || playState_ != kStateRunning) {
        return S_OK;
    }
    const HRESULT result = control_->Pause();
    if (Failed(result)) {
        LogEntry("\r\n*** Failed(%08lx) in Pause()!\r\n", Code(result));
        return result;
    }
    LogEntry("*** Media is PAUSED.\r\n");
    playState_ = kStatePaused;
    return result;
}

HRESULT CPreviewPlayer::StopGraph() {
    if (!control_ || playState_ == kStateStopped) {
        return S_OK;
    }
    const HRESULT result = control_->Stop();
    if (Failed(result)) {
        LogEntry("\r\n*** Failed(%08lx) in Stop()!\r\n", Code(result));
        return result;
    }
    playState_ = kStateStopped;
    return result;
}

void CPreviewPlayer::StopAndRewind() {
    if (!graph_) {
        return;
    }
    StopGraph();
    FilterState state = FilterState::kStopped;
    HRESULT result = control_ ? control_->GetState(kStateTimeoutMs, &state) : E_NOINTERFACE;
    if (Failed(result)) {
        LogEntry("Failed to read graph state!  hr=0x%x\r\n", static_cast<unsigned>(Code(result)));
    }
    int64_t start = 0;
    result = seeking_
                 ? seeking_->SetPositions(&start, kAbsolutePositioning, nullptr, kNoPositioning)
                 : E_NOINTERFACE;
    if (Failed(result)) {
        LogEntry("Failed to seek to beginning of media!  hr=0x%x\r\n",
                 static_cast<unsigned>(Code(result)));
    }
    result = control_ ? control_->StopWhenReady() : E_NOINTERFACE;
    if (Failed(result)) {
        LogEntry("Failed in StopWhenReady!  hr=0x%x\r\n", static_cast<unsigned>(Code(result)));
    }
    SetRow(ButtonRow::kStopped);
    controls_.elapsed->setText(QStringLiteral("0"));
    controls_.position->setValue(0);
}

void CPreviewPlayer::OnTick() {
    if (!openTried_) {
        openTried_ = true;
        OpenClip();
        RunGraph();
        SetRow(ButtonRow::kPlaying);
        return;
    }
    if (playState_ != kStateRunning || !events_) {
        return;
    }
    long code = 0;
    events_->WaitForCompletion(kCompletionWaitMs, &code);
    if (code != 0) {
        StopAndRewind();
    } else if (int64_t position = 0; Succeeded(SeekGetCurrentPosition(seeking_, &position))) {
        const int seconds = ToSlider(position / kRefTimePerSecond);
        if (seconds != controls_.position->value()) {
            controls_.position->setValue(seconds);
        }
    }
    const QString text = QString::fromStdString(FormatHms(controls_.position->value()));
    if (controls_.elapsed->text() != text) {
        controls_.elapsed->setText(text);
    }
}

void CPreviewPlayer::OnSlider(const QSlider* slider) {
    if (slider == controls_.position) {
        int64_t position = int64_t{slider->sliderPosition()} * kRefTimePerSecond;
        SeekSetPositions(seeking_, &position, kAbsolutePositioning, nullptr, kNoPositioning);
        return;
    }
    if (!audio_) {
        return;
    }
    if (slider == controls_.volume) {
        audio_->put_Volume(slider->sliderPosition());
    } else if (slider == controls_.balance) {
        audio_->put_Balance(slider->sliderPosition());
    }
}

void CPreviewPlayer::SetRow(ButtonRow row) const {
    if (controls_.setButtonRow) {
        controls_.setButtonRow(row);
    }
}

}  // namespace clipwright
