#include "platform/settings.h"

#include "platform/variant.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <charconv>
#include <cmath>

namespace platform {

namespace {

// The stored spelling of `name` among `names`, or `name` itself when none matches.
QString storedSpelling(const QStringList& names, const QString& name)
{
    for (const QString& n : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    }
    return name;
}

// Opens the group of `section` in its stored spelling.
void enterSection(QSettings& settings, const QString& section)
{
    settings.beginGroup(storedSpelling(settings.childGroups(), section));
}

// The shortest text that reads back as `value`, without an exponent for ordinary magnitudes
// (100000, not 1e+05).
template <typename T> QString shortestText(T value)
{
    char buffer[64];
    const T magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= T(1e-6) && magnitude < T(1e16));
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      plain ? std::chars_format::fixed : std::chars_format::general);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

QString SettingsFilePath(const QString& app)
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QLatin1Char('/') + app + QLatin1Char('/') + app + QStringLiteral(".ini");
}

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def)
{
    QSettings settings(SettingsFilePath(app), QSettings::IniFormat);
    enterSection(settings, section);
    const QString stored = storedSpelling(settings.childKeys(), key);
    if (!settings.contains(stored))
        return def;
    const QVariant value = settings.value(stored);
    // A hand-edited value with an unquoted comma reads back as a list: give its text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value)
{
    const QString path = SettingsFilePath(app);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings settings(path, QSettings::IniFormat);
    enterSection(settings, section);
    settings.setValue(storedSpelling(settings.childKeys(), key), value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// The typed readers convert as the letter data does (db::Variant): blanks around a number
// allowed, fractions rounded half to even, "True"/"False" in any case.
int GetSettingInt(const QString& app, const QString& section, const QString& key, int def)
{
    return db::Variant::fromString(GetSetting(app, section, key)).toLong().value_or(def);
}

double GetSettingDouble(const QString& app, const QString& section, const QString& key, double def)
{
    return db::Variant::fromString(GetSetting(app, section, key)).toDouble().value_or(def);
}

bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool def)
{
    return db::Variant::fromString(GetSetting(app, section, key)).toBool().value_or(def);
}

QString SettingText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString SettingText(int value)
{
    return QString::number(value);
}

QString SettingText(float value)
{
    return shortestText(value);
}

QString SettingText(double value)
{
    return shortestText(value);
}

} // namespace platform
