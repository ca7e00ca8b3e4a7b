// The text boxes' own behaviour: the age rule, the leading "0" of date parts, the whole text
// selected on focus, and the age box.
#include "common/fontsubstitution.h"
#include "entry/nenrei.h"
#include "handlerfixture.h"
#include "platform/clock.h"

#include <QLineEdit>
#include <QtTest>

using namespace controls;
using entry::EraDateBoxes;

Q_DECLARE_METATYPE(EraDateBoxes)

namespace {

// "昭和20年05月03日" → its boxes; "" or a text without the markers → the parts as split.
EraDateBoxes boxes(const QString& date)
{
    EraDateBoxes d;
    d.era = date.left(2);
    const qsizetype y = date.indexOf(u'年');
    const qsizetype m = date.indexOf(u'月');
    const qsizetype dd = date.indexOf(u'日');
    if (y < 0 || m < 0 || dd < 0)
        return d;
    d.year = date.mid(2, y - 2);
    d.month = date.mid(y + 1, m - y - 1);
    d.day = date.mid(m + 1, dd - m - 1);
    return d;
}

void giveFocus(handlertest::Form& form, Control* box)
{
    form.showPageOf(box);
    box->widget()->setFocus(Qt::OtherFocusReason);
    QVERIFY(box->widget()->hasFocus());
}

} // namespace

class TextBoxesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void cleanup() { platform::setToday(QDate()); }

    void ageOn_data();
    void ageOn();
    void leadingZero_data();
    void leadingZero();
    void selectAllOnFocus_data();
    void selectAllOnFocus();
    void ageBoxComputesOnFocus_data();
    void ageBoxComputesOnFocus();
    void todayRecomputesTheAge();

private:
    void activate(handlertest::Form& form)
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*form));
    }
};

void TextBoxesTest::ageOn_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("writing");
    QTest::addColumn<int>("age"); // -1: no age

    QTest::newRow("day before the birthday") << "昭和20年05月03日"
                                             << "平成18年05月02日" << 60;
    QTest::newRow("on the birthday") << "昭和20年05月03日"
                                     << "平成18年05月03日" << 61;
    QTest::newRow("令和 writing date") << "昭和20年05月03日"
                                       << "令和7年04月01日" << 79;
    QTest::newRow("one-digit parts") << "昭和20年5月3日"
                                     << "令和7年5月3日" << 80;
    QTest::newRow("last day of 平成") << "平成1年04月30日"
                                      << "平成31年04月30日" << 30;
    QTest::newRow("first day of 令和") << "平成1年05月01日"
                                       << "令和1年05月01日" << 30;
    QTest::newRow("平成元年 birth, day before") << "平成1年01月08日"
                                                << "令和2年01月07日" << 30;
    QTest::newRow("平成元年 birth, birthday") << "平成1年01月08日"
                                              << "令和2年01月08日" << 31;
    QTest::newRow("昭和64年 birth") << "昭和64年01月07日"
                                    << "令和1年05月01日" << 30;
    QTest::newRow("昭和64年 = 平成元年") << "昭和64年01月07日"
                                         << "平成1年01月07日" << 0;
    QTest::newRow("大正 birth") << "大正15年12月24日"
                                << "令和7年12月24日" << 99;
    QTest::newRow("明治 birth") << "明治45年07月29日"
                                << "平成2年07月28日" << 77;
    QTest::newRow("born on 2月29日, 2月28日 later") << "昭和23年02月29日"
                                                    << "令和6年02月28日" << 75;
    QTest::newRow("born on 2月29日, 3月1日 later") << "昭和23年02月29日"
                                                   << "令和6年03月01日" << 76;
    QTest::newRow("birth day empty") << "昭和20年05月日"
                                     << "令和7年04月01日" << -1;
    QTest::newRow("birth 2月30日") << "昭和20年02月30日"
                                   << "令和7年04月01日" << -1;
    QTest::newRow("birth month 13") << "昭和20年13月01日"
                                    << "令和7年04月01日" << -1;
    QTest::newRow("birth year 0") << "平成0年05月03日"
                                  << "令和7年04月01日" << -1;
    // Imported and loaded letters carry full-width digits and 元年.
    QTest::newRow("full-width birth") << "昭和２０年０５月０３日"
                                      << "令和7年04月01日" << 79;
    QTest::newRow("full-width writing date") << "昭和20年05月03日"
                                             << "令和７年５月３日" << 80;
    QTest::newRow("平成元年 birth") << "平成元年01月08日"
                                    << "令和2年01月08日" << 31;
    QTest::newRow("令和元年 writing date, padded") << "平成1年05月01日"
                                                   << "令和0元年05月01日" << 30;
    QTest::newRow("元 month") << "昭和20年元月03日"
                              << "令和7年04月01日" << -1;
    QTest::newRow("birth not numeric") << "昭和二十年05月03日"
                                       << "令和7年04月01日" << -1;
    QTest::newRow("unknown era") << "慶応3年05月03日"
                                 << "令和7年04月01日" << -1;
    QTest::newRow("writing date empty") << "昭和20年05月03日"
                                        << "令和年月日" << -1;
    QTest::newRow("writing year empty") << "昭和20年05月03日"
                                        << "令和年04月01日" << -1;
    QTest::newRow("writing 2月29日 of a common year") << "昭和20年05月03日"
                                                      << "令和7年02月29日" << -1;
}

void TextBoxesTest::ageOn()
{
    QFETCH(QString, birth);
    QFETCH(QString, writing);
    QFETCH(int, age);
    const std::optional<int> got = entry::AgeOn(boxes(birth), boxes(writing));
    QCOMPARE(got.value_or(-1), age);
}

void TextBoxesTest::leadingZero_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    struct Box
    {
        const char* name;
        int index;
    };
    const Box dateParts[] = {{"txtNenD", kNoIndex}, {"txtTukiD", kNoIndex}, {"txtHiD", kNoIndex},
                             {"txtNen", kNoIndex},  {"txtTuki", kNoIndex},  {"txtHi", kNoIndex},
                             {"txtNen2", kNoIndex}, {"txtTuki2", kNoIndex}, {"txtHi2", kNoIndex},
                             {"txtSippeiNen", 1},   {"txtSippeiTuki", 2},   {"txtSippeiHi", 3}};
    const struct
    {
        const char* label;
        QString typed;
        QString kept;
    } cases[] = {{"empty", "", ""},
                 {"one digit", "1", "01"},
                 {"two digits", "12", "12"},
                 {"full-width zero", "０", "0０"}};
    for (const Box& box : dateParts) {
        for (const auto& c : cases) {
            QTest::addRow("%s(%d) %s", box.name, box.index, c.label)
                << QString::fromLatin1(box.name) << box.index << c.typed << c.kept;
        }
    }
    QTest::newRow("a letter") << "txtTuki" << int(kNoIndex) << "x"
                              << "0x";
    QTest::newRow("a character outside the BMP") << "txtHi" << int(kNoIndex) << "𠀋"
                                                 << "0𠀋";
    QTest::newRow("not a date part") << "txtTel" << 0 << "1"
                                     << "1";
}

void TextBoxesTest::leadingZero()
{
    QFETCH(QString, box);
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    handlertest::Form form;
    activate(form);
    Control* part = form.at(box, index);
    QVERIFY(part);
    giveFocus(form, part);
    part->setText(typed);
    giveFocus(form, form.at(QStringLiteral("txtPtID")));
    QCOMPARE(part->text(), kept);
}

void TextBoxesTest::selectAllOnFocus_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("selects");
    const char* const selecting[] = {
        "txtNenD",    "txtTukiD",       "txtHiD",         "txtname",         "txtKana",
        "txtNen",     "txtTuki",        "txtHi",          "txtYubin1",       "txtYubin2",
        "txtTel:0",   "txtTel:1",       "txtTel:2",       "txtNen2",         "txtTuki2",
        "txtHi2",     "txtSippeiNen:1", "txtSippeiNen:3", "txtSippeiTuki:2", "txtSippeiHi:3",
        "txtHight",   "txtWeight",      "txtYubin1Dr",    "txtYubin2Dr",     "Kisaisya:1",
        "Kisaisya:5", "Kisaisya:10"};
    for (const char* box : selecting)
        QTest::newRow(box) << QString::fromLatin1(box) << true;
    QTest::newRow("txtPtID keeps the caret") << "txtPtID" << false;
    QTest::newRow("txtZusho keeps the caret") << "txtZusho" << false;
}

void TextBoxesTest::selectAllOnFocus()
{
    QFETCH(QString, box);
    QFETCH(bool, selects);
    handlertest::Form form;
    activate(form);
    Control* target = form.first(box);
    QVERIFY(target);
    auto* edit = qobject_cast<QLineEdit*>(target->widget());
    QVERIFY(edit);
    giveFocus(form, form.at(QStringLiteral("txtPtID")) == target
                        ? form.at(QStringLiteral("txtTel"), 0)
                        : form.at(QStringLiteral("txtPtID")));
    edit->setText(QStringLiteral("12"));
    edit->setCursorPosition(1);
    giveFocus(form, target);
    QCOMPARE(edit->selectedText(), selects ? QStringLiteral("12") : QString());
}

void TextBoxesTest::ageBoxComputesOnFocus_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("writing");
    QTest::addColumn<QString>("shown");
    // The age box held "99" before.
    QTest::newRow("age computed") << "昭和20年05月03日"
                                  << "令和7年04月01日"
                                  << "79";
    QTest::newRow("平成 writing date") << "昭和20年05月03日"
                                       << "平成18年05月03日"
                                       << "61";
    QTest::newRow("元年 and full-width digits, as loaded") << "平成元年01月08日"
                                                           << "令和２年０１月０８日"
                                                           << "31";
    QTest::newRow("birth day empty keeps the box") << "昭和20年05月日"
                                                   << "令和7年04月01日"
                                                   << "99";
    QTest::newRow("writing date empty keeps the box") << "昭和20年05月03日"
                                                      << "令和年月日"
                                                      << "99";
}

void TextBoxesTest::ageBoxComputesOnFocus()
{
    QFETCH(QString, birth);
    QFETCH(QString, writing);
    QFETCH(QString, shown);
    handlertest::Form form;
    activate(form);
    const EraDateBoxes b = boxes(birth);
    const EraDateBoxes w = boxes(writing);
    QVERIFY(form.at(QStringLiteral("cmbNengo"))->setText(b.era));
    form.at(QStringLiteral("txtNen"))->setText(b.year);
    form.at(QStringLiteral("txtTuki"))->setText(b.month);
    form.at(QStringLiteral("txtHi"))->setText(b.day);
    QVERIFY(form.at(QStringLiteral("cmbNengoD"))->setText(w.era));
    form.at(QStringLiteral("txtNenD"))->setText(w.year);
    form.at(QStringLiteral("txtTukiD"))->setText(w.month);
    form.at(QStringLiteral("txtHiD"))->setText(w.day);
    Control* age = form.at(QStringLiteral("txtToshi"));
    age->setText(QStringLiteral("99"));
    giveFocus(form, form.at(QStringLiteral("txtPtID")));
    giveFocus(form, age);
    QCOMPARE(age->text(), shown);
    QCOMPARE(qobject_cast<QLineEdit*>(age->widget())->selectedText(), shown);
}

void TextBoxesTest::todayRecomputesTheAge()
{
    handlertest::Form form;
    platform::setToday(QDate(2025, 4, 1));
    QVERIFY(form.at(QStringLiteral("cmbNengo"))->setText(QStringLiteral("昭和")));
    form.at(QStringLiteral("txtNen"))->setText(QStringLiteral("20"));
    form.at(QStringLiteral("txtTuki"))->setText(QStringLiteral("05"));
    form.at(QStringLiteral("txtHi"))->setText(QStringLiteral("03"));
    form->Command8_Click();
    QCOMPARE(form.at(QStringLiteral("txtNenD"))->text(), QStringLiteral("7"));
    QCOMPARE(form.at(QStringLiteral("txtToshi"))->text(), QStringLiteral("79"));
    platform::setToday(QDate(2025, 5, 3));
    form->Command8_Click();
    QCOMPARE(form.at(QStringLiteral("txtToshi"))->text(), QStringLiteral("80"));
}

QTEST_MAIN(TextBoxesTest)
#include "tst_textboxes.moc"
