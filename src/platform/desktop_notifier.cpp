#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace clipwright {
namespace {

class SessionNotificationBus : public NotificationBus {
public:
    bool Notify(const QString& summary, const QString& body) override {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return false;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
        // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (ms;
        // -1 lets the server choose).
        call << QStringLiteral("Clipwright") << 0U << QStringLiteral("com.trelvane.Clipwright")
             << summary << body
             << QStringList()
             // The desktop entry gives the notification our name and icon in the desktop's list.
             << QVariantMap{{QStringLiteral("desktop-entry"),
                             QStringLiteral("com.trelvane.Clipwright")}}
             << -1;
        return bus.send(call);
    }
};

std::unique_ptr<NotificationBus>& CurrentBus() {
    static std::unique_ptr<NotificationBus> bus;
    return bus;
}

}  // namespace

std::unique_ptr<NotificationBus> MakeSessionNotificationBus() {
    return std::make_unique<SessionNotificationBus>();
}

NotificationBus& TheNotificationBus() {
    std::unique_ptr<NotificationBus>& bus = CurrentBus();
    if (!bus) {
        bus = MakeSessionNotificationBus();
    }
    return *bus;
}

std::unique_ptr<NotificationBus> ReplaceNotificationBus(std::unique_ptr<NotificationBus> bus) {
    std::unique_ptr<NotificationBus> previous = std::move(CurrentBus());
    CurrentBus() = std::move(bus);
    return previous;
}

bool NotifyRunEnded(NotificationBus& bus, bool mainWindowActive, const QString& summary,
                    const QString& body) {
    if (mainWindowActive) {
        return false;
    }
    return bus.Notify(summary, body);
}

}  // namespace clipwright
