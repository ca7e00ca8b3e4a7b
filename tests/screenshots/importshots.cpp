#include "common/appstate.h"
#include "common/fontsubstitution.h"
#include "import/frmCSV.h"
#include "import/frmIken.h"
#include "import/letterimport.h"
#include "letterfixtures.h"
#include "record/letterstore.h"
#include "shell/frmdata.h"
#include "shots.h"
#include "testenvironment.h"

#include <QTimer>
#include <QtTest>

// The import offer with a database found and without, the record list after the sample
// database was imported, and the postal-code import with three files listed.
class ImportShots : public QObject
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
        common::installFontSubstitutions();
        common::appState().InportState = quint8(state);
        common::appState().DatabasePath =
            QStringLiteral("/home/clinic/.wine/drive_c/Vadure/data/rododova.mdb");
        import::frmIken dialog({});
        bool saved = false;
        QTimer::singleShot(300, [&] {
            saved = dialog.grab().save(shots::file(name));
            dialog.cmdCancel->click();
        });
        dialog.showModal();
        QVERIFY(saved);
    }

    void listAfterImport()
    {
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
        QVERIFY(list.grab().save(shots::file(QStringLiteral("import-record-list.png"))));
    }

    void postalCodeImport()
    {
        common::installFontSubstitutions();
        import::frmCSV dialog;
        dialog.txtCSV->setPlainText(QStringLiteral(
            "/home/clinic/ダウンロード/ken_all.lzh\n/home/clinic/ダウンロード/jigyosyo.csv\n"
            "/media/usb/郵便番号/13TOKYO.CSV"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(200);
        QVERIFY(dialog.grab().save(shots::file(QStringLiteral("frmCSV.png"))));
    }
};

std::unique_ptr<QObject> shots::importShots()
{
    return std::make_unique<ImportShots>();
}

#include "importshots.moc"
