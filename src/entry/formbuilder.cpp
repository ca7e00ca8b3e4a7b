#include "entry/formbuilder.h"

#include "platform/screen.h"

namespace entry {

using namespace controls;

namespace {

constexpr int kBoxHeightTwips = 300;

} // namespace

int FormBuilder::px(int twips)
{
    return qRound(twips / platform::twipsPerPixelX());
}

void FormBuilder::enter(Control* control)
{
    const bool added = m_registry.add(control);
    Q_ASSERT_X(added, "FormBuilder", qPrintable(control->name()));
    Q_UNUSED(added);
}

Label* FormBuilder::label(const QString& caption, const QString& name, int index)
{
    auto* label = new Label(name, index, caption);
    if (!name.isEmpty())
        enter(label);
    return label;
}

Label* FormBuilder::colored(const QString& caption, OleColor color)
{
    Label* item = label(caption);
    item->setForeColor(color);
    return item;
}

Label* FormBuilder::heading(const QString& caption)
{
    Label* item = colored(caption, rgb(0, 128, 0));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(9);
    font.setBold(true);
    item->setFont(font);
    return item;
}

Label* FormBuilder::note(const QString& caption, const QString& name, int index)
{
    Label* item = label(caption, name, index);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(8.25);
    item->setFont(font);
    return item;
}

TextBox* FormBuilder::text(const QString& name, int index, int widthTwips, int limit, ImeMode ime,
                           OleColor back)
{
    auto* box = new TextBox(name, index);
    box->setMaxLength(limit);
    box->setImeMode(ime);
    box->setBackColor(back);
    box->setFixedSize(px(widthTwips), px(kBoxHeightTwips));
    enter(box);
    return box;
}

MultiLineTextBox* FormBuilder::multiLine(const QString& name, int index, int widthTwips,
                                         int heightTwips, ImeMode ime)
{
    auto* box = new MultiLineTextBox(name, index);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(9);
    box->setFont(font);
    box->setImeMode(ime);
    box->setFixedSize(px(widthTwips), px(heightTwips));
    enter(box);
    return box;
}

ComboBox* FormBuilder::combo(const QString& name, int index, int widthTwips, ImeMode ime,
                             OleColor back)
{
    auto* box = new ComboBox(name, index, ComboBox::Style::Editable);
    box->setImeMode(ime);
    box->setBackColor(back);
    box->setFixedSize(px(widthTwips), px(kBoxHeightTwips));
    enter(box);
    return box;
}

ComboBox* FormBuilder::list(const QString& name, int index, int widthTwips,
                            const QStringList& items, ImeMode ime, OleColor back)
{
    auto* box = new ComboBox(name, index, ComboBox::Style::List);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setImeMode(ime);
    box->setBackColor(back);
    box->setFixedSize(px(widthTwips), px(kBoxHeightTwips));
    enter(box);
    return box;
}

CommandButton* FormBuilder::button(const QString& name, const QString& caption)
{
    auto* button = new CommandButton(name, kNoIndex, caption);
    enter(button);
    return button;
}

CheckBox* FormBuilder::check(const QString& name, int index, const QString& caption)
{
    auto* box = new CheckBox(name, index, caption);
    enter(box);
    return box;
}

OptionButton* FormBuilder::option(const QString& name, int index, const QString& caption,
                                  OptionGroup* group, OleColor fore)
{
    auto* button = new OptionButton(name, index, caption, group);
    button->setForeColor(fore);
    enter(button);
    return button;
}

Frame* FormBuilder::box(const QString& caption, OleColor captionColor, const QString& name,
                        int index)
{
    auto* frame = new Frame(name, index, caption);
    frame->setForeColor(captionColor);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    if (!name.isEmpty())
        enter(frame);
    return frame;
}

QHBoxLayout* FormBuilder::row(QBoxLayout* into, std::initializer_list<QWidget*> widgets,
                              int spacing)
{
    auto* layout = new QHBoxLayout;
    layout->setSpacing(spacing);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
        if (widget)
            layout->addWidget(widget);
        else
            layout->addSpacing(10);
    }
    layout->addStretch(1);
    into->addLayout(layout);
    return layout;
}

QVBoxLayout* FormBuilder::column(QWidget* widget)
{
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    return layout;
}

} // namespace entry
