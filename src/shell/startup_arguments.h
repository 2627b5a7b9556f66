// The command line of clipwright, read before any window or display exists so that --help and
// --version work without one. Plain function of its input; callable from any thread.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace clipwright {

struct StartupArguments {
    enum class Action { kRun, kHelp, kVersion, kError };
    Action action = Action::kRun;
    int exitCode = 0;  // what the program returns when action is not kRun (2 for errors)
    QString text;      // help or version (standard output), or the error (standard error)
    std::vector<std::string> files;  // kRun: absolute local paths, in the order given
};

// arguments[0] is the program name. Files are local paths (made absolute against the current
// folder) or file:// URIs; Qt's own window-system options (-platform NAME, -style NAME, ...)
// are accepted and left to QApplication.
StartupArguments ParseStartupArguments(const QStringList& arguments);

// The arguments as the process received them, decoded from the locale's encoding.
QStringList ArgumentsOf(int argc, const char* const* argv);

}  // namespace clipwright
