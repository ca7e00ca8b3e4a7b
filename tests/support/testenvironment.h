#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <utility>

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a fresh temporary folder for the lifetime of
// the object, so that a test never reads or writes the user's own settings and data.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    QString configHome() const;
    QString dataHome() const;
    // A path inside the temporary folder.
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Points the printing system's option files (HOME, CUPS_SERVERROOT) into the temporary
    // folder too, and forgets any default printer named by LPDEST or PRINTER, until the
    // object goes.
    void isolatePrinterOptions();

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
    bool m_hadConfig = false;
    bool m_hadData = false;
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_savedVariables;

    void setVariable(const char* name, const std::optional<QByteArray>& value);
};
