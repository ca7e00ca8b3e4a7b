#include "controls/controlregistry.h"

#include <algorithm>

namespace controls {

bool ControlRegistry::add(Control* control)
{
    const Key key{control->name(), control->index()};
    if (m_controls.contains(key))
        return false;
    m_controls.insert(key, control);
    m_order.append(control);
    return true;
}

Control* ControlRegistry::find(const QString& name, int index) const
{
    return m_controls.value(Key{name, index}, nullptr);
}

QList<int> ControlRegistry::indexes(const QString& name) const
{
    QList<int> list;
    for (const Control* control : m_order) {
        if (control->name() == name && control->isArrayMember())
            list.append(control->index());
    }
    std::sort(list.begin(), list.end());
    return list;
}

std::optional<QString> ControlRegistry::text(const QString& name, int index) const
{
    if (const Control* control = find(name, index))
        return control->text();
    return std::nullopt;
}

std::optional<int> ControlRegistry::value(const QString& name, int index) const
{
    if (const Control* control = find(name, index))
        return control->value();
    return std::nullopt;
}

std::optional<bool> ControlRegistry::enabled(const QString& name, int index) const
{
    if (const Control* control = find(name, index))
        return control->enabled();
    return std::nullopt;
}

std::optional<bool> ControlRegistry::visible(const QString& name, int index) const
{
    if (const Control* control = find(name, index))
        return control->visible();
    return std::nullopt;
}

bool ControlRegistry::setText(const QString& name, int index, const QString& text)
{
    Control* control = find(name, index);
    return control && control->setText(text);
}

bool ControlRegistry::setValue(const QString& name, int index, int value)
{
    Control* control = find(name, index);
    return control && control->setValue(value);
}

bool ControlRegistry::setEnabled(const QString& name, int index, bool enabled)
{
    Control* control = find(name, index);
    if (!control)
        return false;
    control->setEnabled(enabled);
    return true;
}

bool ControlRegistry::setVisible(const QString& name, int index, bool visible)
{
    Control* control = find(name, index);
    if (!control)
        return false;
    control->setVisible(visible);
    return true;
}

} // namespace controls
