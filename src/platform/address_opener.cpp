#include "platform/address_opener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <array>

#include "platform/launcher.h"

namespace clipwright {

namespace {

constexpr int kQueryTimeoutMs = 5000;
constexpr std::array<const char*, 4> kFieldCodes = {"%u", "%U", "%f", "%F"};

QString DefaultBrowserEntry() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/https")});
    if (!query.waitForStarted(kQueryTimeoutMs) || !query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished(kQueryTimeoutMs);
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        return {};
    }
    const QString name = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    // Only a plain entry file name: never a path that would lead out of the applications folders.
    if (name.contains(QLatin1Char('/')) || !name.endsWith(QStringLiteral(".desktop"))) {
        return {};
    }
    return name;
}

QStringList DataFolders() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) {
        home = QDir::homePath() + QStringLiteral("/.local/share");
    }
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    QStringList folders{home};
    folders += dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return folders;
}

// The value's general escapes (\s, \n, \t, \r, \\); others are kept for the Exec rules.
QString UnescapeValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == QLatin1Char('s')) {
            out += QLatin1Char(' ');
        } else if (next == QLatin1Char('n')) {
            out += QLatin1Char('\n');
        } else if (next == QLatin1Char('t')) {
            out += QLatin1Char('\t');
        } else if (next == QLatin1Char('r')) {
            out += QLatin1Char('\r');
        } else if (next == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
        } else {
            out += QLatin1Char('\\');
            out += next;
        }
    }
    return out;
}

std::optional<QString> ExecOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return std::nullopt;
    }
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (inMainGroup && line.startsWith(QStringLiteral("Exec"))) {
            const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
            if (key == QStringLiteral("Exec")) {
                return UnescapeValue(line.section(QLatin1Char('='), 1).trimmed());
            }
        }
    }
    return std::nullopt;
}

// Where the line stops being used: before the first field code of kFieldCodes.
qsizetype CutPosition(const QString& line) {
    for (const char* code : kFieldCodes) {
        const QString quoted = QLatin1Char('"') + QLatin1String(code) + QLatin1Char('"');
        if (const qsizetype at = line.indexOf(quoted); at >= 0) {
            return at;
        }
    }
    for (const char* code : kFieldCodes) {
        if (const qsizetype at = line.indexOf(QLatin1String(code)); at >= 0) {
            return at;
        }
    }
    return line.size();
}

// Splits by the Exec quoting rules: blanks separate, double quotes group, and inside quotes a
// backslash takes the next character as it is. "%%" is a percent sign; other field codes go.
QStringList SplitExec(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < line.size()) {
            word += line[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord) {
                words << word;
            }
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('%') && i + 1 < line.size()) {
            if (line[++i] == QLatin1Char('%')) {
                word += QLatin1Char('%');
                inWord = true;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}

int LaunchResult(const QStringList& command) {
    const QString& program = command.front();
    const QString found = program.contains(QLatin1Char('/'))
                              ? (QFileInfo(program).isFile() ? program : QString())
                              : QStandardPaths::findExecutable(program);
    if (found.isEmpty()) {
        return kProgramNotFound;
    }
    if (!QFileInfo(found).isExecutable()) {
        return kAccessDenied;
    }
    return LaunchDetached(found, command.mid(1)) ? kAddressOpened : kOutOfMemory;
}

}  // namespace

std::optional<QString> DesktopEntryExec(const QString& entryName) {
    for (const QString& folder : DataFolders()) {
        const QString path = folder + QStringLiteral("/applications/") + entryName;
        if (std::optional<QString> exec = ExecOfFile(path)) {
            return exec;
        }
    }
    return std::nullopt;
}

QStringList BrowserCommand(const QString& execLine, const QString& address) {
    QStringList command = SplitExec(execLine.left(CutPosition(execLine)));
    if (command.isEmpty()) {
        return {};
    }
    command << address;
    return command;
}

int OpenAddress(const QString& address) {
    const QString entry = DefaultBrowserEntry();
    if (entry.isEmpty()) {
        return kNoBrowser;
    }
    const std::optional<QString> exec = DesktopEntryExec(entry);
    if (!exec) {
        return kNoBrowser;
    }
    const QStringList command = BrowserCommand(*exec, address);
    if (command.isEmpty()) {
        return kBadAssociation;
    }
    return LaunchResult(command);
}

QString LinkErrorText(int code) {
    switch (code) {
        case 0:
            return QStringLiteral("The operating system is out\nof memory or resources.");
        case 2:
            return QStringLiteral("The specified file was not found.");
        case 3:
            return QStringLiteral("The specified path was not found.");
        case 5:
            return QStringLiteral("The operating system denied\naccess to the specified file.");
        case 8:
            return QStringLiteral("There was not enough memory to complete the operation.");
        case 11:
            return QStringLiteral(
                "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        case 26:
            return QStringLiteral("A sharing violation occurred. ");
        case 27:
            return QStringLiteral("The filename association is\nincomplete or invalid.");
        case 28:
            return QStringLiteral(
                "The DDE transaction could not\nbe completed because the request timed out.");
        case 29:
            return QStringLiteral("The DDE transaction failed.");
        case 30:
            return QStringLiteral(
                "The DDE transaction could not\nbe completed because other DDE "
                "transactions\nwere being processed.");
        case 31:
            return QStringLiteral(
                "There is no application associated\nwith the given filename "
                "extension.");
        case 32:
            return QStringLiteral("The specified dynamic-link library was not found.");
        default:
            return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    }
}

}  // namespace clipwright
