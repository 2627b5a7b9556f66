#include "platform/mpv_session.h"

#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <mutex>

namespace clipwright {

namespace {

std::atomic<int> liveSessions{0};

// The reply_userdata of the session's own property writes (SetLater) and of the properties it
// observes.
constexpr uint64_t kLaterWriteReply = 0x5e7;
constexpr uint64_t kObservedTimePos = 0x7105;
constexpr uint64_t kObservedEof = 0xe0f;

std::mutex& OutputsMutex() {
    static std::mutex mutex;
    return mutex;
}

MediaOutputs& Outputs() {
    static MediaOutputs outputs;
    return outputs;
}

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

MpvSession::MpvSession(const MpvApi& api) : api_(api), handle_(nullptr, CoreCloser{&api}) {
    ++liveSessions;
}

MpvSession::~MpvSession() {
    --liveSessions;
    FreeRender();
    if (handle_) {
        // After this returns libmpv calls no more wakeups, so the pump can go.
        api_.set_wakeup_callback(handle_.get(), nullptr, nullptr);
    }
}

HRESULT MpvSession::Open(const std::string& path, const std::string& lavfFormat) {
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

bool MpvSession::HasType(const std::string& type) const {
    for (const Track& track : tracks_) {
        if (track.type == type) {
            return true;
        }
    }
    return false;
}

HRESULT MpvSession::SetVideoTrack(int64_t id) {
    videoTrack_ = id;
    return SetString("vid", std::to_string(id));
}

bool MpvSession::TimePos(double* seconds) const {
    if (timePos_ < 0) {
        return false;
    }
    *seconds = timePos_;
    return true;
}

bool MpvSession::GetDouble(const char* name, double* value) const {
    return api_.get_property(handle_.get(), name, MPV_FORMAT_DOUBLE, value) >= 0;
}

HRESULT MpvSession::SetFlag(const char* name, bool on) {
    int value = on ? 1 : 0;
    return api_.set_property(handle_.get(), name, MPV_FORMAT_FLAG, &value) >= 0 ? S_OK : E_FAIL;
}

HRESULT MpvSession::SetDouble(const char* name, double value) {
    return api_.set_property(handle_.get(), name, MPV_FORMAT_DOUBLE, &value) >= 0 ? S_OK : E_FAIL;
}

HRESULT MpvSession::SetString(const char* name, const std::string& value) {
    return api_.set_property_string(handle_.get(), name, value.c_str()) >= 0 ? S_OK : E_FAIL;
}

void MpvSession::SetLater(const char* name, std::string value) {
    laterWrites_.push_back({name, std::move(value)});
    SendNextLater();
}

void MpvSession::Drain(double timeoutSeconds) {
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

bool MpvSession::CreateRender(VideoRenderer::GetProcAddress getProcAddress, void* context,
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

void MpvSession::FreeRender() {
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

void MpvSession::Render(int framebuffer, int width, int height) {
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

void MpvSession::SetOptions(const MediaOutputs& outputs, const std::string& lavfFormat) {
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

HRESULT MpvSession::WaitForLoad() {
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

void MpvSession::ReadTracks() {
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
        api_.get_property(handle_.get(), (prefix + "albumart").c_str(), MPV_FORMAT_FLAG, &albumArt);
        if (track.type == "video" && albumArt != 0) {
            continue;  // a cover picture is not video to show
        }
        if (track.type == "video" && videoTrack_ == 0) {
            videoTrack_ = track.id;
        }
        tracks_.push_back(track);
    }
}

void MpvSession::SendNextLater() {
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

void MpvSession::HandleChange(uint64_t observed, const mpv_event_property& change) {
    const bool known = change.data != nullptr;
    if (observed == kObservedTimePos) {
        const bool valid = known && change.format == MPV_FORMAT_DOUBLE;
        timePos_ = valid ? *static_cast<const double*>(change.data) : -1.0;
    } else if (observed == kObservedEof) {
        const bool valid = known && change.format == MPV_FORMAT_FLAG;
        eofReached_ = valid && *static_cast<const int*>(change.data) != 0;
    }
}

void MpvSession::HandleEvent(const mpv_event& event) {
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

void MpvSession::OnWakeup(void* data) {
    auto* session = static_cast<MpvSession*>(data);
    QMetaObject::invokeMethod(
        &session->pump_, [session] { session->Drain(); }, Qt::QueuedConnection);
}

void MpvSession::OnFrameUpdate(void* data) {
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

}  // namespace clipwright
