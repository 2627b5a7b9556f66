// The only code that touches libmpv's handles: one core playing one file, its options, its
// events and its render context. User-interface thread only: libmpv's own threads reach it
// through queued calls alone.
#pragma once

#include <QObject>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/media_graph.h"
#include "platform/mpv_graph.h"
#include "platform/mpv_library.h"

namespace clipwright {

// A stream of the open file, as libmpv numbers it.
struct Track {
    int64_t id = 0;
    std::string type;  // "video", "audio" or "sub"
};

// One libmpv core playing one file, with its render context while a surface draws it.
class MpvSession {
public:
    explicit MpvSession(const MpvApi& api);
    ~MpvSession();
    MpvSession(const MpvSession&) = delete;
    MpvSession& operator=(const MpvSession&) = delete;

    // Opens the file, paused; lavfFormat forces that demuxer when not empty.
    HRESULT Open(const std::string& path, const std::string& lavfFormat);

    mpv_handle* Handle() const { return handle_.get(); }
    const std::vector<Track>& Tracks() const { return tracks_; }
    bool HasType(const std::string& type) const;
    int64_t VideoTrack() const { return videoTrack_; }
    HRESULT SetVideoTrack(int64_t id);
    bool Aborted() const { return aborted_; }
    // The observed playback position in seconds (false while there is none) and end of file,
    // as of the last events handled.
    bool TimePos(double* seconds) const;
    bool EofReached() const { return eofReached_; }
    // A seek moves the position at once, as a read of the core would tell.
    void SeekedTo(double seconds) { timePos_ = std::max(0.0, seconds); }
    void SetOnEvents(std::function<void()> onEvents) { onEvents_ = std::move(onEvents); }

    bool GetDouble(const char* name, double* value) const;
    HRESULT SetFlag(const char* name, bool on);
    HRESULT SetDouble(const char* name, double value);
    HRESULT SetString(const char* name, const std::string& value);

    // Sets a property without waiting for the core. This thread also draws the video, and the
    // render API's video output waits for a draw at times (a new frame size, a restarted video
    // chain); a blocking call then holds both until libmpv's timeout, 200 ms, runs out. The
    // writes go out one at a time, each once the one before has been answered, so they take
    // effect in the order made (libmpv may reorder requests that are in flight together).
    void SetLater(const char* name, std::string value);

    // Handles every queued event, then waits up to timeoutSeconds for the first (0: no wait).
    void Drain(double timeoutSeconds = 0);

    bool CreateRender(VideoRenderer::GetProcAddress getProcAddress, void* context,
                      std::function<void()> frameReady);

    // With the surface's OpenGL context current.
    void FreeRender();

    void Render(int framebuffer, int width, int height);

private:
    struct CoreCloser {
        const MpvApi* api;
        void operator()(mpv_handle* handle) const { api->terminate_destroy(handle); }
    };

    void SetOptions(const MediaOutputs& outputs, const std::string& lavfFormat);

    HRESULT WaitForLoad();

    void ReadTracks();

    void SendNextLater();

    void HandleChange(uint64_t observed, const mpv_event_property& change);

    void HandleEvent(const mpv_event& event);

    // libmpv threads: only queue a call onto the pump's (the user-interface) thread.
    static void OnWakeup(void* data);
    static void OnFrameUpdate(void* data);

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

}  // namespace clipwright
