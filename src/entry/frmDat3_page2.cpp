// Page 2 "疾病": the diagnoses with their onset dates, the stability, the course and the
// medicines.
#include "entry/diseasebuttonface.h"
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

#include <QGridLayout>

namespace entry {

using namespace controls;

namespace {

constexpr OleColor Y = kLightYellow;
constexpr OleColor C = kLightCyan;

} // namespace

void frmDat3::buildPage2(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    const auto item = [&b](const QString& caption) {
        return b.colored(caption, FormBuilder::kItemColor);
    };

    Frame* diagnoses = b.box(QStringLiteral(
        "診断名（特定疾病または生活機能低下の直接の原因になっている傷病名については１．に記入）"));
    auto* d = static_cast<QVBoxLayout*>(diagnoses->layout());
    const QStringList numbers = {QStringLiteral("１．"), QStringLiteral("２．"),
                                 QStringLiteral("３．")};
    for (int k = 1; k <= 3; ++k) {
        // The button sits in a place one shift larger, so that its pressed look can move it
        // 15 twips right and down.
        auto* place = new QWidget;
        place->setFixedSize(FormBuilder::px(825 + 15), FormBuilder::px(255 + 15));
        auto* button = new PictureBox(QStringLiteral("picToctei%1").arg(k), kNoIndex, place);
        button->setPixmap(diseaseButtonFace(false));
        button->setFixedSize(FormBuilder::px(825), FormBuilder::px(255));
        button->move(0, 0);
        m_controls.add(button);
        const QString dateParts = QStringLiteral("cmbSippeiNengou");
        FormBuilder::row(
            d, {item(numbers.at(k - 1)),
                b.combo(QStringLiteral("cmbSippei"), k, 3600, ImeMode::On, C), place, nullptr,
                b.list(dateParts, k, 810,
                       {QStringLiteral("令和"), QStringLiteral("平成"), QStringLiteral("昭和"),
                        QStringLiteral("大正"), QStringLiteral("明治"), QStringLiteral("不詳")},
                       k == 1 ? ImeMode::Disabled : ImeMode::NotSet, Y),
                b.text(QStringLiteral("txtSippeiNen"), k, 330, 0, ImeMode::Disabled, Y),
                b.label(QStringLiteral("年")),
                b.text(QStringLiteral("txtSippeiTuki"), k, 330, 0, ImeMode::Disabled, Y),
                b.label(QStringLiteral("月")),
                b.text(QStringLiteral("txtSippeiHi"), k, 330, 0, ImeMode::Disabled, Y),
                b.label(QStringLiteral("日頃発症"))});
    }
    col->addWidget(diagnoses);

    OptionGroup* stable = b.group(page);
    Frame* stability = b.box(QStringLiteral("症状としての安定性"));
    const OleColor antei = rgb(128, 0, 0);
    FormBuilder::row(
        static_cast<QVBoxLayout*>(stability->layout()),
        {b.option(QStringLiteral("opAntei"), 1, QStringLiteral("安定"), stable, antei),
         b.option(QStringLiteral("opAntei"), 2, QStringLiteral("不安定"), stable, antei),
         b.option(QStringLiteral("opAntei"), 3, QStringLiteral("不明"), stable, antei)},
        6);
    QHBoxLayout* stabilityRow = FormBuilder::row(
        col, {stability, item(QStringLiteral("Γ不安定とした場合、具体的状況」")),
              b.text(QStringLiteral("txtHuantei"), kNoIndex, 3000, 0, ImeMode::On, kSystemWindow)});
    stabilityRow->setAlignment(Qt::AlignBottom);

    Frame* course = b.box(QStringLiteral("生活機能低下の直接の原因となっている傷病または特定疾病の"
                                         "経過及び投薬内容を含む治療内容"));
    auto* c = static_cast<QVBoxLayout*>(course->layout());
    c->addWidget(b.multiLine(QStringLiteral("txtKeika"), kNoIndex, 8445, 600, ImeMode::On));
    auto* medicines = new QGridLayout;
    medicines->setContentsMargins(0, 0, 0, 0);
    medicines->setHorizontalSpacing(2);
    medicines->setVerticalSpacing(1);
    medicines->addWidget(item(QStringLiteral("用量")), 0, 2, Qt::AlignCenter);
    medicines->addWidget(item(QStringLiteral("用法")), 0, 3, Qt::AlignCenter);
    const QStringList rows = {QStringLiteral("薬剤名　１．"), QStringLiteral("２．"),
                              QStringLiteral("３．"),         QStringLiteral("４．"),
                              QStringLiteral("５．"),         QStringLiteral("６．")};
    for (int k = 1; k <= 6; ++k) {
        medicines->addWidget(item(rows.at(k - 1)), k, 0, Qt::AlignRight);
        medicines->addWidget(b.combo(QStringLiteral("cmbYakuzai"), k, 3300, ImeMode::On, C), k, 1);
        medicines->addWidget(b.combo(QStringLiteral("cmbYakuzaiKeizyo"), k, 1500, ImeMode::On, C),
                             k, 2);
        medicines->addWidget(b.combo(QStringLiteral("cmbYouhou"), k, 2400, ImeMode::On, C), k, 3);
    }
    medicines->setColumnStretch(4, 1);
    c->addLayout(medicines);
    col->addWidget(course);
    col->addStretch(1);
}

} // namespace entry
