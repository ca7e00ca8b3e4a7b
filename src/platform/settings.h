#pragma once

#include <QString>

// The per-user settings store: one INI file per application,
// $XDG_CONFIG_HOME/<app>/<app>.ini, with one group per section. Every value is text. Section
// and key names match without regard to case; a key keeps the spelling it was first stored
// with.
namespace platform {

// The file that holds the settings of `app`.
QString SettingsFilePath(const QString& app);

// The stored text of the key, or `def` when the key is absent.
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def = QString());
// Stores `value` under the key; false when the file could not be written.
bool SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);

// Typed readers: `def` when the key is absent or its text does not convert.
// Integers accept decimal text and round a fraction half to even.
int GetSettingInt(const QString& app, const QString& section, const QString& key, int def);
double GetSettingDouble(const QString& app, const QString& section, const QString& key, double def);
// "True"/"False" in any case, or a number (non-zero is true).
bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool def);

// The text a value is stored as: "True"/"False", numbers in their shortest decimal form
// (a float in the shortest text that reads back as the same float).
QString SettingText(bool value);
QString SettingText(int value);
QString SettingText(float value);
QString SettingText(double value);

} // namespace platform
