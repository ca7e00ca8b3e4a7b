#include "entry/frmDat3_handlers.h"

namespace entry::handlers {

using namespace controls;

QList<Control*> members(const ControlRegistry& controls, const QString& name)
{
    QList<Control*> found;
    const QList<int> indexes = controls.indexes(name);
    if (indexes.isEmpty()) {
        if (Control* control = controls.find(name))
            found.append(control);
        return found;
    }
    for (int index : indexes)
        found.append(controls.find(name, index));
    return found;
}

void Looks::set(const QString& name, int index, Look look) const
{
    if (Control* control = m_controls.find(name, index))
        applyLook(control, look);
}

void Looks::range(const QString& name, int first, int last, Look look) const
{
    for (int i = first; i <= last; ++i)
        set(name, i, look);
}

int Looks::value(const QString& name, int index) const
{
    return m_controls.value(name, index).value_or(0) != 0 ? 1 : 0;
}

} // namespace entry::handlers
