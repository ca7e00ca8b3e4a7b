#include "controls/controlwidgets.h"
#include "common/textcuts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QValidator>

#include <functional>

namespace controls {

namespace {

// A colour that marks a label as transparent (no OLE colour has these high bits).
constexpr OleColor kTransparent = 0xFFFFFFFFu;

void setBack(QWidget* widget, OleColor color, std::initializer_list<QPalette::ColorRole> roles)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : roles)
        palette.setColor(role, toQColor(color));
    widget->setPalette(palette);
}

// The text colour for the enabled states; a disabled control keeps the dimmed text of the
// style.
void setFore(QWidget* widget, OleColor color, std::initializer_list<QPalette::ColorRole> roles)
{
    QPalette palette = widget->palette();
    // A disabled control draws its text in the system's grey text colour, whatever its own
    // colour, so that what a disabled box keeps stays readable on the disabled grey.
    static const QColor grayText(128, 128, 128);
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, toQColor(color));
        palette.setColor(QPalette::Inactive, role, toQColor(color));
        palette.setColor(QPalette::Disabled, role, grayText);
    }
    widget->setPalette(palette);
}

// Keeps a box within its limit, in characters, as a standard edit box does: of a typed,
// pasted or committed text that would go past the limit, the part that fits is kept (never
// half a surrogate pair) and the rest dropped. Shortening is always allowed, and a text that
// `keepWhole` names (set by code, an item picked from a list) is kept whole.
class CharacterLimit : public QValidator
{
public:
    CharacterLimit(int limit, QLineEdit* edit, std::function<bool(const QString&)> keepWhole)
        : QValidator(edit), m_limit(limit), m_last(edit->text()), m_keepWhole(std::move(keepWhole))
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { m_last = t; });
    }
    State validate(QString& input, int& pos) const override
    {
        const int length = common::charCount(input);
        if (length <= m_limit || length <= common::charCount(m_last) || m_keepWhole(input))
            return Acceptable;
        // The edit replaced the middle of the old text: find what it put there.
        const QString& old = m_last;
        qsizetype head = 0;
        while (head < old.size() && head < input.size() && old[head] == input[head])
            ++head;
        if (head > 0 && input[head - 1].isHighSurrogate())
            --head;
        qsizetype tail = 0;
        while (tail < old.size() - head && tail < input.size() - head &&
               old[old.size() - 1 - tail] == input[input.size() - 1 - tail])
            ++tail;
        if (tail > 0 && input[input.size() - tail].isLowSurrogate())
            --tail;
        const QString prefix = input.left(head);
        const QString suffix = input.right(tail);
        const int room = m_limit - common::charCount(prefix) - common::charCount(suffix);
        if (room <= 0) {
            if (input.size() - head - tail <= 0)
                return Invalid;
            input = old;
            pos = int(head);
            return Acceptable;
        }
        const QString kept = common::leftChars(input.mid(head, input.size() - head - tail), room);
        input = prefix + kept + suffix;
        pos = int(prefix.size() + kept.size());
        return Acceptable;
    }

private:
    int m_limit;
    QString m_last;
    std::function<bool(const QString&)> m_keepWhole;
};

void applyImeMode(QWidget* widget, ImeMode mode)
{
    widget->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Disabled);
    widget->setInputMethodHints(mode == ImeMode::Disabled ? Qt::ImhLatinOnly : Qt::ImhNone);
}

} // namespace

// Label

Label::Label(const QString& name, int index, const QString& caption, QWidget* parent)
    : QLabel(caption, parent), Control(this, name, index)
{
    initColors(kTransparent, kSystemButtonText);
}

bool Label::setText(const QString& caption)
{
    QLabel::setText(caption);
    if (m_autoSize)
        adjustSize();
    return true;
}

void Label::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (autoSize)
        adjustSize();
}

void Label::applyColors()
{
    setFore(this, foreColor(), {QPalette::WindowText});
    const bool opaque = backColor() != kTransparent;
    setAutoFillBackground(opaque);
    if (opaque)
        setBack(this, backColor(), {QPalette::Window});
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT events()->click();
}

// TextBox

TextBox::TextBox(const QString& name, int index, QWidget* parent)
    : QLineEdit(parent), Control(this, name, index)
{
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    initColors(kSystemWindow, kSystemWindowText);
    connect(this, &QLineEdit::textChanged, events(), &ControlEvents::changed);
}

bool TextBox::setText(const QString& text)
{
    m_settingText = true;
    QLineEdit::setText(text);
    m_settingText = false;
    return true;
}

void TextBox::setMaxLength(int characters)
{
    m_maxLength = characters;
    delete validator();
    setValidator(
        characters > 0
            ? new CharacterLimit(characters, this, [this](const QString&) { return m_settingText; })
            : nullptr);
}

void TextBox::setImeMode(ImeMode mode)
{
    m_imeMode = mode;
    applyImeMode(this, mode);
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && m_imeMode == ImeMode::Disabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void TextBox::applyColors()
{
    setBack(this, backColor(), {QPalette::Base});
    setFore(this, foreColor(), {QPalette::Text});
}

// MultiLineTextBox

MultiLineTextBox::MultiLineTextBox(const QString& name, int index, QWidget* parent)
    : QPlainTextEdit(parent), Control(this, name, index)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    initColors(kSystemWindow, kSystemWindowText);
    connect(this, &QPlainTextEdit::textChanged, events(), &ControlEvents::changed);
}

QVariant MultiLineTextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && m_imeMode == ImeMode::Disabled)
        return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

QString MultiLineTextBox::text() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

bool MultiLineTextBox::setText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(plain);
    return true;
}

void MultiLineTextBox::setImeMode(ImeMode mode)
{
    m_imeMode = mode;
    applyImeMode(this, mode);
}

void MultiLineTextBox::applyColors()
{
    setBack(this, backColor(), {QPalette::Base});
    setFore(this, foreColor(), {QPalette::Text});
}

// ComboBox

ComboBox::ComboBox(const QString& name, int index, Style style, QWidget* parent)
    : QComboBox(parent), Control(this, name, index)
{
    setEditable(style == Style::Editable);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    if (QLineEdit* edit = lineEdit()) {
        // What the user types stays as typed: no completion from the list. No length cut of
        // its own either (Qt's is 32,767 units and could split a pair): the box's limit, in
        // characters, is the only one.
        setCompleter(nullptr);
        edit->setMaxLength(std::numeric_limits<int>::max());
        events()->watchMouse(edit);
        connect(edit, &QLineEdit::textChanged, this, [this] {
            if (!m_settingText)
                Q_EMIT events()->changed();
        });
    }
    connect(this, &QComboBox::activated, events(), &ControlEvents::click);
    initColors(kSystemWindow, kSystemWindowText);
}

void ComboBox::setMaxLength(int characters)
{
    m_maxLength = characters;
    if (QLineEdit* edit = lineEdit()) {
        delete edit->validator();
        edit->setValidator(
            characters > 0
                ? new CharacterLimit(characters, edit,
                                     [this](const QString& text) {
                                         return m_settingText ||
                                                findText(text, Qt::MatchExactly |
                                                                   Qt::MatchCaseSensitive) >= 0;
                                     })
                : nullptr);
    }
}

ControlKind ComboBox::kind() const
{
    return isEditable() ? ControlKind::ComboBox : ControlKind::ListComboBox;
}

QString ComboBox::text() const
{
    if (isEditable())
        return currentText();
    return currentIndex() < 0 ? QString() : itemText(currentIndex());
}

bool ComboBox::setText(const QString& text)
{
    if (isEditable()) {
        m_settingText = true;
        setEditText(text);
        m_settingText = false;
        return true;
    }
    const int found = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (text.isEmpty() || found < 0)
        return false;
    setCurrentIndex(found);
    return true;
}

QStringList ComboBox::items() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

void ComboBox::setImeMode(ImeMode mode)
{
    m_imeMode = mode;
    applyImeMode(this, mode);
    if (QLineEdit* edit = lineEdit())
        applyImeMode(edit, mode);
}

void ComboBox::showPopup()
{
    Q_EMIT events()->dropDown();
    QComboBox::showPopup();
}

void ComboBox::applyColors()
{
    setBack(this, backColor(), {QPalette::Base, QPalette::Button});
    setFore(this, foreColor(), {QPalette::Text, QPalette::ButtonText});
    if (QLineEdit* edit = lineEdit()) {
        setBack(edit, backColor(), {QPalette::Base});
        setFore(edit, foreColor(), {QPalette::Text});
    }
}

// CheckBox

CheckBox::CheckBox(const QString& name, int index, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), Control(this, name, index)
{
    initColors(kTransparent, kSystemButtonText);
    connect(this, &QAbstractButton::toggled, events(), &ControlEvents::click);
}

bool CheckBox::setText(const QString& caption)
{
    QCheckBox::setText(caption);
    return true;
}

bool CheckBox::setValue(int value)
{
    if (value != 0 && value != 1)
        return false;
    setChecked(value == 1);
    return true;
}

void CheckBox::mouseMoveEvent(QMouseEvent* event)
{
    QCheckBox::mouseMoveEvent(event);
    event->accept();
}

void CheckBox::applyColors()
{
    setFore(this, foreColor(), {QPalette::WindowText});
}

// OptionGroup

void OptionGroup::add(OptionButton* button)
{
    m_buttons.append(button);
}

OptionButton* OptionGroup::chosen() const
{
    for (OptionButton* button : m_buttons) {
        if (button->isChecked())
            return button;
    }
    return nullptr;
}

void OptionGroup::clearOthers(OptionButton* keep)
{
    for (OptionButton* button : m_buttons) {
        if (button != keep && button->isChecked())
            button->setChecked(false);
    }
}

// OptionButton

OptionButton::OptionButton(const QString& name, int index, const QString& caption,
                           OptionGroup* group, QWidget* parent)
    : QRadioButton(caption, parent), Control(this, name, index), m_group(group)
{
    setAutoExclusive(false);
    installEventFilter(this);
    if (group)
        group->add(this);
    initColors(kTransparent, kSystemButtonText);
}

bool OptionButton::setText(const QString& caption)
{
    QRadioButton::setText(caption);
    return true;
}

bool OptionButton::setValue(int value)
{
    if (value == 0) {
        setChecked(false);
        return true;
    }
    if (isChecked())
        return true;
    if (m_group)
        m_group->clearOthers(this);
    setChecked(true);
    Q_EMIT events()->click();
    return true;
}

void OptionButton::applyColors()
{
    setFore(this, foreColor(), {QPalette::WindowText});
}

void OptionButton::mouseMoveEvent(QMouseEvent* event)
{
    QRadioButton::mouseMoveEvent(event);
    event->accept();
}

void OptionButton::nextCheckState()
{
    setValue(1);
}

// Installed after the control's events, so it clears before mouseDown is emitted.
bool OptionButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::MouseButtonPress && m_rightButtonClears &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        setValue(0);
    return false;
}

// CommandButton

CommandButton::CommandButton(const QString& name, int index, const QString& caption,
                             QWidget* parent)
    : QPushButton(caption, parent), Control(this, name, index)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QAbstractButton::clicked, events(), &ControlEvents::click);
}

bool CommandButton::setText(const QString& caption)
{
    QPushButton::setText(caption);
    return true;
}

bool CommandButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous() && shortcut->key() == this->shortcut() && isEnabled() &&
            focusPolicy() != Qt::NoFocus) {
            const QPointer<CommandButton> alive(this);
            setFocus(Qt::ShortcutFocusReason);
            if (alive && window()->focusWidget() == this)
                click();
            return true;
        }
    }
    return QPushButton::event(event);
}

// PictureBox

PictureBox::PictureBox(const QString& name, int index, QWidget* parent)
    : QLabel(parent), Control(this, name, index)
{
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT events()->click();
}

// Line

Line::Line(const QString& name, int index, QWidget* parent)
    : QFrame(parent), Control(this, name, index)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    setFixedHeight(1);
    initColors(kSystemWindowText, kSystemWindowText);
}

void Line::applyColors()
{
    setBack(this, backColor(), {QPalette::Window});
}

// Frame

Frame::Frame(const QString& name, int index, const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), Control(this, name, index)
{
    initColors(kTransparent, kSystemButtonText);
}

bool Frame::setText(const QString& caption)
{
    setTitle(caption);
    return true;
}

void Frame::setBorderless(bool borderless)
{
    m_borderless = borderless;
    update();
}

void Frame::applyColors()
{
    // The caption's colour; every control inside sets its own text colour.
    setFore(this, foreColor(), {QPalette::WindowText, QPalette::Text});
}

void Frame::paintEvent(QPaintEvent* event)
{
    if (!m_borderless)
        QGroupBox::paintEvent(event);
}

} // namespace controls
