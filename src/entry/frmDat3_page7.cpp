// Page 7 "生活（２）": the outlook, the medical services needed and the care notes.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

#include <QGridLayout>

namespace entry {

using namespace controls;

namespace {

constexpr OleColor C = kLightCyan;

} // namespace

void frmDat3::buildPage7(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);

    Frame* outlook = b.box(QStringLiteral("サービス利用による生活機能の維持・改善の見通し"));
    OptionGroup* function = b.group(page);
    FormBuilder::row(
        static_cast<QVBoxLayout*>(outlook->layout()),
        {b.option(QStringLiteral("optKinou"), 1, QStringLiteral("期待できる"), function),
         b.option(QStringLiteral("optKinou"), 2, QStringLiteral("期待できない"), function),
         b.option(QStringLiteral("optKinou"), 3, QStringLiteral("不明"), function)},
        12);
    col->addWidget(outlook);

    Frame* management = b.box(QStringLiteral("医学的管理の必要性"));
    auto* m = static_cast<QVBoxLayout*>(management->layout());
    FormBuilder::row(m, {b.note(QStringLiteral("　（特に必要性の高い項目の文字をクリック。"
                                               "予防給付により提供されるサービスを含む）"))});
    const QStringList services = {QStringLiteral("訪問診療"),
                                  QStringLiteral("訪問看護"),
                                  QStringLiteral("訪問歯科診療"),
                                  QStringLiteral("訪問薬剤管理指導"),
                                  QStringLiteral("訪問リハビリテーション"),
                                  QStringLiteral("短期入所療養介護"),
                                  QStringLiteral("訪問歯科衛生指導"),
                                  QStringLiteral("訪問栄養食事指導"),
                                  QStringLiteral("通所リハビリテーション"),
                                  QStringLiteral("その他の医療系サービス")};
    QList<QWidget*> items;
    for (int i = 1; i <= 10; ++i) {
        auto* holder = new QWidget;
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(b.check(QStringLiteral("chkKanri"), i, QStringLiteral("　")));
        Label* name = b.label(services.at(i - 1), QStringLiteral("lblKanri"), i);
        layout->addWidget(name);
        // The underline that marks the item as especially needed, under the name.
        auto* underline = new Line(QStringLiteral("KnariUnder"), i, name);
        underline->setFixedHeight(2);
        m_controls.add(underline);
        name->setFixedSize(name->sizeHint());
        underline->setGeometry(0, name->height() - 2, name->width(), 2);
        underline->setVisible(false);
        layout->addStretch(1);
        items.append(holder);
    }
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(FormBuilder::px(150));
    grid->setVerticalSpacing(1);
    for (int i = 0; i < 9; ++i)
        grid->addWidget(items[i], i / 3, i % 3);
    grid->setColumnStretch(3, 1);
    m->addLayout(grid);
    FormBuilder::row(m, {items[9], b.label(QStringLiteral("（"), QStringLiteral("Label40"), 8),
                         b.text(QStringLiteral("txtKanri"), kNoIndex, 3900, 0, ImeMode::On, C),
                         b.label(QStringLiteral("）"), QStringLiteral("Label15"), 11)});
    col->addWidget(management);

    Frame* notes = b.box(QStringLiteral("サービス提供時における医学的観点からの留意事項"));
    auto* n = static_cast<QVBoxLayout*>(notes->layout());
    const QStringList rows = {QStringLiteral("･血圧"), QStringLiteral("･移動"),
                              QStringLiteral("･摂食"), QStringLiteral("･運動"),
                              QStringLiteral("･嚥下")};
    for (int k = 1; k <= 5; ++k) {
        const QString name = QStringLiteral("optKanten%1").arg(k);
        OptionGroup* group = b.group(page);
        Label* caption = b.label(rows.at(k - 1));
        caption->setFixedWidth(FormBuilder::px(600));
        FormBuilder::row(n,
                         {caption, b.option(name, 1, QStringLiteral("特になし"), group),
                          b.option(name, 2, QStringLiteral("有"), group),
                          b.label(QStringLiteral("（"), QStringLiteral("Label40"), k),
                          b.combo(QStringLiteral("cmbKanten"), k, 5100, ImeMode::On, C),
                          b.label(QStringLiteral("）"), QStringLiteral("Label15"), k)},
                         4);
    }
    Label* other = b.label(QStringLiteral("･その他"));
    other->setFixedWidth(FormBuilder::px(600));
    FormBuilder::row(n, {other, b.combo(QStringLiteral("cmbKanten"), 6, 6900, ImeMode::On, C)}, 4);
    col->addWidget(notes);

    col->addStretch(1);
    Label* next = b.label(QStringLiteral("Ctrl + Tab →　次頁"), QStringLiteral("lblTugi"), 1);
    next->setForeColor(rgb(192, 0, 192));
    col->addWidget(next, 0, Qt::AlignRight);
}

} // namespace entry
