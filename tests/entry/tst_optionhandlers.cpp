// The entry form's option buttons: the "有" answers and their dependants, the right mouse button
// that leaves a question unanswered, the level definitions and the doctor block's focus.
#include "handlerfixture.h"

#include "common/fontsubstitution.h"

#include <QLineEdit>

using namespace controls;
using handlertest::Form;

class OptionHandlersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }

    void yesEnablesNoDisables_data();
    void yesEnablesNoDisables();
    void secondLevelComesBackWithYes_data();
    void secondLevelComesBackWithYes();
    void rightButtonClears_data();
    void rightButtonClears();
    void levelDefinitions_data();
    void levelDefinitions();
    void levelDefinitionStaysOverIndependent();
    void doctorBoxSelectsItsText_data();
    void doctorBoxSelectsItsText();
    void ctrlTabTurnsThePage_data();
    void ctrlTabTurnsThePage();
};

// Choosing "有" (by code or the mouse) gives the dependants the enabled look; another answer
// the disabled look, keeping the text; "有" again shows the same text.
void OptionHandlersTest::yesEnablesNoDisables_data()
{
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::addColumn<bool>("mouse");
    QTest::addColumn<QString>("dependants");
    QTest::addColumn<QString>("box"); // "" for none

    QTest::newRow("他科受診") << "opTakaAri"
                              << "opTakaNasi" << true << "chkTaka:1-13"
                              << "";
    QTest::newRow("周辺症状") << "optNinchi:1"
                              << "optNinchi:2" << false << "chkShuhen:1-12 Label25:0 Label25:3"
                              << "";
    QTest::newRow("精神・神経症状") << "opPsy:1"
                                    << "opPsy:2" << true << "cmbPsy"
                                    << "cmbPsy";
    QTest::newRow("専門医受診") << "opPsyist:1"
                                << "opPsyist:2" << false << "txtPsyist"
                                << "txtPsyist";
    for (int k = 1; k <= 5; ++k) {
        QTest::addRow("留意事項 %d", k)
            << QStringLiteral("optKanten%1:2").arg(k) << QStringLiteral("optKanten%1:1").arg(k)
            << (k % 2 == 1) << QStringLiteral("cmbKanten:%1 Label15:%1 Label40:%1").arg(k)
            << QStringLiteral("cmbKanten:%1").arg(k);
    }
    QTest::newRow("感染症 無") << "optKansen:1"
                               << "optKansen:2" << true << "cmbKansen Label15:7 Label40:7"
                               << "cmbKansen";
    QTest::newRow("感染症 不明") << "optKansen:1"
                                 << "optKansen:3" << false << "cmbKansen Label15:7 Label40:7"
                                 << "cmbKansen";
}

void OptionHandlersTest::yesEnablesNoDisables()
{
    QFETCH(QString, yes);
    QFETCH(QString, no);
    QFETCH(bool, mouse);
    QFETCH(QString, dependants);
    QFETCH(QString, box);

    Form form;
    Control* yesOption = form.first(yes);
    Control* noOption = form.first(no);
    QVERIFY(yesOption && noOption);
    const auto choose = [&](Control* option) {
        if (mouse)
            form.click(option);
        else
            option->setValue(1);
        QCOMPARE(option->value(), 1);
    };
    QCOMPARE(form.without(dependants, Look::Disabled), QString());

    choose(yesOption);
    QCOMPARE(form.without(dependants, Look::Enabled), QString());
    if (!box.isEmpty())
        QVERIFY(form.first(box)->setText(QStringLiteral("統合失調症")));

    choose(noOption);
    QCOMPARE(yesOption->value(), 0);
    QCOMPARE(form.without(dependants, Look::Disabled), QString());

    choose(yesOption);
    QCOMPARE(form.without(dependants, Look::Enabled), QString());
    if (!box.isEmpty())
        QCOMPARE(form.first(box)->text(), QStringLiteral("統合失調症"));
}

// The "その他" box of 他科 and of 周辺症状: "有" brings its dependant back only while it is
// ticked, "無" always takes it away.
void OptionHandlersTest::secondLevelComesBackWithYes_data()
{
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("box");

    QTest::newRow("他科受診") << "opTakaAri"
                              << "opTakaNasi"
                              << "chkTaka:13"
                              << "cmbTaka";
    QTest::newRow("周辺症状") << "optNinchi:1"
                              << "optNinchi:2"
                              << "chkShuhen:12"
                              << "txtMondai";
}

void OptionHandlersTest::secondLevelComesBackWithYes()
{
    QFETCH(QString, yes);
    QFETCH(QString, no);
    QFETCH(QString, other);
    QFETCH(QString, box);

    Form form;
    QVERIFY(
        form.has(yes + QLatin1Char(' ') + no + QLatin1Char(' ') + other + QLatin1Char(' ') + box));
    Control* otherBox = form.first(other);

    // "その他" unticked: "有" leaves the box disabled; ticking "その他" then enables it.
    QVERIFY(form.setValue(yes, 1));
    QCOMPARE(form.without(box, Look::Disabled), QString());
    form.click(otherBox);
    QCOMPARE(form.without(box, Look::Enabled), QString());
    QVERIFY(form.first(box)->setText(QStringLiteral("歯科口腔外科")));

    QVERIFY(form.setValue(no, 1));
    QCOMPARE(form.without(box, Look::Disabled), QString());
    QCOMPARE(otherBox->value(), 1);

    // "その他" still ticked: "有" brings the box back with its text.
    form.click(form.first(yes));
    QCOMPARE(form.without(box, Look::Enabled), QString());
    QCOMPARE(form.first(box)->text(), QStringLiteral("歯科口腔外科"));
}

// The right button clears the option under the mouse and nothing else; a cleared "有" takes
// its dependants' enabled look away, any other cleared option leaves the looks.
void OptionHandlersTest::rightButtonClears_data()
{
    QTest::addColumn<QString>("setup");   // set to 1 by code first
    QTest::addColumn<QString>("pressed"); // the option under the right button
    QTest::addColumn<QString>("chosen");  // the group's choice after, "" for unanswered
    QTest::addColumn<QString>("dependants");
    QTest::addColumn<bool>("before"); // their look before the press
    QTest::addColumn<bool>("enabled");

    QTest::newRow("有 of 精神・神経症状 chosen") << "opPsy:1"
                                                 << "opPsy:1"
                                                 << ""
                                                 << "cmbPsy" << true << false;
    QTest::newRow("無 while 有 is chosen") << "opPsy:1"
                                           << "opPsy:2"
                                           << "opPsy:1"
                                           << "cmbPsy" << true << true;
    QTest::newRow("有 of 他科 while 無 is chosen") << "opTakaNasi"
                                                   << "opTakaAri"
                                                   << "opTakaNasi"
                                                   << "chkTaka:1-13 cmbTaka" << false << false;
    QTest::newRow("有 of 他科 chosen, その他 ticked") << "opTakaAri chkTaka:13"
                                                      << "opTakaAri"
                                                      << ""
                                                      << "chkTaka:1-13 cmbTaka" << true << false;
    QTest::newRow("無 of 他科 chosen") << "opTakaNasi"
                                       << "opTakaNasi"
                                       << ""
                                       << "chkTaka:1-13" << false << false;
    QTest::newRow("有 of 専門医") << "opPsyist:1"
                                  << "opPsyist:1"
                                  << ""
                                  << "txtPsyist" << true << false;
    QTest::newRow("有 of 周辺症状, その他 ticked")
        << "optNinchi:1 chkShuhen:12"
        << "optNinchi:1"
        << ""
        << "chkShuhen:1-12 txtMondai Label25:0 Label25:3" << true << false;
    QTest::newRow("有 of ･運動") << "optKanten4:2"
                                 << "optKanten4:2"
                                 << ""
                                 << "cmbKanten:4 Label15:4 Label40:4" << true << false;
    QTest::newRow("特になし of ･運動 while 有")
        << "optKanten4:2"
        << "optKanten4:1"
        << "optKanten4:2"
        << "cmbKanten:4 Label15:4 Label40:4" << true << true;
    QTest::newRow("有 of 感染症") << "optKansen:1"
                                  << "optKansen:1"
                                  << ""
                                  << "cmbKansen Label15:7 Label40:7" << true << false;
    QTest::newRow("無 of 感染症 chosen") << "optKansen:2"
                                         << "optKansen:2"
                                         << ""
                                         << "cmbKansen Label15:7 Label40:7" << false << false;
    QTest::newRow("J1 while A1 is chosen") << "opNeta:4"
                                           << "opNeta:2"
                                           << "opNeta:4"
                                           << "" << false << false;
    QTest::newRow("A1 chosen") << "opNeta:4"
                               << "opNeta:4"
                               << ""
                               << "" << false << false;
    QTest::newRow("認知症自立度") << "opNin:8"
                                  << "opNin:8"
                                  << ""
                                  << "" << false << false;
    QTest::newRow("作成回数") << "opKaisu:0"
                              << "opKaisu:0"
                              << ""
                              << "" << false << false;
    QTest::newRow("性別") << "optFemale"
                          << "optFemale"
                          << ""
                          << "" << false << false;
    QTest::newRow("男性 while 女性") << "optFemale"
                                     << "optMale"
                                     << "optFemale"
                                     << "" << false << false;
    QTest::newRow("同意") << "optDoui:2"
                          << "optDoui:2"
                          << ""
                          << "" << false << false;
    QTest::newRow("安定性") << "opAntei:3"
                            << "opAntei:3"
                            << ""
                            << "" << false << false;
    QTest::newRow("短期記憶") << "opKioku:2"
                              << "opKioku:2"
                              << ""
                              << "" << false << false;
    QTest::newRow("認知能力") << "opNinchi:3"
                              << "opNinchi:3"
                              << ""
                              << "" << false << false;
    QTest::newRow("伝達能力") << "opDen:4"
                              << "opDen:4"
                              << ""
                              << "" << false << false;
    QTest::newRow("利き腕") << "opKiki:1"
                            << "opKiki:1"
                            << ""
                            << "" << false << false;
    QTest::newRow("体重の変化") << "optHenka:2"
                                << "optHenka:2"
                                << ""
                                << "" << false << false;
    QTest::newRow("麻痺の程度") << "chkMahi chkMahibui:2 optTeido2:3"
                                << "optTeido2:3"
                                << ""
                                << "" << false << false;
    QTest::newRow("筋力低下の程度") << "chkTeika optKintei:1"
                                    << "optKintei:1"
                                    << ""
                                    << "" << false << false;
    QTest::newRow("拘縮の程度") << "chkKousyuku optKousyuku:2"
                                << "optKousyuku:2"
                                << ""
                                << "" << false << false;
    QTest::newRow("痛みの程度") << "chkToutsu optToutsu:3"
                                << "optToutsu:3"
                                << ""
                                << "" << false << false;
    QTest::newRow("褥瘡の程度") << "chkJokusou opJokusou:1"
                                << "opJokusou:1"
                                << ""
                                << "" << false << false;
    QTest::newRow("皮膚疾患の程度") << "chkHihu optHihu:2"
                                    << "optHihu:2"
                                    << ""
                                    << "" << false << false;
    QTest::newRow("屋外歩行") << "optHokou:2"
                              << "optHokou:2"
                              << ""
                              << "" << false << false;
    QTest::newRow("車いす") << "optIsu:3"
                            << "optIsu:3"
                            << ""
                            << "" << false << false;
    QTest::newRow("食事行為") << "optShokuzi:1"
                              << "optShokuzi:1"
                              << ""
                              << "" << false << false;
    QTest::newRow("栄養状態") << "optEiyou:2"
                              << "optEiyou:2"
                              << ""
                              << "" << false << false;
    QTest::newRow("見通し") << "optKinou:3"
                            << "optKinou:3"
                            << ""
                            << "" << false << false;
}

void OptionHandlersTest::rightButtonClears()
{
    QFETCH(QString, setup);
    QFETCH(QString, pressed);
    QFETCH(QString, chosen);
    QFETCH(QString, dependants);
    QFETCH(bool, before);
    QFETCH(bool, enabled);

    Form form;
    QVERIFY(form.setValue(setup, 1));
    QCOMPARE(form.without(dependants, before ? Look::Enabled : Look::Disabled), QString());
    auto* option = dynamic_cast<OptionButton*>(form.first(pressed));
    QVERIFY(option);
    QVERIFY(option->isEnabled());
    if (Control* box = form.at(QStringLiteral("cmbPsy")))
        box->setText(QStringLiteral("うつ病"));

    form.press(option, Qt::RightButton);
    OptionButton* after = option->group()->chosen();
    QCOMPARE(after ? handlertest::describe({after->name(), after->index()}) : QString(),
             chosen.isEmpty() ? QString() : handlertest::describe(handlertest::refs(chosen)[0]));
    QCOMPARE(form.without(dependants, enabled ? Look::Enabled : Look::Disabled), QString());
    QCOMPARE(form.at(QStringLiteral("cmbPsy"))->text(), QStringLiteral("うつ病"));

    // The left and middle buttons never clear.
    if (after) {
        form.press(after, Qt::MiddleButton);
        form.click(after);
        QCOMPARE(after->value(), 1);
    }
}

// Over a level of either scale, its definition shows in lblComment.
void OptionHandlersTest::levelDefinitions_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("text");

    const QString crlf = QStringLiteral("\r\n");
    const QString j =
        QStringLiteral("何らかの障害等を有するが、日常生活はほぼ自立しており独力で外出する。");
    const QString a = QStringLiteral("屋内での生活は概ね自立しているが、介助無しには外出しない。");
    const QString b = QStringLiteral("屋内での生活は何らかの介助を要し、日中もベッド上での生活が"
                                     "主体であるが、座位を保つ。");
    const QString c =
        QStringLiteral("１日中ベッド上で過ごし、排泄、食事、着替において介助を要する。");
    QTest::newRow("J1") << "opNeta:2"
                        << j + crlf + QStringLiteral("交通機関等を利用して外出する｡ ");
    QTest::newRow("J2") << "opNeta:3" << j + crlf + QStringLiteral("隣近所へなら外出する。");
    QTest::newRow("A1") << "opNeta:4"
                        << a + crlf +
                               QStringLiteral(
                                   "介助により外出し、日中はほとんどベッドから離れて生活する。");
    QTest::newRow("A2") << "opNeta:5"
                        << a + crlf +
                               QStringLiteral(
                                   "外出の頻度が少なく、日中も寝たり起きたりの生活をしている。");
    QTest::newRow("B1") << "opNeta:6"
                        << b + crlf +
                               QStringLiteral("車いすに移乗し、食事、排泄はベッドから離れて行う。");
    QTest::newRow("B2") << "opNeta:7" << b + crlf + QStringLiteral("介助により車いすに移乗する。");
    QTest::newRow("C1") << "opNeta:8" << c + crlf + QStringLiteral("自力で寝返りをうつ。");
    QTest::newRow("C2") << "opNeta:9" << c + crlf + QStringLiteral("自力では寝返りもうたない。");

    const QString ii = QStringLiteral(
        "日常生活に支障を来たすような症状・行動や意思疎通の困難さが多少見られても、");
    const QString iii = QStringLiteral(
        "日常生活に支障を来たすような症状・行動や意思疎通の困難さが見られ、介護を必要とする。");
    QTest::newRow("Ⅰ") << "opNin:2"
                       << QStringLiteral("何らかの認知症を有するが、日常生活は家庭内及び社会的に"
                                         "ほぼ自立している。");
    QTest::newRow("Ⅱa")
        << "opNin:3"
        << ii + crlf +
               QStringLiteral("誰かが注意していれば自立できる。家庭外で上記の状態が見られる。");
    QTest::newRow("Ⅱb") << "opNin:4"
                        << ii + crlf +
                               QStringLiteral("誰かが注意していれば自立できる。家庭内でも上記の"
                                              "状態が見られる。");
    QTest::newRow("Ⅲa") << "opNin:5"
                        << iii + crlf + QStringLiteral("日中を中心として上記の状態が見られる。");
    QTest::newRow("Ⅲb") << "opNin:6"
                        << iii + crlf + QStringLiteral("夜間を中心として上記の状態が見られる。");
    QTest::newRow("Ⅳ") << "opNin:7"
                       << QStringLiteral("日常生活に支障を来たすような症状・行動や意思疎通の困難さ"
                                         "が頻繁に見られ、") +
                              crlf + QStringLiteral("常に介護を必要とする。");
    QTest::newRow("M") << "opNin:8"
                       << QStringLiteral("著しい精神症状や問題行動あるいは重篤な身体疾患が見られ、"
                                         "専門医療を必要とする。");
}

namespace {

// The mouse moving over the control with no button held, as the window delivers it.
void moveOver(Control* control)
{
    QWidget* widget = control->widget();
    const QPoint local(qMin(8, widget->width() / 2), widget->height() / 2);
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

void OptionHandlersTest::levelDefinitions()
{
    QFETCH(QString, level);
    QFETCH(QString, text);

    Form form;
    Control* comment = form.at(QStringLiteral("lblComment"));
    Control* option = form.first(level);
    QVERIFY(comment && option);
    form.showPageOf(option);
    QVERIFY(!comment->visible());
    moveOver(option);
    QVERIFY(comment->visible());
    QCOMPARE(comment->text(), text);
}

// Over "自立" of either scale nothing changes: the last definition stays, and a hidden label
// stays hidden.
void OptionHandlersTest::levelDefinitionStaysOverIndependent()
{
    Form form;
    Control* comment = form.at(QStringLiteral("lblComment"));
    QVERIFY(comment);
    form.showPageOf(comment);
    moveOver(form.at(QStringLiteral("opNeta"), 1));
    moveOver(form.at(QStringLiteral("opNin"), 1));
    QVERIFY(!comment->visible());

    moveOver(form.at(QStringLiteral("opNeta"), 6));
    const QString b1 = comment->text();
    QVERIFY(b1.endsWith(QStringLiteral("車いすに移乗し、食事、排泄はベッドから離れて行う。")));
    moveOver(form.at(QStringLiteral("opNeta"), 1));
    moveOver(form.at(QStringLiteral("opNin"), 1));
    QVERIFY(comment->visible());
    QCOMPARE(comment->text(), b1);

    // A page switch hides it; coming back does not show it again.
    form->tabStrip()->setCurrentIndex(0);
    form.showPageOf(comment);
    QVERIFY(!comment->visible());
}

// A doctor box that gets the focus selects its whole text, so typing replaces it.
void OptionHandlersTest::doctorBoxSelectsItsText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("mouse");
    for (int index : {1, 5, 6, 7, 8, 9, 10})
        QTest::addRow("Kisaisya(%d)", index) << index << false;
    QTest::newRow("Kisaisya(1) by a click") << 1 << true;
}

void OptionHandlersTest::doctorBoxSelectsItsText()
{
    QFETCH(int, index);
    QFETCH(bool, mouse);

    Form form;
    Control* box = form.at(QStringLiteral("Kisaisya"), index);
    QVERIFY(box);
    box->setText(QStringLiteral("0123"));
    form.showPageOf(box);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&*form));
    auto* edit = qobject_cast<QLineEdit*>(box->widget());
    QVERIFY(edit);
    if (mouse)
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    else
        edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    QTRY_COMPARE(edit->selectedText(), QStringLiteral("0123"));
    QTest::keyClicks(edit, QStringLiteral("9"));
    QCOMPARE(box->text(), QStringLiteral("9"));
}

void OptionHandlersTest::ctrlTabTurnsThePage_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page"); // the frame shown after, -1 for no turn

    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("他科 有") << ""
                             << "opTakaAri" << ctrl << 1;
    QTest::newRow("他科 無") << ""
                             << "opTakaNasi" << ctrlShift << 1;
    QTest::newRow("寝たきり度") << ""
                                << "opNeta:5" << ctrl << 3;
    QTest::newRow("認知症自立度") << ""
                                  << "opNin:2" << ctrl << 3;
    QTest::newRow("精神・神経症状") << ""
                                    << "opPsy:2" << ctrl << 4;
    QTest::newRow("専門医") << ""
                            << "opPsyist:1" << ctrl << 4;
    QTest::newRow("麻痺の程度") << "chkMahi chkMahibui:4"
                                << "optTeido4:1" << ctrl << 5;
    QTest::newRow("褥瘡の程度") << "chkJokusou"
                                << "opJokusou:2" << ctrlShift << 5;
    QTest::newRow("留意事項") << ""
                              << "optKanten3:1" << ctrl << 7;
    QTest::newRow("短期記憶: none") << ""
                                    << "opKioku:1" << ctrl << -1;
    QTest::newRow("感染症: none") << ""
                                  << "optKansen:1" << ctrl << -1;
}

void OptionHandlersTest::ctrlTabTurnsThePage()
{
    QFETCH(QString, setup);
    QFETCH(QString, option);
    QFETCH(int, modifiers);
    QFETCH(int, page);

    Form form;
    QVERIFY(form.setValue(setup, 1));
    Control* control = form.first(option);
    QVERIFY(control);
    form.showPageOf(control);
    const int before = form->TabNow();
    QTest::keyClick(control->widget(), Qt::Key_Tab, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(form->TabNow(), page < 0 ? before : page);
}

QTEST_MAIN(OptionHandlersTest)
#include "tst_optionhandlers.moc"
