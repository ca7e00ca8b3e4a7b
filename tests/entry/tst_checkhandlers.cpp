// The entry form's check boxes: masters and their dependants, Enter, the walking-aid boxes and
// the items of medical management.
#include "handlerfixture.h"

#include "common/fontsubstitution.h"

using namespace controls;
using handlertest::Form;

class CheckHandlersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    void masterEnablesDependants_data();
    void masterEnablesDependants();
    void otherMembersOfAnArray_data();
    void otherMembersOfAnArray();
    void paralysisTwoLevels();
    void enterTicksAndUnticks_data();
    void enterTicksAndUnticks();
    void walkingAidsExcludeEachOther_data();
    void walkingAidsExcludeEachOther();
    void medicalManagementCycle_data();
    void medicalManagementCycle();
    void otherServiceFollowsItemTen();
    void ctrlTabTurnsThePage_data();
    void ctrlTabTurnsThePage();
};

// Ticking the master (by code, by the mouse, by Enter) gives every dependant the enabled look;
// unticking gives them the disabled look and keeps the text of a box.
void CheckHandlersTest::masterEnablesDependants_data()
{
    QTest::addColumn<QString>("setup");  // set to 1 by code first, so the master can be used
    QTest::addColumn<QString>("master"); // "name" or "name:index"
    QTest::addColumn<QString>("how");    // code, mouse or enter
    QTest::addColumn<QString>("dependants");
    QTest::addColumn<QString>("box"); // a dependant whose text must survive; "" for none

    QTest::newRow("四肢欠損") << ""
                              << "chkKesson"
                              << "code"
                              << "cmbKesson Label36:0"
                              << "cmbKesson";
    QTest::newRow("筋力低下") << ""
                              << "chkTeika"
                              << "mouse"
                              << "cmbTeika optKintei:1-3 Label36:3"
                              << "cmbTeika";
    QTest::newRow("関節の拘縮") << ""
                                << "chkKousyuku"
                                << "enter"
                                << "cmbKousyuku optKousyuku:1-3 Label36:4"
                                << "cmbKousyuku";
    QTest::newRow("関節の痛み") << ""
                                << "chkToutsu"
                                << "code"
                                << "cmbToutsu optToutsu:1-3 Label36:5"
                                << "cmbToutsu";
    QTest::newRow("褥瘡") << ""
                          << "chkJokusou"
                          << "mouse"
                          << "cmbJokusou opJokusou:1-3 Label36:6"
                          << "cmbJokusou";
    QTest::newRow("その他の皮膚疾患") << ""
                                      << "chkHihu"
                                      << "enter"
                                      << "cmbHihu optHihu:1-3 Label36:2"
                                      << "cmbHihu";
    QTest::newRow("失調・不随意運動") << ""
                                      << "chkHuzui:0"
                                      << "mouse"
                                      << "chkHuzui:1-6 Label38:0-2"
                                      << "";
    QTest::newRow("麻痺") << ""
                          << "chkMahi"
                          << "code"
                          << "chkMahibui:1-5"
                          << "";
    QTest::newRow("状態 その他") << ""
                                 << "chkJoutai:14"
                                 << "mouse"
                                 << "cmbTabyotai"
                                 << "cmbTabyotai";
    QTest::newRow("他科 その他") << "opTakaAri"
                                 << "chkTaka:13"
                                 << "mouse"
                                 << "cmbTaka"
                                 << "cmbTaka";
    QTest::newRow("周辺症状 その他") << "optNinchi:1"
                                     << "chkShuhen:12"
                                     << "enter"
                                     << "txtMondai"
                                     << "txtMondai";
    QTest::newRow("医療系サービス その他") << ""
                                           << "chkKanri:10"
                                           << "code"
                                           << "txtKanri Label15:11 Label40:8"
                                           << "txtKanri";
}

void CheckHandlersTest::masterEnablesDependants()
{
    QFETCH(QString, setup);
    QFETCH(QString, master);
    QFETCH(QString, how);
    QFETCH(QString, dependants);
    QFETCH(QString, box);

    Form form;
    QCOMPARE(form.without(dependants, Look::Disabled), QString());
    QVERIFY(form.setValue(setup, 1));
    Control* check = form.first(master);
    QVERIFY(check);

    const auto flip = [&] {
        if (how == QLatin1String("code"))
            check->setValue(1 - check->value());
        else if (how == QLatin1String("mouse"))
            form.click(check);
        else
            form.key(check, Qt::Key_Return);
    };
    flip();
    QCOMPARE(check->value(), 1);
    QCOMPARE(form.without(dependants, Look::Enabled), QString());
    if (!box.isEmpty())
        QVERIFY(form.first(box)->setText(QStringLiteral("右手指")));

    flip();
    QCOMPARE(check->value(), 0);
    QCOMPARE(form.without(dependants, Look::Disabled), QString());
    if (!box.isEmpty())
        QCOMPARE(form.first(box)->text(), QStringLiteral("右手指"));

    flip();
    QCOMPARE(form.without(dependants, Look::Enabled), QString());
    if (!box.isEmpty())
        QCOMPARE(form.first(box)->text(), QStringLiteral("右手指"));
}

// Any member of 他科, 周辺症状 and 医学的管理 sets the look that the "その他" member implies;
// other members of 失調 and 状態 change no look.
void CheckHandlersTest::otherMembersOfAnArray_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("dependants");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("内科, その他 ticked") << "chkTaka:13"
                                         << "chkTaka:1"
                                         << "cmbTaka" << true;
    QTest::newRow("歯科, その他 unticked") << ""
                                           << "chkTaka:12"
                                           << "cmbTaka" << false;
    QTest::newRow("妄想, その他 ticked") << "chkShuhen:12"
                                         << "chkShuhen:2"
                                         << "txtMondai" << true;
    QTest::newRow("性的問題行動, その他 unticked") << ""
                                                   << "chkShuhen:11"
                                                   << "txtMondai" << false;
    QTest::newRow("訪問診療, その他 ticked") << "chkKanri:10"
                                             << "chkKanri:1"
                                             << "txtKanri Label15:11 Label40:8" << true;
    QTest::newRow("失調 左下肢") << ""
                                 << "chkHuzui:4"
                                 << "chkHuzui:1-6 Label38:0-2" << false;
    QTest::newRow("転倒･骨折") << ""
                               << "chkJoutai:2"
                               << "cmbTabyotai" << false;
}

void CheckHandlersTest::otherMembersOfAnArray()
{
    QFETCH(QString, setup);
    QFETCH(QString, clicked);
    QFETCH(QString, dependants);
    QFETCH(bool, enabled);

    Form form;
    QVERIFY(form.setValue(setup, 1));
    // The looks are put against what the other member implies, so that only its handler can
    // put them right.
    const Look expected = enabled ? Look::Enabled : Look::Disabled;
    const Look opposite = enabled ? Look::Disabled : Look::Enabled;
    QVERIFY(form.setLook(dependants, opposite));
    QVERIFY(form.setValue(clicked, 1));
    const bool arrayMaster = clicked.startsWith(QLatin1String("chkHuzui")) ||
                             clicked.startsWith(QLatin1String("chkJoutai"));
    // Members that are no master change nothing; the others follow their "その他".
    QCOMPARE(form.without(dependants, arrayMaster ? opposite : expected), QString());
}

void CheckHandlersTest::paralysisTwoLevels()
{
    Form form;
    const QString degrees = QStringLiteral("optTeido1:1-3 optTeido2:1-3 optTeido3:1-3 "
                                           "optTeido4:1-3 optTeido5:1-3 cmbMahibui Label36:1");
    QVERIFY(form.setValue(QStringLiteral("chkMahi"), 1));
    QCOMPARE(form.without(QStringLiteral("chkMahibui:1-5"), Look::Enabled), QString());
    QCOMPARE(form.without(degrees, Look::Disabled), QString());

    // Each part brings its own degree options; "その他" also its site box and label.
    form.click(form.at(QStringLiteral("chkMahibui"), 1));
    QCOMPARE(form.without(QStringLiteral("optTeido1:1-3"), Look::Enabled), QString());
    QCOMPARE(form.without(QStringLiteral("optTeido2:1-3 optTeido5:1-3 cmbMahibui Label36:1"),
                          Look::Disabled),
             QString());
    form.key(form.at(QStringLiteral("chkMahibui"), 5), Qt::Key_Return);
    QCOMPARE(form.without(QStringLiteral("optTeido1:1-3 optTeido5:1-3 cmbMahibui Label36:1"),
                          Look::Enabled),
             QString());
    QVERIFY(form.setValue(QStringLiteral("optTeido1:2 optTeido5:3"), 1));
    form.at(QStringLiteral("cmbMahibui"))->setText(QStringLiteral("顔面"));

    // Unticking "麻痺" disables both levels and keeps every value.
    form.click(form.at(QStringLiteral("chkMahi")));
    QCOMPARE(form.without(QStringLiteral("chkMahibui:1-5 ") + degrees, Look::Disabled), QString());
    QCOMPARE(form.at(QStringLiteral("chkMahibui"), 1)->value(), 1);
    QCOMPARE(form.at(QStringLiteral("chkMahibui"), 5)->value(), 1);
    QCOMPARE(form.at(QStringLiteral("optTeido1"), 2)->value(), 1);
    QCOMPARE(form.at(QStringLiteral("optTeido5"), 3)->value(), 1);
    QCOMPARE(form.at(QStringLiteral("cmbMahibui"))->text(), QStringLiteral("顔面"));

    // Ticking it again brings back only the part boxes, even those still ticked.
    form.click(form.at(QStringLiteral("chkMahi")));
    QCOMPARE(form.without(QStringLiteral("chkMahibui:1-5"), Look::Enabled), QString());
    QCOMPARE(form.without(degrees, Look::Disabled), QString());

    // Any part box then restores the degrees of every ticked part, and only those.
    form.click(form.at(QStringLiteral("chkMahibui"), 3));
    QCOMPARE(form.without(QStringLiteral("optTeido1:1-3 optTeido3:1-3 optTeido5:1-3 cmbMahibui "
                                         "Label36:1"),
                          Look::Enabled),
             QString());
    QCOMPARE(form.without(QStringLiteral("optTeido2:1-3 optTeido4:1-3"), Look::Disabled),
             QString());
    QCOMPARE(form.at(QStringLiteral("cmbMahibui"))->text(), QStringLiteral("顔面"));
}

// Enter ticks and unticks every box of the plain toggle, and another key does not.
void CheckHandlersTest::enterTicksAndUnticks_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("boxes");

    QTest::newRow("特別な医療") << ""
                                << "cheTokubetu:1 cheTokubetu:12";
    QTest::newRow("findings") << ""
                              << "chkKesson chkTeika chkKousyuku chkToutsu chkJokusou chkHihu";
    QTest::newRow("失調") << "chkHuzui:0"
                          << "chkHuzui:0 chkHuzui:1 chkHuzui:6";
    QTest::newRow("麻痺") << "chkMahi"
                          << "chkMahi chkMahibui:1 chkMahibui:5";
    QTest::newRow("状態") << ""
                          << "chkJoutai:1 chkJoutai:14";
    QTest::newRow("周辺症状") << "optNinchi:1"
                              << "chkShuhen:1 chkShuhen:12";
    QTest::newRow("他科") << "opTakaAri"
                          << "chkTaka:1 chkTaka:13";
}

void CheckHandlersTest::enterTicksAndUnticks()
{
    QFETCH(QString, setup);
    QFETCH(QString, boxes);

    Form form;
    QVERIFY(form.setValue(setup, 1));
    for (const handlertest::Ref& ref : handlertest::refs(boxes)) {
        Control* box = form.at(ref);
        QVERIFY2(box, qPrintable(handlertest::describe(ref)));
        const int before = box->value();
        form.key(box, Qt::Key_Return);
        QCOMPARE(box->value(), 1 - before);
        form.key(box, Qt::Key_Enter); // the keypad's Enter
        QCOMPARE(box->value(), before);
        form.key(box, Qt::Key_A);
        QCOMPARE(box->value(), before);
    }
}

// 用いてない excludes both others; 屋外 and 屋内 may go together.
void CheckHandlersTest::walkingAidsExcludeEachOther_data()
{
    QTest::addColumn<QString>("steps");  // box index and how: m mouse, e Enter, s Space, r right
    QTest::addColumn<QString>("ticked"); // of boxes 1, 2, 3 after the steps

    QTest::newRow("屋外 then 屋内") << "2m 3m"
                                    << "011";
    QTest::newRow("then 用いてない") << "2m 3m 1m"
                                     << "100";
    QTest::newRow("then 屋外 again") << "2m 3m 1m 2m"
                                     << "010";
    QTest::newRow("by Enter") << "2e 3e 1e"
                              << "100";
    QTest::newRow("Enter, 用いてない then 屋内") << "1e 3e"
                                                 << "001";
    QTest::newRow("by the Space bar") << "2s 1s"
                                      << "100";
    QTest::newRow("unticking changes nothing else") << "2m 3m 2m"
                                                    << "001";
    QTest::newRow("right button ticks nothing") << "1m 2r"
                                                << "100";
}

void CheckHandlersTest::walkingAidsExcludeEachOther()
{
    QFETCH(QString, steps);
    QFETCH(QString, ticked);

    Form form;
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        Control* box = form.at(QStringLiteral("chkHozyo"), step.left(1).toInt());
        QVERIFY2(box, "chkHozyo");
        switch (step.at(1).toLatin1()) {
        case 'm':
            form.click(box);
            break;
        case 'e':
            form.key(box, Qt::Key_Return);
            break;
        case 's':
            form.key(box, Qt::Key_Space);
            break;
        case 'r':
            form.press(box, Qt::RightButton);
            break;
        }
    }
    QString actual;
    for (int i = 1; i <= 3; ++i)
        actual += QString::number(form.at(QStringLiteral("chkHozyo"), i)->value());
    QCOMPARE(actual, ticked);
}

// The three states of an item: unticked, ticked, ticked and underlined.
void CheckHandlersTest::medicalManagementCycle_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("how");    // enter, label (click on the text) or box (mouse)
    QTest::addColumn<QString>("start");  // value and underline: 00, 10, 11, 01
    QTest::addColumn<QString>("states"); // after each of three actions

    QTest::newRow("Enter, 訪問診療") << 1 << "enter"
                                     << "00"
                                     << "10 11 00";
    QTest::newRow("Enter, その他") << 10 << "enter"
                                   << "00"
                                   << "10 11 00";
    QTest::newRow("text, 訪問看護") << 2 << "label"
                                    << "00"
                                    << "10 11 10";
    QTest::newRow("text, その他") << 10 << "label"
                                  << "00"
                                  << "10 11 10";
    // A loaded letter may underline an unticked item: the text ticks it and keeps the line.
    QTest::newRow("text, unticked and underlined") << 5 << "label"
                                                   << "01"
                                                   << "11 10 11";
    QTest::newRow("Enter, unticked and underlined") << 5 << "enter"
                                                    << "01"
                                                    << "11 00 10";
    // The box itself only ticks and unticks; unticking hides the line.
    QTest::newRow("box, underlined") << 9 << "box"
                                     << "11"
                                     << "00 10 00";
}

void CheckHandlersTest::medicalManagementCycle()
{
    QFETCH(int, item);
    QFETCH(QString, how);
    QFETCH(QString, start);
    QFETCH(QString, states);

    Form form;
    QVERIFY(form.has(QStringLiteral("txtKanri")));
    Control* box = form.at(QStringLiteral("chkKanri"), item);
    Control* line = form.at(QStringLiteral("KnariUnder"), item);
    Control* text = form.at(QStringLiteral("lblKanri"), item);
    QVERIFY(box && line && text);
    QVERIFY(!line->visible());
    box->setValue(start.at(0) == QLatin1Char('1') ? 1 : 0);
    line->setVisible(start.at(1) == QLatin1Char('1'));

    for (const QString& expected : states.split(QLatin1Char(' '))) {
        if (how == QLatin1String("enter"))
            form.key(box, Qt::Key_Return);
        else if (how == QLatin1String("label"))
            form.click(text);
        else
            form.click(box);
        const QString actual =
            QStringLiteral("%1%2").arg(box->value()).arg(line->visible() ? 1 : 0);
        QCOMPARE(actual, expected);
        if (item == 10)
            QVERIFY(handlertest::hasLook(form.at(QStringLiteral("txtKanri")),
                                         box->value() == 1 ? Look::Enabled : Look::Disabled));
    }
}

// Item 10 alone decides the other service's box; the other items' clicks keep that look.
void CheckHandlersTest::otherServiceFollowsItemTen()
{
    Form form;
    QVERIFY(form.has(QStringLiteral("chkKanri:1-10 lblKanri:10 txtKanri")));
    for (int i = 1; i <= 9; ++i)
        form.key(form.at(QStringLiteral("chkKanri"), i), Qt::Key_Return);
    QCOMPARE(form.without(QStringLiteral("txtKanri Label15:11 Label40:8"), Look::Disabled),
             QString());
    form.click(form.at(QStringLiteral("lblKanri"), 10));
    form.at(QStringLiteral("txtKanri"))->setText(QStringLiteral("訪問入浴"));
    form.key(form.at(QStringLiteral("chkKanri"), 3), Qt::Key_Return);
    QCOMPARE(form.without(QStringLiteral("txtKanri Label15:11 Label40:8"), Look::Enabled),
             QString());
    form.click(form.at(QStringLiteral("chkKanri"), 10));
    QCOMPARE(form.without(QStringLiteral("txtKanri"), Look::Disabled), QString());
    QCOMPARE(form.at(QStringLiteral("txtKanri"))->text(), QStringLiteral("訪問入浴"));
}

void CheckHandlersTest::ctrlTabTurnsThePage_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page"); // the frame shown after, -1 for no turn

    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("他科") << "opTakaAri"
                          << "chkTaka:4" << ctrl << 1;
    QTest::newRow("四肢欠損") << ""
                              << "chkKesson" << ctrl << 5;
    QTest::newRow("麻痺の部位") << "chkMahi"
                                << "chkMahibui:2" << ctrlShift << 5;
    QTest::newRow("失調") << ""
                          << "chkHuzui:0" << ctrl << 5;
    QTest::newRow("尿失禁") << ""
                            << "chkJoutai:1" << ctrl << 6;
    QTest::newRow("尿失禁, Ctrl+Shift") << ""
                                        << "chkJoutai:1" << ctrlShift << 6;
    QTest::newRow("周辺症状: none") << "optNinchi:1"
                                    << "chkShuhen:1" << ctrl << -1;
    QTest::newRow("特別な医療: none") << ""
                                      << "cheTokubetu:3" << ctrl << -1;
    QTest::newRow("医学的管理: none") << ""
                                      << "chkKanri:1" << ctrl << -1;
}

void CheckHandlersTest::ctrlTabTurnsThePage()
{
    QFETCH(QString, setup);
    QFETCH(QString, box);
    QFETCH(int, modifiers);
    QFETCH(int, page);

    Form form;
    QVERIFY(form.setValue(setup, 1));
    Control* control = form.first(box);
    QVERIFY(control);
    form.showPageOf(control);
    const int before = form->TabNow();
    QTest::keyClick(control->widget(), Qt::Key_Tab, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(form->TabNow(), page < 0 ? before : page);
}

QTEST_MAIN(CheckHandlersTest)
#include "tst_checkhandlers.moc"
