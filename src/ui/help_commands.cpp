#include "ui/help_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "platform/address_opener.h"
#include "platform/launcher.h"
#include "ui/message_box.h"

namespace clipwright {

namespace {

constexpr int kFirstDownloadCommand = 32771;
constexpr int kLastDownloadCommand = 32780;

const char* DownloadSection(int commandId) {
    switch (commandId) {
        case 32771:
            return "audio-converter";
        case 32772:
            return "dvd-creator";
        case 32773:
            return "video-joiner";
        case 32774:
            return "video-splitter";
        case 32775:
            return "screen-recorder";
        case 32776:
            return "playback";
        case 32777:
            return "realmedia";
        case 32778:
            return "windows-media";
        case 32779:
            return "quicktime";
        default:
            return "ogg";
    }
}

}  // namespace

QString DocsFolder() {
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) {
        folder = QStringLiteral(".");
    }
    // Installed: <datadir>/clipwright/help, relative to the executable so a moved prefix works.
    const QString installed =
        QDir::cleanPath(folder + QStringLiteral("/" CLIPWRIGHT_BIN_TO_HELPDIR));
    if (QFileInfo(installed).isDir()) {
        return installed + QLatin1Char('/');
    }
    return folder + QStringLiteral("/docs/");
}

void OpenHelpContents(QWidget* parent) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        ShowMessageBox(parent, "Can't find xdg-open. It's included in the xdg-utils package.",
                       MessageButtons::kOk, MessageIcon::kExclamation);
        return;
    }
    OpenWithDesktop(DocsFolder() + QLatin1String(kApplicationName) + QStringLiteral(".html"));
}

bool IsDownloadCommand(int commandId) {
    return commandId >= kFirstDownloadCommand && commandId <= kLastDownloadCommand;
}

void OpenDownloadPage(int commandId) {
    QUrl page = QUrl::fromLocalFile(DocsFolder() + QStringLiteral("download.html"));
    page.setFragment(QLatin1String(DownloadSection(commandId)));
    OpenAddress(page.toString(QUrl::FullyEncoded));
}

}  // namespace clipwright
