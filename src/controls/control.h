#pragma once

#include "controls/controlcolor.h"

#include <QObject>
#include <QPoint>
#include <QString>

class QInputMethodEvent;
class QWidget;

namespace controls {

// Index of a control that is not a member of a control array.
inline constexpr int kNoIndex = -1;

enum class ControlKind {
    Label,
    TextBox,
    ComboBox,     // drop-down list whose text can be typed
    ListComboBox, // drop-down list: only its items can be chosen
    CheckBox,
    OptionButton,
    CommandButton,
    PictureBox,
    Line,
    Frame,
};

// The shift state of a key or mouse event: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

// A key event as a handler sees it. A handler that takes the key sets handled; the key then
// goes no further.
struct KeyArgs
{
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
    bool handled = false;

    int shift() const { return shiftState(modifiers); }
    // Tab with the Ctrl bit set, whatever else is held (Ctrl+Shift+Tab included).
    bool isCtrlTab() const;
};

struct MouseArgs
{
    Qt::MouseButton button = Qt::NoButton; // the button pressed or released
    Qt::MouseButtons buttons;              // the buttons held
    Qt::KeyboardModifiers modifiers;
    QPoint pos; // in the control's pixels
};

// The events of one control, for the form's handlers to attach to. Code that changes a
// value emits the same signals as the user's action (see each control's setValue).
class ControlEvents : public QObject
{
    Q_OBJECT
public:
    explicit ControlEvents(QWidget* widget);
    // Also watch the given child (a viewport, an edit part) for mouse events.
    void watchMouse(QWidget* child);

Q_SIGNALS:
    // A check box's value changed or an option button became chosen (user or code); a click
    // on a label, picture or button; a pick from a combo box's list.
    void click();
    // The text of a text box changed (user or code); a combo box's text typed by the user.
    void changed();
    // A combo box's list is about to open.
    void dropDown();
    void gotFocus();
    void lostFocus();
    // The focus is about to leave the control for another one of its window. A handler that
    // sets cancel keeps the focus in the control: no control sees the focus move, and
    // lostFocus is not emitted.
    void validate(bool& cancel);
    void keyDown(controls::KeyArgs& args);
    void keyPress(controls::KeyArgs& args); // a key that gives a character (Enter included)
    void keyUp(controls::KeyArgs& args);
    void mouseDown(const controls::MouseArgs& args);
    void mouseUp(const controls::MouseArgs& args);
    void mouseMove(const controls::MouseArgs& args);
    // The input method's pre-edit or commit in the control, before the control takes it.
    void inputMethod(const QInputMethodEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the validate handlers; true when they keep the focus in the control (then the
    // focus is back in it).
    bool keepsFocus(Qt::FocusReason reason);

    static bool s_keepingFocus;
    QWidget* m_widget;
    bool m_relaying = false; // a watched part's mouse release is on its way past this filter
};

// What every control of a form has: its name and array index, and the state that the
// letter's saving and loading read and write. Enabled and Visible are the control's own
// state: a control on a hidden page still reports its own.
class Control
{
public:
    Control(QWidget* widget, const QString& name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlKind kind() const = 0;

    QString name() const { return m_name; }
    int index() const { return m_index; }
    bool isArrayMember() const { return m_index != kNoIndex; }
    QWidget* widget() const { return m_widget; }
    ControlEvents* events() const { return m_events; }

    bool enabled() const;
    void setEnabled(bool enabled);
    bool visible() const;
    void setVisible(bool visible);

    // The caption of a label, button, frame or box; the text of a text box or combo box.
    virtual QString text() const { return {}; }
    // False when the control refuses the text (a list combo box given no item of its list,
    // a control without text).
    virtual bool setText(const QString& text);
    // Check box 0 or 1; option button 1 (chosen) or 0.
    virtual int value() const { return 0; }
    virtual bool setValue(int value);

    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor color);

protected:
    // Paints the colours; called whenever one changes.
    virtual void applyColors();
    void initColors(OleColor back, OleColor fore);

private:
    QWidget* m_widget;
    QString m_name;
    int m_index;
    ControlEvents* m_events;
    OleColor m_backColor = kSystemWindow;
    OleColor m_foreColor = kSystemWindowText;
};

// The two looks of a dependent control. Enabled look: a box enabled on light cyan, a label
// in the button-text colour; disabled look: a box disabled on grey, a label dark grey. A
// check box or option button only changes Enabled. Values are never touched.
enum class Look { Enabled, Disabled };
void applyLook(Control* control, Look look);

} // namespace controls
