#include "shell/startupsettings.h"

#include "platform/settings.h"
#include "shell/viewlayout.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace shell::startup {

namespace {
const QString App = QStringLiteral("Dizur");
const QString Section = QStringLiteral("Startup");

std::optional<double> number(const QString& key)
{
    bool ok = false;
    const double v = platform::GetSetting(App, Section, key, QString()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}
} // namespace

float readSingle(const QString& key, float def)
{
    const auto v = number(key);
    return v && std::fabs(*v) <= 3.4e38 ? float(*v) : def;
}

double readDouble(const QString& key, double def)
{
    return number(key).value_or(def);
}

int readInteger(const QString& key, int def, int minimum, int maximum)
{
    const auto v = number(key);
    if (!v)
        return def;
    const double whole = std::nearbyint(*v);
    return whole < minimum || whole > maximum ? def : int(whole);
}

bool readBoolean(const QString& key, bool def)
{
    return platform::GetSettingBool(App, Section, key, def);
}

void write(const QString& key, const QString& value)
{
    platform::SaveSetting(App, Section, key, value);
}

void writeNumber(const QString& key, double value)
{
    write(key, QString::number(value, 'g', QLocale::FloatingPointShortest));
}

QString singleText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

void writeSingle(const QString& key, float value)
{
    write(key, singleText(value));
}

void writeBoolean(const QString& key, bool value)
{
    write(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace shell::startup
