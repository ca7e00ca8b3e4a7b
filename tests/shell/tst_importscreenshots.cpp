#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "import/frmIken.h"
#include "import/letterimport.h"
#include "letterfixtures.h"
#include "record/letterstore.h"
#include "shell/frmdata.h"
#include "testenvironment.h"

#include <QTimer>
#include <QtTest>

// Pictures of the import for a person to look at: the offer with a database found and
// without, and the record list after the sample database was imported. Written only when
// RUVIRO_SCREENSHOT_DIR names a folder; run under xvfb-run to see the windows as the user does.
class ImportScreenshotTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void offer_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("name");
        QTest::newRow("found") << 0 << "import-offer-found.png";
        QTest::newRow("not found, from the menu") << 12 << "import-offer-not-found.png";
    }
    void offer()
    {
        QFETCH(int, state);
        QFETCH(QString, name);
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        common::installFontSubstitutions();
        common::appState().InportState = quint8(state);
        common::appState().DatabasePath =
            QStringLiteral("/home/clinic/.wine/drive_c/Vadure/data/rododova.mdb");
        import::frmIken dialog({});
        bool saved = false;
        QTimer::singleShot(300, [&] {
            saved = dialog.grab().save(QDir(folder).filePath(name));
            dialog.cmdCancel->click();
        });
        dialog.showModal();
        QVERIFY(saved);
    }

    void listAfterImport()
    {
        const QString folder = qEnvironmentVariable("RUVIRO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("RUVIRO_SCREENSHOT_DIR is not set");
        TestEnvironment env;
        common::installFontSubstitutions();
        const QString path = env.filePath("Ruviro.mdb");
        QVERIFY(letterfixtures::createDataFile(path));
        const import::ImportResult result = import::importLetters(
            QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/source-basic.mdb"), path);
        QVERIFY2(result.ok, qPrintable(result.error));
        common::appState().DatabasePath = path;
        shell::frmData list(record::LetterStore(path).list().rows);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTest::qWait(200);
        QVERIFY(list.grab().save(QDir(folder).filePath("import-record-list.png")));
    }
};

QTEST_MAIN(ImportScreenshotTest)
#include "tst_importscreenshots.moc"
