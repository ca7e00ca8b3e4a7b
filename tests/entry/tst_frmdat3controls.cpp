// The entry form's controls as designed: names, kinds, array members, pages, captions, list
// items, input limits, input-method modes and colours.
#include "common/fontsubstitution.h"
#include "entry/frmDat3.h"

#include <QTabBar>
#include <QtTest>

using namespace controls;

namespace {

constexpr int Y = int(kLightYellow);
constexpr int C = int(kLightCyan);
constexpr int W = int(kSystemWindow);
constexpr int Any = -1;
constexpr int AnyPage = -2; // on more than one page

constexpr int Off = int(ImeMode::NotSet);
constexpr int On = int(ImeMode::On);
constexpr int No = int(ImeMode::Disabled);
constexpr int Hira = int(ImeMode::Hiragana);

QList<int> range(int first, int last)
{
    QList<int> list;
    for (int i = first; i <= last; ++i)
        list.append(i);
    return list;
}

const QList<int> single = {kNoIndex};

QStringList grades()
{
    return {QStringLiteral("軽"), QStringLiteral("中"), QStringLiteral("重")};
}

int imeOf(const Control* control)
{
    if (auto* box = dynamic_cast<const TextBox*>(control))
        return int(box->imeMode());
    if (auto* box = dynamic_cast<const MultiLineTextBox*>(control))
        return int(box->imeMode());
    if (auto* box = dynamic_cast<const ComboBox*>(control))
        return int(box->imeMode());
    return Any;
}

} // namespace

class FrmDat3ControlsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { common::installFontSubstitutions(); }
    void controls_data();
    void controls();
    void tabs();
    void optionColours();
    void designStateHasNothingSetAndAllEnabled();
    void pairsStandInTheirOwnOrder_data();
    void pairsStandInTheirOwnOrder();
    void eraBoxes();
    void formCannotBeClosedOrEscaped();
    void buttonsAreNotDefault();
};

void FrmDat3ControlsTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("indexes");
    QTest::addColumn<int>("page");             // frame index, or -1 outside the pages
    QTest::addColumn<QStringList>("captions"); // one per member, or none
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QList<int>>("limits"); // one per member, or one for all
    QTest::addColumn<QList<int>>("imes");   // one per member, or one for all
    QTest::addColumn<int>("back");

    const auto row = [](const char* name, ControlKind kind, QList<int> indexes, int page,
                        QStringList captions = {}, QStringList items = {},
                        QList<int> limits = {Any}, QList<int> imes = {Any}, int back = Any) {
        QTest::newRow(name) << QString::fromLatin1(name) << int(kind) << indexes << page << captions
                            << items << limits << imes << back;
    };
    using K = ControlKind;
    const auto text = [&](const char* name, QList<int> indexes, int page, int limit, int ime,
                          int back) {
        row(name, K::TextBox, indexes, page, {}, {}, {limit}, {ime}, back);
    };
    const auto combo = [&](const char* name, QList<int> indexes, int page, int ime = On,
                           int back = C) {
        row(name, K::ComboBox, indexes, page, {}, {}, {Any}, {ime}, back);
    };
    const auto options = [&](const char* name, QList<int> indexes, int page, QStringList captions) {
        row(name, K::OptionButton, indexes, page, captions);
    };
    const auto checks = [&](const char* name, QList<int> indexes, int page, QStringList captions) {
        row(name, K::CheckBox, indexes, page, captions);
    };
    const QStringList eras = {"令和", "平成", "昭和", "大正", "明治", "不詳"};

    // Outside the pages.
    row("Command3", K::CommandButton, single, -1, {"登　録(&R)"});
    row("Command2", K::CommandButton, single, -1, {"印刷(&P)"});
    row("Command1", K::CommandButton, single, -1, {"取り消し(&D)"});
    row("Label52", K::Label, single, -1, {"新規登録"});
    row("lblBackward", K::Label, single, -1, {"前頁　←"});
    row("lblForward", K::Label, single, -1, {"→　次頁"});
    row("lblTemp", K::Label, single, -1, {"Label7"});
    row("txtUra", K::TextBox, single, -1, {"Text1"});
    row("frmTab", K::Frame, range(0, 8), AnyPage);

    // Page 1.
    row("cmbNengoD", K::ListComboBox, single, 0, {}, {"令和", "平成"}, {Any}, {Any}, Y);
    text("txtNenD", single, 0, 2, No, Y);
    text("txtTukiD", single, 0, 2, No, Y);
    text("txtHiD", single, 0, 2, No, Y);
    row("Command8", K::CommandButton, single, 0, {"今日の日付"});
    text("txtname", single, 0, 30, On, C);
    text("txtKana", single, 0, 60, Hira, C);
    row("lblKanaPre", K::Label, single, 0, {""});
    options("optDoui", range(1, 2), 0, {"同意する", "同意しない"});
    options("optMale", single, 0, {"男性"});
    options("optFemale", single, 0, {"女性"});
    text("txtPtID", single, 0, 0, Off, Y);
    row("cmbNengo", K::ListComboBox, single, 0, {}, {"平成", "昭和", "大正", "明治"}, {Any}, {Any},
        Y);
    text("txtNen", single, 0, 2, No, Y);
    text("txtTuki", single, 0, 2, No, Y);
    text("txtHi", single, 0, 2, No, Y);
    text("txtToshi", single, 0, 0, No, Y);
    text("txtYubin1", single, 0, 3, No, Y);
    text("txtYubin2", single, 0, 4, No, Y);
    text("txtZusho", single, 0, 0, On, C);
    text("txtTel", range(0, 2), 0, 0, No, Y);
    row("cmbNengo2", K::ListComboBox, single, 0, {}, {"令和", "平成", "昭和"}, {Any}, {Any}, Y);
    text("txtNen2", single, 0, 2, No, Y);
    text("txtTuki2", single, 0, 2, No, Y);
    text("txtHi2", single, 0, 2, No, Y);
    options("opKaisu", range(0, 1), 0, {"初回", "２回目以上"});
    options("opTakaAri", single, 0, {"有"});
    options("opTakaNasi", single, 0, {"無"});
    checks("chkTaka", range(1, 13), 0,
           {"内科", "精神科", "外科", "整形外科", "脳神経外科", "皮膚科", "泌尿器科", "婦人科",
            "眼科", "耳鼻咽喉科", "ﾘﾊﾋﾞﾘﾃｰｼｮﾝ科", "歯科", "その他"});
    combo("cmbTaka", single, 0);
    row("lblTugi", K::Label, range(0, 1), AnyPage, {"Ctrl + Tab →　次頁", "Ctrl + Tab →　次頁"});

    // Page 2.
    combo("cmbSippei", range(1, 3), 1);
    row("picToctei1", K::PictureBox, single, 1);
    row("picToctei2", K::PictureBox, single, 1);
    row("picToctei3", K::PictureBox, single, 1);
    row("cmbSippeiNengou", K::ListComboBox, range(1, 3), 1, {}, eras, {Any}, {No, Off, Off}, Y);
    text("txtSippeiNen", range(1, 3), 1, 0, No, Y);
    text("txtSippeiTuki", range(1, 3), 1, 0, No, Y);
    text("txtSippeiHi", range(1, 3), 1, 0, No, Y);
    options("opAntei", range(1, 3), 1, {"安定", "不安定", "不明"});
    text("txtHuantei", single, 1, 0, On, W);
    row("txtKeika", K::TextBox, single, 1, {}, {}, {Any}, {On}, W);
    combo("cmbYakuzai", range(1, 6), 1);
    combo("cmbYakuzaiKeizyo", range(1, 6), 1);
    combo("cmbYouhou", range(1, 6), 1);

    // Page 3.
    checks("cheTokubetu", range(1, 12), 2,
           {"点滴の管理", "中心静脈栄養", "透析", "ストーマの処置", "酸素療法", "レスピレーター",
            "気管切開の処置", "疼痛の看護", "経管栄養", "モニター測定（血圧、心拍、酸素飽和度等）",
            "褥瘡の処置", "カテーテル（コンドームカテーテル、留置カテーテル等）"});
    options("opNeta", range(1, 9), 2, {"自立", "J1", "J2", "A1", "A2", "B1", "B2", "C1", "C2"});
    options("opNin", range(1, 8), 2, {"自立", "Ⅰ", "Ⅱa", "Ⅱb", "Ⅲa", "Ⅲb", "Ⅳ", "M"});
    row("Frame17", K::Frame, single, 2);
    row("lblComment", K::Label, single, 2);
    row("Label17", K::Label, range(0, 1), AnyPage,
        {"（クリアは右クリック）", "（クリアは右クリック）"});

    // Page 4.
    options("opKioku", range(1, 2), 3, {"問題なし", "問題あり"});
    options("opNinchi", range(1, 4), 3, {"自立", "いくらか困難", "見守りが必要", "判断できない"});
    options("opDen", range(1, 4), 3,
            {"伝えられる", "いくらか困難", "具体的要求に限られる", "伝えられない"});
    options("optNinchi", range(1, 2), 3, {"有", "無"});
    checks("chkShuhen", range(1, 12), 3,
           {"幻視・幻聴", "妄想", "昼夜逆転", "暴言", "暴行", "介護への抵抗", "徘徊", "火の不始末",
            "不潔行為", "異食行動", "性的問題行動", "その他"});
    text("txtMondai", single, 3, 0, On, C);
    options("opPsy", range(1, 2), 3, {"有", "無"});
    combo("cmbPsy", single, 3);
    options("opPsyist", range(1, 2), 3, {"有", "無"});
    text("txtPsyist", single, 3, 15, On, C);
    row("Label25", K::Label, {0, 3}, 3, {"（", "）"});

    // Page 5.
    options("opKiki", range(1, 2), 4, {"右", "左"});
    text("txtHight", single, 4, 0, No, Y);
    text("txtWeight", single, 4, 0, No, Y);
    options("optHenka", range(1, 3), 4, {"増加", "維持", "減少"});
    checks("chkKesson", single, 4, {"四肢欠損"});
    combo("cmbKesson", single, 4);
    checks("chkMahi", single, 4, {"麻痺"});
    checks("chkMahibui", range(1, 5), 4,
           {"右上肢（程度：", "右下肢（程度：", "左上肢（程度：", "左下肢（程度：", "その他"});
    options("optTeido1", range(1, 3), 4, grades());
    options("optTeido2", range(1, 3), 4, grades());
    options("optTeido3", range(1, 3), 4, grades());
    options("optTeido4", range(1, 3), 4, grades());
    combo("cmbMahibui", single, 4);
    options("optTeido5", range(1, 3), 4, grades());
    checks("chkTeika", single, 4, {"筋力低下"});
    combo("cmbTeika", single, 4);
    options("optKintei", range(1, 3), 4, grades());
    checks("chkKousyuku", single, 4, {"関節の拘縮"});
    combo("cmbKousyuku", single, 4);
    options("optKousyuku", range(1, 3), 4, grades());
    checks("chkToutsu", single, 4, {"関節の痛み"});
    combo("cmbToutsu", single, 4);
    options("optToutsu", range(1, 3), 4, grades());
    checks("chkHuzui", range(0, 6), 4, {"失調・不随意運動", "右", "左", "右", "左", "右", "左"});
    checks("chkJokusou", single, 4, {"褥瘡"});
    combo("cmbJokusou", single, 4);
    options("opJokusou", range(1, 3), 4, grades());
    checks("chkHihu", single, 4, {"その他の皮膚疾患"});
    combo("cmbHihu", single, 4);
    options("optHihu", range(1, 3), 4, grades());
    row("Label36", K::Label, range(0, 6), 4);
    row("Label37", K::Label, range(0, 9), 4,
        {"）", "）", "）", "）", "）", "）", "）", "）", "）", "）"});
    row("Label38", K::Label, range(0, 2), 4, {"・上肢", "・下肢", "・体幹"});

    // Page 6.
    options("optHokou", range(1, 3), 5, {"自立", "介助があればしている", "していない"});
    options("optIsu", range(1, 3), 5,
            {"用いてない", "主に自分で使用している", "主に他人が操作している"});
    checks("chkHozyo", range(1, 3), 5, {"用いてない", "屋外で使用", "屋内で使用"});
    options("optShokuzi", range(1, 2), 5, {"自立ないし何とか自分で食べられる", "全面介助"});
    options("optEiyou", range(1, 2), 5, {"良好", "不良"});
    text("txtEiyou", single, 5, 40, On, C);
    checks("chkJoutai", range(1, 14), 5,
           {"尿失禁", "転倒･骨折", "移動能力の低下", "褥瘡", "心肺機能の低下", "閉じこもり",
            "意欲低下", "徘徊", "低栄養", "摂食･嚥下機能低下", "脱水", "易感染性",
            "がん等による疼痛", "その他"});
    combo("cmbTabyotai", single, 5);
    combo("cmbTaisyo", single, 5);

    // Page 7.
    options("optKinou", range(1, 3), 6, {"期待できる", "期待できない", "不明"});
    checks("chkKanri", range(1, 10), 6, QStringList(10, QStringLiteral("　")));
    row("lblKanri", K::Label, range(1, 10), 6,
        {"訪問診療", "訪問看護", "訪問歯科診療", "訪問薬剤管理指導", "訪問リハビリテーション",
         "短期入所療養介護", "訪問歯科衛生指導", "訪問栄養食事指導", "通所リハビリテーション",
         "その他の医療系サービス"});
    row("KnariUnder", K::Line, range(1, 10), 6);
    text("txtKanri", single, 6, 0, On, C);
    for (const char* name : {"optKanten1", "optKanten2", "optKanten3", "optKanten4", "optKanten5"})
        options(name, range(1, 2), 6, {"特になし", "有"});
    combo("cmbKanten", range(1, 6), 6);
    row("Label40", K::Label, {1, 2, 3, 4, 5, 7, 8}, AnyPage,
        {"（", "（", "（", "（", "（", "（", "（"});
    row("Label15", K::Label, {1, 2, 3, 4, 5, 7, 11}, AnyPage,
        {"）", "）", "）", "）", "）", "）", "）"});

    // Page 8.
    options("optKansen", range(1, 3), 7, {"有", "無", "不明"});
    combo("cmbKansen", single, 7);
    row("txtTokki", K::TextBox, single, 7, {}, {}, {Any}, {On}, W);

    // Page 9.
    combo("cmbKisaisya", single, 8, Off, Y);
    row("Kisaisya", K::TextBox, {1, 5, 6, 7, 8, 9, 10}, 8, {}, {}, {0, 6, 4, 4, 6, 4, 4},
        {Hira, No, No, No, No, No, No}, Y);
    text("txtYubin1Dr", single, 8, 3, No, Y);
    text("txtYubin2Dr", single, 8, 4, No, Y);
    text("txtZushoDr", single, 8, 0, Hira, Y);
}

void FrmDat3ControlsTest::controls()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QList<int>, indexes);
    QFETCH(int, page);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, items);
    QFETCH(QList<int>, limits);
    QFETCH(QList<int>, imes);
    QFETCH(int, back);

    entry::frmDat3 form;
    const ControlRegistry& registry = form.controls();
    // Exactly these members exist.
    if (indexes == single)
        QVERIFY(registry.indexes(name).isEmpty());
    else
        QCOMPARE(registry.indexes(name), indexes);
    QVERIFY(!registry.find(name, indexes == single ? 0 : kNoIndex));

    for (qsizetype m = 0; m < indexes.size(); ++m) {
        const int index = indexes.at(m);
        const QByteArray where = QStringLiteral("%1(%2)").arg(name).arg(index).toUtf8();
        Control* control = registry.find(name, index);
        QVERIFY2(control, where);
        QCOMPARE(control->name(), name);
        QCOMPARE(control->index(), index);
        QVERIFY2(int(control->kind()) == kind, where);
        if (page >= 0) {
            QVERIFY2(form.page(page)->isAncestorOf(control->widget()), where);
        } else if (page == -1) {
            for (int k = 0; k < entry::frmDat3::kPageCount; ++k)
                QVERIFY2(!form.page(k)->isAncestorOf(control->widget()), where);
        }
        if (!captions.isEmpty())
            QCOMPARE(control->text(), captions.at(m));
        if (!items.isEmpty()) {
            auto* box = dynamic_cast<ComboBox*>(control);
            QVERIFY2(box, where);
            QCOMPARE(box->items(), items);
        }
        const int limit = limits.size() == 1 ? limits.first() : limits.at(m);
        if (limit != Any) {
            auto* box = dynamic_cast<TextBox*>(control);
            QVERIFY2(box, where);
            QCOMPARE(box->maxLength(), limit);
        }
        const int ime = imes.size() == 1 ? imes.first() : imes.at(m);
        if (ime != Any)
            QCOMPARE(imeOf(control), ime);
        if (back != Any)
            QCOMPARE(control->backColor(), OleColor(back));
    }
}

void FrmDat3ControlsTest::tabs()
{
    entry::frmDat3 form;
    QTabBar* tabs = form.tabStrip();
    QCOMPARE(tabs->objectName(), QStringLiteral("tabRTF"));
    const QStringList captions = {"申請者",     "疾病",       "医療・心身（１）", "心身（２）",
                                  "心身（３）", "生活（１）", "生活（２）",       "生活（３）･特記",
                                  "記載者"};
    QCOMPARE(tabs->count(), captions.size());
    for (int k = 0; k < tabs->count(); ++k) {
        QCOMPARE(tabs->tabText(k), captions.at(k));
        QCOMPARE(tabs->tabData(k).toString(), k == 0 ? QStringLiteral("Patient") : QString());
    }
    QCOMPARE(form.windowTitle(), QStringLiteral("Sarnet意見書 Database"));
    // Multi-line boxes are the three long texts.
    for (const char* name : {"txtKeika", "txtTokki", "txtUra"})
        QVERIFY(form.control<MultiLineTextBox>(QString::fromLatin1(name)));
}

void FrmDat3ControlsTest::optionColours()
{
    entry::frmDat3 form;
    for (const Control* control : form.controls().all()) {
        if (control->kind() != ControlKind::OptionButton)
            continue;
        const bool red = control->name() == u"opAntei" || control->name() == u"opPsyist";
        QVERIFY2(control->foreColor() == (red ? rgb(128, 0, 0) : rgb(128, 64, 0)),
                 qPrintable(control->name()));
    }
    QCOMPARE(form.control("chkHozyo", 2)->foreColor(), rgb(128, 64, 0));
    QCOMPARE(form.control("lblTugi", 0)->foreColor(), rgb(192, 0, 192));
    QCOMPARE(form.control("Label52")->foreColor(), rgb(128, 0, 0));
    QCOMPARE(form.control("Label52")->backColor(), rgb(255, 192, 192));
    QCOMPARE(form.control("lblComment")->backColor(), kLightYellow);
}

void FrmDat3ControlsTest::designStateHasNothingSetAndAllEnabled()
{
    entry::frmDat3 form;
    for (const Control* control : form.controls().all()) {
        const QByteArray where =
            QStringLiteral("%1(%2)").arg(control->name()).arg(control->index()).toUtf8();
        QVERIFY2(control->enabled(), where);
        if (control->kind() == ControlKind::CheckBox ||
            control->kind() == ControlKind::OptionButton)
            QVERIFY2(control->value() == 0, where);
        if (control->name() == u"KnariUnder")
            QVERIFY2(!control->visible(), where);
    }
    for (const char* hidden : {"lblBackward", "lblTemp", "lblKanaPre", "lblComment"})
        QVERIFY2(!form.controls().visible(QString::fromLatin1(hidden)).value(), hidden);
    QVERIFY(form.controls().visible(QStringLiteral("lblForward")).value());
}

void FrmDat3ControlsTest::pairsStandInTheirOwnOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("leftToRight");
    QTest::newRow("optNinchi 無 有") << "optNinchi" << QList<int>{2, 1};
    QTest::newRow("opPsy 無 有") << "opPsy" << QList<int>{2, 1};
    QTest::newRow("opPsyist 有 無") << "opPsyist" << QList<int>{1, 2};
    QTest::newRow("optKansen 無 有 不明") << "optKansen" << QList<int>{2, 1, 3};
    QTest::newRow("optKanten1 特になし 有") << "optKanten1" << QList<int>{1, 2};
}

void FrmDat3ControlsTest::pairsStandInTheirOwnOrder()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, leftToRight);
    entry::frmDat3 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
        if (form.page(k)->isAncestorOf(form.control(name, 1)->widget()))
            form.tabStrip()->setCurrentIndex(k); // laid out once shown
    }
    QCoreApplication::processEvents();
    const auto x = [&](int index) {
        QWidget* widget = form.control(name, index)->widget();
        return widget->mapTo(&form, QPoint(0, 0)).x();
    };
    for (qsizetype i = 1; i < leftToRight.size(); ++i)
        QVERIFY(x(leftToRight.at(i - 1)) < x(leftToRight.at(i)));
}

void FrmDat3ControlsTest::eraBoxes()
{
    entry::frmDat3 form;
    QCOMPARE(form.control("cmbNengoD")->text(), QStringLiteral("令和"));
    QVERIFY(form.control("cmbNengo")->text().isEmpty());
    form.applyEraDefaults();
    QCOMPARE(form.control("cmbNengo")->text(), QStringLiteral("昭和"));
    QCOMPARE(form.control("cmbNengo2")->text(), QStringLiteral("令和"));
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(form.control("cmbSippeiNengou", k)->text(), QStringLiteral("令和"));

    // A box already set keeps its era.
    entry::frmDat3 loaded;
    QVERIFY(loaded.control("cmbNengo")->setText(QStringLiteral("平成")));
    QVERIFY(loaded.control("cmbSippeiNengou", 2)->setText(QStringLiteral("不詳")));
    loaded.applyEraDefaults();
    QCOMPARE(loaded.control("cmbNengo")->text(), QStringLiteral("平成"));
    QCOMPARE(loaded.control("cmbSippeiNengou", 2)->text(), QStringLiteral("不詳"));
    // The era boxes take no typed text, only their items.
    for (const char* name : {"cmbNengo", "cmbNengo2", "cmbSippeiNengou", "cmbNengoD"}) {
        const int index = QByteArray(name) == "cmbSippeiNengou" ? 1 : kNoIndex;
        auto* box = loaded.control<ComboBox>(QString::fromLatin1(name), index);
        QVERIFY(!box->isEditable());
        QVERIFY(!box->setText(QStringLiteral("寛政")));
    }
    QVERIFY(!loaded.control("cmbSippeiNengou", 1)->setText(QString()));
}

void FrmDat3ControlsTest::formCannotBeClosedOrEscaped()
{
    entry::frmDat3 form;
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMinMaxButtonsHint));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QVERIFY(!form.close());
    QVERIFY(form.isVisible());
    QCOMPARE(form.minimumSize(), form.maximumSize()); // not sizeable
    // The form's own commands end it.
    form.done(QDialog::Accepted);
    QVERIFY(!form.isVisible());
}

void FrmDat3ControlsTest::buttonsAreNotDefault()
{
    entry::frmDat3 form;
    for (const Control* control : form.controls().all()) {
        if (auto* button = dynamic_cast<const CommandButton*>(control)) {
            QVERIFY(!button->autoDefault());
            QVERIFY(!button->isDefault());
        }
    }
    // An editable combo never takes typed text into its list.
    for (const Control* control : form.controls().all()) {
        if (auto* box = dynamic_cast<const ComboBox*>(control); box && box->isEditable())
            QCOMPARE(box->insertPolicy(), QComboBox::NoInsert);
    }
}

QTEST_MAIN(FrmDat3ControlsTest)
#include "tst_frmdat3controls.moc"
