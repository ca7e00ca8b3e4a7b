#include "platform/filedialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace platform {

namespace {

FileDialogs*& installed()
{
    static FileDialogs* dialogs = nullptr;
    return dialogs;
}

// "*.mdb" → "*.[mM][dD][bB]".
QString caseInsensitivePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

// Qt's own dialog (see the class comment), the filter's patterns hidden.
constexpr QFileDialog::Options DialogOptions =
    QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails;

} // namespace

QString QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << caseInsensitivePattern(p.trimmed());
        filters << parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString GetOpenFile(const QString& title, const QString& filter, const QString& initialDir)
{
    if (FileDialogs* dialogs = installed())
        return dialogs->openFile(title, filter, initialDir);
    return QtFileDialogs().openFile(title, filter, initialDir);
}

QString GetSaveFile(const QString& title, const QString& filter, const QString& initialDir,
                    const QString& defaultName, const QString& defaultSuffix)
{
    if (FileDialogs* dialogs = installed())
        return dialogs->saveFile(title, filter, initialDir, defaultName, defaultSuffix);
    return QtFileDialogs().saveFile(title, filter, initialDir, defaultName, defaultSuffix);
}

FileDialogs* setFileDialogs(FileDialogs* dialogs)
{
    FileDialogs* previous = installed();
    installed() = dialogs;
    return previous;
}

// The patterns are shown through the description the filter already has, so Qt's copy of
// them (with their bracketed letters) is hidden.
QString QtFileDialogs::openFile(const QString& title, const QString& filter,
                                const QString& initialDir)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, initialDir,
                                        QtNameFilters(filter), nullptr, DialogOptions);
}

QString QtFileDialogs::saveFile(const QString& title, const QString& filter,
                                const QString& initialDir, const QString& defaultName,
                                const QString& defaultSuffix)
{
    QFileDialog dialog(QApplication::activeWindow(), title, initialDir, QtNameFilters(filter));
    dialog.setOptions(DialogOptions);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!defaultName.isEmpty())
        dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace platform
