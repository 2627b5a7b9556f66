// Help > Contents and the Download menu: the user manual and the download page, installed in
// <datadir>/clipwright/help (in the build tree: the folder "docs" beside the executable).
// User-interface thread only.
#pragma once

#include <QString>

class QWidget;

namespace clipwright {

// The folder of the manual and the download page, ending in "/": the installed one, found
// relative to the executable's folder, when it exists; else "docs" beside the executable.
QString DocsFolder();
// Opens the manual with xdg-open; says so when xdg-open is missing.
void OpenHelpContents(QWidget* parent);
// True for the Download menu's commands (32771 to 32780).
bool IsDownloadCommand(int commandId);
// Opens the download page at the command's section; failures are not shown, as before.
void OpenDownloadPage(int commandId);

}  // namespace clipwright
