// The media graph: interfaces shaped like a filter graph (graph builder, media control, media
// seeking, basic audio and video, a video window, media events, source filters with pins),
// with HRESULT-style results, and creation of objects by class identifier. The real classes run
// on libmpv (platform/mpv_graph.h); tests may register their own classes in their place.
// Time is reference time: signed 64-bit counts of 100 ns. Objects are shared through
// std::shared_ptr (one shared_ptr stands for one reference). User-interface thread only.
#pragma once

#include <QRect>
#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/media_units.h"

namespace clipwright {

using HRESULT = int32_t;

constexpr HRESULT MakeResult(uint32_t code) {
    return static_cast<HRESULT>(code);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
inline constexpr HRESULT E_POINTER = MakeResult(0x80004003);
inline constexpr HRESULT E_ABORT = MakeResult(0x80004004);
inline constexpr HRESULT E_FAIL = MakeResult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = MakeResult(0x8000FFFF);
inline constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154);
inline constexpr HRESULT VFW_E_CANNOT_RENDER = MakeResult(0x80040218);
inline constexpr HRESULT VFW_E_UNSUPPORTED_STREAM = MakeResult(0x8004022F);
// A source file too short to hold media (under 102 bytes).
inline constexpr HRESULT E_CUS_FILE_SIZE_TOO_LITTLE = MakeResult(0x88880001);

constexpr bool Failed(HRESULT result) {
    return result < 0;
}
constexpr bool Succeeded(HRESULT result) {
    return result >= 0;
}

struct Clsid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};
    auto operator<=>(const Clsid&) const = default;
};

inline constexpr Clsid CLSID_FilterGraph{
    0xE436EBB3, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr Clsid CLSID_RealMediaSource{
    0x765035B3, 0x5944, 0x4A94, {0x80, 0x6B, 0x20, 0xEE, 0x34, 0x15, 0xF2, 0x6F}};
inline constexpr Clsid CLSID_WindowsMediaSource{
    0x6B6D0800, 0x9ADA, 0x11D0, {0xA5, 0x20, 0x00, 0xA0, 0xD1, 0x01, 0x29, 0xC0}};
inline constexpr Clsid CLSID_QuickTimeSource{
    0xE41C6AFE, 0x738D, 0x4A56, {0x95, 0x7C, 0xC3, 0x52, 0xF4, 0x1B, 0x32, 0x75}};

enum class TimeFormat { kNone, kMediaTime, kFrame };
enum class PinDirection { kInput, kOutput };
enum class FilterState { kStopped, kPaused, kRunning };
enum SeekingFlags : uint32_t { kNoPositioning = 0, kAbsolutePositioning = 1 };

// Event codes of WaitForCompletion.
inline constexpr long EC_COMPLETE = 1;
inline constexpr long EC_ERRORABORT = 3;

// Every object of the graph; interfaces are reached with QueryInterface.
class Unknown {
public:
    virtual ~Unknown() = default;
};

// nullptr in, or no such interface: E_POINTER or E_NOINTERFACE, and *out stays null.
template <typename Interface, typename From>
HRESULT QueryInterface(const std::shared_ptr<From>& object, std::shared_ptr<Interface>* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = std::dynamic_pointer_cast<Interface>(object);
    return *out ? S_OK : E_NOINTERFACE;
}

class Pin : public virtual Unknown {
public:
    virtual HRESULT QueryDirection(PinDirection* direction) = 0;
};

class EnumPins {
public:
    virtual ~EnumPins() = default;
    // S_OK with the next pin, S_FALSE when none is left.
    virtual HRESULT Next(std::shared_ptr<Pin>* pin) = 0;
};

class BaseFilter : public virtual Unknown {
public:
    virtual HRESULT EnumPins(std::unique_ptr<clipwright::EnumPins>* pins) = 0;
};

class FileSourceFilter : public virtual Unknown {
public:
    // path: UTF-8 file path.
    virtual HRESULT Load(const std::string& path) = 0;
};

class GraphBuilder : public virtual Unknown {
public:
    virtual HRESULT AddFilter(const std::shared_ptr<BaseFilter>& filter,
                              const std::string& name) = 0;
    virtual HRESULT RemoveFilter(const std::shared_ptr<BaseFilter>& filter) = 0;
    virtual HRESULT EnumFilters(std::vector<std::shared_ptr<BaseFilter>>* filters) = 0;
    // Builds a complete graph for the file, the platform choosing how to read it.
    virtual HRESULT RenderFile(const std::string& path) = 0;
    // Adds what plays the pin's stream and connects it.
    virtual HRESULT Render(const std::shared_ptr<Pin>& pin) = 0;
};

class MediaControl : public virtual Unknown {
public:
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT GetState(long timeoutMs, FilterState* state) = 0;
    // Ends stopped with the current frame shown.
    virtual HRESULT StopWhenReady() = 0;
};

class MediaSeeking : public virtual Unknown {
public:
    // S_OK when supported, S_FALSE when not.
    virtual HRESULT IsFormatSupported(TimeFormat format) = 0;
    virtual HRESULT GetTimeFormat(TimeFormat* format) = 0;
    virtual HRESULT SetTimeFormat(TimeFormat format) = 0;
    // Positions in the current time format; a null pointer or kNoPositioning leaves that end.
    virtual HRESULT SetPositions(int64_t* current, uint32_t currentFlags, int64_t* stop,
                                 uint32_t stopFlags) = 0;
    virtual HRESULT GetCurrentPosition(int64_t* position) = 0;
    virtual HRESULT GetDuration(int64_t* duration) = 0;
};

class BasicAudio : public virtual Unknown {
public:
    // Hundredths of a decibel: 0 full, -10000 silent. E_NOTIMPL without sound.
    virtual HRESULT put_Volume(long volume) = 0;
    virtual HRESULT get_Volume(long* volume) = 0;
    // -10000 (left only) to 10000 (right only), in hundredths of a decibel of attenuation.
    virtual HRESULT put_Balance(long balance) = 0;
    virtual HRESULT get_Balance(long* balance) = 0;
};

class BasicVideo : public virtual Unknown {
public:
    virtual HRESULT GetVideoSize(long* width, long* height) = 0;
};

class VideoRenderer;

// What shows the video: the preview's frame widget implements it. The graph calls these on the
// user-interface thread.
class VideoSurface {
public:
    virtual ~VideoSurface() = default;
    // nullptr detaches. The surface creates and frees the renderer's GPU side with its own
    // context current; the renderer outlives no detach.
    virtual void AttachVideo(VideoRenderer* renderer) = 0;
    virtual void ShowVideo(bool visible) = 0;
    virtual void PlaceVideo(const QRect& rect) = 0;
    virtual void RaiseVideo() = 0;
};

// The graph's side of drawing: called by a VideoSurface on the user-interface thread with the
// surface's OpenGL context current.
class VideoRenderer {
public:
    using GetProcAddress = void* (*)(void* context, const char* name);
    virtual ~VideoRenderer() = default;
    // frameReady is called on the user-interface thread when a new frame can be drawn.
    virtual bool CreateRenderer(GetProcAddress getProcAddress, void* context,
                                std::function<void()> frameReady) = 0;
    virtual void FreeRenderer() = 0;
    // Draws the current frame into the framebuffer object, flipped for a window.
    virtual void RenderFrame(int framebuffer, int width, int height) = 0;
};

class VideoWindow : public virtual Unknown {
public:
    virtual HRESULT put_AutoShow(bool autoShow) = 0;
    // Fails with E_NOINTERFACE when the graph has no video to show.
    virtual HRESULT put_MessageDrain(const void* drain) = 0;
    // The surface the video is drawn into; nullptr releases it.
    virtual HRESULT put_Owner(VideoSurface* owner) = 0;
    virtual HRESULT SetWindowPosition(long left, long top, long width, long height) = 0;
    virtual HRESULT put_Visible(bool visible) = 0;
    virtual HRESULT SetWindowForeground(bool focus) = 0;
};

class MediaEventEx : public virtual Unknown {
public:
    // Waits up to timeoutMs for playback to end; *code EC_COMPLETE or EC_ERRORABORT then, and
    // E_ABORT with *code untouched on time-out.
    virtual HRESULT WaitForCompletion(long timeoutMs, long* code) = 0;
    // notify is called on the user-interface thread after events arrive; empty stops it.
    virtual HRESULT SetNotifyWindow(std::function<void()> notify) = 0;
};

using ClassFactory = std::function<std::shared_ptr<Unknown>()>;

// Creates an object of the class; REGDB_E_CLASSNOTREG for an unknown class (or libmpv missing),
// E_NOINTERFACE when it lacks the interface.
HRESULT CreateInstance(const Clsid& clsid, std::shared_ptr<Unknown>* object);

template <typename Interface>
HRESULT CoCreateInstance(const Clsid& clsid, std::shared_ptr<Interface>* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    out->reset();
    std::shared_ptr<Unknown> object;
    if (const HRESULT result = CreateInstance(clsid, &object); Failed(result)) {
        return result;
    }
    return QueryInterface(object, out);
}

// Puts a class of one's own in place of a built-in one (or adds one) while it lives.
class ScopedClassRegistration {
public:
    ScopedClassRegistration(const Clsid& clsid, ClassFactory factory);
    ~ScopedClassRegistration();
    ScopedClassRegistration(const ScopedClassRegistration&) = delete;
    ScopedClassRegistration& operator=(const ScopedClassRegistration&) = delete;

private:
    Clsid clsid_;
};

}  // namespace clipwright
