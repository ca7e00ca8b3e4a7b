#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <optional>

namespace platform {

namespace {

// The longest value that fits the 1024-byte buffer the program reads into, with its NUL.
constexpr int MaxValueLength = 1023;

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Undoes the escapes of a quoted registry string or key name; `text` starts after the
// opening quote (or bracket). Sets `end` to the index after the closing one (`close`), or -1
// when there is none.
QString unescape(const QString& text, qsizetype& end, QChar close = QLatin1Char('"'))
{
    QString out;
    end = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == close) {
            end = i + 1;
            return out;
        }
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar e = text.at(++i);
        switch (e.unicode()) {
        case 'a':
            out += QChar(7);
            break;
        case 'b':
            out += QChar(8);
            break;
        case 'e':
            out += QChar(27);
            break;
        case 'f':
            out += QChar(12);
            break;
        case 'n':
            out += QChar(10);
            break;
        case 'r':
            out += QChar(13);
            break;
        case 't':
            out += QChar(9);
            break;
        case 'v':
            out += QChar(11);
            break;
        case 'x': { // up to four hexadecimal digits
            int digits = 0;
            char16_t code = 0;
            while (digits < 4 && i + 1 < text.size() && hexValue(text.at(i + 1)) >= 0) {
                code = char16_t(code * 16 + hexValue(text.at(++i)));
                ++digits;
            }
            out += digits ? QChar(code) : e;
            break;
        }
        default:
            if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) { // up to three octal digits
                char16_t code = char16_t(e.unicode() - '0');
                for (int n = 1;
                     n < 3 && i + 1 < text.size() && text.at(i + 1) >= QLatin1Char('0') &&
                     text.at(i + 1) <= QLatin1Char('7');
                     ++n)
                    code = char16_t(code * 8 + (text.at(++i).unicode() - '0'));
                out += QChar(code);
            } else {
                out += e; // \\ and \" and anything else stand for themselves
            }
        }
    }
    return out;
}

// The key of a section line "[Software\\Maker] 1234567890", unescaped (a name may hold
// "\x30e1" escapes); nullopt for other lines.
std::optional<QString> sectionKey(const QString& line)
{
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype end = -1;
    QString key = unescape(line.mid(1), end, QLatin1Char(']'));
    if (end < 0)
        return std::nullopt;
    return key;
}

// The string value of `valueName` in the key `subKey` of the file; nullopt when absent or
// not a string.
std::optional<QString> readValue(const QString& file, const QString& subKey,
                                 const QString& valueName)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    const QString wantedName = valueName.isEmpty() ? QStringLiteral("@") : valueName;
    bool inKey = false;
    QString line;
    while (in.readLineInto(&line)) {
        if (const auto key = sectionKey(line)) {
            if (inKey)
                return std::nullopt; // a key appears once
            inKey = key->compare(subKey, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey || line.isEmpty())
            continue;
        // The value's name: @ or a quoted string.
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            name = QStringLiteral("@");
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            qsizetype end = -1;
            name = unescape(line.mid(1), end);
            if (end < 0)
                continue;
            pos = 1 + end;
        } else {
            continue;
        }
        if (name.compare(wantedName, Qt::CaseInsensitive) != 0)
            continue;
        if (pos >= line.size() || line.at(pos) != QLatin1Char('='))
            continue;
        QString data = line.mid(pos + 1);
        // "name"="text" or an expandable string "name"=str(2):"text".
        static const QRegularExpression typedString(QStringLiteral("^str\\(\\d+\\):"));
        data.remove(typedString);
        if (!data.startsWith(QLatin1Char('"')))
            return std::nullopt; // not a string value
        qsizetype end = -1;
        const QString value = unescape(data.mid(1), end);
        if (end < 0)
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

// "C:\Program Files\x" → "<prefix>/drive_c/Program Files/x"; other texts stay as they are.
QString localPath(const QString& value)
{
    static const QRegularExpression drivePath(QStringLiteral("^([A-Za-z]):\\\\"));
    const auto match = drivePath.match(value);
    if (!match.hasMatch())
        return value;
    const QString drive = match.captured(1).toLower();
    const QString prefix = WinePrefix();
    QString root = prefix + QStringLiteral("/drive_") + drive;
    const QString device = prefix + QStringLiteral("/dosdevices/") + drive + QLatin1Char(':');
    if (drive != QLatin1String("c") || !QFileInfo::exists(root)) {
        if (QFileInfo(device).exists())
            root = QFileInfo(device).canonicalFilePath();
    }
    QString rest = value.mid(3);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return root + QLatin1Char('/') + rest;
}

} // namespace

QString WinePrefix()
{
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    while (prefix.size() > 1 && prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    return prefix;
}

QString RegGetString(RegistryRoot root, const QString& subKey, const QString& valueName)
{
    const QString file =
        WinePrefix() + (root == RegistryRoot::LocalMachine ? QStringLiteral("/system.reg")
                                                           : QStringLiteral("/user.reg"));
    QString key = subKey;
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    std::optional<QString> value;
    // A 32-bit program's machine-wide keys live under Wow6432Node in a 64-bit prefix.
    static const QString software = QStringLiteral("Software\\");
    if (root == RegistryRoot::LocalMachine && key.startsWith(software, Qt::CaseInsensitive))
        value = readValue(file, software + QStringLiteral("Wow6432Node\\") + key.mid(9), valueName);
    if (!value)
        value = readValue(file, key, valueName);
    if (!value)
        return QString();
    if (value->size() > MaxValueLength)
        return QString();
    return localPath(value->section(QChar(0), 0, 0)); // the text up to the first NUL
}

} // namespace platform
