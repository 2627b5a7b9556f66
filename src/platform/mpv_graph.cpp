#include "platform/mpv_graph.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/c_locale.h"
#include "platform/media_units.h"
#include "platform/mpv_library.h"
#include "platform/mpv_session.h"
#include "platform/mpv_source_filter.h"

namespace clipwright {

namespace {

// The filter graph manager: every interface of one graph, playing the session of the source
// filter it rendered last.
class MpvGraph : public GraphBuilder,
                 public MediaControl,
                 public MediaSeeking,
                 public BasicAudio,
                 public BasicVideo,
                 public VideoWindow,
                 public MediaEventEx,
                 public VideoRenderer {
public:
    explicit MpvGraph(const MpvApi& api) : api_(api) {}
    ~MpvGraph() override { Adopt(nullptr); }
    MpvGraph(const MpvGraph&) = delete;
    MpvGraph& operator=(const MpvGraph&) = delete;

    // GraphBuilder
    HRESULT AddFilter(const std::shared_ptr<BaseFilter>& filter, const std::string&) override {
        if (!filter) {
            return E_POINTER;
        }
        filters_.push_back(filter);
        return S_OK;
    }
    HRESULT RemoveFilter(const std::shared_ptr<BaseFilter>& filter) override {
        const auto found = std::find(filters_.begin(), filters_.end(), filter);
        if (found == filters_.end()) {
            return E_INVALIDARG;
        }
        filters_.erase(found);
        const auto source = std::dynamic_pointer_cast<MpvSourceFilter>(filter);
        if (source && session_ && source->Session() == session_) {
            Adopt(nullptr);
        }
        return S_OK;
    }
    HRESULT EnumFilters(std::vector<std::shared_ptr<BaseFilter>>* filters) override {
        if (filters == nullptr) {
            return E_POINTER;
        }
        *filters = filters_;
        return S_OK;
    }
    HRESULT RenderFile(const std::string& path) override {
        auto session = std::make_shared<MpvSession>(api_);
        if (const HRESULT result = session->Open(path, {}); Failed(result)) {
            return result;
        }
        filters_.push_back(std::make_shared<MpvSourceFilter>(api_, session));
        Adopt(session);
        return S_OK;
    }
    HRESULT Render(const std::shared_ptr<Pin>& pin) override {
        const auto stream = std::dynamic_pointer_cast<MpvPin>(pin);
        if (!stream) {
            return pin ? VFW_E_CANNOT_RENDER : E_POINTER;
        }
        if (stream->Session() != session_) {
            Adopt(stream->Session());
        }
        const Track& track = stream->StreamTrack();
        if (track.type == "video") {
            return session_->SetVideoTrack(track.id);
        }
        if (track.type == "audio" || track.type == "sub") {
            return session_->SetString(track.type == "audio" ? "aid" : "sid",
                                       std::to_string(track.id));
        }
        return VFW_E_CANNOT_RENDER;
    }

    // MediaControl
    HRESULT Run() override { return SetPaused(false, FilterState::kRunning); }
    HRESULT Pause() override { return SetPaused(true, FilterState::kPaused); }
    HRESULT Stop() override { return SetPaused(true, FilterState::kStopped); }
    HRESULT StopWhenReady() override { return SetPaused(true, FilterState::kStopped); }
    HRESULT GetState(long, FilterState* state) override {
        if (state == nullptr) {
            return E_POINTER;
        }
        *state = state_;
        return S_OK;
    }

    // MediaSeeking
    HRESULT IsFormatSupported(TimeFormat format) override {
        if (format == TimeFormat::kMediaTime) {
            return S_OK;
        }
        return format == TimeFormat::kFrame && FramesPerSecond() > 0 ? S_OK : S_FALSE;
    }
    HRESULT GetTimeFormat(TimeFormat* format) override {
        if (format == nullptr) {
            return E_POINTER;
        }
        *format = format_;
        return S_OK;
    }
    HRESULT SetTimeFormat(TimeFormat format) override {
        if (IsFormatSupported(format) != S_OK) {
            return E_INVALIDARG;
        }
        format_ = format;
        return S_OK;
    }
    HRESULT SetPositions(int64_t* current, uint32_t currentFlags, int64_t* stop,
                         uint32_t stopFlags) override {
        if (!session_) {
            return E_UNEXPECTED;
        }
        if (!ValidFlags(current, currentFlags) || !ValidFlags(stop, stopFlags)) {
            return E_INVALIDARG;
        }
        if (stop != nullptr && stopFlags == kAbsolutePositioning) {
            const HRESULT result = session_->SetString("end", Seconds(*stop));
            if (Failed(result)) {
                return result;
            }
        }
        if (current == nullptr || currentFlags != kAbsolutePositioning) {
            return S_OK;
        }
        const std::string seconds = Seconds(*current);
        const char* args[] = {"seek", seconds.c_str(), "absolute", nullptr};
        if (api_.command(session_->Handle(), args) < 0) {
            return E_FAIL;
        }
        session_->SeekedTo(RefTimeToSeconds(ToReference(*current)));
        return S_OK;
    }
    // From the observed position (events are handled first), so the tick that asks never
    // waits for the core.
    HRESULT GetCurrentPosition(int64_t* position) override {
        if (position == nullptr) {
            return E_POINTER;
        }
        if (!session_) {
            return E_UNEXPECTED;
        }
        session_->Drain();
        double seconds = 0;
        if (!session_->TimePos(&seconds)) {
            return E_FAIL;
        }
        *position = FromReference(SecondsToRefTime(seconds));
        return S_OK;
    }
    HRESULT GetDuration(int64_t* duration) override { return ReadTime("duration", duration); }

    // BasicAudio
    HRESULT put_Volume(long volume) override {
        if (const HRESULT result = CheckAudio(); Failed(result)) {
            return result;
        }
        if (!VolumeInRange(volume)) {
            return E_INVALIDARG;
        }
        const HRESULT result = session_->SetDouble("volume", MpvVolumePercent(volume));
        volume_ = Succeeded(result) ? volume : volume_;
        return result;
    }
    HRESULT get_Volume(long* volume) override {
        if (volume == nullptr) {
            return E_POINTER;
        }
        *volume = volume_;
        return CheckAudio();
    }
    HRESULT put_Balance(long balance) override {
        if (const HRESULT result = CheckAudio(); Failed(result)) {
            return result;
        }
        if (!BalanceInRange(balance)) {
            return E_INVALIDARG;
        }
        const HRESULT result = session_->SetString("af", BalanceFilter(balance));
        balance_ = Succeeded(result) ? balance : balance_;
        return result;
    }
    HRESULT get_Balance(long* balance) override {
        if (balance == nullptr) {
            return E_POINTER;
        }
        *balance = balance_;
        return CheckAudio();
    }

    // BasicVideo
    HRESULT GetVideoSize(long* width, long* height) override {
        if (width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        if (!HasVideo()) {
            return E_NOINTERFACE;
        }
        int64_t w = 0;
        int64_t h = 0;
        api_.get_property(session_->Handle(), "width", MPV_FORMAT_INT64, &w);
        api_.get_property(session_->Handle(), "height", MPV_FORMAT_INT64, &h);
        *width = static_cast<long>(w);
        *height = static_cast<long>(h);
        return S_OK;
    }

    // VideoWindow
    HRESULT put_AutoShow(bool autoShow) override {
        autoShow_ = autoShow;
        return HasVideo() ? S_OK : E_NOINTERFACE;
    }
    HRESULT put_MessageDrain(const void*) override { return HasVideo() ? S_OK : E_NOINTERFACE; }
    HRESULT put_Owner(VideoSurface* owner) override {
        if (owner == surface_) {
            return S_OK;
        }
        if (surface_ != nullptr) {
            surface_->AttachVideo(nullptr);
        }
        surface_ = owner;
        if (surface_ != nullptr && session_) {
            surface_->AttachVideo(this);
            surface_->ShowVideo(autoShow_);
        }
        return S_OK;
    }
    HRESULT SetWindowPosition(long left, long top, long width, long height) override {
        if (surface_ == nullptr) {
            return E_UNEXPECTED;
        }
        if (width < 0 || height < 0) {
            return E_INVALIDARG;
        }
        surface_->PlaceVideo(QRect(static_cast<int>(left), static_cast<int>(top),
                                   static_cast<int>(width), static_cast<int>(height)));
        return S_OK;
    }
    HRESULT put_Visible(bool visible) override {
        if (surface_ == nullptr) {
            return E_UNEXPECTED;
        }
        surface_->ShowVideo(visible);
        return S_OK;
    }
    HRESULT SetWindowForeground(bool) override {
        if (surface_ == nullptr) {
            return E_UNEXPECTED;
        }
        surface_->RaiseVideo();
        return S_OK;
    }

    // MediaEventEx
    HRESULT WaitForCompletion(long timeoutMs, long* code) override {
        if (code == nullptr) {
            return E_POINTER;
        }
        if (!session_) {
            return E_UNEXPECTED;
        }
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0L, timeoutMs));
        for (double wait = 0;;
             wait = std::chrono::duration<double>(deadline - Clock::now()).count()) {
            session_->Drain(std::max(0.0, wait));
            if (session_->Aborted() || session_->EofReached()) {
                *code = session_->Aborted() ? EC_ERRORABORT : EC_COMPLETE;
                return S_OK;
            }
            if (Clock::now() >= deadline) {
                return E_ABORT;
            }
        }
    }
    HRESULT SetNotifyWindow(std::function<void()> notify) override {
        notify_ = std::move(notify);
        if (session_) {
            session_->SetOnEvents(notify_);
        }
        return S_OK;
    }

    // VideoRenderer
    bool CreateRenderer(GetProcAddress getProcAddress, void* context,
                        std::function<void()> frameReady) override {
        return session_ && session_->CreateRender(getProcAddress, context, std::move(frameReady));
    }
    void FreeRenderer() override {
        if (session_) {
            session_->FreeRender();
        }
    }
    void RenderFrame(int framebuffer, int width, int height) override {
        if (session_) {
            session_->Render(framebuffer, width, height);
        }
    }

private:
    // The surface lets go of the old session's render context before that session can end.
    void Adopt(std::shared_ptr<MpvSession> session) {
        if (surface_ != nullptr) {
            surface_->AttachVideo(nullptr);
        }
        if (session_) {
            session_->SetOnEvents({});
        }
        session_ = std::move(session);
        state_ = FilterState::kStopped;
        if (!session_) {
            return;
        }
        session_->SetOnEvents(notify_);
        if (surface_ != nullptr) {
            surface_->AttachVideo(this);
        }
    }

    bool HasVideo() const { return session_ && session_->VideoTrack() != 0; }

    HRESULT CheckAudio() const {
        if (!session_) {
            return E_UNEXPECTED;
        }
        return session_->HasType("audio") ? S_OK : E_NOTIMPL;
    }

    // Takes effect a moment later (SetLater): the state is the one asked for at once.
    HRESULT SetPaused(bool paused, FilterState state) {
        if (!session_) {
            return E_UNEXPECTED;
        }
        session_->SetLater("pause", paused ? "yes" : "no");
        state_ = state;
        return S_OK;
    }

    double FramesPerSecond() const {
        double fps = 0;
        return session_ && session_->GetDouble("container-fps", &fps) ? fps : 0.0;
    }

    RefTime ToReference(int64_t value) const {
        if (format_ != TimeFormat::kFrame) {
            return value;
        }
        return FramesToRefTime(value, FramesPerSecond());
    }
    int64_t FromReference(RefTime time) const {
        if (format_ != TimeFormat::kFrame) {
            return time;
        }
        return RefTimeToFrames(time, FramesPerSecond());
    }

    std::string Seconds(int64_t value) const {
        return DecimalText(RefTimeToSeconds(ToReference(value)), 3);
    }

    static bool ValidFlags(const int64_t* position, uint32_t flags) {
        return flags == kNoPositioning || (flags == kAbsolutePositioning && position != nullptr);
    }

    HRESULT ReadTime(const char* property, int64_t* out) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (!session_) {
            return E_UNEXPECTED;
        }
        double seconds = 0;
        if (!session_->GetDouble(property, &seconds)) {
            return E_FAIL;
        }
        *out = FromReference(SecondsToRefTime(seconds));
        return S_OK;
    }

    static std::string BalanceFilter(long balance) {
        if (balance == 0) {
            return {};
        }
        const ChannelGains gains = BalanceGains(balance);
        return "lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + DecimalText(gains.left, 6) +
               "*c0|c1=" + DecimalText(gains.right, 6) + "*c1]";
    }

    const MpvApi& api_;
    std::vector<std::shared_ptr<BaseFilter>> filters_;
    std::shared_ptr<MpvSession> session_;
    VideoSurface* surface_ = nullptr;  // not owned; released with put_Owner(nullptr)
    std::function<void()> notify_;
    TimeFormat format_ = TimeFormat::kMediaTime;
    FilterState state_ = FilterState::kStopped;
    long volume_ = 0;
    long balance_ = 0;
    bool autoShow_ = true;
};

}  // namespace

std::shared_ptr<Unknown> CreateMpvObject(const Clsid& clsid) {
    const MpvApi* api = Mpv();
    if (api == nullptr) {
        return nullptr;
    }
    if (clsid == CLSID_FilterGraph) {
        return std::make_shared<MpvGraph>(*api);
    }
    const std::pair<Clsid, const char*> sources[] = {{CLSID_RealMediaSource, "rm"},
                                                     {CLSID_WindowsMediaSource, "asf"},
                                                     {CLSID_QuickTimeSource, "mov"}};
    for (const auto& [id, format] : sources) {
        if (clsid == id) {
            return std::make_shared<MpvSourceFilter>(*api, format);
        }
    }
    return nullptr;
}

}  // namespace clipwright
