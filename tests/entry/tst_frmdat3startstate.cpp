// The start state of a letter: every dependent control in the disabled look, no master set.
#include "common/fontsubstitution.h"
#include "entry/frmDat3.h"

#include <QtTest>

using namespace controls;

class FrmDat3StartStateTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void dependantsAreDisabled_data();
    void dependantsAreDisabled();
    void othersStayAsDesigned();
    void hiddenPagesKeepTheirControlsState();
    void valuesSurviveTheLooks();
};

void FrmDat3StartStateTest::dependantsAreDisabled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qint64>("back"); // -1: not checked
    QTest::addColumn<qint64>("fore"); // -1: not checked

    const qint64 none = -1;
    const auto box = [&](const QString& name, int index = kNoIndex) {
        QTest::addRow("%s(%d)", qPrintable(name), index)
            << name << index << false << qint64(kDisabledBackColor) << none;
    };
    const auto button = [&](const QString& name, int first, int last) {
        for (int i = first; i <= last; ++i)
            QTest::addRow("%s(%d)", qPrintable(name), i) << name << i << false << none << none;
    };
    const auto label = [&](const QString& name, int index) {
        QTest::addRow("%s(%d)", qPrintable(name), index)
            << name << index << true << none << qint64(kDisabledForeColor);
    };

    button("chkTaka", 1, 13);
    box("cmbTaka");
    button("chkShuhen", 1, 12);
    box("txtMondai");
    label("Label25", 0);
    label("Label25", 3);
    box("cmbPsy");
    box("txtPsyist");
    box("cmbKesson");
    label("Label36", 0);
    button("chkMahibui", 1, 5);
    for (int part = 1; part <= 5; ++part)
        button(QStringLiteral("optTeido%1").arg(part), 1, 3);
    box("cmbMahibui");
    label("Label36", 1);
    box("cmbTeika");
    button("optKintei", 1, 3);
    label("Label36", 3);
    box("cmbKousyuku");
    button("optKousyuku", 1, 3);
    label("Label36", 4);
    box("cmbToutsu");
    button("optToutsu", 1, 3);
    label("Label36", 5);
    button("chkHuzui", 1, 6);
    for (int i = 0; i <= 2; ++i)
        label("Label38", i);
    box("cmbJokusou");
    button("opJokusou", 1, 3);
    label("Label36", 6);
    box("cmbHihu");
    button("optHihu", 1, 3);
    label("Label36", 2);
    box("cmbTabyotai");
    box("txtKanri");
    label("Label15", 11);
    label("Label40", 8);
    for (int k = 1; k <= 5; ++k) {
        box("cmbKanten", k);
        label("Label15", k);
        label("Label40", k);
    }
    box("cmbKansen");
    label("Label15", 7);
    label("Label40", 7);
}

void FrmDat3StartStateTest::dependantsAreDisabled()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(bool, enabled);
    QFETCH(qint64, back);
    QFETCH(qint64, fore);

    entry::frmDat3 form;
    Control* control = form.control(name, index);
    QVERIFY(control);
    QVERIFY(control->enabled()); // nothing is disabled at design time
    form.TabNew();
    QCOMPARE(control->enabled(), enabled);
    if (back >= 0)
        QCOMPARE(qint64(control->backColor()), back);
    if (fore >= 0)
        QCOMPARE(qint64(control->foreColor()), fore);
}

void FrmDat3StartStateTest::othersStayAsDesigned()
{
    entry::frmDat3 form;
    form.TabNew();
    // Never dependants.
    for (const auto& [name, index] : {std::pair{"txtHuantei", kNoIndex},
                                      {"txtEiyou", kNoIndex},
                                      {"cmbTaisyo", kNoIndex},
                                      {"cmbKanten", 6}})
        QVERIFY2(form.control(QString::fromLatin1(name), index)->enabled(), name);
    QCOMPARE(form.control("cmbKanten", 6)->backColor(), kLightCyan);
    // The masters are enabled and unset.
    for (const auto& [name, index] : {std::pair{"opTakaAri", kNoIndex},
                                      {"opTakaNasi", kNoIndex},
                                      {"optNinchi", 1},
                                      {"optNinchi", 2},
                                      {"opPsy", 1},
                                      {"opPsyist", 1},
                                      {"chkKesson", kNoIndex},
                                      {"chkMahi", kNoIndex},
                                      {"chkTeika", kNoIndex},
                                      {"chkHuzui", 0},
                                      {"chkJoutai", 14},
                                      {"chkKanri", 10},
                                      {"optKanten3", 2},
                                      {"optKansen", 1}}) {
        Control* master = form.control(QString::fromLatin1(name), index);
        QVERIFY2(master->enabled(), name);
        QCOMPARE(master->value(), 0);
    }
    // The closing labels of the degree frames keep their colour.
    for (int i = 0; i <= 9; ++i)
        QCOMPARE(form.control("Label37", i)->foreColor(), kSystemButtonText);
    // TabNew sets no value anywhere.
    for (const Control* control : form.controls().all()) {
        if (control->kind() == ControlKind::CheckBox ||
            control->kind() == ControlKind::OptionButton)
            QVERIFY2(control->value() == 0, qPrintable(control->name()));
    }
}

void FrmDat3StartStateTest::hiddenPagesKeepTheirControlsState()
{
    entry::frmDat3 form;
    form.TabNew();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Page 8 is not shown, yet its controls report their own state, as saving reads it.
    Control* infection = form.control("cmbKansen");
    QVERIFY(!infection->widget()->isVisible());
    QVERIFY(infection->visible());
    QVERIFY(!infection->enabled());
    QCOMPARE(form.controls().enabled(QStringLiteral("cmbKanten"), 1), std::optional<bool>(false));
    QCOMPARE(form.controls().enabled(QStringLiteral("cmbKanten"), 6), std::optional<bool>(true));
    QCOMPARE(form.controls().visible(QStringLiteral("KnariUnder"), 3), std::optional<bool>(false));
    form.control("KnariUnder", 3)->setVisible(true);
    QCOMPARE(form.controls().visible(QStringLiteral("KnariUnder"), 3), std::optional<bool>(true));
}

void FrmDat3StartStateTest::valuesSurviveTheLooks()
{
    entry::frmDat3 form;
    QVERIFY(form.control("cmbPsy")->setText(QStringLiteral("せん妄")));
    QVERIFY(form.control("chkTaka", 13)->setValue(1));
    QVERIFY(form.control("optTeido2", 3)->setValue(1));
    form.TabNew();
    QCOMPARE(form.control("cmbPsy")->text(), QStringLiteral("せん妄"));
    QCOMPARE(form.control("chkTaka", 13)->value(), 1);
    QCOMPARE(form.control("optTeido2", 3)->value(), 1);
    applyLook(form.control("cmbPsy"), Look::Enabled);
    QCOMPARE(form.control("cmbPsy")->text(), QStringLiteral("せん妄"));
    QCOMPARE(form.control("cmbPsy")->backColor(), kEnabledBackColor);
}

QTEST_MAIN(FrmDat3StartStateTest)
#include "tst_frmdat3startstate.moc"
