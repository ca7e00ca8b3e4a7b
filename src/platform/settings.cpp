#include "platform/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

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

std::optional<double> toNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
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

int GetSettingInt(const QString& app, const QString& section, const QString& key, int def)
{
    const auto v = toNumber(GetSetting(app, section, key));
    if (!v)
        return def;
    const double rounded = std::nearbyint(*v); // the default rounding mode: half to even
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return def;
    return static_cast<int>(rounded);
}

double GetSettingDouble(const QString& app, const QString& section, const QString& key, double def)
{
    return toNumber(GetSetting(app, section, key)).value_or(def);
}

bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool def)
{
    const QString text = GetSetting(app, section, key).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto v = toNumber(text);
    return v ? *v != 0 : def;
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
