#include "shell/startup_arguments.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

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

// Empty when the argument names no local file (another URL scheme).
QString LocalPath(const QString& argument) {
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument, QUrl::TolerantMode);
        return url.isValid() && url.isLocalFile() ? url.toLocalFile() : QString();
    }
    const qsizetype colon = argument.indexOf(QLatin1Char(':'));
    const qsizetype slash = argument.indexOf(QLatin1Char('/'));
    if (colon > 0 && argument.mid(colon, 3) == QLatin1String("://") &&
        (slash < 0 || slash > colon)) {
        return {};
    }
    return argument;
}

}  // namespace

StartupArguments ParseStartupArguments(const QStringList& arguments) {
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
    for (const QString& argument : parser.positionalArguments()) {
        const QString path = LocalPath(argument);
        if (path.isEmpty()) {
            return Error(QStringLiteral("'%1' is not a local file").arg(argument));
        }
        result.files.push_back(QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toStdString());
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

}  // namespace clipwright
