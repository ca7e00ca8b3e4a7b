#pragma once
// TEMPORARY STUB until the settings store lands on main; deleted before merging.
#include <QString>
namespace platform {
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);
int GetSettingInt(const QString& app, const QString& section, const QString& key, int def);
bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool def);
} // namespace platform
