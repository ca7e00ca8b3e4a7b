// Writes a picture of each page of the entry form for a person to look at. The folder is
// $RUVIRO_SCREENSHOT_DIR, or "screenshots" beside the test program in the build folder.
#include "common/fontsubstitution.h"
#include "entry/frmDat3.h"

#include <QDir>
#include <QTabBar>
#include <QtTest>

class EntryScreensTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void grabEveryPage();
};

void EntryScreensTest::grabEveryPage()
{
    QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(folder));

    entry::frmDat3 form;
    form.TabNew();
    form.applyEraDefaults();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
        form.tabStrip()->setCurrentIndex(k);
        QCOMPARE(form.TabNow(), k);
        const QString path = QStringLiteral("%1/frmDat3_page%2.png").arg(folder).arg(k + 1);
        QVERIFY2(form.grab().save(path), qPrintable(path));
    }
    qInfo("pictures in %s", qPrintable(folder));
}

QTEST_MAIN(EntryScreensTest)
#include "tst_entryscreens.moc"
