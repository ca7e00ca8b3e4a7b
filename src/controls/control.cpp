#include "controls/control.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace controls {

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

bool KeyArgs::isCtrlTab() const
{
    return (key == Qt::Key_Tab || key == Qt::Key_Backtab) && (shift() & 2);
}

ControlEvents::ControlEvents(QWidget* widget) : QObject(widget), m_widget(widget)
{
    widget->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
        watchMouse(area->viewport());
}

void ControlEvents::watchMouse(QWidget* child)
{
    child->installEventFilter(this);
}

namespace {

MouseArgs mouseArgs(const QMouseEvent* event, QWidget* from, QWidget* to)
{
    MouseArgs args;
    args.button = event->button();
    args.buttons = event->buttons();
    args.modifiers = event->modifiers();
    args.pos =
        from == to ? event->position().toPoint() : from->mapTo(to, event->position().toPoint());
    return args;
}

// Eats the mouse press on its way to the widget now, then goes.
class PressEater : public QObject
{
public:
    explicit PressEater(QWidget* widget) : QObject(widget)
    {
        widget->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { delete this; });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        deleteLater();
        return true;
    }
};

} // namespace

bool ControlEvents::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    const bool own = widget == m_widget;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // The focus moving inside the window, not the window being activated or a list
        // popping up.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!own || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        // The focus going back to a control whose validation refused to let it go: the
        // controls take the events quietly.
        if (s_keepingFocus)
            break;
        if (event->type() == QEvent::FocusOut && keepsFocus(reason))
            return true;
        // The control takes the focus event first (a line edit selects its text on Tab),
        // then the handlers run, as they would after the control has the focus.
        static_cast<QObject*>(m_widget)->event(event);
        if (event->type() == QEvent::FocusIn)
            Q_EMIT gotFocus();
        else
            Q_EMIT lostFocus();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (!own)
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        KeyArgs args{key->key(), key->modifiers(), key->text(), false};
        if (event->type() == QEvent::KeyRelease) {
            if (key->isAutoRepeat())
                break;
            Q_EMIT keyUp(args);
            return args.handled;
        }
        Q_EMIT keyDown(args);
        if (args.handled)
            return true;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || (!key->text().isEmpty() && key->text().at(0).isPrint())) {
            KeyArgs press{key->key(), key->modifiers(), enter ? QStringLiteral("\r") : key->text(),
                          false};
            Q_EMIT keyPress(press);
            return press.handled;
        }
        break;
    }
    case QEvent::InputMethod:
        if (own)
            Q_EMIT inputMethod(*static_cast<QInputMethodEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        Q_EMIT mouseDown(mouseArgs(static_cast<QMouseEvent*>(event), widget, m_widget));
        break;
    case QEvent::MouseButtonRelease: {
        if (m_relaying)
            break;
        // After the control has taken the release: a check box's tick has changed by then. A
        // watched part (a scroll area's viewport) is served by its area's own filter, so the
        // release is passed on the whole way, as if this filter were not there.
        const MouseArgs args = mouseArgs(static_cast<QMouseEvent*>(event), widget, m_widget);
        const QPointer<ControlEvents> alive(this);
        if (own) {
            static_cast<QObject*>(widget)->event(event);
        } else {
            m_relaying = true;
            QCoreApplication::instance()->notify(widget, event);
            if (!alive)
                return true;
            m_relaying = false;
            event->accept(); // the release has gone where it goes
        }
        if (alive)
            Q_EMIT mouseUp(args);
        return true;
    }
    case QEvent::MouseMove:
        Q_EMIT mouseMove(mouseArgs(static_cast<QMouseEvent*>(event), widget, m_widget));
        break;
    default:
        break;
    }
    return false;
}

bool ControlEvents::s_keepingFocus = false;

bool ControlEvents::keepsFocus(Qt::FocusReason reason)
{
    // The focus went out of the window (or nowhere): nothing to validate.
    QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != m_widget->window())
        return false;
    bool cancel = false;
    const QPointer<ControlEvents> alive(this);
    Q_EMIT validate(cancel);
    if (!alive || !cancel)
        return false;
    // The focus has been handed to `next` already, which has not been told yet: handing it
    // back here means `next` is never told it came.
    s_keepingFocus = true;
    m_widget->setFocus(reason);
    s_keepingFocus = false;
    // A click gave the focus away: the click itself goes no further (a button clicked away
    // from a refused box is not pressed).
    if (reason == Qt::MouseFocusReason)
        new PressEater(next);
    return true;
}

Control::Control(QWidget* widget, const QString& name, int index)
    : m_widget(widget), m_name(name), m_index(index), m_events(new ControlEvents(widget))
{
}

// The widget outlives this part of the control (it is destroyed after it, and may still
// lose the focus then): its events must no longer reach the handlers.
Control::~Control()
{
    delete m_events;
}

bool Control::enabled() const
{
    return !m_widget->testAttribute(Qt::WA_ForceDisabled);
}

void Control::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

bool Control::visible() const
{
    return !m_widget->testAttribute(Qt::WA_WState_ExplicitShowHide) ||
           !m_widget->testAttribute(Qt::WA_WState_Hidden);
}

void Control::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

bool Control::setText(const QString&)
{
    return false;
}

bool Control::setValue(int)
{
    return false;
}

void Control::setBackColor(OleColor color)
{
    m_backColor = color;
    applyColors();
}

void Control::setForeColor(OleColor color)
{
    m_foreColor = color;
    applyColors();
}

void Control::initColors(OleColor back, OleColor fore)
{
    m_backColor = back;
    m_foreColor = fore;
    applyColors();
}

void Control::applyColors() {}

void applyLook(Control* control, Look look)
{
    const bool enabled = look == Look::Enabled;
    switch (control->kind()) {
    case ControlKind::Label:
        control->setForeColor(enabled ? kEnabledForeColor : kDisabledForeColor);
        break;
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::ListComboBox:
        control->setEnabled(enabled);
        control->setBackColor(enabled ? kEnabledBackColor : kDisabledBackColor);
        break;
    default:
        control->setEnabled(enabled);
        break;
    }
}

} // namespace controls
