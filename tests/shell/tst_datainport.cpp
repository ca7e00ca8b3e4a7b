#include "common/appstate.h"
#include "common/datafiles.h"
#include "common/schema.h"
#include "entry/frmDat3.h"
#include "import/frmIken.h"
#include "import/letterimport.h"
#include "letterfile.h"
#include "load/dataload.h"
#include "platform/clock.h"
#include "platform/printerdouble.h"
#include "scripteddialogs.h"
#include "sheetdata/setformdata.h"
#include "sheetdump.h"
#include "shell/databackup.h"
#include "shell/form1.h"
#include "shell/frmdata.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <memory>
#include <unistd.h>

using namespace shell;

namespace {

const QString JetDir = QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/");

common::AppState& state()
{
    return common::appState();
}

// Runs `step` on the modal window that opens next.
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        step(modal);
    });
}

// Answers the offer with its first button or "Cancel", after checking what it says.
void answerOffer(const QString& label, bool go, bool tick = false)
{
    whenModal([=](QWidget* w) {
        auto* offer = qobject_cast<import::frmIken*>(w);
        QVERIFY(offer);
        const QString shown = offer->labelText();
        if (tick)
            offer->chkIken->setChecked(true);
        (go ? offer->cmdGo : offer->cmdCancel)->click();
        QCOMPARE(shown, label);
    });
}

// Closes the record list that opens next, noting that it did.
void closeList(bool* opened, std::function<void()> check = {})
{
    whenModal([=](QWidget* w) {
        auto* list = qobject_cast<frmData*>(w);
        QVERIFY(list);
        *opened = true;
        if (check)
            check();
        list->cmdCancel_Click();
    });
}

QString foundText(const QString& path)
{
    return QStringLiteral("データベースの名前は") + path + QStringLiteral("です。");
}

const QString NotFound = QStringLiteral("VadureData.mdb または rododova.mdb が見つかりません。\n"
                                        "自分でファイルを探しますか？");

} // namespace

class DataInportTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_data;
    QString m_source; // where the registry says the other program's database is

    // Registers the other program in the test's Wine prefix, with `file` as its database.
    void install(const QString& file)
    {
        const QString prefix = m_env->filePath("wine");
        QVERIFY(QDir().mkpath(prefix + "/drive_c/Vadure/data"));
        QFile reg(prefix + "/system.reg");
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write(
            "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion"
            "\\\\App Paths\\\\dararir2.exe] 1700000000\n@=\"C:\\\\Vadure\\\\dararir2.exe\"\n");
        m_source = prefix + "/drive_c/Vadure/data/rododova.mdb";
        if (!file.isEmpty())
            QVERIFY(QFile::copy(JetDir + file, m_source));
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        state() = common::AppState{};
        QVERIFY(common::ensureDataFolder());
        state().AppPath = common::dataFolder();
        m_data = state().AppPath + common::LetterFileName;
        qputenv("WINEPREFIX", m_env->filePath("wine").toLocal8Bit());
        platform::setPrinter(std::make_unique<platform::FakePrinter>());
        platform::setToday(QDate(2025, 4, 1));
    }
    void cleanup()
    {
        platform::setToday(QDate());
        qunsetenv("WINEPREFIX");
        m_env.reset();
    }

    // Start-up with InportState 0 and the source found: the offer, the import, the end
    // message, the list; the state becomes 4 and the letters are in the data file.
    void importAtStartUp()
    {
        install("source-basic.mdb");
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        Form1 form;
        bool listOpened = false;
        answerOffer(foundText(m_source), true);
        // The list opens after the end message.
        QTimer::singleShot(0, [&] { closeList(&listOpened); });
        form.openAtStartUp();
        QVERIFY(listOpened);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("データベースのインポートが終了しました。"));
        QCOMPARE(dialogs.messages().at(0).style, 64);
        QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("インポート"));
        QCOMPARE(int(state().InportState), 4);
        QCOMPARE(state().CurrentLetterNo, 7);
        QCOMPARE(LetterFile::letterNumbers(m_data), (QList<qint32>{1, 2, 3, 4, 5, 6}));
    }

    // With InportState 4 the list opens without an offer.
    void noOfferOnceDone()
    {
        install("source-basic.mdb");
        state().InportState = 4;
        Form1 form;
        bool listOpened = false;
        closeList(&listOpened);
        form.openAtStartUp();
        QVERIFY(listOpened);
        QCOMPARE(LetterFile::letterNumbers(m_data), QList<qint32>{});
    }

    // Declining: "Cancel" opens the list and imports nothing; with the box ticked the offer
    // is declined for good.
    void declined_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("state");
        QTest::newRow("this time") << false << 3;
        QTest::newRow("for good") << true << 4;
    }
    void declined()
    {
        QFETCH(bool, tick);
        QFETCH(int, state);
        install("source-basic.mdb");
        Form1 form;
        bool listOpened = false;
        answerOffer(foundText(m_source), false, tick);
        QTimer::singleShot(0, [&] { closeList(&listOpened); });
        form.openAtStartUp();
        QVERIFY(listOpened);
        QCOMPARE(int(common::appState().InportState), state);
        QCOMPARE(LetterFile::letterNumbers(m_data), QList<qint32>{});
    }

    // Nothing registered: the not-found prompt, a cancelled search, the prompt again; then a
    // file that is no database is refused, and a chosen source is named and imported.
    void notFoundThenSearched()
    {
        install(QString());
        const QString chosen = m_env->filePath("VadureData.mdb");
        QVERIFY(QFile::copy(JetDir + "source-empty-masters.mdb", chosen));
        ScriptedDialogs dialogs;
        dialogs.cancelFile().chooseFile(JetDir + "README.md").answer(platform::vbOK);
        dialogs.chooseFile(chosen).answer(platform::vbOK);
        Form1 form;
        bool listOpened = false;
        auto prompt = [&](const QString& label, std::function<void()> next) {
            whenModal([=](QWidget* w) {
                auto* offer = qobject_cast<import::frmIken*>(w);
                QVERIFY(offer);
                const QString shown = offer->labelText();
                const bool boxHidden = offer->chkIken->isHidden(); // asked for from the menu
                next();
                offer->cmdGo->click();
                QCOMPARE(shown, label);
                QVERIFY(boxHidden);
            });
        };
        prompt(NotFound, [&] {
            prompt(NotFound, [&] {
                prompt(NotFound, [&] {
                    prompt(foundText(chosen),
                           [&] { QTimer::singleShot(0, [&] { closeList(&listOpened); }); });
                });
            });
        });
        form.mnuIken->trigger();
        QVERIFY(listOpened);
        QCOMPARE(dialogs.remaining(), 0);
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(0).title, QStringLiteral("Serch Err！"));
        QCOMPARE(messages.at(0).text,
                 QStringLiteral("Jet データベース（.mdb）のファイルではありません。"));
        QCOMPARE(messages.at(1).text, QStringLiteral("データベースのインポートが終了しました。"));
        QCOMPARE(int(state().InportState), 4);
        QCOMPARE(LetterFile::letterNumbers(m_data), (QList<qint32>{1, 2}));
    }

    // A failure: the message with its reason, no list, the state as it was, the data file
    // unchanged.
    void failureTold()
    {
        install("source-missing-column.mdb");
        QVERIFY(LetterFile::addEmptyLetter(m_data, 1));
        const QByteArray before = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        Form1 form;
        answerOffer(foundText(m_source), true);
        form.openAtStartUp();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text, QStringLiteral("データベースのインポートに失敗しました。\r\n"
                                                     "列「病状治療状態他」がありません。"));
        QCOMPARE(messages.at(0).style, 16);
        QCOMPARE(messages.at(0).title, QStringLiteral("インポート"));
        QCOMPARE(int(state().InportState), 1);
        QCOMPARE(LetterFile::fileHash(m_data), before);
    }

    // A read-only source is read from Rizari.mdb in the data folder, which goes once the
    // list has been closed.
    void readOnlySourceThroughCopy()
    {
        install("source-no-letters.mdb");
        QVERIFY(QFile::setPermissions(m_source, QFile::ReadOwner | QFile::ReadGroup));
        const QString copy = state().AppPath + "Rizari.mdb";
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        Form1 form;
        bool listOpened = false;
        bool copyDuringList = false;
        answerOffer(foundText(m_source), true);
        QTimer::singleShot(
            0, [&] { closeList(&listOpened, [&] { copyDuringList = QFile::exists(copy); }); });
        form.openAtStartUp();
        QVERIFY(listOpened);
        QVERIFY(copyDuringList);
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(int(state().InportState), 4);
    }

    // The copy of a read-only source is made afresh or not at all: an old Rizari.mdb that
    // cannot be removed, or a copy cut off by a full disk, ends in the failure message with
    // its reason, imports nothing (never an old copy) and leaves no copy behind.
    void readOnlySourceCopyFails_data()
    {
        QTest::addColumn<bool>("oldCopyIsFolder");
        QTest::addColumn<QString>("reason");
        QTest::newRow("an old copy that cannot be removed")
            << true << QStringLiteral("Rizari.mdb を削除できませんでした。");
        QTest::newRow("a full disk, an old copy of another file")
            << false << QStringLiteral("ディスクの空き容量が足りません。");
    }
    void readOnlySourceCopyFails()
    {
        QFETCH(bool, oldCopyIsFolder);
        QFETCH(QString, reason);
        install("source-no-letters.mdb");
        QVERIFY(QFile::setPermissions(m_source, QFile::ReadOwner | QFile::ReadGroup));
        const QString copy = state().AppPath + "Rizari.mdb";
        if (oldCopyIsFolder) {
            // Not even root removes a folder that holds a file.
            QVERIFY(QDir().mkpath(copy + "/kept"));
        } else {
            // An old copy of a source with letters, which must not be imported.
            QVERIFY(QFile::copy(JetDir + "source-basic.mdb", copy));
        }
        QVERIFY(LetterFile::addEmptyLetter(m_data, 1));
        const QByteArray before = LetterFile::fileHash(m_data);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::vbOK);
        Form1 form;
        answerOffer(foundText(m_source), true);
        {
            std::shared_ptr<bool> full = std::make_shared<bool>(!oldCopyIsFolder);
            shell::setBlockWriterForTesting([full](int fd, const char* data, qint64 size) {
                if (*full) {
                    errno = ENOSPC;
                    return qint64(-1);
                }
                return qint64(::write(fd, data, size_t(size)));
            });
            form.openAtStartUp();
            shell::setBlockWriterForTesting({});
        }
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        const auto messages = dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).text.section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("データベースのインポートに失敗しました。"));
        QVERIFY2(messages.at(0).text.section(QStringLiteral("\r\n"), 1).contains(reason),
                 qPrintable(messages.at(0).text));
        QCOMPARE(messages.at(0).style, 16);
        QCOMPARE(int(state().InportState), 1);
        QCOMPARE(LetterFile::fileHash(m_data), before);
        QCOMPARE(QFileInfo(copy).isFile(), false);
        QVERIFY(QFile::exists(m_source));
    }

    // A read-only source that is itself the data folder's Rizari.mdb is read where it lies
    // and never removed: the run removes only what stands in the copy's place.
    void sourceNamedLikeTheCopyIsKept()
    {
        install(QString());
        const QString copy = state().AppPath + "Rizari.mdb";
        QVERIFY(QFile::copy(JetDir + "source-basic.mdb", copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray source = LetterFile::fileHash(copy);
        ScriptedDialogs dialogs;
        dialogs.cancelFile().chooseFile(copy).answer(platform::vbOK);
        Form1 form;
        bool listOpened = false;
        whenModal([&](QWidget* w) {
            auto* offer = qobject_cast<import::frmIken*>(w);
            QVERIFY(offer);
            whenModal([&](QWidget* w2) {
                auto* again = qobject_cast<import::frmIken*>(w2);
                QVERIFY(again);
                whenModal([&](QWidget* w3) {
                    auto* named = qobject_cast<import::frmIken*>(w3);
                    QVERIFY(named);
                    QTimer::singleShot(0, [&] { closeList(&listOpened); });
                    named->cmdGo->click();
                });
                again->cmdGo->click();
            });
            offer->cmdGo->click();
        });
        form.mnuIken->trigger();
        QVERIFY(listOpened);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("データベースのインポートが終了しました。"));
        QCOMPARE(LetterFile::letterNumbers(m_data), (QList<qint32>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(LetterFile::fileHash(copy), source);
    }

    // An imported letter opens in the entry form with its values, and goes on the sheet
    // whole: its long texts from the print copies the import made.
    void importedLetterLoadsAndPrints()
    {
        const import::ImportResult result =
            import::importLetters(JetDir + "source-basic.mdb", m_data);
        QVERIFY2(result.ok, qPrintable(result.error));
        const qint32 letter = 3; // 作成NO 31 of the source
        {
            entry::frmDat3 form;
            form.TabNew();
            form.applyEraDefaults();
            QString error;
            QCOMPARE(load::LoadLetter(form, m_data, letter, &error), load::LoadResult::Loaded);
            QCOMPARE(form.control("txtname")->text(), QStringLiteral("小林 幸江"));
            QVERIFY(form.control("txtKeika")
                        ->text()
                        .startsWith(QStringLiteral("令和元年6月頃より右手の脱力を自覚し、")));
            QCOMPARE(form.control("cmbYakuzaiKeizyo", 3)->text(), QStringLiteral("1200kcal"));
            QCOMPARE(form.control("cmbTaisyo")->text(),
                     QStringLiteral("   、口腔ケアの徹底、こまめな水分補給"));
        }
        sheetdata::SheetModel model;
        const sheetdata::SheetFillResult filled =
            sheetdata::SetFormData(model, m_data, QString::number(letter));
        QVERIFY(filled.letterFound);
        QFile golden(QStringLiteral(RUVIRO_TEST_DATA_DIR "/imported-letter.dump"));
        const QString dump = dumpSheetModel(model);
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(dump, QString::fromUtf8(golden.readAll()));
    }
};

QTEST_MAIN(DataInportTest)
#include "tst_datainport.moc"
