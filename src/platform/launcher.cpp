#include "platform/launcher.h"

#include <QProcess>

namespace clipwright {

namespace {
LaunchHandler& Handler() {
    static LaunchHandler handler;
    return handler;
}
}  // namespace

bool LaunchDetached(const QString& program, const QStringList& arguments) {
    if (Handler()) {
        return Handler()(program, arguments);
    }
    return QProcess::startDetached(program, arguments);
}

bool OpenWithDesktop(const QString& folderOrAddress) {
    return LaunchDetached(QStringLiteral("xdg-open"), {folderOrAddress});
}

const LaunchHandler& CurrentLaunchHandler() {
    return Handler();
}

void SetLaunchHandler(LaunchHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace clipwright
