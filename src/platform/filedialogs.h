#pragma once

#include <QString>

// The open and save file dialogs. Filters come in the common dialog's form,
// "Description|*.a;*.b|Description|*.c". What shows the dialog is an installable
// implementation, so that tests can answer from a script.
namespace platform {

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The chosen existing file's full path, or "" when cancelled.
    virtual QString openFile(const QString& title, const QString& filter,
                             const QString& initialDir) = 0;
    // The chosen file's full path (an existing one only after the user agreed to replace
    // it), or "" when cancelled. A name typed without a suffix (no "." in it) gets
    // `defaultSuffix` ("mdb": ".mdb") before that question, unless it is "".
    virtual QString saveFile(const QString& title, const QString& filter, const QString& initialDir,
                             const QString& defaultName, const QString& defaultSuffix) = 0;
};

QString GetOpenFile(const QString& title, const QString& filter,
                    const QString& initialDir = QString());
QString GetSaveFile(const QString& title, const QString& filter,
                    const QString& initialDir = QString(), const QString& defaultName = QString(),
                    const QString& defaultSuffix = QString());

// Installs `dialogs` as the implementation (nullptr: the QFileDialog one) and returns the
// previous one. The caller keeps ownership.
FileDialogs* setFileDialogs(FileDialogs* dialogs);

// The common dialog's filter as Qt's name filters: "Text|*.a;*.b" gives "Text (*.[aA] *.[bB])",
// the patterns matching without regard to case as they do on Windows.
QString QtNameFilters(const QString& filter);

// The QFileDialog implementation: Qt's own dialog, never the desktop's, so that it speaks the
// program's Japanese (platform/translations.h) whatever the system's language.
class QtFileDialogs : public FileDialogs
{
public:
    QString openFile(const QString& title, const QString& filter,
                     const QString& initialDir) override;
    QString saveFile(const QString& title, const QString& filter, const QString& initialDir,
                     const QString& defaultName, const QString& defaultSuffix) override;
};

} // namespace platform
