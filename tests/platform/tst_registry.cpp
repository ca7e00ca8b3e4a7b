#include "platform/registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using platform::RegGetString;
using platform::RegistryRoot;

namespace {
const QString Prefix = QStringLiteral(RUVIRO_TEST_DATA_DIR "/wine");
const QString AppPaths =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
} // namespace

class RegistryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { qputenv("WINEPREFIX", Prefix.toLocal8Bit()); }
    void cleanup() { qunsetenv("WINEPREFIX"); }

    void values_data()
    {
        QTest::addColumn<int>("root");
        QTest::addColumn<QString>("subKey");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<QString>("expected");
        const int machine = int(RegistryRoot::LocalMachine);
        const int user = int(RegistryRoot::CurrentUser);
        const QString test = QStringLiteral("Software\\Test");

        QTest::newRow("default value, path into drive_c")
            << machine << AppPaths + "dararir2.exe"
            << "" << Prefix + "/drive_c/Program Files/Vadure/dararir2.exe";
        QTest::newRow("named value, key in another case")
            << machine << AppPaths.toLower() + "DARARIR2.EXE"
            << "path" << Prefix + "/drive_c/Program Files/Vadure/";
        QTest::newRow("escaped quotes") << machine << test << "Plain"
                                        << "hello \"world\"";
        QTest::newRow("unicode escapes") << machine << test << "Japanese"
                                         << "テスト";
        QTest::newRow("expandable string") << machine << test << "Expand"
                                           << "%SystemRoot%\\system32";
        QTest::newRow("text up to NUL") << machine << test << "Nul"
                                        << "before";
        QTest::newRow("subkey is its own key") << machine << test + "\\Sub"
                                               << "Plain"
                                               << "sub";
        QTest::newRow("key named with unicode escapes")
            << machine << QStringLiteral("Software\\メーカー") << "Plain"
            << "maker";
        QTest::newRow("user root reads user.reg") << user << test << "Plain"
                                                  << "user";
        QTest::newRow("1023 characters")
            << machine << test << "AlmostLong" << Prefix + "/drive_c/" + QString(1020, u'y');

        // Everything that fails gives "".
        QTest::newRow("missing key") << machine << test + "\\None"
                                     << "Plain"
                                     << "";
        QTest::newRow("missing value") << machine << test << "None"
                                       << "";
        QTest::newRow("missing default value") << machine << test << ""
                                               << "";
        QTest::newRow("1024 characters") << machine << test << "Long"
                                         << "";
        QTest::newRow("dword is no string") << machine << test << "Number"
                                            << "";
        QTest::newRow("binary is no string") << machine << test << "Binary"
                                             << "";
        QTest::newRow("key of another root") << user << AppPaths + "dararir2.exe"
                                             << ""
                                             << "";
    }
    void values()
    {
        QFETCH(int, root);
        QFETCH(QString, subKey);
        QFETCH(QString, valueName);
        QFETCH(QString, expected);
        QCOMPARE(RegGetString(RegistryRoot(root), subKey, valueName), expected);
    }

    void otherDriveThroughDosdevices()
    {
        QTemporaryDir prefix;
        QVERIFY(QFile::copy(Prefix + "/system.reg", prefix.filePath("system.reg")));
        QDir(prefix.path()).mkpath("dosdevices");
        QDir(prefix.path()).mkpath("elsewhere");
        QVERIFY(QFile::link(prefix.filePath("elsewhere"), prefix.filePath("dosdevices/d:")));
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        QCOMPARE(RegGetString(RegistryRoot::LocalMachine, AppPaths + "dararir1.exe", "Path"),
                 QDir(prefix.filePath("elsewhere")).canonicalPath() + "/Apps/Vadure/");
    }

    void win64PrefixKeepsProgramsUnderWow6432Node()
    {
        QTemporaryDir prefix;
        QFile reg(prefix.filePath("system.reg"));
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write("WINE REGISTRY Version 2\n\n#arch=win64\n\n"
                  "[Software\\\\Wow6432Node\\\\Maker] 1\n\"Dir\"=\"32-bit\"\n\n"
                  "[Software\\\\Other] 1\n\"Dir\"=\"64-bit\"\n");
        reg.close();
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        QCOMPARE(RegGetString(RegistryRoot::LocalMachine, "Software\\Maker", "Dir"), "32-bit");
        QCOMPARE(RegGetString(RegistryRoot::LocalMachine, "Software\\Other", "Dir"), "64-bit");
    }

    void noPrefixGivesEmpty()
    {
        qputenv("WINEPREFIX", QByteArray(RUVIRO_TEST_DATA_DIR "/no-such-prefix"));
        QCOMPARE(RegGetString(RegistryRoot::LocalMachine, "Software\\Test", "Plain"), QString());
    }
};

QTEST_GUILESS_MAIN(RegistryTest)
#include "tst_registry.moc"
