// Starting outside programs without waiting for them (the file manager, the browser), with a
// seam for tests: a handler set with SetLaunchHandler is called instead of starting anything.
// User-interface thread only.
#pragma once

#include <QStringList>
#include <functional>
#include <utility>

namespace clipwright {

using LaunchHandler = std::function<bool(const QString& program, const QStringList& arguments)>;

// Each argument reaches the program as it is; no shell is involved.
bool LaunchDetached(const QString& program, const QStringList& arguments);
// Opens a folder or address with the desktop's default application (xdg-open).
bool OpenWithDesktop(const QString& folderOrAddress);

void SetLaunchHandler(LaunchHandler handler);
// The handler set now; empty when programs are really started.
const LaunchHandler& CurrentLaunchHandler();

// Sets handler for its lifetime, then puts back the one before.
class ScopedLaunchHandler {
public:
    explicit ScopedLaunchHandler(LaunchHandler handler) : previous_(CurrentLaunchHandler()) {
        SetLaunchHandler(std::move(handler));
    }
    ~ScopedLaunchHandler() { SetLaunchHandler(std::move(previous_)); }
    ScopedLaunchHandler(const ScopedLaunchHandler&) = delete;
    ScopedLaunchHandler& operator=(const ScopedLaunchHandler&) = delete;

private:
    LaunchHandler previous_;
};

}  // namespace clipwright
