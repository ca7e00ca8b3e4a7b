#include "platform/settings.h"
// TEMPORARY STUB until the settings store lands on main; deleted before merging.
#include <QSettings>
#include <QStandardPaths>
namespace platform {
static QString file(const QString& app)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + app +
           "/" + app + ".ini";
}
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def)
{
    QSettings s(file(app), QSettings::IniFormat);
    return s.value(section + "/" + key.toLower(), def).toString();
}
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value)
{
    QSettings s(file(app), QSettings::IniFormat);
    s.setValue(section + "/" + key.toLower(), value);
}
int GetSettingInt(const QString& app, const QString& section, const QString& key, int def)
{
    bool ok = false;
    int v = GetSetting(app, section, key, QString::number(def)).toInt(&ok);
    return ok ? v : def;
}
bool GetSettingBool(const QString& app, const QString& section, const QString& key, bool def)
{
    QString v = GetSetting(app, section, key, def ? "True" : "False");
    if (v.compare("True", Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare("False", Qt::CaseInsensitive) == 0)
        return false;
    return def;
}
} // namespace platform
