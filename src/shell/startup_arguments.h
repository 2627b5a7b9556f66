// The command line of clipwright, read before any window or display exists so that --help and
// --version work without one. Plain function of its input; callable from any thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace clipwright {

struct StartupArguments {
    enum class Action { kRun, kHelp, kVersion, kError };
    Action action = Action::kRun;
    int exitCode = 0;  // what the program returns when action is not kRun (2 for errors)
    QString text;      // help or version (standard output), or the error (standard error)
    std::vector<std::string> files;  // kRun: absolute local paths (bytes), in the order given
};

// arguments[0] is the program name; rawArguments, when given, are the same as the process got
// them (file names are bytes and need not be UTF-8: those bytes are kept). Files are local paths
// or file:// URIs (no host, or "localhost"; another host is an error), made absolute as the
// kernel resolves them (a ".." after a symbolic link is not cleaned away as text). Qt's own
// window-system options (-platform NAME, -style NAME, ...) are accepted and left to QApplication.
StartupArguments ParseStartupArguments(const QStringList& arguments,
                                       const std::vector<QByteArray>& rawArguments = {});

// The arguments as the process received them, decoded from the locale's encoding.
QStringList ArgumentsOf(int argc, const char* const* argv);
// The same, as bytes.
std::vector<QByteArray> RawArgumentsOf(int argc, const char* const* argv);

}  // namespace clipwright
