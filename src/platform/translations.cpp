#include "platform/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

QString installQtTranslations(const QString& folder)
{
    const QString dir =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The widgets' and the print dialogs' texts are all in Qt's base module.
    const QString file = QDir(dir).filePath(QStringLiteral("qtbase_ja.qm"));
    if (!QFileInfo::exists(file))
        return QStringLiteral("%1 がありません (Debian のパッケージ qt6-translations-l10n)。")
            .arg(QDir::toNativeSeparators(file));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        delete translator;
        return QStringLiteral("%1 を読めません。").arg(QDir::toNativeSeparators(file));
    }
    if (!QCoreApplication::installTranslator(translator)) {
        delete translator;
        return QStringLiteral("%1 を使えません。").arg(QDir::toNativeSeparators(file));
    }
    return QString();
}

} // namespace platform
