// Page 9 "記載者": the doctor and the medical institution.
#include "entry/formbuilder.h"
#include "entry/frmDat3.h"

#include <QGridLayout>

namespace entry {

using namespace controls;

namespace {

constexpr OleColor Y = kLightYellow;

} // namespace

void frmDat3::buildPage9(FormBuilder& b, QWidget* page)
{
    QVBoxLayout* col = FormBuilder::column(page);
    col->setContentsMargins(FormBuilder::px(360), FormBuilder::px(360), FormBuilder::px(360), 0);

    // Everything inside one rectangle.
    auto* shape = new QFrame;
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::Box);
    shape->setLineWidth(1);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::WindowText, toQColor(rgb(0, 0, 192)));
    shape->setPalette(palette);
    auto* grid = new QGridLayout(shape);
    grid->setContentsMargins(FormBuilder::px(360), FormBuilder::px(240), FormBuilder::px(360),
                             FormBuilder::px(240));
    grid->setHorizontalSpacing(FormBuilder::px(150));
    grid->setVerticalSpacing(FormBuilder::px(180));

    const auto caption = [&b](const QString& text) { return b.colored(text, rgb(128, 0, 0)); };
    const auto dash = [&b] { return b.colored(QStringLiteral("―"), rgb(128, 0, 0)); };
    const auto parts = [&](std::initializer_list<QWidget*> widgets) {
        auto* holder = new QWidget;
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        for (QWidget* widget : widgets)
            layout->addWidget(widget);
        layout->addStretch(1);
        return holder;
    };
    const auto kisaisya = [&](int index, int width, int limit, ImeMode ime) {
        return b.text(QStringLiteral("Kisaisya"), index, width, limit, ime, Y);
    };

    int row = 0;
    grid->addWidget(caption(QStringLiteral("医師氏名")), row, 0);
    grid->addWidget(
        parts({b.combo(QStringLiteral("cmbKisaisya"), kNoIndex, 3000, ImeMode::NotSet, Y)}), row++,
        1);
    grid->addWidget(caption(QStringLiteral("医療機関名")), row, 0);
    grid->addWidget(parts({kisaisya(1, 5100, 0, ImeMode::Hiragana)}), row++, 1);
    grid->addWidget(caption(QStringLiteral("郵便番号")), row, 0);
    grid->addWidget(
        parts({b.text(QStringLiteral("txtYubin1Dr"), kNoIndex, 540, 3, ImeMode::Disabled, Y),
               dash(),
               b.text(QStringLiteral("txtYubin2Dr"), kNoIndex, 660, 4, ImeMode::Disabled, Y)}),
        row++, 1);
    grid->addWidget(caption(QStringLiteral("所在地")), row, 0);
    grid->addWidget(
        parts({b.text(QStringLiteral("txtZushoDr"), kNoIndex, 5700, 0, ImeMode::Hiragana, Y)}),
        row++, 1);
    grid->addWidget(caption(QStringLiteral("連絡先(TEL)")), row, 0);
    grid->addWidget(parts({kisaisya(5, 900, 6, ImeMode::Disabled), dash(),
                           kisaisya(6, 660, 4, ImeMode::Disabled), dash(),
                           kisaisya(7, 660, 4, ImeMode::Disabled)}),
                    row++, 1);
    grid->addWidget(caption(QStringLiteral("FAX番号")), row, 0);
    grid->addWidget(parts({kisaisya(8, 900, 6, ImeMode::Disabled), dash(),
                           kisaisya(9, 660, 4, ImeMode::Disabled), dash(),
                           kisaisya(10, 660, 4, ImeMode::Disabled)}),
                    row++, 1);
    grid->setColumnStretch(1, 1);
    col->addWidget(shape);
    col->addStretch(1);
}

} // namespace entry
