// Page 3 "医療・心身（１）": special medical care and the two independence scales.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

namespace entry {

using namespace controls;

void frmDat3::buildPage3(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    col->addWidget(b.heading(QStringLiteral("特別な医療")));

    const QStringList care = {
        QStringLiteral("点滴の管理"),
        QStringLiteral("中心静脈栄養"),
        QStringLiteral("透析"),
        QStringLiteral("ストーマの処置"),
        QStringLiteral("酸素療法"),
        QStringLiteral("レスピレーター"),
        QStringLiteral("気管切開の処置"),
        QStringLiteral("疼痛の看護"),
        QStringLiteral("経管栄養"),
        QStringLiteral("モニター測定（血圧、心拍、酸素飽和度等）"),
        QStringLiteral("褥瘡の処置"),
        QStringLiteral("カテーテル（コンドームカテーテル、留置カテーテル等）")};
    QList<CheckBox*> boxes;
    for (int i = 1; i <= 12; ++i)
        boxes.append(b.check(QStringLiteral("cheTokubetu"), i, care.at(i - 1)));

    Frame* treatment = b.box(QStringLiteral("処置内容"));
    auto* t = static_cast<QVBoxLayout*>(treatment->layout());
    FormBuilder::row(t, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]}, 8);
    FormBuilder::row(t, {boxes[5], boxes[6], boxes[7], boxes[8]}, 8);
    col->addWidget(treatment);
    Frame* special = b.box(QStringLiteral("特別な対応"));
    FormBuilder::row(static_cast<QVBoxLayout*>(special->layout()), {boxes[9], boxes[10]}, 8);
    col->addWidget(special);
    Frame* incontinence = b.box(QStringLiteral("失禁への対応"));
    FormBuilder::row(static_cast<QVBoxLayout*>(incontinence->layout()), {boxes[11]});
    col->addWidget(incontinence);

    col->addSpacing(4);
    col->addWidget(b.heading(QStringLiteral("心身の状態に関する意見")));
    Frame* freedom = b.box(QStringLiteral("日常生活の自由度等"));
    auto* f = static_cast<QVBoxLayout*>(freedom->layout());

    FormBuilder::row(
        f, {b.label(QStringLiteral("障害高齢者の日常生活自立度（寝たきり度）")), nullptr, nullptr,
            b.note(QStringLiteral("（クリアは右クリック）"), QStringLiteral("Label17"), 0)});
    OptionGroup* neta = b.group(page);
    Frame* bedridden = b.box(QString(), FormBuilder::kBoxColor, QStringLiteral("Frame17"));
    bedridden->setBorderless(true);
    bedridden->setMouseTracking(true);
    const QStringList netaLevels = {
        QStringLiteral("自立"), QStringLiteral("J1"), QStringLiteral("J2"),
        QStringLiteral("A1"),   QStringLiteral("A2"), QStringLiteral("B1"),
        QStringLiteral("B2"),   QStringLiteral("C1"), QStringLiteral("C2")};
    QHBoxLayout* netaRow = FormBuilder::row(static_cast<QVBoxLayout*>(bedridden->layout()), {}, 10);
    netaRow->insertSpacing(0, 12);
    for (int i = 1; i <= 9; ++i) {
        OptionButton* level = b.option(QStringLiteral("opNeta"), i, netaLevels.at(i - 1), neta);
        level->setMouseTracking(true);
        netaRow->insertWidget(netaRow->count() - 1, level);
    }
    f->addWidget(bedridden);

    f->addWidget(b.label(QStringLiteral("認知症高齢者の日常生活自立度")));
    OptionGroup* nin = b.group(page);
    Frame* dementia = b.box(QString(), FormBuilder::kBoxColor, QStringLiteral("Frame18"));
    dementia->setBorderless(true);
    const QStringList ninLevels = {
        QStringLiteral("自立"), QStringLiteral("Ⅰ"),  QStringLiteral("Ⅱa"), QStringLiteral("Ⅱb"),
        QStringLiteral("Ⅲa"),   QStringLiteral("Ⅲb"), QStringLiteral("Ⅳ"),  QStringLiteral("M")};
    QHBoxLayout* ninRow = FormBuilder::row(static_cast<QVBoxLayout*>(dementia->layout()), {}, 10);
    ninRow->insertSpacing(0, 12);
    for (int i = 1; i <= 8; ++i) {
        OptionButton* level = b.option(QStringLiteral("opNin"), i, ninLevels.at(i - 1), nin);
        level->setMouseTracking(true);
        if (i == 8) {
            QFont font(QStringLiteral("ＭＳ Ｐ明朝"));
            font.setPointSizeF(9);
            level->setFont(font);
        }
        ninRow->insertWidget(ninRow->count() - 1, level);
    }
    f->addWidget(dementia);

    Label* comment = b.label(QString(), QStringLiteral("lblComment"));
    comment->setBackColor(kLightYellow);
    comment->setMinimumHeight(FormBuilder::px(480));
    QSizePolicy keepPlace = comment->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    comment->setSizePolicy(keepPlace);
    comment->setVisible(false);
    auto* commentRow = new QHBoxLayout;
    commentRow->setContentsMargins(FormBuilder::px(180), 0, 0, 0);
    commentRow->addWidget(comment);
    commentRow->addStretch(1);
    f->addLayout(commentRow);
    col->addWidget(freedom);
    col->addStretch(1);
}

} // namespace entry
