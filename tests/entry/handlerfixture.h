#pragma once

// What the tests of the entry form's handlers share: a form in its start state, controls named
// in short texts ("cmbKesson", "Label36:0", "optKintei:1-3"), the two looks, and the user's
// mouse and keys on a control.

#include "controls/controlwidgets.h"
#include "entry/frmDat3.h"

#include <QTabBar>
#include <QtTest>

#include <memory>

namespace handlertest {

struct Ref
{
    QString name;
    int index = controls::kNoIndex;
};

// "name", "name:3" or "name:1-3", separated by blanks.
inline QList<Ref> refs(const QString& spec)
{
    QList<Ref> list;
    for (const QString& item : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char(':'));
        if (parts.size() == 1) {
            list.append({parts[0]});
            continue;
        }
        const QStringList bounds = parts[1].split(QLatin1Char('-'));
        const int first = bounds[0].toInt();
        const int last = bounds.value(1, bounds[0]).toInt();
        for (int i = first; i <= last; ++i)
            list.append({parts[0], i});
    }
    return list;
}

inline QString describe(const Ref& ref)
{
    return ref.index == controls::kNoIndex ? ref.name
                                           : QStringLiteral("%1(%2)").arg(ref.name).arg(ref.index);
}

// Whether the control shows the look: a box Enabled with its back colour, a label its text
// colour, any other control Enabled alone.
inline bool hasLook(const controls::Control* control, controls::Look look)
{
    using namespace controls;
    const bool on = look == Look::Enabled;
    switch (control->kind()) {
    case ControlKind::Label:
        return control->foreColor() == (on ? kEnabledForeColor : kDisabledForeColor);
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::ListComboBox:
        return control->enabled() == on &&
               control->backColor() == (on ? kEnabledBackColor : kDisabledBackColor);
    default:
        return control->enabled() == on;
    }
}

class Form
{
public:
    Form() : m_form(std::make_unique<entry::frmDat3>())
    {
        m_form->TabNew();
        m_form->show();
    }

    entry::frmDat3& operator*() { return *m_form; }
    entry::frmDat3* operator->() { return m_form.get(); }

    controls::Control* at(const QString& name, int index = controls::kNoIndex) const
    {
        return m_form->controls().find(name, index);
    }
    controls::Control* at(const Ref& ref) const { return at(ref.name, ref.index); }
    // The first control of spec ("name:index").
    controls::Control* first(const QString& spec) const
    {
        const QList<Ref> list = refs(spec);
        return list.isEmpty() ? nullptr : at(list.constFirst());
    }

    // The names of the controls in spec that do not show look; "" when all do.
    QString without(const QString& spec, controls::Look look) const
    {
        QStringList wrong;
        for (const Ref& ref : refs(spec)) {
            const controls::Control* control = at(ref);
            if (!control || !hasLook(control, look))
                wrong.append(describe(ref) + (control ? QString() : QStringLiteral(" (missing)")));
        }
        return wrong.join(QLatin1Char(' '));
    }

    bool has(const QString& spec) const
    {
        for (const Ref& ref : refs(spec)) {
            if (!at(ref))
                return false;
        }
        return true;
    }

    // False when a control of spec is missing or refuses the value.
    bool setValue(const QString& spec, int value)
    {
        bool all = true;
        for (const Ref& ref : refs(spec)) {
            controls::Control* control = at(ref);
            all = control && control->setValue(value) && all;
        }
        return all;
    }
    // Gives the controls of spec a look, as if some handler had; false when one is missing.
    bool setLook(const QString& spec, controls::Look look)
    {
        bool all = true;
        for (const Ref& ref : refs(spec)) {
            controls::Control* control = at(ref);
            if (control)
                controls::applyLook(control, look);
            all = control && all;
        }
        return all;
    }

    // Turns to the page that holds the control, so that the mouse can reach it.
    void showPageOf(controls::Control* control)
    {
        for (int k = 0; k < entry::frmDat3::kPageCount; ++k) {
            if (m_form->page(k)->isAncestorOf(control->widget()))
                m_form->tabStrip()->setCurrentIndex(k);
        }
    }

    void click(controls::Control* control, Qt::MouseButton button = Qt::LeftButton)
    {
        showPageOf(control);
        QTest::mouseClick(control->widget(), button, {}, centre(control));
    }
    void press(controls::Control* control, Qt::MouseButton button)
    {
        showPageOf(control);
        QTest::mousePress(control->widget(), button, {}, centre(control));
        QTest::mouseRelease(control->widget(), button, {}, centre(control));
    }
    void key(controls::Control* control, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        showPageOf(control);
        QTest::keyClick(control->widget(), key, modifiers);
    }

private:
    static QPoint centre(const controls::Control* control)
    {
        // The left part of a button: its indicator and the start of its caption.
        const QWidget* widget = control->widget();
        return QPoint(qMin(8, widget->width() / 2), widget->height() / 2);
    }

    std::unique_ptr<entry::frmDat3> m_form;
};

} // namespace handlertest
