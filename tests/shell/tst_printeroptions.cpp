#include "common/appstate.h"
#include "shell/printeroptions.h"
#include "testenvironment.h"

#include <QtTest>

using namespace shell;

namespace {
QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(file.readAll());
}

void writeAll(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}
} // namespace

// The default printer's options in a temporary lpoptions file, read and written where
// libcups looks for the user's options.
class PrinterOptionsTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_file;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_env->isolatePrinterOptions();
        common::appState() = common::AppState{};
        m_file = PrinterOptionsFile::userFilePath();
        QVERIFY(m_file.startsWith(m_env->root()));
    }
    void cleanup() { m_env.reset(); }

    void runPutsTheKeptOptionsBack_data()
    {
        QTest::addColumn<QString>("atStart");
        QTest::addColumn<QString>("duringRun");
        QTest::addColumn<QString>("atEnd");
        const QString others = QStringLiteral("# kept as it is\nDest other copies=2\n");
        QTest::newRow("options grow")
            << others + "Default office media=A4 sides=one-sided\n"
            << others + "Default office media=A3 sides=two-sided-long-edge ColorModel=Gray\n"
            << others + "Default office media=A4 sides=one-sided\n";
        QTest::newRow("options shrink")
            << "Default office media=A4 sides=one-sided job-sheets=none,none\n"
            << "Default office media=A4\n"
            << "Default office media=A4 sides=one-sided job-sheets=none,none\n";
        QTest::newRow("quoted value")
            << "Default office job-hold-until=indefinite printer-info='Front desk'\n"
            << "Default office\n"
            << "Default office job-hold-until=indefinite printer-info='Front desk'\n";
        QTest::newRow("none at start, some made during the run: untouched")
            << "Default office\n"
            << "Default office media=A3\n"
            << "Default office media=A3\n";
        QTest::newRow("no line at start: untouched") << others << others + "Dest office media=A3\n"
                                                     << others + "Dest office media=A3\n";
        // Destination names are matched as libcups matches them, without regard to case.
        QTest::newRow("name in another case") << "Dest OFFICE media=A4\n"
                                              << "Dest OFFICE media=A3\n"
                                              << "Dest OFFICE media=A4\n";
        QTest::newRow("line removed during the run comes back")
            << "Dest other copies=2\nDefault office media=A4\n"
            << "Dest other copies=2\n"
            << "Dest other copies=2\nDefault office media=A4\n";
        // libcups's own tools write the default's line as "Default" with its options anew.
        QTest::newRow("line written anew as the default")
            << others + "Dest office  media=A4 sides=one-sided\n"
            << others + "Default office copies=2 media=A4 sides=one-sided\n"
            << others + "Dest office  media=A4 sides=one-sided\n";
    }
    void runPutsTheKeptOptionsBack()
    {
        QFETCH(QString, atStart);
        QFETCH(QString, duringRun);
        QFETCH(QString, atEnd);
        qputenv("LPDEST", "office"); // names the default when the file no longer does
        writeAll(m_file, atStart);
        DevModeSave();
        QCOMPARE(common::appState().PrinterKey, QStringLiteral("office"));
        QVERIFY(!devModeState().DevModeNone);
        writeAll(m_file, duringRun);
        DevModeRestore();
        QCOMPARE(readAll(m_file), atEnd);
    }

    void defaultComesFromTheFile()
    {
        writeAll(m_file, QStringLiteral("Dest a copies=1\nDefault b/draft media=A4\n"));
        DevModeSave();
        QCOMPARE(common::appState().PrinterKey, QStringLiteral("b/draft"));
        QCOMPARE(devModeState().DevModeSaved, QStringLiteral("media=A4"));
    }

    void environmentNamesTheDefaultFirst()
    {
        writeAll(m_file, QStringLiteral("Dest a copies=3\nDefault b media=A4\n"));
        qputenv("PRINTER", "a");
        DevModeSave();
        QCOMPARE(common::appState().PrinterKey, QStringLiteral("a"));
        QCOMPARE(devModeState().DevModeSaved, QStringLiteral("copies=3"));
        qputenv("PRINTER", "lp"); // "lp" names no printer
        DevModeSave();
        QCOMPARE(common::appState().PrinterKey, QStringLiteral("b"));
    }

    void withoutADefaultNothingIsKept()
    {
        const QString text = QStringLiteral("Dest a copies=3\n");
        writeAll(m_file, text);
        DevModeSave();
        QVERIFY(devModeState().DevModeNone);
        QVERIFY(devModeState().DevModeSaved.isEmpty());
        writeAll(m_file, QStringLiteral("Dest a copies=9\n"));
        DevModeRestore();
        QCOMPARE(readAll(m_file), QStringLiteral("Dest a copies=9\n"));
    }

    void noFileAtAllIsLeftAlone()
    {
        qputenv("LPDEST", "office");
        DevModeSave();
        QVERIFY(devModeState().DevModeSaved.isEmpty());
        DevModeRestore();
        QCOMPARE(readAll(m_file), QStringLiteral("<missing>"));
    }
};

QTEST_GUILESS_MAIN(PrinterOptionsTest)
#include "tst_printeroptions.moc"
