#include "platform/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace platform {

namespace {

// The texts of Qt's file and print dialogs that Qt's Japanese catalogue leaves in English.
class MissingQtTexts : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        struct Text
        {
            const char* context;
            const char* source;
            const char* japanese; // UTF-8
        };
        static const Text texts[] = {
            {"QAbstractFileIconProvider", "Drive", "ドライブ"},
            {"QAbstractFileIconProvider", "Folder", "フォルダ"},
            {"QPrintSettingsOutput", "Pages", "ページ指定"},
            {"QPrintSettingsOutput",
             "Specify pages or ranges separated by commas. Ranges are specified by two numbers "
             "separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             "ページまたはページの範囲をカンマで区切って指定します。範囲は二つの番号をハイフンで"
             "つなぎます。例: 3,5-7,9 はページ 3、5、6、7、9 を印刷します。"},
            {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
            {"QPrintSettingsOutput", "Off", "しない"},
            {"QPrintSettingsOutput", "Long side binding", "長辺とじ"},
            {"QPrintSettingsOutput", "Short side binding", "短辺とじ"},
            {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
            {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
             "設定に矛盾があります。直してください。"},
        };
        for (const Text& text : texts) {
            if (std::strcmp(context, text.context) == 0 &&
                std::strcmp(sourceText, text.source) == 0)
                return QString::fromUtf8(text.japanese);
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

QString installQtTranslations(const QString& folder)
{
    QCoreApplication* app = QCoreApplication::instance();
    // Qt's catalogue, installed after them, is asked first.
    QCoreApplication::installTranslator(new MissingQtTexts(app));
    const QString dir =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The widgets' and the print dialogs' texts are all in Qt's base module.
    const QString file = QDir(dir).filePath(QStringLiteral("qtbase_ja.qm"));
    if (!QFileInfo::exists(file))
        return QStringLiteral("%1 がありません (Debian のパッケージ qt6-translations-l10n)。")
            .arg(QDir::toNativeSeparators(file));
    auto* translator = new QTranslator(app);
    if (!translator->load(file)) {
        delete translator;
        return QStringLiteral("%1 を読めません。").arg(QDir::toNativeSeparators(file));
    }
    QCoreApplication::installTranslator(translator);
    return QString();
}

} // namespace platform
