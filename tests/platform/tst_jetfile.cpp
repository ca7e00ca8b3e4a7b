#include "platform/jetfile.h"

#include <QFile>
#include <QtTest>

using db::Variant;
using platform::JetFile;
using platform::JetTable;

namespace {

const QString JetDir = QStringLiteral(RUVIRO_SOURCE_DIR "/tests/data/jet/");

QByteArray fileBytes(const QString& name)
{
    QFile file(JetDir + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Variant text(const char* s)
{
    return Variant::fromString(QString::fromUtf8(s));
}

} // namespace

class JetFileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tablesInCatalogOrder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("rowCounts");
        QTest::newRow("basic") << "source-basic.mdb" << QList<int>{7, 7, 6, 35, 3};
        QTest::newRow("empty masters") << "source-empty-masters.mdb" << QList<int>{2, 2, 2, 0, 0};
        QTest::newRow("missing column")
            << "source-missing-column.mdb" << QList<int>{7, 7, 6, 35, 3};
        QTest::newRow("no letters") << "source-no-letters.mdb" << QList<int>{0, 0, 0, 5, 2};
    }
    void tablesInCatalogOrder()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, rowCounts);
        QString error;
        const auto jet = JetFile::open(JetDir + file, &error);
        QVERIFY2(jet, qPrintable(error));
        const QStringList expected{"意見書基本情報", "意見書その他", "意見書心身と介護の情報",
                                   "定型文マスタ", "医師マスタ"};
        QCOMPARE(jet->tables(), expected);
        for (int i = 0; i < expected.size(); ++i) {
            const auto table = jet->readTable(expected.at(i), &error);
            QVERIFY2(table, qPrintable(error));
            QCOMPARE(table->rows.size(), rowCounts.at(i));
            for (const QList<Variant>& row : table->rows)
                QCOMPARE(row.size(), table->columns.size());
        }
    }

    void columns_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("count");
        QTest::newRow("基本情報") << "source-basic.mdb"
                                  << "意見書基本情報" << 57;
        QTest::newRow("その他") << "source-basic.mdb"
                                << "意見書その他" << 36;
        QTest::newRow("心身") << "source-basic.mdb"
                              << "意見書心身と介護の情報" << 91;
        QTest::newRow("その他 without a column") << "source-missing-column.mdb"
                                                 << "意見書その他" << 35;
    }
    void columns()
    {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(int, count);
        const auto jet = JetFile::open(JetDir + file);
        QVERIFY(jet);
        const auto read = jet->readTable(table);
        QVERIFY(read);
        QCOMPARE(read->columns.size(), count);
        QCOMPARE(read->columns.first(), QStringLiteral("作成NO"));
    }

    // Names match without regard to width and case; the stored spelling is kept.
    void namesMatchWidthInsensitive_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ASCII digit") << "診断名1"
                                     << "診断名１";
        QTest::newRow("full-width digit") << "用量６"
                                          << "用量６";
        QTest::newRow("full-width letters") << "医療機関ＦＡＸ"
                                            << "医療機関FAX";
        QTest::newRow("lower case") << "作成no"
                                    << "作成NO";
    }
    void namesMatchWidthInsensitive()
    {
        QFETCH(QString, asked);
        QFETCH(QString, stored);
        const auto jet = JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(jet);
        const auto table = jet->readTable(QStringLiteral("意見書基本情報"));
        QVERIFY(table);
        const int column = table->column(asked);
        QVERIFY(column >= 0);
        QCOMPARE(table->columns.at(column), stored);
        QVERIFY(jet->readTable(QStringLiteral("意見書基本情報")));
        QCOMPARE(table->column(QStringLiteral("診断名4")), -1);
    }

    // Values as stored, rows in physical order: Null apart from "", CR LF, tabs, the
    // characters of code page 932 that differ from other Shift_JIS tables, numbers and flags.
    void values_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<Variant>("expected");
        const QString basic = QStringLiteral("意見書基本情報");
        const QString other = QStringLiteral("意見書その他");
        const QString care = QStringLiteral("意見書心身と介護の情報");
        // 基本情報 physical order: 2, 5, 9, 14, 15, 20, 31.
        QTest::newRow("作成NO of the first row") << basic << 0 << "作成NO" << Variant::fromLong(2);
        QTest::newRow("作成NO of the last row") << basic << 6 << "作成NO" << Variant::fromLong(31);
        QTest::newRow("empty text") << basic << 2 << "記入日" << text("");
        QTest::newRow("Null text") << basic << 2 << "医師名" << Variant();
        QTest::newRow("full-width space") << basic << 1 << "医師名" << text("中村　美穂");
        QTest::newRow("髙﨑") << basic << 1 << "医療機関名"
                              << text("医療法人　髙﨑会　ひまわり病院");
        QTest::newRow("ゑ") << basic << 4 << "患者名" << text("渡辺 ゑい子");
        QTest::newRow("Integer") << basic << 1 << "性別" << Variant::fromInteger(3);
        QTest::newRow("Null Integer") << basic << 2 << "性別" << Variant();
        QTest::newRow("Double") << basic << 0 << "用量3" << Variant::fromDouble(0.5);
        QTest::newRow("Double 1.5") << basic << 1 << "用量１" << Variant::fromDouble(1.5);
        QTest::newRow("Null Double") << basic << 0 << "用量5" << Variant();
        QTest::newRow("blank-padded date") << basic << 3 << "生年月日" << text("昭和 8年 1月 9日");
        QTest::newRow("half-width katakana") << basic << 3 << "薬剤名5" << text("ﾌﾟﾚﾄﾞﾆｿﾞﾛﾝ散1%");
        QTest::newRow("μ") << basic << 4 << "薬剤名1" << text("チオトロピウム吸入用カプセル18μg");
        QTest::newRow("memo with CR LF and ①②")
            << basic << 1 << "病状治療状態"
            << text("平成29年7月、脳梗塞を発症し救急搬送。\r\n右片麻痺が残存し、リハビリ継続中。"
                    "\r\n\r\n令和2年1月、心房細動を指摘され抗凝固療法を開始。\r\n①ワルファリン内服"
                    "\r\n②月1回のPT-INR測定");
        // その他 physical order: 14, 2, 31, 9, 20, 5, 15.
        QTest::newRow("other: 作成NO") << other << 0 << "作成NO" << Variant::fromLong(14);
        QTest::newRow("Yes/No True") << other << 5 << "点滴管理" << Variant::fromBool(true);
        QTest::newRow("Yes/No False") << other << 0 << "点滴管理" << Variant::fromBool(false);
        QTest::newRow("memo ending in CR LF, ～")
            << other << 5 << "意見書特記事項"
            << text("主介護者は長男の妻（６５歳）。\r\n平日は朝～夕方まで独居となる。\r\n");
        QTest::newRow("㈱") << other << 6 << "意見書特記事項"
                            << text("在宅酸素療法中のため火気厳禁。\r\nＨＯＴ業者：㈱サンプル医療");
        QTest::newRow("Null memo") << other << 3 << "意見書特記事項" << Variant();
        // 心身と介護の情報 physical order: 31, 15, 14, 9, 5, 2.
        QTest::newRow("care: 作成NO") << care << 0 << "作成NO" << Variant::fromLong(31);
        QTest::newRow("negative Integer") << care << 4 << "認知能力" << Variant::fromInteger(-1);
        QTest::newRow("three blanks") << care << 0 << "尿失禁対処方針" << text("   ");
        QTest::newRow("full-width parentheses") << care << 2 << "麻痺部位" << text("四肢（完全）");
        QTest::newRow("half-width parentheses") << care << 4 << "麻痺部位" << text("四肢(不全)");
        QTest::newRow("～ in text") << care << 4 << "四肢欠損部位" << text("左第２～４指");
    }
    void values()
    {
        QFETCH(QString, table);
        QFETCH(int, row);
        QFETCH(QString, column);
        QFETCH(Variant, expected);
        const auto jet = JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(jet);
        const auto read = jet->readTable(table);
        QVERIFY(read);
        const int c = read->column(column);
        QVERIFY2(c >= 0, qPrintable(column));
        const Variant actual = read->rows.at(row).at(c);
        QVERIFY2(actual == expected, qPrintable(QStringLiteral("%1 (%2) != %3 (%4)")
                                                    .arg(actual.toString())
                                                    .arg(int(actual.type()))
                                                    .arg(expected.toString())
                                                    .arg(int(expected.type()))));
    }

    void longMemoWhole()
    {
        const auto jet = JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(jet);
        const auto other = jet->readTable(QStringLiteral("意見書その他"));
        QVERIFY(other);
        const QString memo = other->rows.at(2).at(other->column("意見書特記事項")).toString();
        QCOMPARE(memo.size(), 2317);
        QVERIFY(memo.startsWith(QStringLiteral("【令和3年10月】\r\n訪問診療時、意識清明。")));
        QVERIFY(memo.endsWith(QStringLiteral("短期入所の利用を検討している。")));
    }

    void mastersInPhysicalOrder()
    {
        const auto jet = JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(jet);
        const auto phrases = jet->readTable(QStringLiteral("定型文マスタ"));
        QVERIFY(phrases);
        QCOMPARE(phrases->rows.at(3).at(0), Variant::fromInteger(0));
        QCOMPARE(phrases->rows.at(3).at(1), text("未分類の定型文"));
        QCOMPARE(phrases->rows.at(33).at(0), Variant());
        QCOMPARE(phrases->rows.at(34).at(1), text("アムロジピン錠5mg"));
        const auto doctors = jet->readTable(QStringLiteral("医師マスタ"));
        QVERIFY(doctors);
        QCOMPARE(doctors->rows.at(1).at(0), text("中村　美穂"));
    }

    // Files libmdb is never handed: wrong kind, cut short, or an unknown format.
    void refusedBeforeLibmdb_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray jet = fileBytes("source-basic.mdb");
        QByteArray ace = jet;
        ace[0x14] = 2;
        QByteArray sqlite("SQLite format 3");
        sqlite.append(QByteArray(8192 - sqlite.size(), '\0'));
        QTest::newRow("empty") << QByteArray()
                               << "Jet データベース（.mdb）のファイルではありません。";
        QTest::newRow("SQLite file")
            << sqlite << "Jet データベース（.mdb）のファイルではありません。";
        QTest::newRow("cut inside a page")
            << jet.left(jet.size() - 100) << "データベースのファイルが途中で切れています。";
        QTest::newRow("header page alone")
            << jet.left(4096) << "データベースのファイルが途中で切れています。";
        QTest::newRow("unknown version")
            << ace << "このファイルの形式（Jet バージョン 2）は読めません。";
    }
    void refusedBeforeLibmdb()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!JetFile::fromBytes(bytes, &error));
        QCOMPARE(error, message);
    }

    // A table whose usage map is empty (found by fuzzing: libmdb crashed scanning it) is
    // refused with the reason, like the file's other damaged tables.
    void damagedTableRefused()
    {
        const auto jet = JetFile::open(JetDir + "damaged-usage-map.mdb");
        QVERIFY(jet);
        int refused = 0; // for the empty usage map
        for (const QString& name : jet->tables()) {
            QString error;
            if (jet->readTable(name, &error)) {
                continue;
            } else if (error == QStringLiteral("表「%1」が壊れています。").arg(name)) {
                ++refused;
            } else {
                QCOMPARE(error, QStringLiteral("表「%1」を読めません。").arg(name));
            }
        }
        QVERIFY(refused >= 1);
    }

    void missingTableAndFile()
    {
        QString error;
        QVERIFY(!JetFile::open(JetDir + "no-such.mdb", &error));
        QVERIFY(error.contains(QStringLiteral("を読めません。")));
        const auto jet = JetFile::open(JetDir + "source-basic.mdb");
        QVERIFY(jet);
        QVERIFY(!jet->readTable(QStringLiteral("患者"), &error));
        QCOMPARE(error, QStringLiteral("表「患者」がありません。"));
    }
};

QTEST_GUILESS_MAIN(JetFileTest)
#include "tst_jetfile.moc"
