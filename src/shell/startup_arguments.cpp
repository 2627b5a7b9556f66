#include "shell/startup_arguments.h"

#include <unistd.h>

#include <QCommandLineParser>
#include <QFile>
#include <QUrl>
#include <climits>
#include <cstdlib>

#include "support/file_url.h"

#ifndef CLIPWRIGHT_VERSION
#define CLIPWRIGHT_VERSION "unknown"
#endif

namespace clipwright {
namespace {

constexpr const char* kHelp =
    "Usage: clipwright [OPTION...] [FILE...]\n"
    "Converts video and audio files in batches.\n"
    "\n"
    "Files are local paths or file:// URIs; they are added to the list after the main window\n"
    "opens, as the Add command adds them.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when start-up fails, 2 for a wrong command line.\n";

// Qt's window-system options that take a value; QApplication reads them itself later.
constexpr const char* kQtValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "style",
    "stylesheet",
    "display",
    "geometry",
    "session",
    "name",
    "title",
};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

StartupArguments Finished(StartupArguments::Action action, int exitCode, QString text) {
    StartupArguments result;
    result.action = action;
    result.exitCode = exitCode;
    result.text = std::move(text);
    return result;
}

StartupArguments Error(const QString& message) {
    return Finished(
        StartupArguments::Action::kError, 2,
        QStringLiteral("clipwright: %1\nTry 'clipwright --help' for more information.\n")
            .arg(message));
}

void AddQtOptions(QCommandLineParser& parser) {
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// What a file argument names.
using FileArgument = FileUrlTarget;

// raw: the argument's bytes as the process got them (names are bytes here, and may not be
// UTF-8); text: the same decoded.
FileArgument FileOf(const QString& text, const QByteArray& raw) {
    FileArgument file;
    if (text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return FileUrlTargetOf(QUrl(text, QUrl::TolerantMode));
    }
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (colon > 0 && text.mid(colon, 3) == QLatin1String("://") && (slash < 0 || slash > colon)) {
        return file;
    }
    file.path = raw.toStdString();
    return file;
}

// path made absolute as the kernel would open it: the folder part resolved by realpath, so a
// ".." after a symbolic link goes where the kernel goes, not where the text seems to point; the
// last name kept as given, so a link to a file keeps its own name. A folder that cannot be
// resolved leaves the text as it is (absolute), for the probe to say what is wrong.
std::string KernelPath(std::string path) {
    if (!path.starts_with('/')) {
        // The folder's own bytes: QDir::currentPath would not give back a name that is not UTF-8.
        char* cwd = ::getcwd(nullptr, 0);
        if (cwd == nullptr) {
            return path;
        }
        const std::string folder(cwd);
        std::free(cwd);
        path = folder + (folder.ends_with('/') ? "" : "/") + path;
    }
    const size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash + 1);
    const bool nameIsFolder = name.empty() || name == "." || name == "..";
    const std::string folder = nameIsFolder ? path : path.substr(0, slash == 0 ? 1 : slash);
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) == nullptr) {
        return path;
    }
    const std::string base(resolved);
    if (nameIsFolder) {
        return base;
    }
    return base + (base.ends_with('/') ? "" : "/") + name;
}

// The raw bytes of the next argument from position on that decodes to text; text's own
// encoding when none does.
QByteArray RawOf(const QString& text, const std::vector<QByteArray>& raw, size_t& position) {
    for (size_t i = position; i < raw.size(); ++i) {
        if (QString::fromLocal8Bit(raw[i]) == text) {
            position = i + 1;
            return raw[i];
        }
    }
    return QFile::encodeName(text);
}

}  // namespace

StartupArguments ParseStartupArguments(const QStringList& arguments,
                                       const std::vector<QByteArray>& rawArguments) {
    QCommandLineParser parser;
    // "-platform offscreen" is one option as Qt spells it, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    AddQtOptions(parser);
    if (!parser.parse(arguments)) {
        return Error(parser.errorText());
    }
    if (parser.isSet(help)) {
        return Finished(StartupArguments::Action::kHelp, 0, QString::fromLatin1(kHelp));
    }
    if (parser.isSet(version)) {
        return Finished(StartupArguments::Action::kVersion, 0,
                        QStringLiteral("clipwright " CLIPWRIGHT_VERSION "\n"));
    }
    StartupArguments result;
    size_t rawPosition = 1;  // past the program name
    for (const QString& argument : parser.positionalArguments()) {
        const FileArgument file = FileOf(argument, RawOf(argument, rawArguments, rawPosition));
        if (!file.remoteHost.isEmpty()) {
            return Error(QStringLiteral("'%1' is a file on another computer (%2); only local "
                                        "files can be added")
                             .arg(argument, file.remoteHost));
        }
        if (file.path.empty()) {
            return Error(QStringLiteral("'%1' is not a local file").arg(argument));
        }
        result.files.push_back(KernelPath(file.path));
    }
    return result;
}

QStringList ArgumentsOf(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

std::vector<QByteArray> RawArgumentsOf(int argc, const char* const* argv) {
    std::vector<QByteArray> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

}  // namespace clipwright
