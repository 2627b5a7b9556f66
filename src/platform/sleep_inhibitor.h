// Keeping the computer from suspending while a conversion or a disc is being made. The desktop
// portal's org.freedesktop.portal.Inhibit (session bus; GNOME, KDE and sandboxes honour it) is
// asked first, logind's org.freedesktop.login1.Manager.Inhibit (system bus, a "sleep" block
// held by a descriptor) when the portal is not there. The buses sit behind an interface so
// tests can stand a fake in their place. User-interface thread only.
#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace clipwright {

class InhibitBus {
public:
    virtual ~InhibitBus() = default;
    // The portal's request object for an inhibition of suspending, held until PortalRelease;
    // nullopt when the portal cannot be asked or refuses.
    virtual std::optional<QString> PortalInhibit(const QString& reason) = 0;
    virtual void PortalRelease(const QString& request) = 0;
    // A descriptor holding logind's sleep block, owned by the caller (closing it releases the
    // block); nullopt when logind cannot be asked or refuses.
    virtual std::optional<int> LogindInhibit(const QString& reason) = 0;
};

// The real buses over QtDBus; each call waits at most a second and a half.
std::unique_ptr<InhibitBus> MakeSystemInhibitBus();

// The bus inhibitions go to: the real ones unless a test put another in their place.
InhibitBus& TheInhibitBus();
// Puts bus in place of the current one (null: the real buses again); returns the previous.
std::unique_ptr<InhibitBus> ReplaceInhibitBus(std::unique_ptr<InhibitBus> bus);

// Holds an inhibition of suspending for its lifetime, through the portal or else logind; holds
// nothing (and the work goes on) when neither answers. Not copyable.
class SleepInhibitor {
public:
    explicit SleepInhibitor(const QString& reason, InhibitBus& bus = TheInhibitBus());
    ~SleepInhibitor();
    SleepInhibitor(const SleepInhibitor&) = delete;
    SleepInhibitor& operator=(const SleepInhibitor&) = delete;

    bool Held() const { return portalRequest_.has_value() || logindFd_ >= 0; }

private:
    InhibitBus& bus_;
    std::optional<QString> portalRequest_;
    int logindFd_ = -1;
};

}  // namespace clipwright
