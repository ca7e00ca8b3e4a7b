// Page 6 "生活（１）": moving, nutrition, and the states likely to arise.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

using namespace controls;

namespace {

constexpr OleColor C = kLightCyan;
constexpr int kCaptionWidth = 2250; // the row captions of the box "移動", twips

} // namespace

void frmDat3::buildPage6(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    col->addWidget(b.heading(QStringLiteral("生活機能とサービスに関する意見")));
    const auto caption = [&b](const QString& text) {
        Label* label = b.label(text);
        label->setFixedWidth(FormBuilder::px(kCaptionWidth));
        return label;
    };

    Frame* moving = b.box(QStringLiteral("移動"));
    auto* m = static_cast<QVBoxLayout*>(moving->layout());
    OptionGroup* walking = b.group(page);
    FormBuilder::row(
        m,
        {caption(QStringLiteral("屋外歩行")),
         b.option(QStringLiteral("optHokou"), 1, QStringLiteral("自立"), walking),
         b.option(QStringLiteral("optHokou"), 2, QStringLiteral("介助があればしている"), walking),
         b.option(QStringLiteral("optHokou"), 3, QStringLiteral("していない"), walking)},
        8);
    OptionGroup* chair = b.group(page);
    FormBuilder::row(
        m,
        {caption(QStringLiteral("車いすの使用")),
         b.option(QStringLiteral("optIsu"), 1, QStringLiteral("用いてない"), chair),
         b.option(QStringLiteral("optIsu"), 2, QStringLiteral("主に自分で使用している"), chair),
         b.option(QStringLiteral("optIsu"), 3, QStringLiteral("主に他人が操作している"), chair)},
        8);
    QList<CheckBox*> aids;
    const QStringList aidNames = {QStringLiteral("用いてない"), QStringLiteral("屋外で使用"),
                                  QStringLiteral("屋内で使用")};
    for (int i = 1; i <= 3; ++i) {
        CheckBox* aid = b.check(QStringLiteral("chkHozyo"), i, aidNames.at(i - 1));
        aid->setForeColor(FormBuilder::kOptionColor);
        aids.append(aid);
    }
    FormBuilder::row(m,
                     {caption(QStringLiteral("歩行補助具・装具の使用")), aids[0], aids[1], aids[2],
                      nullptr, b.note(QStringLiteral("（複数選択可）"))},
                     8);
    col->addWidget(moving);

    const OleColor darkBlue = rgb(0, 0, 192);
    Frame* nutrition = b.box(QStringLiteral("栄養・食生活"), darkBlue);
    auto* n = static_cast<QVBoxLayout*>(nutrition->layout());
    OptionGroup* eating = b.group(page);
    OptionGroup* state = b.group(page);
    FormBuilder::row(n,
                     {b.label(QStringLiteral("食事行為")),
                      b.option(QStringLiteral("optShokuzi"), 1,
                               QStringLiteral("自立ないし何とか自分で食べられる"), eating),
                      b.option(QStringLiteral("optShokuzi"), 2, QStringLiteral("全面介助"), eating),
                      nullptr, b.label(QStringLiteral("現在の栄養状態")),
                      b.option(QStringLiteral("optEiyou"), 1, QStringLiteral("良好"), state),
                      b.option(QStringLiteral("optEiyou"), 2, QStringLiteral("不良"), state)},
                     6);
    FormBuilder::row(n, {b.label(QStringLiteral("→栄養・食生活上の留意点")),
                         b.label(QStringLiteral("（")),
                         b.text(QStringLiteral("txtEiyou"), kNoIndex, 5100, 40, ImeMode::On, C),
                         b.label(QStringLiteral("）"))});
    col->addWidget(nutrition);

    Frame* states =
        b.box(QStringLiteral("現在あるかまたは今後発生の可能性の高い状態とその対処療法"), darkBlue);
    auto* s = static_cast<QVBoxLayout*>(states->layout());
    const QStringList names = {QStringLiteral("尿失禁"),
                               QStringLiteral("転倒･骨折"),
                               QStringLiteral("移動能力の低下"),
                               QStringLiteral("褥瘡"),
                               QStringLiteral("心肺機能の低下"),
                               QStringLiteral("閉じこもり"),
                               QStringLiteral("意欲低下"),
                               QStringLiteral("徘徊"),
                               QStringLiteral("低栄養"),
                               QStringLiteral("摂食･嚥下機能低下"),
                               QStringLiteral("脱水"),
                               QStringLiteral("易感染性"),
                               QStringLiteral("がん等による疼痛"),
                               QStringLiteral("その他")};
    QList<CheckBox*> boxes;
    for (int i = 1; i <= 14; ++i)
        boxes.append(b.check(QStringLiteral("chkJoutai"), i, names.at(i - 1)));
    FormBuilder::row(s, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]}, 8);
    FormBuilder::row(s, {boxes[5], boxes[6], boxes[7], boxes[8], boxes[9]}, 8);
    FormBuilder::row(s,
                     {boxes[10], boxes[11], boxes[12], boxes[13],
                      b.combo(QStringLiteral("cmbTabyotai"), kNoIndex, 2400, ImeMode::On, C)},
                     8);
    // The letter keeps 60 characters of the handling policy: the box takes no more.
    ComboBox* policy = b.combo(QStringLiteral("cmbTaisyo"), kNoIndex, 5700, ImeMode::On, C);
    policy->setMaxLength(60);
    FormBuilder::row(s, {b.label(QStringLiteral("→対処方法")), b.label(QStringLiteral("（")),
                         policy, b.label(QStringLiteral("）"))});
    col->addWidget(states);
    col->addStretch(1);
}

} // namespace entry
