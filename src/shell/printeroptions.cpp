#include "shell/printeroptions.h"

#include "common/appstate.h"
#include "platform/printerqt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <pwd.h>
#include <unistd.h>

namespace shell {

namespace {
// The scheduler's configuration folder, where the system-wide options file lives.
QString serverRoot()
{
    const QString root = qEnvironmentVariable("CUPS_SERVERROOT");
    return root.isEmpty() ? QStringLiteral("/etc/cups") : root;
}
} // namespace

PrinterOptionsFile::PrinterOptionsFile(QString path) : m_path(std::move(path)) {}

QString PrinterOptionsFile::userFilePath()
{
    // The same choice as libcups, which reads and writes every user's own options, root's
    // too, in the home folder ($HOME, else the account's), and the system's file without one.
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
            home = QFile::decodeName(account->pw_dir);
    if (!home.isEmpty())
        return home + QStringLiteral("/.cups/lpoptions");
    return serverRoot() + QStringLiteral("/lpoptions");
}

PrinterOptionsFile::Line PrinterOptionsFile::parse(const QString& text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    const qsizetype keywordEnd = trimmed.indexOf(QLatin1Char(' '));
    const QString keyword = trimmed.left(keywordEnd < 0 ? trimmed.size() : keywordEnd);
    line.isDefault = keyword.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0;
    line.isDest =
        line.isDefault || keyword.compare(QLatin1String("Dest"), Qt::CaseInsensitive) == 0;
    if (!line.isDest || keywordEnd < 0) {
        Line plain;
        plain.text = text;
        return plain;
    }
    const QString rest = trimmed.mid(keywordEnd + 1).trimmed();
    const qsizetype nameEnd = rest.indexOf(QLatin1Char(' '));
    line.destination = rest.left(nameEnd < 0 ? rest.size() : nameEnd);
    line.options = nameEnd < 0 ? QString() : rest.mid(nameEnd + 1).trimmed();
    return line;
}

bool PrinterOptionsFile::read()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString content = QString::fromUtf8(file.readAll());
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break; // the end of the last line
        m_lines.append(parse(lines[i]));
    }
    return true;
}

bool PrinterOptionsFile::write() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QByteArray out;
    for (const Line& line : m_lines) {
        out += line.text.toUtf8();
        out += '\n';
    }
    return file.write(out) == out.size() && file.commit();
}

QString PrinterOptionsFile::defaultDestination() const
{
    for (const Line& line : m_lines)
        if (line.isDefault)
            return line.destination;
    return {};
}

// libcups matches destination names (and instances) without regard to case.
int PrinterOptionsFile::find(const QString& destination) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].isDest &&
            m_lines[i].destination.compare(destination, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::optional<QString> PrinterOptionsFile::options(const QString& destination) const
{
    const int i = find(destination);
    if (i < 0)
        return std::nullopt;
    return m_lines[i].options;
}

std::optional<QString> PrinterOptionsFile::line(const QString& destination) const
{
    const int i = find(destination);
    if (i < 0)
        return std::nullopt;
    return m_lines[i].text;
}

void PrinterOptionsFile::setLine(const QString& destination, const QString& text)
{
    const Line line = parse(text);
    if (const int i = find(destination); i >= 0)
        m_lines[i] = line;
    else
        m_lines.append(line);
}

QString defaultDestination(const PrinterOptionsFile& userFile)
{
    // The printer the program prints on when none is chosen, found as the printing system
    // finds it; the scheduler's own default (lpadmin -d) included.
    if (QString name = platform::defaultDestinationName(); !name.isEmpty())
        return name;
    // No scheduler answers, or the printer the user named is gone: the name the user's
    // settings give all the same, so that its options are kept.
    const QString lpdest = qEnvironmentVariable("LPDEST");
    if (!lpdest.isEmpty())
        return lpdest;
    const QString printer = qEnvironmentVariable("PRINTER");
    if (!printer.isEmpty() && printer != QLatin1String("lp"))
        return printer;
    if (const QString name = userFile.defaultDestination(); !name.isEmpty())
        return name;
    PrinterOptionsFile systemFile(serverRoot() + QStringLiteral("/lpoptions"));
    if (systemFile.path() != userFile.path() && systemFile.read())
        return systemFile.defaultDestination();
    return {};
}

namespace {
DevModeState& state()
{
    static DevModeState s;
    return s;
}
} // namespace

const DevModeState& devModeState()
{
    return state();
}

void DevModeSave()
{
    DevModeState& s = state();
    s = DevModeState{};
    PrinterOptionsFile file(PrinterOptionsFile::userFilePath());
    const bool readable = file.read();
    const QString name = defaultDestination(file);
    common::appState().PrinterKey = name;
    if (name.isEmpty() || !readable) {
        s.DevModeNone = true;
        return;
    }
    s.DevModeSaved = file.options(name).value_or(QString());
    if (!s.DevModeSaved.isEmpty())
        s.DevModeLine = file.line(name).value_or(QString());
}

bool DevModeRestore()
{
    const DevModeState& s = state();
    if (s.DevModeNone || s.DevModeSaved.isEmpty())
        return true;
    PrinterOptionsFile file(PrinterOptionsFile::userFilePath());
    if (!file.read())
        return true; // the file is gone: there is nothing of ours to put back
    // The line goes back as it was read, so that the file is as it was at start-up even
    // where another program wrote the line afresh ("Default" for "Dest", other spacing).
    const QString name = common::appState().PrinterKey;
    if (file.line(name) == s.DevModeLine)
        return true; // nothing changed: leave the file as it is
    file.setLine(name, s.DevModeLine);
    return file.write();
}

} // namespace shell
