#include "shell/listorder.h"

#include <QtTest>

using namespace shell;

class ListOrderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sortsStablyAndDeterministically_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbers as numbers, the rest as text")
            << int(ColAge) << false << QStringList{"7", "10", "1a", "", "2"}
            << QStringList{"", "2", "7", "10", "1a"};
        QTest::newRow("descending") << int(ColAge) << true << QStringList{"7", "10", "1a", "", "2"}
                                    << QStringList{"1a", "10", "7", "2", ""};
        QTest::newRow("writing dates by the Western date")
            << int(ColWrittenOn) << true
            << QStringList{"平成31年04月30日", "令和1年05月01日", "平成30年12月01日", "",
                           "令和7年01月10日"}
            << QStringList{"令和7年01月10日", "令和1年05月01日", "平成31年04月30日",
                           "平成30年12月01日", ""};
        // Full-width digits, blanks and circled numbers fold to numbers; kana or a kanji
        // keep a text a text.
        QTest::newRow("widths folded, kana and kanji are texts")
            << int(ColChartNo) << false
            << QStringList{"１２", "\u3000７", "2", "12あ", "①", "十", "③0"}
            << QStringList{"①", "2", "\u3000７", "１２", "③0", "12あ", "十"};
        QTest::newRow("texts in UTF-16 order")
            << int(ColName) << false << QStringList{"佐藤", "あべ", "Ａ", "伊藤"}
            << QStringList{"あべ", "伊藤", "佐藤", "Ａ"};
    }
    void sortsStablyAndDeterministically()
    {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QStringList, values);
        QFETCH(QStringList, expected);
        QList<QStringList> rows;
        for (int i = 0; i < values.size(); ++i) {
            QStringList row(ListColumnCount);
            row[ColLetterNo] = QString::number(i + 1);
            row[column] = values[i];
            rows << row;
        }
        for (int pass = 0; pass < 2; ++pass) {
            sortListRows(rows, column, descending);
            QStringList got;
            for (const QStringList& row : rows)
                got << row[column];
            QCOMPARE(got, expected);
        }
    }

    // Many rows, most of them equal to others in the sorted column: rows that compare equal
    // keep the order they had, ascending and descending. (Short lists keep it under any sort.)
    void equalCellsKeepTheirOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("values"); // the distinct cells, in ascending order
        QTest::newRow("sex") << int(ColSex) << false << QStringList{"女　", "男　"};
        QTest::newRow("sex, descending") << int(ColSex) << true << QStringList{"女　", "男　"};
        QTest::newRow("numbers and texts")
            << int(ColAge) << false << QStringList{"", "7", "１０", "88", "八十"};
        QTest::newRow("writing dates, descending")
            << int(ColWrittenOn) << true
            << QStringList{"", "平成30年12月01日", "令和1年05月01日", "令和7年01月10日"};
    }
    void equalCellsKeepTheirOrder()
    {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QStringList, values);
        constexpr int kRows = 300;
        QList<QStringList> rows;
        QList<QStringList> numbersOfValue(values.size());
        for (int i = 0; i < kRows; ++i) {
            const int v = (i * 7 + i / 5) % int(values.size());
            QStringList row(ListColumnCount);
            row[ColLetterNo] = QString::number(i + 1);
            row[column] = values[v];
            rows << row;
            numbersOfValue[v] << row[ColLetterNo];
        }
        // The rows of each value in their first order, the values in the order asked for.
        QStringList expected;
        for (int k = 0; k < values.size(); ++k)
            expected << numbersOfValue[descending ? values.size() - 1 - k : k];

        sortListRows(rows, column, descending);
        QStringList numbers;
        for (const QStringList& row : rows)
            numbers << row[ColLetterNo];
        QCOMPARE(numbers, expected);
    }
};

QTEST_MAIN(ListOrderTest)
#include "tst_listorder.moc"
