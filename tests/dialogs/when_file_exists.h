// Runs an action on the user-interface thread once a file appears, such as the fake encoder's
// argument dump that says it has started. Checked every few milliseconds by a timer owned by
// owner; the action runs once.
#pragma once

#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

namespace clipwright::testing {

inline void WhenFileExists(QObject* owner, const std::string& file, std::function<void()> action) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, file, action = std::move(action)] {
        if (std::filesystem::exists(file)) {
            poll->stop();
            action();
        }
    });
    poll->start(5);
}

}  // namespace clipwright::testing
