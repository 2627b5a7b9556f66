// The source filters of the media graph on libmpv and their pins: a filter opens a file in its own
// session (with a forced demuxer, or libmpv's choice), each pin is one of the file's streams.
// User-interface thread only.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/media_graph.h"
#include "platform/mpv_library.h"
#include "platform/mpv_session.h"

namespace clipwright {

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

}  // namespace clipwright
