// Start-up of the application: names it, reads the settings, restores the language, makes and
// shows the main window, then reads the media runtime's version on a thread of its own (the tip
// follows). User-interface thread only.
#pragma once

#include <memory>
#include <thread>

namespace clipwright {

class CMainFrame;

class CTrelvaneApp {
public:
    CTrelvaneApp();
    ~CTrelvaneApp();
    CTrelvaneApp(const CTrelvaneApp&) = delete;
    CTrelvaneApp& operator=(const CTrelvaneApp&) = delete;

    // False when start-up failed and the program should end.
    bool InitInstance();
    CMainFrame* Frame() const { return frame_.get(); }

private:
    void ReadRuntimeVersionLater();

    std::unique_ptr<CMainFrame> frame_;
    std::jthread versionReader_;  // joined before the frame goes
};

}  // namespace clipwright
