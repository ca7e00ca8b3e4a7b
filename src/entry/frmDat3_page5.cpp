// Page 5 "心身（３）": the body: dominant hand, height and weight, and one row per finding.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

#include <QFontMetrics>

namespace entry {

using namespace controls;

namespace {

constexpr OleColor Y = kLightYellow;
constexpr OleColor C = kLightCyan;
constexpr int kMasterWidth = 1830; // the finding's check box, twips
constexpr int kSiteWidth = 2550;   // the site combo, twips

} // namespace

void frmDat3::buildPage5(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    Frame* body = b.box(QStringLiteral("身体の状態"));
    auto* v = static_cast<QVBoxLayout*>(body->layout());
    v->setSpacing(1);

    // Dominant hand, height and weight: the boxes stand over the gaps of one label.
    OptionGroup* hand = b.group(page);
    auto* measures = new QWidget;
    Label* measureLabel =
        b.label(QStringLiteral("身長＝　　　　　　cm　　体重＝　　　　　　kg　　"));
    measureLabel->setParent(measures);
    measureLabel->adjustSize();
    measures->setFixedSize(measureLabel->sizeHint().width(), FormBuilder::px(300));
    measureLabel->move(0, (measures->height() - measureLabel->height()) / 2);
    const QFontMetrics metrics(measureLabel->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("　　　　　　")) - 8;
    TextBox* height = b.text(QStringLiteral("txtHight"), kNoIndex, 600, 0, ImeMode::Disabled, Y);
    height->setParent(measures);
    height->setFixedWidth(gap);
    height->move(metrics.horizontalAdvance(QStringLiteral("身長＝")) + 2, 0);
    TextBox* weight = b.text(QStringLiteral("txtWeight"), kNoIndex, 600, 0, ImeMode::Disabled, Y);
    weight->setParent(measures);
    weight->setFixedWidth(gap);
    weight->move(metrics.horizontalAdvance(QStringLiteral("身長＝　　　　　　cm　　体重＝")) + 2,
                 0);
    FormBuilder::row(v, {b.label(QStringLiteral("利き腕（")),
                         b.option(QStringLiteral("opKiki"), 1, QStringLiteral("右"), hand),
                         b.option(QStringLiteral("opKiki"), 2, QStringLiteral("左"), hand),
                         b.label(QStringLiteral("）")), nullptr, measures});
    OptionGroup* change = b.group(page);
    FormBuilder::row(v,
                     {b.label(QStringLiteral("過去６ヶ月の体重の変化")), nullptr,
                      b.option(QStringLiteral("optHenka"), 1, QStringLiteral("増加"), change),
                      b.option(QStringLiteral("optHenka"), 2, QStringLiteral("維持"), change),
                      b.option(QStringLiteral("optHenka"), 3, QStringLiteral("減少"), change)},
                     8);

    // A grade triple 軽 中 重 closed by its "）" label.
    int closing = 0;
    const auto degree = [&](const QString& name) {
        auto* holder = new QWidget;
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        OptionGroup* grades = b.group(holder);
        layout->addWidget(b.option(name, 1, QStringLiteral("軽"), grades));
        layout->addWidget(b.option(name, 2, QStringLiteral("中"), grades));
        layout->addWidget(b.option(name, 3, QStringLiteral("重"), grades));
        layout->addWidget(b.label(QStringLiteral("）"), QStringLiteral("Label37"), closing++));
        return holder;
    };
    const auto master = [&](const QString& name, const QString& caption) {
        CheckBox* box = b.check(name, kNoIndex, caption);
        box->setFixedWidth(FormBuilder::px(kMasterWidth));
        return box;
    };
    const auto site = [&](int label) {
        return b.label(QStringLiteral("（部位："), QStringLiteral("Label36"), label);
    };

    FormBuilder::row(v, {master(QStringLiteral("chkKesson"), QStringLiteral("四肢欠損")), site(0),
                         b.combo(QStringLiteral("cmbKesson"), kNoIndex, kSiteWidth, ImeMode::On, C),
                         b.label(QStringLiteral("）"))});

    // Paralysis: four parts with their grades, and another part with its site.
    const QStringList parts = {QStringLiteral("右上肢（程度："), QStringLiteral("右下肢（程度："),
                               QStringLiteral("左上肢（程度："), QStringLiteral("左下肢（程度："),
                               QStringLiteral("その他")};
    QList<CheckBox*> partBoxes;
    for (int k = 1; k <= 5; ++k)
        partBoxes.append(b.check(QStringLiteral("chkMahibui"), k, parts.at(k - 1)));
    QList<QWidget*> partGrades;
    for (int k = 1; k <= 4; ++k)
        partGrades.append(degree(QStringLiteral("optTeido%1").arg(k)));
    const auto indent = [&] {
        auto* space = new QWidget;
        space->setFixedWidth(FormBuilder::px(kMasterWidth));
        return space;
    };
    FormBuilder::row(v, {master(QStringLiteral("chkMahi"), QStringLiteral("麻痺")), partBoxes[0],
                         partGrades[0], nullptr, partBoxes[1], partGrades[1]});
    FormBuilder::row(v,
                     {indent(), partBoxes[2], partGrades[2], nullptr, partBoxes[3], partGrades[3]});
    FormBuilder::row(
        v, {indent(), partBoxes[4], site(1),
            b.combo(QStringLiteral("cmbMahibui"), kNoIndex, kSiteWidth - 900, ImeMode::On, C),
            b.label(QStringLiteral("程度：")), degree(QStringLiteral("optTeido5"))});

    // The findings with a site and a grade.
    const auto finding = [&](const char* check, const char* caption, int label, const char* combo,
                             const char* grades) {
        FormBuilder::row(
            v, {master(QString::fromLatin1(check), QString::fromUtf8(caption)), site(label),
                b.combo(QString::fromLatin1(combo), kNoIndex, kSiteWidth, ImeMode::On, C),
                b.label(QStringLiteral("程度：")), degree(QString::fromLatin1(grades))});
    };
    finding("chkTeika", "筋力低下", 3, "cmbTeika", "optKintei");
    finding("chkKousyuku", "関節の拘縮", 4, "cmbKousyuku", "optKousyuku");
    finding("chkToutsu", "関節の痛み", 5, "cmbToutsu", "optToutsu");

    QList<CheckBox*> ataxia;
    for (int i = 0; i <= 6; ++i)
        ataxia.append(b.check(QStringLiteral("chkHuzui"), i,
                              i == 0 ? QStringLiteral("失調・不随意運動")
                                     : (i % 2 ? QStringLiteral("右") : QStringLiteral("左"))));
    ataxia[0]->setFixedWidth(FormBuilder::px(kMasterWidth));
    FormBuilder::row(
        v, {ataxia[0], b.label(QStringLiteral("・上肢"), QStringLiteral("Label38"), 0), ataxia[1],
            ataxia[2], nullptr, b.label(QStringLiteral("・下肢"), QStringLiteral("Label38"), 1),
            ataxia[3], ataxia[4], nullptr,
            b.label(QStringLiteral("・体幹"), QStringLiteral("Label38"), 2), ataxia[5], ataxia[6]});

    finding("chkJokusou", "褥瘡", 6, "cmbJokusou", "opJokusou");
    finding("chkHihu", "その他の皮膚疾患", 2, "cmbHihu", "optHihu");

    col->addWidget(body);
    col->addStretch(1);
}

} // namespace entry
