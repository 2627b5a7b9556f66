// Opening a web address in the desktop's default browser, started as that browser's desktop
// entry says (its Exec line), without a shell: the address always reaches the browser as one
// argument, exactly as given. User-interface thread only: it waits for xdg-mime (a few ms).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace clipwright {

// Results of OpenAddress: greater than 31 when the browser was started, otherwise one of these.
inline constexpr int kNoBrowser = 0;        // no default browser, or its entry is not found
inline constexpr int kProgramNotFound = 2;  // the Exec line names a program that is not there
inline constexpr int kAccessDenied = 5;     // the program exists but may not be run
inline constexpr int kOutOfMemory = 8;      // it could not be started for another reason
inline constexpr int kBadAssociation = 27;  // the entry has no usable Exec line
inline constexpr int kAddressOpened = 33;

// Starts the default browser (xdg-mime query default x-scheme-handler/https) on address.
int OpenAddress(const QString& address);

// The Exec line of the desktop entry with this file name (e.g. "firefox-esr.desktop"), found
// in $XDG_DATA_HOME/applications, then in each of $XDG_DATA_DIRS; nullopt when none has one.
std::optional<QString> DesktopEntryExec(const QString& entryName);

// The program and its arguments for an Exec line and an address: the line is cut at the first
// field code %u, %U, %f or %F (at its opening quote when it is quoted; appended after the whole
// line when there is none), split by the desktop entry quoting rules, and the address added as
// the last argument. Empty when the line names no program.
QStringList BrowserCommand(const QString& execLine, const QString& address);

// The text shown after "Can't open link:\n\n" for a result of OpenAddress.
QString LinkErrorText(int code);

}  // namespace clipwright
