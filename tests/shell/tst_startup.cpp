#include "common/appstate.h"
#include "platform/printerdouble.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmstart.h"
#include "testenvironment.h"

#include <QtTest>

using namespace shell;

class StartupTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_env->isolatePrinterOptions();
        common::appState() = common::AppState{};
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
    }
    void cleanup() { m_env.reset(); }

    void firstInstanceShowsTheMainWindow()
    {
        ScriptedDialogs dialogs;
        InstanceLock lock;
        std::unique_ptr<Form1> form = startProgram(lock);
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(dialogs.shown().isEmpty());
        // No start-up form is left behind.
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!w->isVisible() || w == form.get());
    }

    void lockOfACrashedRunIsTakenOver()
    {
        const QString folder = m_env->configHome() + QStringLiteral("/Dizur");
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/ruviro.lock"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A process number that runs no process.
        file.write("2147483646\nruviro\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        file.close();
        InstanceLock lock;
        QVERIFY(lock.acquire());
    }

    void secondInstanceAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("runs");
        QTest::newRow("No ends it") << int(platform::vbNo) << false;
        QTest::newRow("Yes runs a second one") << int(platform::vbYes) << true;
    }
    void secondInstanceAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, runs);
        InstanceLock first;
        QVERIFY(first.acquire());
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        InstanceLock second;
        std::unique_ptr<Form1> form = startProgram(second);
        QCOMPARE(bool(form), runs);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("二重起動です。続けますか？"));
        QCOMPARE(dialogs.messages().at(0).style, 52);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("注意！"));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
