#include "record/eradate.h"

#include <QtTest>

using namespace record;

using OptionalText = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalText)

namespace {
const OptionalText Fails = std::nullopt;
OptionalText text(const char* s)
{
    return QString::fromUtf8(s);
}
} // namespace

namespace QTest {
template <> char* toString(const OptionalText& v)
{
    return v ? QTest::toString(QStringLiteral("\"%1\"").arg(*v)) : qstrdup("(fails)");
}
} // namespace QTest

class EraDateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parts_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("part");
        QTest::addColumn<OptionalText>("printForm"); // EraDatePartSp
        QTest::addColumn<OptionalText>("stored");    // EraDatePart

        const QString d = QStringLiteral("平成20年04月01日");
        QTest::newRow("year") << d << 1 << text("20") << text("20");
        QTest::newRow("month") << d << 2 << text(" 4") << text("04");
        QTest::newRow("day") << d << 3 << text(" 1") << text("01");
        QTest::newRow("reloaded form") << "平成20年 4月 1日" << 2 << text(" 4") << text(" 4");
        QTest::newRow("day 00") << "平成20年04月00日" << 3 << text("") << text("00");
        QTest::newRow("day 0") << "平成20年04月0日" << 3 << text("") << text("0");
        QTest::newRow("month 012") << "平成20年012月01日" << 2 << text(" 2") << text("012");
        QTest::newRow("month 10") << "平成20年10月01日" << 2 << text("10") << text("10");
        QTest::newRow("empty day") << "平成20年04月日" << 3 << text("") << text("");
        QTest::newRow("empty year") << "平成年04月01日" << 1 << text("") << text("");
        QTest::newRow("令和") << "令和08年12月10日" << 1 << text(" 8") << text("08");
        QTest::newRow("不詳 year") << "不詳年月日" << 1 << text("") << text("");
        QTest::newRow("不詳 month") << "不詳年月日" << 2 << text("") << text("");
        QTest::newRow("不詳 day") << "不詳年月日" << 3 << text("") << text("");
        QTest::newRow("no 年: month is what stands before 月")
            << "平成04月01日" << 2 << text("平成04") << text("平成04");
        QTest::newRow("no 年: year fails") << "平成04月01日" << 1 << Fails << Fails;
        QTest::newRow("no 日: day fails") << "平成20年04月01" << 3 << Fails << Fails;
        QTest::newRow("日 before 月") << "平成20年日04月" << 3 << Fails << Fails;
        QTest::newRow("surrogate pair counts one")
            << QString::fromUtf8("平成𠮷9年04月01日") << 1 << text("𠮷9") << text("𠮷9");
        for (int part = 1; part <= 3; ++part) {
            QTest::addRow("00 part %d", part) << "00" << part << Fails << Fails;
            QTest::addRow("empty part %d", part) << "" << part << Fails << Fails;
            QTest::addRow("no markers part %d", part) << "2008/4/1" << part << Fails << Fails;
        }
        for (int part : {0, 4, -1}) {
            QTest::addRow("part %d of a date", part) << d << part << text("") << text("");
            QTest::addRow("part %d of empty", part) << "" << part << text("") << text("");
            QTest::addRow("part %d of 00", part) << "00" << part << text("") << text("");
        }
    }
    void parts()
    {
        QFETCH(QString, s);
        QFETCH(int, part);
        QFETCH(OptionalText, printForm);
        QFETCH(OptionalText, stored);
        QCOMPARE(EraDatePartSp(s, part), printForm);
        QCOMPARE(EraDatePart(s, part), stored);
    }

    void toSeireki_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<OptionalText>("expected");
        QTest::newRow("平成") << "平成20年04月01日" << text("2008/ 4/ 1");
        QTest::newRow("昭和") << "昭和05年12月25日" << text("1930/12/25");
        QTest::newRow("明治") << "明治45年07月30日" << text("1912/ 7/30");
        QTest::newRow("大正") << "大正15年12月24日" << text("1926/12/24");
        QTest::newRow("令和") << "令和08年12月10日" << text("2026/12/10");
        QTest::newRow("令和 first day") << "令和01年05月01日" << text("2019/ 5/ 1");
        QTest::newRow("empty year") << "平成年04月01日" << text("1988/ 4/ 1");
        QTest::newRow("empty day") << "平成20年04月日" << text("2008/ 4/");
        QTest::newRow("year \" 5\"") << "昭和 5年12月25日" << text("1930/12/25");
        QTest::newRow("year \"5\"") << "昭和5年12月25日" << text("1930/12/25");
        QTest::newRow("year with letters") << "昭和5a年12月25日" << text("1930/12/25");
        QTest::newRow("year with a fraction") << "昭和5.5年12月25日" << text("1930.5/12/25");
        QTest::newRow("令和元年") << "令和元年05月01日" << text("2019/ 5/ 1");
        QTest::newRow("平成元年") << "平成元年01月08日" << text("1989/ 1/ 8");
        QTest::newRow("元年 padded by the box") << "昭和0元年12月25日" << text("1926/12/25");
        QTest::newRow("元年 with blanks") << "平成 元 年1月8日" << text("1989/1/8");
        QTest::newRow("元 is no other year") << "平成元1年01月08日" << text("1988/ 1/ 8");
        QTest::newRow("full-width digits") << "平成３０年０４月０１日" << text("2018/ 4/ 1");
        QTest::newRow("full-width without zeros") << "平成３０年４月１日" << text("2018/4/1");
        QTest::newRow("full-width blanks")
            << "令和\u3000７年１２月\u3000１日" << text("2025/12/ 1");
        QTest::newRow("full-width 元年") << "令和元年０５月０１日" << text("2019/ 5/ 1");
        QTest::newRow("不詳") << "不詳20年04月01日" << text("");
        QTest::newRow("00") << "00" << text("");
        QTest::newRow("empty") << "" << text("");
        QTest::newRow("unknown era") << "西暦20年04月01日" << text("");
        QTest::newRow("missing 日 fails") << "平成20年04月01" << Fails;
        QTest::newRow("missing 年 fails") << "平成20/04月01日" << Fails;
    }
    void toSeireki()
    {
        QFETCH(QString, s);
        QFETCH(OptionalText, expected);
        QCOMPARE(EraToSeireki(s), expected);
    }

    // The date is the one EraToSeireki's text names, read as its year, month and day.
    void toDate_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<QDate>("expected"); // invalid: no date
        const QDate none;
        QTest::newRow("平成") << "平成20年04月01日" << QDate(2008, 4, 1);
        QTest::newRow("令和元年") << "令和元年05月01日" << QDate(2019, 5, 1);
        QTest::newRow("元年 padded") << "令和0元年05月01日" << QDate(2019, 5, 1);
        QTest::newRow("full-width") << "平成３０年４月１日" << QDate(2018, 4, 1);
        QTest::newRow("full-width blanks")
            << "令和\u3000７年１２月\u3000１日" << QDate(2025, 12, 1);
        QTest::newRow("reloaded form") << "令和 1年 5月 2日" << QDate(2019, 5, 2);
        QTest::newRow("明治") << "明治45年07月30日" << QDate(1912, 7, 30);
        QTest::newRow("past its era's end") << "平成31年05月01日" << QDate(2019, 5, 1);
        QTest::newRow("empty year") << "平成年04月01日" << QDate(1988, 4, 1);
        QTest::newRow("year 00") << "平成00年04月01日" << QDate(1988, 4, 1);
        QTest::newRow("year with letters") << "昭和5a年12月25日" << QDate(1930, 12, 25);
        QTest::newRow("whole year with a point") << "昭和5.0年12月25日" << QDate(1930, 12, 25);
        QTest::newRow("year with a fraction") << "昭和5.5年12月25日" << none;
        QTest::newRow("month 012 in print form") << "平成20年012月01日" << QDate(2008, 2, 1);
        QTest::newRow("month with a sign") << "平成20年+4月01日" << QDate(2008, 4, 1);
        QTest::newRow("empty day") << "平成20年04月日" << none;
        QTest::newRow("day 00") << "平成20年04月00日" << none;
        QTest::newRow("day with letters") << "平成20年04月1a日" << none;
        QTest::newRow("元 month") << "平成20年元月01日" << none;
        QTest::newRow("2月30日") << "平成20年02月30日" << none;
        QTest::newRow("month 13") << "平成20年13月01日" << none;
        QTest::newRow("huge year") << "平成99999999999年01月01日" << none;
        QTest::newRow("不詳") << "不詳20年04月01日" << none;
        QTest::newRow("unknown era") << "西暦20年04月01日" << none;
        QTest::newRow("no 日") << "平成20年04月01" << none;
        QTest::newRow("月 before 年") << "平成04月01年01日" << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("00") << "00" << none;
        QTest::newRow("text") << "不明" << none;
    }
    void toDate()
    {
        QFETCH(QString, s);
        QFETCH(QDate, expected);
        const std::optional<QDate> date = EraDateToDate(s);
        QCOMPARE(date.value_or(QDate()), expected);
        // The same date as EraToSeireki's text names.
        QDate named;
        const std::optional<QString> western = EraToSeireki(s);
        const QStringList parts = western.value_or(QString()).split(u'/');
        if (parts.size() == 3) {
            bool y = false, m = false, d = false;
            named = QDate(parts[0].trimmed().toInt(&y), parts[1].trimmed().toInt(&m),
                          parts[2].trimmed().toInt(&d));
            if (!y || !m || !d)
                named = QDate();
        }
        QCOMPARE(date.value_or(QDate()), named);
    }

    void numberForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half-width") << "20" << 1 << "20";
        QTest::newRow("full-width digits") << "２０" << 1 << "20";
        QTest::newRow("full-width blank") << "\u3000４" << 2 << " 4";
        QTest::newRow("元 year") << "元" << 1 << "1";
        QTest::newRow("元 year printed") << " 元" << 1 << "1";
        QTest::newRow("元 year padded") << "0元" << 1 << "1";
        QTest::newRow("元 month stays") << "元" << 2 << "元";
        QTest::newRow("元 day stays") << "元" << 3 << "元";
        QTest::newRow("元 with a digit stays") << "元1" << 1 << "元1";
        QTest::newRow("other kanji") << "十" << 1 << "十";
        QTest::newRow("empty") << "" << 1 << "";
    }
    void numberForm()
    {
        QFETCH(QString, text);
        QFETCH(int, part);
        QFETCH(QString, expected);
        QCOMPARE(NumberForm(text, part), expected);
    }

    void eraOfDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("era");
        QTest::addColumn<int>("year");
        QTest::newRow("today") << QDate(2026, 12, 10) << "令和" << 8;
        QTest::newRow("first day of 令和") << QDate(2019, 5, 1) << "令和" << 1;
        QTest::newRow("last day of 平成") << QDate(2019, 4, 30) << "平成" << 31;
        QTest::newRow("平成") << QDate(2008, 4, 1) << "平成" << 20;
    }
    void eraOfDate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, era);
        QFETCH(int, year);
        const EraYear e = EraOfDate(date);
        QCOMPARE(e.era, era);
        QCOMPARE(e.year, year);
    }
};

QTEST_GUILESS_MAIN(EraDateTest)
#include "tst_eradate.moc"
