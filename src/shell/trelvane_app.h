// Start-up of the application: names it, reads the settings, restores the language, makes and
// shows the main window with the built-in icon; once the window has been first exposed and
// painted, takes the icon theme's icon when there is one and reads the media runtime's version
// on a thread of its own (the tip follows). It owns the start-up values, which the frame and
// the views it makes read. User-interface thread only.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/startup_values.h"

namespace clipwright {

class CMainFrame;
class FirstExposeWatcher;

class CTrelvaneApp {
public:
    CTrelvaneApp();
    ~CTrelvaneApp();
    CTrelvaneApp(const CTrelvaneApp&) = delete;
    CTrelvaneApp& operator=(const CTrelvaneApp&) = delete;

    // False when start-up failed and the program should end.
    bool InitInstance();
    // Queues the files of the command line to be added as the Add command adds them (detecting
    // dialog, failure summary), once the event loop runs with the main window shown.
    void OpenFilesWhenShown(std::vector<std::string> paths);
    CMainFrame* Frame() const { return frame_.get(); }
    StartupValues& Values() { return values_; }
    const StartupValues& Values() const { return values_; }
    // Whether the media runtime's version read has been started (it waits for the first expose).
    bool RuntimeVersionReadStarted() const { return versionReader_.joinable(); }

private:
    static void UseFullIcon();
    void ReadRuntimeVersionLater();

    StartupValues values_;  // outlives the frame, which keeps a reference
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<FirstExposeWatcher> firstExpose_;
    std::jthread versionReader_;  // joined before the frame goes
};

}  // namespace clipwright
