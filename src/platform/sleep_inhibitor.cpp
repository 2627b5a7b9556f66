#include "platform/sleep_inhibitor.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QVariantMap>

#include "base/text_log.h"

namespace clipwright {
namespace {

// A bus that does not answer within this is taken as absent: the run must not wait on it.
constexpr int kCallTimeoutMs = 1500;
// The portal's flag for suspending (1 logout, 2 user switch, 4 suspend, 8 idle).
constexpr uint kInhibitSuspend = 4;

class SystemInhibitBus : public InhibitBus {
public:
    std::optional<QString> PortalInhibit(const QString& reason) override {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return std::nullopt;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"),
            QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        // window (none), flags, options
        call << QString() << kInhibitSuspend << QVariantMap{{QStringLiteral("reason"), reason}};
        const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            LogMessage("The desktop portal does not inhibit suspending: %s",
                       reply.errorMessage().toUtf8().constData());
            return std::nullopt;
        }
        return qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    }

    void PortalRelease(const QString& request) override {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return;
        }
        bus.send(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), request,
            QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close")));
    }

    std::optional<int> LogindInhibit(const QString& reason) override {
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected()) {
            return std::nullopt;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        // what, who, why, mode
        call << QStringLiteral("sleep") << QStringLiteral("Clipwright") << reason
             << QStringLiteral("block");
        const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            LogMessage("logind does not inhibit sleep: %s",
                       reply.errorMessage().toUtf8().constData());
            return std::nullopt;
        }
        const auto descriptor =
            qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
        // The reply's descriptor closes with the message; the block is held by a copy of ours.
        const int fd =
            descriptor.isValid() ? ::fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
        if (fd < 0) {
            return std::nullopt;
        }
        return fd;
    }
};

std::unique_ptr<InhibitBus>& CurrentBus() {
    static std::unique_ptr<InhibitBus> bus;
    return bus;
}

}  // namespace

std::unique_ptr<InhibitBus> MakeSystemInhibitBus() {
    return std::make_unique<SystemInhibitBus>();
}

InhibitBus& TheInhibitBus() {
    std::unique_ptr<InhibitBus>& bus = CurrentBus();
    if (!bus) {
        bus = MakeSystemInhibitBus();
    }
    return *bus;
}

std::unique_ptr<InhibitBus> ReplaceInhibitBus(std::unique_ptr<InhibitBus> bus) {
    std::unique_ptr<InhibitBus> previous = std::move(CurrentBus());
    CurrentBus() = std::move(bus);
    return previous;
}

SleepInhibitor::SleepInhibitor(const QString& reason, InhibitBus& bus) : bus_(bus) {
    portalRequest_ = bus_.PortalInhibit(reason);
    if (portalRequest_) {
        return;
    }
    logindFd_ = bus_.LogindInhibit(reason).value_or(-1);
    if (logindFd_ < 0) {
        LogMessage("Nothing keeps the computer from suspending during this run.");
    }
}

SleepInhibitor::~SleepInhibitor() {
    if (portalRequest_) {
        bus_.PortalRelease(*portalRequest_);
    }
    if (logindFd_ >= 0) {
        ::close(logindFd_);
    }
}

}  // namespace clipwright
