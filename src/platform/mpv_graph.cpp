#include "platform/mpv_graph.h"

#include <dlfcn.h>
#include <mpv/client.h>
#include <mpv/render.h>
#include <mpv/render_gl.h>

#include <QMetaObject>
#include <QObject>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <mutex>

#include "base/c_locale.h"
#include "platform/media_runtime.h"

namespace clipwright {

namespace {

// The libmpv functions the graph calls, resolved from the library loaded at run time.
struct MpvApi {
    decltype(&::mpv_client_api_version) client_api_version = nullptr;
    decltype(&::mpv_create) create = nullptr;
    decltype(&::mpv_initialize) initialize = nullptr;
    decltype(&::mpv_terminate_destroy) terminate_destroy = nullptr;
    decltype(&::mpv_set_option_string) set_option_string = nullptr;
    decltype(&::mpv_command) command = nullptr;
    decltype(&::mpv_set_property) set_property = nullptr;
    decltype(&::mpv_set_property_string) set_property_string = nullptr;
    decltype(&::mpv_set_property_async) set_property_async = nullptr;
    decltype(&::mpv_observe_property) observe_property = nullptr;
    decltype(&::mpv_get_property) get_property = nullptr;
    decltype(&::mpv_get_property_string) get_property_string = nullptr;
    decltype(&::mpv_free) free = nullptr;
    decltype(&::mpv_wait_event) wait_event = nullptr;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback = nullptr;
    decltype(&::mpv_render_context_create) render_context_create = nullptr;
    decltype(&::mpv_render_context_free) render_context_free = nullptr;
    decltype(&::mpv_render_context_render) render_context_render = nullptr;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback =
        nullptr;
};

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};

struct MpvLibrary {
    std::unique_ptr<void, LibraryCloser> handle;
    MpvApi api;
};

template <typename Function>
bool Resolve(void* handle, const char* name, Function* out) {
    *out = reinterpret_cast<Function>(dlsym(handle, name));
    return *out != nullptr;
}

std::unique_ptr<MpvLibrary> LoadMpv() {
    auto library = std::make_unique<MpvLibrary>();
    // Kept mapped after dlclose: libmpv's libraries are not made to be unloaded, and what they
    // hold in their globals would read as leaked.
    library->handle.reset(dlopen("libmpv.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!library->handle) {
        return nullptr;
    }
    void* const h = library->handle.get();
    MpvApi& a = library->api;
    const bool complete =
        Resolve(h, "mpv_client_api_version", &a.client_api_version) &&
        Resolve(h, "mpv_create", &a.create) && Resolve(h, "mpv_initialize", &a.initialize) &&
        Resolve(h, "mpv_terminate_destroy", &a.terminate_destroy) &&
        Resolve(h, "mpv_set_option_string", &a.set_option_string) &&
        Resolve(h, "mpv_command", &a.command) && Resolve(h, "mpv_set_property", &a.set_property) &&
        Resolve(h, "mpv_set_property_string", &a.set_property_string) &&
        Resolve(h, "mpv_set_property_async", &a.set_property_async) &&
        Resolve(h, "mpv_observe_property", &a.observe_property) &&
        Resolve(h, "mpv_get_property", &a.get_property) &&
        Resolve(h, "mpv_get_property_string", &a.get_property_string) &&
        Resolve(h, "mpv_free", &a.free) && Resolve(h, "mpv_wait_event", &a.wait_event) &&
        Resolve(h, "mpv_set_wakeup_callback", &a.set_wakeup_callback) &&
        Resolve(h, "mpv_render_context_create", &a.render_context_create) &&
        Resolve(h, "mpv_render_context_free", &a.render_context_free) &&
        Resolve(h, "mpv_render_context_render", &a.render_context_render) &&
        Resolve(h, "mpv_render_context_set_update_callback", &a.render_context_set_update_callback);
    if (!complete) {
        return nullptr;
    }
    const unsigned long version = a.client_api_version();
    const RuntimeVersion runtime{static_cast<int>(version >> 16),
                                 static_cast<int>(version & 0xffff)};
    return MediaRuntimeTooOld(runtime) ? nullptr : std::move(library);
}

const MpvApi* Mpv() {
    static const std::unique_ptr<MpvLibrary> library = LoadMpv();
    return library ? &library->api : nullptr;
}

std::mutex& OutputsMutex() {
    static std::mutex mutex;
    return mutex;
}

MediaOutputs& Outputs() {
    static MediaOutputs outputs;
    return outputs;
}

std::atomic<int> liveSessions{0};

// The reply_userdata of the session's own property writes (SetLater) and of the properties it
// observes.
constexpr uint64_t kLaterWriteReply = 0x5e7;
constexpr uint64_t kObservedTimePos = 0x7105;
constexpr uint64_t kObservedEof = 0xe0f;

struct Track {
    int64_t id = 0;
    std::string type;  // "video", "audio" or "sub"
};

// One libmpv core playing one file, with its render context while a surface draws it.
class MpvSession {
public:
    explicit MpvSession(const MpvApi& api) : api_(api), handle_(nullptr, CoreCloser{&api}) {
        ++liveSessions;
    }
    ~MpvSession() {
        --liveSessions;
        FreeRender();
        if (handle_) {
            // After this returns libmpv calls no more wakeups, so the pump can go.
            api_.set_wakeup_callback(handle_.get(), nullptr, nullptr);
        }
    }
    MpvSession(const MpvSession&) = delete;
    MpvSession& operator=(const MpvSession&) = delete;

    // Opens the file, paused; lavfFormat forces that demuxer when not empty.
    HRESULT Open(const std::string& path, const std::string& lavfFormat) {
        handle_.reset(api_.create());
        if (!handle_) {
            return E_FAIL;
        }
        const MediaOutputs outputs = CurrentMediaOutputs();
        drawsThroughRenderer_ = outputs.video == "libmpv";
        SetOptions(outputs, lavfFormat);
        if (api_.initialize(handle_.get()) < 0) {
            return E_FAIL;
        }
        api_.set_wakeup_callback(handle_.get(), &MpvSession::OnWakeup, this);
        // What every tick reads comes as events, so a tick never waits for the core.
        api_.observe_property(handle_.get(), kObservedTimePos, "time-pos", MPV_FORMAT_DOUBLE);
        api_.observe_property(handle_.get(), kObservedEof, "eof-reached", MPV_FORMAT_FLAG);
        const char* args[] = {"loadfile", path.c_str(), nullptr};
        if (api_.command(handle_.get(), args) < 0) {
            return VFW_E_UNSUPPORTED_STREAM;
        }
        return WaitForLoad();
    }

    mpv_handle* Handle() const { return handle_.get(); }
    const std::vector<Track>& Tracks() const { return tracks_; }
    bool HasType(const std::string& type) const {
        for (const Track& track : tracks_) {
            if (track.type == type) {
                return true;
            }
        }
        return false;
    }
    int64_t VideoTrack() const { return videoTrack_; }
    HRESULT SetVideoTrack(int64_t id) {
        videoTrack_ = id;
        return SetString("vid", std::to_string(id));
    }
    bool Aborted() const { return aborted_; }
    // The observed playback position in seconds (false while there is none) and end of file,
    // as of the last events handled.
    bool TimePos(double* seconds) const {
        if (timePos_ < 0) {
            return false;
        }
        *seconds = timePos_;
        return true;
    }
    bool EofReached() const { return eofReached_; }
    // A seek moves the position at once, as a read of the core would tell.
    void SeekedTo(double seconds) { timePos_ = std::max(0.0, seconds); }
    void SetOnEvents(std::function<void()> onEvents) { onEvents_ = std::move(onEvents); }

    bool GetDouble(const char* name, double* value) const {
        return api_.get_property(handle_.get(), name, MPV_FORMAT_DOUBLE, value) >= 0;
    }
    HRESULT SetFlag(const char* name, bool on) {
        int value = on ? 1 : 0;
        return api_.set_property(handle_.get(), name, MPV_FORMAT_FLAG, &value) >= 0 ? S_OK : E_FAIL;
    }
    HRESULT SetDouble(const char* name, double value) {
        return api_.set_property(handle_.get(), name, MPV_FORMAT_DOUBLE, &value) >= 0 ? S_OK
                                                                                      : E_FAIL;
    }
    HRESULT SetString(const char* name, const std::string& value) {
        return api_.set_property_string(handle_.get(), name, value.c_str()) >= 0 ? S_OK : E_FAIL;
    }

    // Sets a property without waiting for the core. This thread also draws the video, and the
    // render API's video output waits for a draw at times (a new frame size, a restarted video
    // chain); a blocking call then holds both until libmpv's timeout, 200 ms, runs out. The
    // writes go out one at a time, each once the one before has been answered, so they take
    // effect in the order made (libmpv may reorder requests that are in flight together).
    void SetLater(const char* name, std::string value) {
        laterWrites_.push_back({name, std::move(value)});
        SendNextLater();
    }

    // Handles every queued event, then waits up to timeoutSeconds for the first (0: no wait).
    void Drain(double timeoutSeconds = 0) {
        bool any = false;
        for (double wait = timeoutSeconds;; wait = 0) {
            const mpv_event* event = api_.wait_event(handle_.get(), wait);
            if (event->event_id == MPV_EVENT_NONE) {
                break;
            }
            HandleEvent(*event);
            any = true;
        }
        if (any && onEvents_) {
            onEvents_();
        }
    }

    bool CreateRender(VideoRenderer::GetProcAddress getProcAddress, void* context,
                      std::function<void()> frameReady) {
        FreeRender();
        mpv_opengl_init_params gl{getProcAddress, context};
        char apiType[] = MPV_RENDER_API_TYPE_OPENGL;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, apiType},
                                     {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context* render = nullptr;
        if (api_.render_context_create(&render, handle_.get(), params) < 0) {
            return false;
        }
        render_ = render;
        frameReady_ = std::move(frameReady);
        api_.render_context_set_update_callback(render_, &MpvSession::OnFrameUpdate, this);
        SetLater("vo", "libmpv");  // the video chain starts again, drawing through render_
        return true;
    }

    // With the surface's OpenGL context current.
    void FreeRender() {
        if (render_ == nullptr) {
            return;
        }
        if (drawsThroughRenderer_) {
            // Video goes on without a picture until drawn again. Not waited for: the output
            // being taken down waits for a last draw from this very thread, so a blocking call
            // would only end at libmpv's 200 ms timeout; freeing the renderer below ends that
            // output itself.
            SetLater("vo", "null");
        }
        api_.render_context_set_update_callback(render_, nullptr, nullptr);
        api_.render_context_free(render_);
        render_ = nullptr;
        frameReady_ = nullptr;
    }

    void Render(int framebuffer, int width, int height) {
        if (render_ == nullptr) {
            return;
        }
        mpv_opengl_fbo fbo{framebuffer, width, height, 0};
        int flipY = 1;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                     {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        api_.render_context_render(render_, params);
    }

private:
    struct CoreCloser {
        const MpvApi* api;
        void operator()(mpv_handle* handle) const { api->terminate_destroy(handle); }
    };

    void SetOptions(const MediaOutputs& outputs, const std::string& lavfFormat) {
        const std::pair<const char*, std::string> options[] = {
            {"config", "no"},
            {"terminal", "no"},
            {"input-default-bindings", "no"},
            {"input-vo-keyboard", "no"},
            {"osc", "no"},
            {"load-scripts", "no"},
            {"ytdl", "no"},
            {"pause", "yes"},
            {"keep-open", "yes"},
            {"idle", "yes"},
            {"hwdec", "no"},
            {"audio-display", "no"},
            {"force-window", "no"},
            // Drawing needs a render context, which needs the surface's OpenGL context, which
            // exists only once the surface is shown; until then video goes to no output, so
            // the file opens (and a file of video alone has a stream to play).
            {"vo", drawsThroughRenderer_ ? std::string("null") : outputs.video},
            {"ao", outputs.audio},
        };
        for (const auto& [name, value] : options) {
            api_.set_option_string(handle_.get(), name, value.c_str());
        }
        if (!lavfFormat.empty()) {
            api_.set_option_string(handle_.get(), "demuxer", "lavf");
            api_.set_option_string(handle_.get(), "demuxer-lavf-format", lavfFormat.c_str());
        }
    }

    HRESULT WaitForLoad() {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
            const mpv_event* event = api_.wait_event(handle_.get(), left);
            HandleEvent(*event);
            if (event->event_id == MPV_EVENT_FILE_LOADED) {
                ReadTracks();
                return tracks_.empty() ? VFW_E_UNSUPPORTED_STREAM : S_OK;
            }
            if (event->event_id == MPV_EVENT_END_FILE || event->event_id == MPV_EVENT_SHUTDOWN) {
                return VFW_E_UNSUPPORTED_STREAM;
            }
        }
        return E_ABORT;
    }

    void ReadTracks() {
        int64_t count = 0;
        api_.get_property(handle_.get(), "track-list/count", MPV_FORMAT_INT64, &count);
        for (int64_t i = 0; i < count; ++i) {
            Track track;
            const std::string prefix = "track-list/" + std::to_string(i) + "/";
            api_.get_property(handle_.get(), (prefix + "id").c_str(), MPV_FORMAT_INT64, &track.id);
            if (char* type = api_.get_property_string(handle_.get(), (prefix + "type").c_str())) {
                track.type = type;
                api_.free(type);
            }
            int albumArt = 0;
            api_.get_property(handle_.get(), (prefix + "albumart").c_str(), MPV_FORMAT_FLAG,
                              &albumArt);
            if (track.type == "video" && albumArt != 0) {
                continue;  // a cover picture is not video to show
            }
            if (track.type == "video" && videoTrack_ == 0) {
                videoTrack_ = track.id;
            }
            tracks_.push_back(track);
        }
    }

    void SendNextLater() {
        if (laterInFlight_ || laterWrites_.empty()) {
            return;
        }
        const auto [name, value] = std::move(laterWrites_.front());
        laterWrites_.pop_front();
        const char* text = value.c_str();
        // libmpv copies the name and the value before this returns.
        laterInFlight_ = api_.set_property_async(handle_.get(), kLaterWriteReply, name.c_str(),
                                                 MPV_FORMAT_STRING, &text) >= 0;
        if (!laterInFlight_) {
            SendNextLater();
        }
    }

    void HandleChange(uint64_t observed, const mpv_event_property& change) {
        const bool known = change.data != nullptr;
        if (observed == kObservedTimePos) {
            const bool valid = known && change.format == MPV_FORMAT_DOUBLE;
            timePos_ = valid ? *static_cast<const double*>(change.data) : -1.0;
        } else if (observed == kObservedEof) {
            const bool valid = known && change.format == MPV_FORMAT_FLAG;
            eofReached_ = valid && *static_cast<const int*>(change.data) != 0;
        }
    }

    void HandleEvent(const mpv_event& event) {
        if (event.event_id == MPV_EVENT_SET_PROPERTY_REPLY &&
            event.reply_userdata == kLaterWriteReply) {
            laterInFlight_ = false;
            SendNextLater();
            return;
        }
        if (event.event_id == MPV_EVENT_PROPERTY_CHANGE && event.data != nullptr) {
            HandleChange(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data));
            return;
        }
        if (event.event_id != MPV_EVENT_END_FILE || event.data == nullptr) {
            return;
        }
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        aborted_ = aborted_ || end->reason == MPV_END_FILE_REASON_ERROR;
    }

    // libmpv threads: only queue a call onto the pump's (the user-interface) thread.
    static void OnWakeup(void* data) {
        auto* session = static_cast<MpvSession*>(data);
        QMetaObject::invokeMethod(
            &session->pump_, [session] { session->Drain(); }, Qt::QueuedConnection);
    }
    static void OnFrameUpdate(void* data) {
        auto* session = static_cast<MpvSession*>(data);
        QMetaObject::invokeMethod(
            &session->pump_,
            [session] {
                if (session->frameReady_) {
                    session->frameReady_();
                }
            },
            Qt::QueuedConnection);
    }

    const MpvApi& api_;
    std::unique_ptr<mpv_handle, CoreCloser> handle_;  // destroyed last
    mpv_render_context* render_ = nullptr;            // freed in FreeRender, before the core
    QObject pump_;  // queued calls to it are dropped when the session goes
    std::vector<Track> tracks_;
    int64_t videoTrack_ = 0;
    bool drawsThroughRenderer_ = false;
    bool aborted_ = false;
    std::deque<std::pair<std::string, std::string>> laterWrites_;  // not sent yet, in order
    bool laterInFlight_ = false;  // one SetLater write sent, its answer not yet handled
    double timePos_ = -1.0;       // observed "time-pos"; negative: none
    bool eofReached_ = false;     // observed "eof-reached"
    std::function<void()> onEvents_;
    std::function<void()> frameReady_;
};

class MpvPin : public Pin {
public:
    MpvPin(std::shared_ptr<MpvSession> session, Track track)
        : session_(std::move(session)), track_(std::move(track)) {}
    HRESULT QueryDirection(PinDirection* direction) override {
        if (direction == nullptr) {
            return E_POINTER;
        }
        *direction = PinDirection::kOutput;
        return S_OK;
    }
    const std::shared_ptr<MpvSession>& Session() const { return session_; }
    const Track& StreamTrack() const { return track_; }

private:
    std::shared_ptr<MpvSession> session_;
    Track track_;
};

class PinList : public EnumPins {
public:
    explicit PinList(std::vector<std::shared_ptr<Pin>> pins) : pins_(std::move(pins)) {}
    HRESULT Next(std::shared_ptr<Pin>* pin) override {
        if (pin == nullptr) {
            return E_POINTER;
        }
        if (next_ >= pins_.size()) {
            pin->reset();
            return S_FALSE;
        }
        *pin = pins_[next_++];
        return S_OK;
    }

private:
    std::vector<std::shared_ptr<Pin>> pins_;
    size_t next_ = 0;
};

// A source filter: opens the file with a forced demuxer (or libmpv's choice when none); its
// output pins are the file's streams.
class MpvSourceFilter : public BaseFilter, public FileSourceFilter {
public:
    MpvSourceFilter(const MpvApi& api, std::string lavfFormat)
        : api_(api), lavfFormat_(std::move(lavfFormat)) {}
    MpvSourceFilter(const MpvApi& api, std::shared_ptr<MpvSession> opened)
        : api_(api), session_(std::move(opened)) {}

    HRESULT Load(const std::string& path) override {
        auto session = std::make_shared<MpvSession>(api_);
        const HRESULT result = session->Open(path, lavfFormat_);
        if (Succeeded(result)) {
            session_ = std::move(session);
        }
        return result;
    }
    HRESULT EnumPins(std::unique_ptr<clipwright::EnumPins>* pins) override {
        if (pins == nullptr) {
            return E_POINTER;
        }
        std::vector<std::shared_ptr<Pin>> list;
        if (session_) {
            for (const Track& track : session_->Tracks()) {
                list.push_back(std::make_shared<MpvPin>(session_, track));
            }
        }
        *pins = std::make_unique<PinList>(std::move(list));
        return S_OK;
    }
    const std::shared_ptr<MpvSession>& Session() const { return session_; }

private:
    const MpvApi& api_;
    std::string lavfFormat_;
    std::shared_ptr<MpvSession> session_;
};

double ToSeconds(RefTime time) {
    return static_cast<double>(time) / static_cast<double>(kRefTimePerSecond);
}

RefTime ToRefTime(double seconds) {
    return static_cast<RefTime>(std::llround(seconds * static_cast<double>(kRefTimePerSecond)));
}

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
        session_->SeekedTo(ToSeconds(ToReference(*current)));
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
        *position = FromReference(ToRefTime(seconds));
        return S_OK;
    }
    HRESULT GetDuration(int64_t* duration) override { return ReadTime("duration", duration); }

    // BasicAudio
    HRESULT put_Volume(long volume) override {
        if (const HRESULT result = CheckAudio(); Failed(result)) {
            return result;
        }
        if (volume < -10000 || volume > 0) {
            return E_INVALIDARG;
        }
        // libmpv's volume is a percentage on a cubic scale; -10000 is silence.
        const double gain = std::pow(10.0, static_cast<double>(volume) / 2000.0);
        const double percent = volume <= -10000 ? 0.0 : 100.0 * std::cbrt(gain);
        const HRESULT result = session_->SetDouble("volume", percent);
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
        if (balance < -10000 || balance > 10000) {
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
        return ToRefTime(static_cast<double>(value) / FramesPerSecond());
    }
    int64_t FromReference(RefTime time) const {
        if (format_ != TimeFormat::kFrame) {
            return time;
        }
        return static_cast<int64_t>(std::llround(ToSeconds(time) * FramesPerSecond()));
    }

    std::string Seconds(int64_t value) const {
        return DecimalText(ToSeconds(ToReference(value)), 3);
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
        *out = FromReference(ToRefTime(seconds));
        return S_OK;
    }

    static std::string BalanceFilter(long balance) {
        if (balance == 0) {
            return {};
        }
        const double quiet = std::pow(10.0, -std::abs(static_cast<double>(balance)) / 2000.0);
        const double left = balance > 0 ? quiet : 1.0;
        const double right = balance < 0 ? quiet : 1.0;
        return "lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + DecimalText(left, 6) +
               "*c0|c1=" + DecimalText(right, 6) + "*c1]";
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

void SetMediaOutputs(const MediaOutputs& outputs) {
    const std::lock_guard lock(OutputsMutex());
    Outputs() = outputs;
}

MediaOutputs CurrentMediaOutputs() {
    const std::lock_guard lock(OutputsMutex());
    return Outputs();
}

int LiveMediaSessions() {
    return liveSessions.load();
}

bool MediaRuntimeUsable() {
    return Mpv() != nullptr;
}

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
