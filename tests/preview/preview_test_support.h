// Clips made at test time and a preview dialog driven tick by tick, on libmpv without video or
// sound output.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/mpv_graph.h"
#include "preview/graph_building.h"
#include "preview/preview_dlg.h"

namespace clipwright::testing {

// clipgen OUT with the options; fails the test when it cannot.
inline std::string MakeClip(const std::string& out, const std::string& options) {
    const std::string command = std::string(CLIPGEN) + " '" + out + "' " + options;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return out;
}

inline void UseNullOutputs() {
    SetMediaOutputs({"null", "null"});
}

// Runs events, the dialog's 100 ms ticks among them, until the condition holds; false when it
// never does.
template <typename Condition>
bool TickUntil(Condition&& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline int64_t GraphSeconds(CPreviewDlg& dialog) {
    std::shared_ptr<MediaSeeking> seeking;
    int64_t position = -1;
    if (Succeeded(QueryInterface(dialog.Player().Graph(), &seeking))) {
        SeekGetCurrentPosition(seeking, &position);
    }
    return position < 0 ? -1 : position / kRefTimePerSecond;
}

// Play, Pause, Stop, Start, End, Full as "1" enabled and "0" disabled.
inline std::string ButtonStates(const CPreviewDlg& dialog) {
    std::string states;
    for (const int id : {1049, 1050, 1051, 1052, 1053, 1054}) {
        states += dialog.Form().Get<QPushButton>(id)->isEnabled() ? '1' : '0';
    }
    return states;
}

inline std::string BoxText(const CPreviewDlg& dialog, int id) {
    return dialog.Form().Get<QLineEdit>(id)->text().toStdString();
}

// Moves the position slider the way the user does (the dialog seeks).
inline void MoveSliderTo(CPreviewDlg& dialog, int seconds) {
    dialog.PositionSlider()->setSliderPosition(seconds);
}

}  // namespace clipwright::testing
