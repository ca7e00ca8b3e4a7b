#include "platform/database.h"
#include "platform/preparedstatement.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using db::Database;
using db::OpenMode;
using db::Variant;

// Texts keep every character through a store and a read, and the engine's failures reach the
// user as Japanese sentences.
class DatabaseTextsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_path;

    std::unique_ptr<Database> freshFile()
    {
        m_path = m_dir.filePath(QStringLiteral("texts-%1.mdb").arg(++m_count));
        auto db = Database::create(m_path);
        if (db)
            db->execute(QStringLiteral("CREATE TABLE 記録 (番号 INTEGER, 名前 TEXT)"));
        return db;
    }
    int m_count = 0;

private Q_SLOTS:
    void textsRoundTrip_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("readBack");
        const QChar bom(0xFEFF);
        QTest::newRow("leading U+FEFF") << QString(bom) + "佐藤" << QString(bom) + "佐藤";
        QTest::newRow("U+FEFF alone") << QString(bom) << QString(bom);
        QTest::newRow("pair kept")
            << QString::fromUtf16(u"𠮷野家") << QString::fromUtf16(u"𠮷野家");
        QTest::newRow("lone high surrogate keeps the next character")
            << QString::fromUtf16(u"a\xD842"
                                  u"b")
            << QString::fromUtf16(u"a\xFFFD"
                                  u"b");
        QTest::newRow("lone low surrogate")
            << QString::fromUtf16(u"a\xDFB7") << QString::fromUtf16(u"a\xFFFD");
        QTest::newRow("high surrogate at the end")
            << QString::fromUtf16(u"名\xD842") << QString::fromUtf16(u"名\xFFFD");
        QTest::newRow("CR LF and tab")
            << QStringLiteral("一\r\n\t二") << QStringLiteral("一\r\n\t二");
        QTest::newRow("empty, not Null") << QString("") << QString("");
    }
    void textsRoundTrip()
    {
        QFETCH(QString, stored);
        QFETCH(QString, readBack);
        auto db = freshFile();
        QVERIFY(db);
        // Through a statement's places, a recordset's edit buffer and a prepared statement.
        QVERIFY(db->execute(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (1, ?)"),
                            {Variant::fromString(stored)}));
        auto rs = db->openTable(QStringLiteral("記録"));
        QVERIFY(rs && rs->addNew() && rs->setField(QStringLiteral("番号"), Variant::fromLong(2)) &&
                rs->setField(QStringLiteral("名前"), Variant::fromString(stored)) && rs->update());
        auto insert = db->prepare(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (?, ?)"));
        QVERIFY(insert);
        insert->bind(1, Variant::fromLong(3));
        insert->bindText(2, stored);
        QVERIFY(insert->run());
        auto read = db->openDynaset(QStringLiteral("SELECT 名前 FROM 記録 ORDER BY 番号"));
        QVERIFY(read);
        for (int i = 0; i < 3; ++i, read->moveNext()) {
            const Variant v = read->field(QStringLiteral("名前"));
            QCOMPARE(v.type(), Variant::Type::String);
            QCOMPARE(v.toString(), readBack);
        }
    }

    // A save cut off in its commit leaves the data file half-written and its journal hot;
    // reading it afterwards (loading a letter, the sheet) rolls the journal back first.
    void readOnlyOpenRollsBackACutOffSave()
    {
        auto db = freshFile();
        QVERIFY(db &&
                db->execute(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (1, '元')")));
        db.reset();
        const QString crashed = m_dir.filePath(QStringLiteral("crashed.mdb"));
        {
            // The file pair as a crash in the commit leaves it: copied while the
            // transaction has written pages into the file.
            auto writer = Database::open(m_path, OpenMode::ReadWrite);
            QVERIFY(writer && writer->execute(QStringLiteral("PRAGMA cache_size=1")));
            QVERIFY(writer->beginTrans());
            for (int i = 0; i < 300; ++i)
                QVERIFY(writer->execute(
                    QStringLiteral("UPDATE 記録 SET 名前 = ? WHERE 番号 = 1; "
                                   "INSERT INTO 記録 (番号, 名前) VALUES (?, ?)"),
                    {Variant::fromString(QStringLiteral("途中")), Variant::fromLong(100 + i),
                     Variant::fromString(QString(500, QChar(u'壊')))}));
            QVERIFY(QFile::copy(m_path, crashed));
            QVERIFY(QFile::copy(m_path + QStringLiteral("-journal"),
                                crashed + QStringLiteral("-journal")));
            writer->rollback();
        }
        QString error;
        auto reader = Database::open(crashed, OpenMode::ReadOnly, &error);
        QVERIFY2(reader, qPrintable(error));
        auto rows = reader->openDynaset(QStringLiteral("SELECT 番号, 名前 FROM 記録"));
        QVERIFY(rows);
        QCOMPARE(rows->field(QStringLiteral("名前")).toString(), QStringLiteral("元"));
        rows->moveNext();
        QVERIFY(rows->eof());
        QVERIFY(!QFile::exists(crashed + QStringLiteral("-journal")));
        QVERIFY(reader->integrityCheck());
    }

    // A prepared statement runs again and again with new values; a run the engine refuses
    // says why and the next run goes on.
    void preparedStatementRuns()
    {
        auto db = freshFile();
        QVERIFY(db && db->execute(QStringLiteral("CREATE UNIQUE INDEX 番号 ON 記録 (番号)")));
        QString error;
        QVERIFY(!db->prepare(QStringLiteral("SELECT 1; SELECT 2"), &error));
        QVERIFY(!error.isEmpty());
        auto insert = db->prepare(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (?, ?)"));
        QVERIFY(insert);
        QCOMPARE(insert->placeCount(), 2);
        const int numbers[] = {1, 2, 2, 3};
        int refused = 0;
        for (int n : numbers) {
            insert->bind(1, Variant::fromLong(n));
            insert->bindText(2, QString(n, u'名'));
            error.clear();
            if (!insert->run(&error)) {
                ++refused;
                QVERIFY(!error.isEmpty());
            }
        }
        QCOMPARE(refused, 1);
        auto read = db->openDynaset(QStringLiteral("SELECT 名前 FROM 記録 ORDER BY 番号"));
        QStringList names;
        for (; read && !read->eof(); read->moveNext())
            names << read->field(QStringLiteral("名前")).toString();
        QCOMPARE(names, (QStringList{"名", "名名", "名名名"}));
    }

    void engineCodesInJapanese_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("words"); // the engine's own, "" for any
        QTest::newRow("full") << SQLITE_FULL << "ディスクの空き容量が足りません。" << QString();
        QTest::newRow("busy") << SQLITE_BUSY
                              << "データファイルが他のプログラムで使用中です。"
                                 "しばらくしてからもう一度保存してください。"
                              << QString();
        QTest::newRow("locked") << SQLITE_LOCKED
                                << "データファイルが他のプログラムで使用中です。"
                                   "しばらくしてからもう一度保存してください。"
                                << QString();
        QTest::newRow("read-only")
            << SQLITE_READONLY << "データファイルに書き込めません（読み取り専用です）。"
            << QString();
        QTest::newRow("not a database")
            << SQLITE_NOTADB << "このファイルは意見書のデータファイルではありません。" << QString();
        QTest::newRow("disk I/O error (extended)")
            << SQLITE_IOERR_WRITE << "ディスクの読み書きに失敗しました。" << QString();
        QTest::newRow("damaged") << SQLITE_CORRUPT << "データファイルが壊れています。" << QString();
        // The engine's words on other failures, told in Japanese: what they name, or the code.
        const QString other = QStringLiteral("データベースの処理に失敗しました。（%1）");
        QTest::newRow("a missing table")
            << SQLITE_ERROR << other.arg("表「申請者情報」がありません")
            << "no such table: 申請者情報";
        QTest::newRow("a missing column")
            << SQLITE_ERROR << other.arg("項目「患者名」がありません") << "no such column: 患者名";
        QTest::newRow("a number held twice")
            << SQLITE_CONSTRAINT_UNIQUE
            << other.arg("「申請者情報.作成NO」の値がほかのデータと重なっています")
            << "UNIQUE constraint failed: 申請者情報.作成NO";
        QTest::newRow("a trigger's own words left out")
            << SQLITE_CONSTRAINT_TRIGGER
            << other.arg("データファイルのトリガーが書き込みを拒みました") << "refused";
        QTest::newRow("words it does not know: the code")
            << SQLITE_ERROR << other.arg("エラー番号 1") << "something else went wrong";
    }
    void engineCodesInJapanese()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QString, words);
        QCOMPARE(
            db::engineErrorText(code, words.isEmpty() ? QStringLiteral("engine words") : words),
            text);
    }

    // Every failure of the layer reaches the user in Japanese: its own, the engine's words,
    // the findings of the engine's check.
    void layerFailuresAreToldInJapanese_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("told");
        QTest::newRow("an index the table lacks") << "index"
                                                  << "表「記録」に索引「順」がありません。";
        QTest::newRow("a table the file lacks") << "table"
                                                << "データファイルに表「なし」がありません。";
        QTest::newRow("a field the table lacks") << "field"
                                                 << "項目「なし」がありません。";
        QTest::newRow("an update without an edit") << "update"
                                                   << "レコードが編集中ではありません。";
        QTest::newRow("fewer values than places") << "values"
                                                  << "SQL 文の値の場所（2 か所）";
        QTest::newRow("a column the engine does not know")
            << "column"
            << "データベースの処理に失敗しました。（項目「なし」がありません）";
        QTest::newRow("a missing file") << "file"
                                        << "ファイルまたはフォルダがありません";
        QTest::newRow("damage the engine's check finds")
            << "damage"
            << "データファイルが壊れています（索引「番号順」に行 2 がありません";
    }
    void layerFailuresAreToldInJapanese()
    {
        QFETCH(QString, failure);
        QFETCH(QString, told);
        auto db = freshFile();
        QVERIFY(db && db->execute(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (1, '一'), "
                                                 "(2, '二')")));
        QString error;
        if (failure == QLatin1String("index")) {
            auto rs = db->openTable(QStringLiteral("記録"));
            QVERIFY(rs && !rs->setIndex(QStringLiteral("順"), &error));
        } else if (failure == QLatin1String("table")) {
            QVERIFY(!db->openTable(QStringLiteral("なし"), &error));
        } else if (failure == QLatin1String("field")) {
            auto rs = db->openTable(QStringLiteral("記録"));
            QVERIFY(rs && rs->edit() && !rs->setField(QStringLiteral("なし"), {}, &error));
        } else if (failure == QLatin1String("update")) {
            auto rs = db->openTable(QStringLiteral("記録"));
            QVERIFY(rs && !rs->update(&error));
        } else if (failure == QLatin1String("values")) {
            QVERIFY(!db->execute(QStringLiteral("INSERT INTO 記録 (番号, 名前) VALUES (?, ?)"),
                                 {Variant::fromLong(3)}, &error));
        } else if (failure == QLatin1String("column")) {
            QVERIFY(!db->execute(QStringLiteral("UPDATE 記録 SET なし = 1"), {}, &error));
        } else if (failure == QLatin1String("file")) {
            QVERIFY(!Database::open(m_dir.filePath(QStringLiteral("なし/ない")),
                                    OpenMode::ReadWrite, &error) &&
                    !Database::create(m_dir.filePath(QStringLiteral("なし/ない")), &error));
        } else {
            // The name changed in the row alone: its entry in the index no longer matches.
            QVERIFY(db->execute(QStringLiteral("CREATE INDEX 番号順 ON 記録 (番号, 名前)")));
            db.reset();
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray bytes = file.readAll();
            const QByteArray name = QStringLiteral("二").toUtf8();
            const qint64 at = bytes.indexOf(name);
            QVERIFY(at >= 0);
            QVERIFY(file.seek(at) && file.write(QStringLiteral("三").toUtf8()) == name.size());
            file.close();
            db = Database::open(m_path, OpenMode::ReadOnly);
            QVERIFY(db && !db->integrityCheck(&error));
        }
        QVERIFY2(error.contains(told), qPrintable(error));
        // File names left out, not a word of English.
        error.remove(m_dir.path());
        QVERIFY2(!error.contains(QRegularExpression(QStringLiteral("[a-z]{2,}"))),
                 qPrintable(error));
    }

    // A file in use names what was refused, so that the user knows what to try again; a
    // save keeps its words. Told directly and through the scope the caller sets.
    void busyNamesTheRefusedAction_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("ending");
        QTest::newRow("save") << int(db::Action::Save) << "もう一度保存してください。";
        QTest::newRow("deletion") << int(db::Action::Delete) << "もう一度削除してください。";
        QTest::newRow("import") << int(db::Action::Import) << "もう一度インポートしてください。";
        QTest::newRow("restore") << int(db::Action::Restore)
                                 << "もう一度データ復帰を行ってください。";
        QTest::newRow("backup") << int(db::Action::Backup)
                                << "もう一度データ保存を行ってください。";
    }
    void busyNamesTheRefusedAction()
    {
        QFETCH(int, action);
        QFETCH(QString, ending);
        const QString text = QStringLiteral("データファイルが他のプログラムで使用中です。"
                                            "しばらくしてから") +
                             ending;
        const auto refused = db::Action(action);
        QCOMPARE(db::engineErrorText(SQLITE_BUSY, QString(), refused), text);
        QCOMPARE(db::engineErrorText(SQLITE_LOCKED, QString(), refused), text);
        {
            const db::ActionScope outer(db::Action::Import);
            {
                const db::ActionScope scope(refused);
                QCOMPARE(db::engineErrorText(SQLITE_BUSY, QString()), text);
                // A real lock, held by another connection, told the same way.
                freshFile();
                auto holder = Database::open(m_path, OpenMode::ReadWrite);
                QVERIFY(holder && holder->execute(QStringLiteral("BEGIN IMMEDIATE")));
                auto db = Database::open(m_path, OpenMode::ReadWrite);
                QVERIFY(db && db->execute(QStringLiteral("PRAGMA busy_timeout=0")));
                QString error;
                QVERIFY(!db->beginTrans(&error));
                QCOMPARE(error, text);
                holder->execute(QStringLiteral("ROLLBACK"));
            }
            QCOMPARE(db::ActionScope::current(), db::Action::Import);
        }
        QCOMPARE(db::ActionScope::current(), db::Action::Save);
    }

    // The real failures, as the engine gives them, come out in Japanese.
    void realFailuresAreToldInJapanese()
    {
        QString error;
        {
            auto db = freshFile();
            QVERIFY(db);
            QVERIFY(db->execute(QStringLiteral("PRAGMA max_page_count=3")));
            QVERIFY(!db->execute(QStringLiteral("INSERT INTO 記録 (名前) VALUES (?)"),
                                 {Variant::fromString(QString(100000, 'x'))}, &error));
            QCOMPARE(error, QStringLiteral("ディスクの空き容量が足りません。"));
        }
        {
            freshFile();
            auto db = Database::open(m_path, OpenMode::ReadOnly);
            QVERIFY(db);
            QVERIFY(!db->execute(QStringLiteral("INSERT INTO 記録 (番号) VALUES (1)"), {}, &error));
            QVERIFY2(error.contains(QStringLiteral("読み取り専用")), qPrintable(error));
        }
        {
            freshFile();
            auto holder = Database::open(m_path, OpenMode::ReadWrite);
            QVERIFY(holder && holder->execute(QStringLiteral("PRAGMA busy_timeout=0")));
            QVERIFY(holder->execute(QStringLiteral("BEGIN IMMEDIATE")));
            QVERIFY(holder->execute(QStringLiteral("INSERT INTO 記録 (番号) VALUES (9)")));
            auto db = Database::open(m_path, OpenMode::ReadWrite, &error);
            if (db) {
                QVERIFY(db->execute(QStringLiteral("PRAGMA busy_timeout=0")));
                QVERIFY(
                    !db->execute(QStringLiteral("INSERT INTO 記録 (番号) VALUES (1)"), {}, &error));
            }
            QVERIFY2(error.contains(QStringLiteral("他のプログラムで使用中")), qPrintable(error));
            holder->execute(QStringLiteral("ROLLBACK"));
        }
        for (const auto& words :
             {QStringLiteral("database or disk is full"), QStringLiteral("database is locked"),
              QStringLiteral("attempt to write a readonly database"),
              QStringLiteral("file is not a database"), QStringLiteral("disk I/O error")})
            QVERIFY(!error.contains(words));
    }
};

QTEST_MAIN(DatabaseTextsTest)
#include "tst_databasetexts.moc"
