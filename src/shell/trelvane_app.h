// Start-up of the application: names it, reads the media runtime's version and the settings,
// restores the language, and makes and shows the main window. User-interface thread only.
#pragma once

#include <memory>

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
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace clipwright
