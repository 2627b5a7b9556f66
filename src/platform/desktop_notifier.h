// Desktop notifications (org.freedesktop.Notifications on the session bus) for the end of a
// conversion run the user is not watching. The bus sits behind an interface so tests can stand
// a fake in its place. User-interface thread only.
#pragma once

#include <QString>
#include <memory>

namespace clipwright {

class NotificationBus {
public:
    virtual ~NotificationBus() = default;
    // Asks the desktop to show one notification; never waits for an answer. False when there
    // is no session bus to send it on.
    virtual bool Notify(const QString& summary, const QString& body) = 0;
};

// The real session bus over QtDBus.
std::unique_ptr<NotificationBus> MakeSessionNotificationBus();

// The bus notifications go to: the session bus unless a test put another in its place.
NotificationBus& TheNotificationBus();
// Puts bus in place of the current one (null: the session bus again); returns the previous.
std::unique_ptr<NotificationBus> ReplaceNotificationBus(std::unique_ptr<NotificationBus> bus);

// Sends the notification of a finished run unless the main window is active (the user sees the
// closing message then). True when one was sent.
bool NotifyRunEnded(NotificationBus& bus, bool mainWindowActive, const QString& summary,
                    const QString& body);

}  // namespace clipwright
