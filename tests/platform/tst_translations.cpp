#include "platform/translations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

// Qt's own dialogs in Japanese, whatever the system's language (the tests run in the C
// locale).
class TranslationsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Without the files the program goes on in English, told why.
    void aFolderWithoutThemIsNamed()
    {
        QTemporaryDir empty;
        const QString reason = platform::installQtTranslations(empty.path());
        QVERIFY(reason.contains(QStringLiteral("qtbase_ja.qm")));
        QVERIFY(reason.contains(QStringLiteral("qt6-translations-l10n")));
        QFileDialog dialog;
        dialog.setOptions(QFileDialog::DontUseNativeDialog);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    }

    void dialogsSpeakJapanese()
    {
        const QString reason = platform::installQtTranslations();
        QVERIFY2(reason.isEmpty(), qPrintable(reason));

        QFileDialog save;
        save.setOptions(QFileDialog::DontUseNativeDialog);
        save.setAcceptMode(QFileDialog::AcceptSave);
        auto* buttons = save.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("保存(&S)"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
        const auto* name = save.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("ファイル名(&N):"));

        QPrinter printer;
        QPrintDialog print(&printer);
        const auto* properties = print.findChild<QPushButton*>(QStringLiteral("properties"));
        QVERIFY(properties);
        QCOMPARE(properties->text(), QStringLiteral("プロパティ(&R)"));
        // Texts that Qt's catalogue leaves in English.
        const auto* pages = print.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
        QVERIFY(pages);
        QCOMPARE(pages->text(), QStringLiteral("ページ指定"));
        const auto* twoSided = print.findChild<QGroupBox*>(QStringLiteral("duplex"));
        QVERIFY(twoSided);
        QCOMPARE(twoSided->title(), QStringLiteral("両面印刷"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
