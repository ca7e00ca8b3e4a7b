#include "import/sourcesearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A Wine prefix whose registry holds the given App Paths values (a key without a value is
// left out) and whose drive C holds the given files.
bool makePrefix(const QString& root, const QString& second, const QString& first,
                const QStringList& files)
{
    QFile reg(root + "/system.reg");
    if (!reg.open(QIODevice::WriteOnly))
        return false;
    QString text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n";
    auto key = [&](const QString& exe, const QString& value) {
        if (value.isNull())
            return;
        QString escaped = value;
        escaped.replace("\\", "\\\\");
        text += QStringLiteral("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                               "Paths\\\\%1] 1700000000\n@=\"%2\"\n\n")
                    .arg(exe, escaped);
    };
    key("dararir2.exe", second);
    key("dararir1.exe", first);
    reg.write(text.toUtf8());
    for (const QString& file : files) {
        const QString path = root + "/drive_c/" + file;
        if (!QDir().mkpath(QFileInfo(path).path()))
            return false;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace

class SourceSearchTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { qunsetenv("WINEPREFIX"); }

    void registryCases_data()
    {
        QTest::addColumn<QString>("second"); // value for dararir2.exe (null: no value)
        QTest::addColumn<QString>("first");  // value for dararir1.exe
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected"); // below drive_c, "" for not found
        const QStringList both{"Vadure 2/data/rododova.mdb", "Vadure/VadureData.mdb"};
        QTest::newRow("dararir2.exe")
            << "C:\\Vadure 2\\dararir2.exe"
            << "C:\\Vadure\\dararir1.exe" << both << "Vadure 2/data/rododova.mdb";
        QTest::newRow("dararir1.exe only")
            << QString() << "C:\\Vadure\\dararir1.exe" << both << "Vadure/VadureData.mdb";
        QTest::newRow("dararir2.exe's database missing: not found, dararir1.exe not tried")
            << "C:\\Old\\dararir2.exe"
            << "C:\\Vadure\\dararir1.exe" << both << "";
        QTest::newRow("dararir1.exe's database missing")
            << QString() << "C:\\Old\\dararir1.exe" << both << "";
        QTest::newRow("a value without a folder") << "dararir2.exe"
                                                  << "C:\\Vadure\\dararir1.exe" << both << "";
        QTest::newRow("a short value") << QString() << "a.exe" << both << "";
        QTest::newRow("no value") << QString() << QString() << both << "";
    }
    void registryCases()
    {
        QFETCH(QString, second);
        QFETCH(QString, first);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir prefix;
        QVERIFY(makePrefix(prefix.path(), second, first, files));
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        QCOMPARE(import::findSource(),
                 expected.isEmpty() ? QString() : prefix.path() + "/drive_c/" + expected);
    }
};

QTEST_GUILESS_MAIN(SourceSearchTest)
#include "tst_sourcesearch.moc"
