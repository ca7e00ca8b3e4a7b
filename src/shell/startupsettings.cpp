#include "shell/startupsettings.h"

#include "common/settingskeys.h"
#include "platform/settings.h"

#include <cmath>

namespace shell::startup {

namespace {
const QString App = QString::fromLatin1(common::settings::App);
const QString Section = QString::fromLatin1(common::settings::Startup);
} // namespace

float readSingle(const QString& key, float def)
{
    const double v = platform::GetSettingDouble(App, Section, key, def);
    return std::isfinite(v) && std::fabs(v) <= 3.4e38 ? float(v) : def;
}

double readDouble(const QString& key, double def)
{
    const double v = platform::GetSettingDouble(App, Section, key, def);
    return std::isfinite(v) ? v : def;
}

int readInteger(const QString& key, int def, int minimum, int maximum)
{
    const int v = platform::GetSettingInt(App, Section, key, def);
    return v < minimum || v > maximum ? def : v;
}

bool readBoolean(const QString& key, bool def)
{
    return platform::GetSettingBool(App, Section, key, def);
}

bool write(const QString& key, const QString& value)
{
    return platform::SaveSetting(App, Section, key, value);
}

bool writeNumber(const QString& key, double value)
{
    return write(key, platform::SettingText(value));
}

bool writeSingle(const QString& key, float value)
{
    return write(key, platform::SettingText(value));
}

bool writeBoolean(const QString& key, bool value)
{
    return write(key, platform::SettingText(value));
}

} // namespace shell::startup
