// Local file names from file:// addresses, for the command line and for dropped files alike.
// Plain functions; callable from any thread.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

namespace clipwright {

// What a file:// address names.
struct FileUrlTarget {
    std::string path;    // local path bytes; empty when the address names no local file
    QString remoteHost;  // set when the address is a file of another computer
};

// No host and "localhost" are this computer. The path is decoded as bytes: a %-escape need not
// be UTF-8, and QUrl::toLocalFile would turn "file://localhost/x" into "//localhost/x".
FileUrlTarget FileUrlTargetOf(const QUrl& url);

}  // namespace clipwright
