#pragma once

#include "controls/control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace controls {

// How a box sets the input method when it gets the focus.
enum class ImeMode {
    NotSet,   // the box leaves the mode as it is
    On,       // Japanese input switched on
    Disabled, // no input method: digits and letters only
    Hiragana, // input method on, full-width hiragana
};

// A label. Transparent unless given a back colour.
class Label : public QLabel, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    Label(const QString& name, int index, const QString& caption, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::Label; }
    QString text() const override { return QLabel::text(); }
    bool setText(const QString& caption) override;
    // The label grows and shrinks with its caption.
    void setAutoSize(bool autoSize);

protected:
    void applyColors() override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_autoSize = false;
};

// A one-line text box. The input limit counts characters (a surrogate pair is one).
class TextBox : public QLineEdit, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    TextBox(const QString& name, int index, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::TextBox; }
    QString text() const override { return QLineEdit::text(); }
    bool setText(const QString& text) override;

    // 0: no limit. Of a typed, pasted or committed text that would go past the limit the part
    // that fits is kept; text set by code is kept whole.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int characters);
    ImeMode imeMode() const { return m_imeMode; }
    void setImeMode(ImeMode mode);
    // A box with the input method disabled tells the input method so: its keys reach it as
    // typed, whatever mode the input method is in.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void applyColors() override;

private:
    int m_maxLength = 0;
    ImeMode m_imeMode = ImeMode::NotSet;
    bool m_settingText = false;
};

// A multi-line text box with a vertical scroll bar. Its text has CR LF line ends, as the
// letter keeps them.
class MultiLineTextBox : public QPlainTextEdit, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    MultiLineTextBox(const QString& name, int index, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::TextBox; }
    QString text() const override;
    bool setText(const QString& text) override;
    ImeMode imeMode() const { return m_imeMode; }
    void setImeMode(ImeMode mode);
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void applyColors() override;

private:
    ImeMode m_imeMode = ImeMode::NotSet;
};

// A drop-down combo box: editable (a typed text never joins the list) or a list of which
// only the items can be chosen. Click follows a pick from the list; setting the text from
// code runs nothing.
class ComboBox : public QComboBox, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    enum class Style { Editable, List };
    ComboBox(const QString& name, int index, Style style, QWidget* parent = nullptr);
    ControlKind kind() const override;
    QString text() const override;
    // An editable box takes any text. A list box chooses the item of that text and refuses
    // a text that is no item ("" included), keeping its choice.
    bool setText(const QString& text) override;
    QStringList items() const;
    ImeMode imeMode() const { return m_imeMode; }
    void setImeMode(ImeMode mode);
    // Input limit of an editable box's text, as TextBox's: 0 no limit; of what is typed or
    // pasted past it, the part that fits is kept.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int characters);

    void showPopup() override;

protected:
    void applyColors() override;

private:
    ImeMode m_imeMode = ImeMode::NotSet;
    int m_maxLength = 0;
    bool m_settingText = false;
};

// A check box whose Value is 0 or 1. A change of Value, by the user or by code, emits
// click().
class CheckBox : public QCheckBox, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    CheckBox(const QString& name, int index, const QString& caption, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::CheckBox; }
    QString text() const override { return QCheckBox::text(); }
    bool setText(const QString& caption) override;
    int value() const override { return isChecked() ? 1 : 0; }
    // 0 or 1; any other value is refused.
    bool setValue(int value) override;

protected:
    void applyColors() override;
    // A move over the box is the box's, not its frame's.
    void mouseMoveEvent(QMouseEvent* event) override;
};

class OptionButton;

// The option buttons of one question: at most one chosen, and possibly none (unanswered).
class OptionGroup : public QObject
{
    Q_OBJECT
public:
    explicit OptionGroup(QObject* parent = nullptr) : QObject(parent) {}
    void add(OptionButton* button);
    const QList<OptionButton*>& buttons() const { return m_buttons; }
    OptionButton* chosen() const;

private:
    friend class OptionButton;
    void clearOthers(OptionButton* keep);
    QList<OptionButton*> m_buttons;
};

// An option button. Becoming chosen, by the user or by code, clears the others of its group
// and emits click(); clearing emits nothing. With rightButtonClears, a right-button press
// clears the button (then mouseDown is emitted).
class OptionButton : public QRadioButton, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    OptionButton(const QString& name, int index, const QString& caption, OptionGroup* group,
                 QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::OptionButton; }
    QString text() const override { return QRadioButton::text(); }
    bool setText(const QString& caption) override;
    int value() const override { return isChecked() ? 1 : 0; }
    // Non-zero chooses, 0 clears.
    bool setValue(int value) override;
    OptionGroup* group() const { return m_group; }
    bool rightButtonClears() const { return m_rightButtonClears; }
    void setRightButtonClears(bool clears) { m_rightButtonClears = clears; }

protected:
    void applyColors() override;
    void nextCheckState() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A move over the button is the button's, not its frame's.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    OptionGroup* m_group;
    bool m_rightButtonClears = false;
};

// A command button; never the dialog's default button.
class CommandButton : public QPushButton, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    CommandButton(const QString& name, int index, const QString& caption,
                  QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::CommandButton; }
    QString text() const override { return QPushButton::text(); }
    bool setText(const QString& caption) override;

protected:
    // The access key of the caption (Alt with the underlined letter) works as a click does:
    // the button takes the focus first, so the control being left checks its value, and a
    // control that keeps the focus stops the command.
    bool event(QEvent* event) override;
};

// A picture box showing a bitmap; click() on a left-button release.
class PictureBox : public QLabel, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    PictureBox(const QString& name, int index, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::PictureBox; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A horizontal line.
class Line : public QFrame, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    Line(const QString& name, int index, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::Line; }

protected:
    void applyColors() override;
};

// A frame with a caption round a group of controls.
class Frame : public QGroupBox, public Control
{
    Q_OBJECT
public:
    using Control::setEnabled;
    using Control::setVisible;
    Frame(const QString& name, int index, const QString& caption, QWidget* parent = nullptr);
    ControlKind kind() const override { return ControlKind::Frame; }
    QString text() const override { return title(); }
    bool setText(const QString& caption) override;
    // A page frame: no border and no caption drawn.
    void setBorderless(bool borderless);

protected:
    void applyColors() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_borderless = false;
};

} // namespace controls
