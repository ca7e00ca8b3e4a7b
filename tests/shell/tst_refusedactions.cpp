// A data file held by another program refuses the work the user asked for; the message
// names that work, so that the user knows what to try again.

#include "common/appstate.h"
#include "common/datafiles.h"
#include "import/frmIken.h"
#include "letterfile.h"
#include "letterfixtures.h"
#include "platform/database.h"
#include "platform/printerdouble.h"
#include "record/letterstore.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "shell/frmdata.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest>

using namespace shell;

namespace {

const QString InUse = QStringLiteral("データファイルが他のプログラムで使用中です。"
                                     "しばらくしてからもう一度");

// Another program's write transaction on the file, until the object goes.
class WriteLock
{
public:
    explicit WriteLock(const QString& path)
        : m_db(db::Database::open(path, db::OpenMode::ReadWrite))
    {
        m_held = m_db && m_db->execute(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~WriteLock()
    {
        if (m_held)
            m_db->execute(QStringLiteral("ROLLBACK"));
    }
    bool held() const { return m_held; }

private:
    std::unique_ptr<db::Database> m_db;
    bool m_held = false;
};

} // namespace

class RefusedActionsTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_data;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        common::appState() = common::AppState{};
        QVERIFY(common::ensureDataFolder());
        common::appState().AppPath = common::dataFolder();
        common::appState().DatabasePath = common::dataFolder() + common::LetterFileName;
        m_data = common::appState().DatabasePath;
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        for (int i = 1; i <= 2; ++i)
            QVERIFY(letterfixtures::writeLetter(
                m_data, i,
                {{QStringLiteral("患者名"),
                  db::Variant::fromString(QStringLiteral("患者%1").arg(i))}}));
    }
    void cleanup() { m_env.reset(); }

    // A deletion refused: told as a deletion, nothing deleted.
    void deletionInUse()
    {
        common::appState().CurrentLetterNo = 1;
        frmData list(record::LetterStore(m_data).list().rows);
        const QByteArray before = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK).answer(platform::vbOK);
        {
            WriteLock lock(m_data);
            QVERIFY(lock.held());
            list.Command3_Click();
        }
        QCOMPARE(dialogs.messages().size(), 2);
        const QString told = dialogs.messages().at(1).text;
        QVERIFY2(told.contains(InUse + QStringLiteral("削除してください。")), qPrintable(told));
        QCOMPARE(LetterFile::fileHash(m_data), before);
        QCOMPARE(LetterFile::letterNumbers(m_data), (QList<qint32>{1, 2}));
    }

    // The letter import refused: the import's failure message with the reason told as an
    // import.
    void letterImportInUse()
    {
        const QString prefix = m_env->filePath(QStringLiteral("wine"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/Vadure/data")));
        QFile reg(prefix + QStringLiteral("/system.reg"));
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write(
            "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion"
            "\\\\App Paths\\\\dararir2.exe] 1700000000\n@=\"C:\\\\Vadure\\\\dararir2.exe\"\n");
        reg.close();
        QVERIFY(QFile::copy(QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/source-basic.mdb"),
                            prefix + QStringLiteral("/drive_c/Vadure/data/rododova.mdb")));
        qputenv("WINEPREFIX", prefix.toLocal8Bit());
        const QByteArray before = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        Form1 form;
        QTimer::singleShot(0, [] {
            auto* offer = qobject_cast<import::frmIken*>(QApplication::activeModalWidget());
            QVERIFY(offer);
            offer->cmdGo->click();
        });
        {
            WriteLock lock(m_data);
            QVERIFY(lock.held());
            form.openAtStartUp();
        }
        qunsetenv("WINEPREFIX");
        QCOMPARE(dialogs.messages().size(), 1);
        const QString told = dialogs.messages().at(0).text;
        QVERIFY2(told.startsWith(QStringLiteral("データベースのインポートに失敗しました。\r\n")),
                 qPrintable(told));
        QVERIFY2(told.contains(InUse + QStringLiteral("インポートしてください。")),
                 qPrintable(told));
        QCOMPARE(LetterFile::fileHash(m_data), before);
    }
};

QTEST_MAIN(RefusedActionsTest)
#include "tst_refusedactions.moc"
