#include "common/datafiles.h"
#include "entry/postcodelookup.h"
#include "import/frmCSV.h"
#include "letterfile.h"
#include "platform/database.h"
#include "platform/helpwindow.h"
#include "platform/messagebox.h"
#include "postcodefixture.h"
#include "scripteddialogs.h"
#include "shell/form1.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QtTest>

using namespace PostCodeFixture;

namespace {

const QStringList kOldRows{QStringLiteral("1000001 |東京都千代田区千代田")};
const QString kTitle = QStringLiteral("郵便番号インポート");

QString list(const QStringList& codes)
{
    QString text;
    for (const QString& code : codes)
        text += record(code, QStringLiteral("北海道"), QStringLiteral("札幌市"),
                       QStringLiteral("町") + code.right(2));
    return text;
}

QString row(const QString& code)
{
    return code + QStringLiteral(" |北海道札幌市町") + code.right(2);
}

// An archive made by jlha in `folder`, holding `member` with `bytes`.
bool jlha(const QString& folder, const QString& archive, const QString& member,
          const QByteArray& bytes)
{
    if (!writeFile(QDir(folder).filePath(member), bytes))
        return false;
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral("jlha"), {QStringLiteral("a"), archive, member});
    const bool ok = p.waitForFinished(60000) && p.exitCode() == 0;
    QFile::remove(QDir(folder).filePath(member));
    return ok;
}

} // namespace

class FrmCsvTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void import_data();
    void import();
    void chooseFiles();
    void lookupFindsImportedCode();
    void menuOpensTheDialog();
};

void FrmCsvTest::import_data()
{
    QTest::addColumn<QString>("lines");      // the list; %D is the files' folder
    QTest::addColumn<bool>("oldMaster");     // the master holds rows before
    QTest::addColumn<QList<int>>("answers"); // to the question; every other box is OK
    // "style|title|text", a failure with "\r\n" and a part of the reason told on its second line
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("rows"); // the master afterwards; empty: as before
    QTest::addColumn<bool>("closed");

    const QString end =
        QStringLiteral("64|郵便番号インポート|郵便番号のインポートが終了しました。");
    const QString warn =
        QStringLiteral("49|郵便番号インポート|現在の郵便番号データは全て削除されます。");
    const QString fileFailed =
        QStringLiteral("16|郵便番号インポート|郵便番号のインポートに失敗しました。\r\n");
    const QString importFailed =
        QStringLiteral("16|インポート|データベースのインポートに失敗しました。\r\n");
    const QStringList a{row(QStringLiteral("0600001")), row(QStringLiteral("0600002"))};
    const QStringList b{row(QStringLiteral("9071801"))};
    const QList<int> ok{platform::vbOK};

    QTest::newRow("empty list") << QString() << true << QList<int>()
                                << QStringList{QStringLiteral(
                                       "48|郵便番号インポート|郵便番号ファイルを選択して下さい。")}
                                << QStringList() << false;
    QTest::newRow("empty master: no question")
        << "%D/a.csv" << false << QList<int>() << QStringList{end} << a << true;
    QTest::newRow("cancel at the question") << "%D/a.csv" << true << QList<int>{platform::vbCancel}
                                            << QStringList{warn} << QStringList() << false;
    QTest::newRow("two files in list order, newline after the last")
        << "%D/b.csv\n%D/a.csv\n"
        << true << ok << QStringList{warn, end} << b + a << true;
    QTest::newRow("archives, lower and upper case, and a list")
        << "%D/ken_all.lzh\n%D/KEN_B.LZH\n%D/b.csv" << true << ok << QStringList{warn, end}
        << a + b + b << true;
    QTest::newRow("a text file named .lzh")
        << "%D/a.csv\n%D/fake.lzh\n%D/b.csv" << true << ok
        << QStringList{warn, QStringLiteral("0||%D/fake.lzh は正しい書庫ﾌｧｲﾙではありません。"),
                       fileFailed + QStringLiteral("ファイルの名前がありません")}
        << QStringList() << false;
    QTest::newRow("an archive whose CRC does not match")
        << "%D/crc.lzh" << true << ok
        << QStringList{warn, QStringLiteral("0||%D/crc.lzh は正しい書庫ﾌｧｲﾙではありません。"),
                       fileFailed + QStringLiteral("ファイルの名前がありません")}
        << QStringList() << false;
    QTest::newRow("third of three files fails")
        << "%D/a.csv\n%D/b.csv\n%D/bad.csv" << true << ok
        << QStringList{warn, fileFailed + QStringLiteral("%D/bad.csv：2 行目")} << QStringList()
        << false;
    QTest::newRow("failing files told each, the import goes on")
        << "%D/bad.csv\n\n%D/missing.csv\n%D/a.csv" << true << ok
        << QStringList{warn, fileFailed + QStringLiteral("%D/bad.csv：2 行目"),
                       fileFailed + QStringLiteral("ファイルの名前がありません"),
                       fileFailed + QStringLiteral("%D/missing.csv を開けません")}
        << QStringList() << false;
    QTest::newRow("master refuses a row")
        << "%D/a.csv\n%D/refused.csv" << true << ok
        << QStringList{warn, importFailed + QStringLiteral("データベースの処理に失敗しました")}
        << QStringList() << false;
    QTest::newRow("an archive named without a folder")
        << "%D/a.csv\nken_all.lzh" << true << ok
        << QStringList{warn, importFailed +
                                 QStringLiteral("ken_all.lzh にはフォルダーの指定がありません。")}
        << QStringList() << false;
    QTest::newRow("no PostCode.mdb")
        << "%D/a.csv" << true << QList<int>()
        << QStringList{importFailed + QStringLiteral("PostCode.mdb がありません。")}
        << QStringList() << false;
    // Another program writing the master: the import is refused as an import, not a save.
    QTest::newRow("PostCode.mdb in use")
        << "%D/a.csv" << true << ok
        << QStringList{warn, importFailed + QStringLiteral("使用中です。しばらくしてからもう一度"
                                                           "インポートしてください。")}
        << QStringList() << false;
}

void FrmCsvTest::import()
{
    QFETCH(QString, lines);
    QFETCH(bool, oldMaster);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, rows);
    QFETCH(bool, closed);

    TestEnvironment env;
    QVERIFY(common::ensureDataFolder());
    const QString master = common::dataFolder() + common::PostCodeFileName;
    QVERIFY(makeMaster(master, oldMaster ? kOldRows : QStringList()));
    const QString folder = env.filePath(QStringLiteral("lists"));
    QVERIFY(QDir().mkpath(folder));
    const auto file = [&](const QString& name) { return QDir(folder).filePath(name); };
    QVERIFY(writeFile(file(QStringLiteral("a.csv")),
                      cp932(list({QStringLiteral("0600001"), QStringLiteral("0600002")}))));
    QVERIFY(writeFile(file(QStringLiteral("b.csv")), cp932(list({QStringLiteral("9071801")}))));
    QVERIFY(writeFile(file(QStringLiteral("bad.csv")), cp932(list({QStringLiteral("9071801")})) +
                                                           "1,2,3,4,5,6,7,8,9,0,0,0,0,0\r\n"));
    QVERIFY(writeFile(file(QStringLiteral("fake.lzh")), cp932(list({QStringLiteral("1")}))));
    QVERIFY(
        writeFile(file(QStringLiteral("refused.csv")), cp932(list({QStringLiteral("1111111")}))));
    if (lines.contains(QLatin1String(".lzh"), Qt::CaseInsensitive)) {
        QVERIFY2(jlha(folder, QStringLiteral("ken_all.lzh"), QStringLiteral("ken_all.csv"),
                      cp932(list({QStringLiteral("0600001"), QStringLiteral("0600002")}))),
                 "jlha (package jlha-utils) could not make the archive");
        QVERIFY(jlha(folder, QStringLiteral("KEN_B.LZH"), QStringLiteral("KEN_B.CSV"),
                     cp932(list({QStringLiteral("9071801")}))));
        // An archive whose member's CRC field was changed after packing.
        QVERIFY(jlha(folder, QStringLiteral("crc.lzh"), QStringLiteral("crc.csv"),
                     cp932(list({QStringLiteral("9071801")}))));
        QFile crc(file(QStringLiteral("crc.lzh")));
        QVERIFY(crc.open(QIODevice::ReadWrite));
        QByteArray bytes = crc.readAll();
        bytes[21] = char(bytes[21] ^ 0x5A); // level 2: the data's CRC
        QVERIFY(crc.seek(0) && crc.write(bytes) == bytes.size());
    }
    QVERIFY(refuseAddress(master, QStringLiteral("北海道札幌市町11")));
    if (QByteArray(QTest::currentDataTag()) == "no PostCode.mdb")
        QVERIFY(QFile::remove(master));
    const QByteArray before = LetterFile::fileHash(master);
    // A write lock held by another connection while the import runs.
    std::unique_ptr<db::Database> holder;
    if (QByteArray(QTest::currentDataTag()) == "PostCode.mdb in use") {
        holder = db::Database::open(master, db::OpenMode::ReadWrite);
        QVERIFY(holder && holder->execute(QStringLiteral("BEGIN IMMEDIATE")));
    }

    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answer(a);
    for (qsizetype i = answers.size(); i < messages.size(); ++i)
        dialogs.answer(platform::vbOK);
    import::frmCSV dialog;
    dialog.show();
    const QString list = QString(lines).replace(QStringLiteral("%D"), folder);
    dialog.txtCSV->setPlainText(list);
    dialog.cmdInport->click();

    if (holder)
        holder->execute(QStringLiteral("ROLLBACK"));
    // Each failure's reason follows on the second line; the row names a part of it.
    QStringList shown;
    const QStringList expected = messages.replaceInStrings(QStringLiteral("%D"), folder);
    const QList<ScriptedDialogs::Shown> told = dialogs.messages();
    for (qsizetype i = 0; i < told.size(); ++i) {
        const ScriptedDialogs::Shown& s = told.at(i);
        QString text = QStringLiteral("%1|%2|%3").arg(s.style).arg(s.title, s.text);
        const QStringList parts = expected.value(i).split(QStringLiteral("\r\n"));
        if (parts.size() == 2 && text.startsWith(parts[0] + QStringLiteral("\r\n")) &&
            text.indexOf(parts[1], parts[0].size()) > 0 && !text.endsWith(QStringLiteral("\r\n")))
            text = expected.value(i);
        shown << text;
    }
    QCOMPARE(shown, expected);
    QCOMPARE(dialogs.remaining(), 0);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(dialog.isVisible(), !closed);
    if (!closed)
        QCOMPARE(dialog.txtCSV->toPlainText(), list);
    if (rows.isEmpty()) {
        // The old master, byte for byte.
        QCOMPARE(LetterFile::fileHash(master), before);
    } else {
        QCOMPARE(masterRows(master), rows);
    }
}

void FrmCsvTest::chooseFiles()
{
    TestEnvironment env;
    ScriptedDialogs dialogs;
    dialogs.chooseFile(QStringLiteral("/x/a.csv"))
        .cancelFile()
        .chooseFile(QStringLiteral("/x/B.LZH"));
    import::frmCSV dialog;
    for (int i = 0; i < 3; ++i)
        dialog.cmdCSV->click();
    QCOMPARE(dialog.txtCSV->toPlainText(), QStringLiteral("/x/a.csv\n/x/B.LZH"));
    QCOMPARE(dialogs.shown().at(0).filter,
             QStringLiteral("郵便番号データベース(*.CSV,*.LZH)|*.csv;*.lzh"));
    QVERIFY(platform::QtNameFilters(dialogs.shown().at(0).filter).contains(QLatin1String("[lL]")));
    dialog.cmdRe->click();
    QVERIFY(dialog.txtCSV->toPlainText().isEmpty());

    // The window: its title, its buttons in their tab order.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("郵便番号インポート"));
    QCOMPARE(dialog.size(), QSize(333, 212));
    QList<QWidget*> order{dialog.cmdCSV,    dialog.cmdRe,  dialog.cmdCancel,
                          dialog.cmdInport, dialog.txtCSV, dialog.cmdHelp};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (order[i]->isAncestorOf(next))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
    QCOMPARE(dialog.cmdInport->text(), QStringLiteral("インポート開始"));

    // The help button opens the page of help context 11.
    dialog.cmdHelp->click();
    platform::HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<platform::HelpWindow*>(w))
            help = h;
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->currentPage(), platform::HelpWindow::pageForContext(11));
    QVERIFY(help->currentPage().toString().endsWith(QLatin1String("import.html#postcode")));
}

// From the published list in an archive to the entry form's look-up.
void FrmCsvTest::lookupFindsImportedCode()
{
    TestEnvironment env;
    QVERIFY(common::ensureDataFolder());
    const QString master = common::dataFolder() + common::PostCodeFileName;
    const QString folder = env.filePath(QStringLiteral("lists"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY2(jlha(folder, QStringLiteral("ken_all.lzh"), QStringLiteral("ken_all.csv"),
                  cp932(record(QStringLiteral("0600042"), QStringLiteral("北海道"),
                               QStringLiteral("札幌市中央区"),
                               QStringLiteral("大通西（１～１９丁目）")))),
             "jlha (package jlha-utils) could not make the archive");
    QCOMPARE(entry::LookUpPostCode(master, QStringLiteral("0600042")).status,
             entry::PostCodeLookup::Status::NotFound);

    ScriptedDialogs dialogs;
    dialogs.answer(platform::vbOK);
    import::frmCSV dialog;
    dialog.txtCSV->setPlainText(QDir(folder).filePath(QStringLiteral("ken_all.lzh")));
    dialog.cmdInport->click();
    QCOMPARE(dialogs.messages().size(), 1);

    const entry::PostCodeLookup found = entry::LookUpPostCode(master, QStringLiteral("0600042"));
    QCOMPARE(found.status, entry::PostCodeLookup::Status::Found);
    QCOMPARE(found.address, QStringLiteral("北海道札幌市中央区大通西（１～１９丁目）"));
}

void FrmCsvTest::menuOpensTheDialog()
{
    TestEnvironment env;
    shell::Form1 form;
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            static_cast<QDialog*>(modal)->reject();
        }
    });
    form.mnuYubin->trigger();
    QCOMPARE(title, QStringLiteral("郵便番号インポート"));
    QCOMPARE(form.mnuYubin->text(), QStringLiteral("郵便番号データ"));
}

QTEST_MAIN(FrmCsvTest)
#include "tst_frmcsv.moc"
