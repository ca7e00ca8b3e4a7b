// Page 4 "心身（２）": core and peripheral symptoms of dementia, other psychiatric symptoms.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

using namespace controls;

namespace {

constexpr OleColor C = kLightCyan;

} // namespace

void frmDat3::buildPage4(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);

    Frame* core = b.box(QStringLiteral("認知症の中核症状"));
    auto* c = static_cast<QVBoxLayout*>(core->layout());
    FormBuilder::row(
        c, {b.note(QStringLiteral("（認知症以外の疾患で洞様の症状を認める場合も含む）"))});
    OptionGroup* memory = b.group(page);
    FormBuilder::row(
        c,
        {b.label(QStringLiteral("･短期記憶")), nullptr,
         b.option(QStringLiteral("opKioku"), 1, QStringLiteral("問題なし"), memory),
         b.option(QStringLiteral("opKioku"), 2, QStringLiteral("問題あり"), memory), nullptr,
         nullptr, b.note(QStringLiteral("（クリアは右クリック）"), QStringLiteral("Label17"), 1)},
        8);
    FormBuilder::row(c, {b.label(QStringLiteral("･日常の意思決定を行うための認知能力"))});
    OptionGroup* decision = b.group(page);
    FormBuilder::row(
        c,
        {nullptr, b.option(QStringLiteral("opNinchi"), 1, QStringLiteral("自立"), decision),
         b.option(QStringLiteral("opNinchi"), 2, QStringLiteral("いくらか困難"), decision),
         b.option(QStringLiteral("opNinchi"), 3, QStringLiteral("見守りが必要"), decision),
         b.option(QStringLiteral("opNinchi"), 4, QStringLiteral("判断できない"), decision)},
        8);
    FormBuilder::row(c, {b.label(QStringLiteral("･自分の意思の伝達能力"))});
    OptionGroup* telling = b.group(page);
    FormBuilder::row(
        c,
        {nullptr, b.option(QStringLiteral("opDen"), 1, QStringLiteral("伝えられる"), telling),
         b.option(QStringLiteral("opDen"), 2, QStringLiteral("いくらか困難"), telling),
         b.option(QStringLiteral("opDen"), 3, QStringLiteral("具体的要求に限られる"), telling),
         b.option(QStringLiteral("opDen"), 4, QStringLiteral("伝えられない"), telling)},
        8);
    col->addWidget(core);

    Frame* peripheral = b.box(QStringLiteral("認知症の周辺症状　（該当する項目全てチェック："));
    auto* p = static_cast<QVBoxLayout*>(peripheral->layout());
    OptionGroup* symptoms = b.group(page);
    OptionButton* symptomsNone =
        b.option(QStringLiteral("optNinchi"), 2, QStringLiteral("無"), symptoms);
    OptionButton* symptomsYes =
        b.option(QStringLiteral("optNinchi"), 1, QStringLiteral("有"), symptoms);
    FormBuilder::row(p, {symptomsNone, symptomsYes, nullptr,
                         b.note(QStringLiteral("認知症以外の疾患で洞様の症状を認める場合も含む")),
                         b.note(QStringLiteral("）"))});
    const QStringList names = {QStringLiteral("幻視・幻聴"),   QStringLiteral("妄想"),
                               QStringLiteral("昼夜逆転"),     QStringLiteral("暴言"),
                               QStringLiteral("暴行"),         QStringLiteral("介護への抵抗"),
                               QStringLiteral("徘徊"),         QStringLiteral("火の不始末"),
                               QStringLiteral("不潔行為"),     QStringLiteral("異食行動"),
                               QStringLiteral("性的問題行動"), QStringLiteral("その他")};
    QList<CheckBox*> boxes;
    for (int i = 1; i <= 12; ++i)
        boxes.append(b.check(QStringLiteral("chkShuhen"), i, names.at(i - 1)));
    FormBuilder::row(p, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5]}, 6);
    FormBuilder::row(p, {boxes[6], boxes[7], boxes[8], boxes[9], boxes[10]}, 6);
    FormBuilder::row(p,
                     {boxes[11], b.label(QStringLiteral("（"), QStringLiteral("Label25"), 0),
                      b.text(QStringLiteral("txtMondai"), kNoIndex, 4500, 0, ImeMode::On, C),
                      b.label(QStringLiteral("）"), QStringLiteral("Label25"), 3)},
                     6);
    col->addWidget(peripheral);

    Frame* other = b.box(QStringLiteral("その他の精神・神経症状"));
    auto* o = static_cast<QVBoxLayout*>(other->layout());
    OptionGroup* psy = b.group(page);
    OptionButton* psyNone = b.option(QStringLiteral("opPsy"), 2, QStringLiteral("無"), psy);
    OptionButton* psyYes = b.option(QStringLiteral("opPsy"), 1, QStringLiteral("有"), psy);
    FormBuilder::row(o, {psyNone, psyYes, nullptr,
                         b.combo(QStringLiteral("cmbPsy"), kNoIndex, 3300, ImeMode::On, C),
                         b.note(QStringLiteral("（１６文字以内）"))});
    OptionGroup* specialist = b.group(page);
    const OleColor red = rgb(128, 0, 0);
    OptionButton* specialistYes =
        b.option(QStringLiteral("opPsyist"), 1, QStringLiteral("有"), specialist, red);
    OptionButton* specialistNone =
        b.option(QStringLiteral("opPsyist"), 2, QStringLiteral("無"), specialist, red);
    for (OptionButton* button : {specialistYes, specialistNone})
        button->setToolTip(QStringLiteral("右クリックで取消"));
    FormBuilder::row(o, {b.label(QStringLiteral("専門医受診の有無")), specialistYes, specialistNone,
                         nullptr,
                         b.text(QStringLiteral("txtPsyist"), kNoIndex, 3000, 15, ImeMode::On, C),
                         b.note(QStringLiteral("（１５文字以内）"))});
    col->addWidget(other);
    col->addStretch(1);
}

} // namespace entry
