#include "testenvironment.h"

#include <QDir>

TestEnvironment::TestEnvironment()
{
    m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    for (auto it = m_savedVariables.crbegin(); it != m_savedVariables.crend(); ++it) {
        if (it->second)
            qputenv(it->first.constData(), *it->second);
        else
            qunsetenv(it->first.constData());
    }
    if (m_hadConfig)
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
    if (m_hadData)
        qputenv("XDG_DATA_HOME", m_oldData);
    else
        qunsetenv("XDG_DATA_HOME");
}

QString TestEnvironment::configHome() const
{
    return m_dir.filePath(QStringLiteral("config"));
}

QString TestEnvironment::dataHome() const
{
    return m_dir.filePath(QStringLiteral("data"));
}

void TestEnvironment::setVariable(const char* name, const std::optional<QByteArray>& value)
{
    m_savedVariables.append({name, qEnvironmentVariableIsSet(name)
                                       ? std::optional<QByteArray>(qgetenv(name))
                                       : std::nullopt});
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

void TestEnvironment::isolatePrinterOptions()
{
    setVariable("CUPS_SERVERROOT", filePath(QStringLiteral("cups")).toLocal8Bit());
    setVariable("HOME", root().toLocal8Bit());
    setVariable("LPDEST", std::nullopt);
    setVariable("PRINTER", std::nullopt);
}
