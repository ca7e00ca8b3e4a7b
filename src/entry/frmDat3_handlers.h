#pragma once

#include "controls/control.h"
#include "controls/controlregistry.h"

#include <QString>

namespace entry {

// Attaches the entry form's reactions to its controls' events: the check boxes (masters that
// enable their dependants, Enter, the walking-aid boxes, the items of medical management) and
// the option buttons (the "有" answers, the right mouse button, the level definitions, the
// doctor block's focus). A value set by code runs the same reactions as the user's click.
void attachCheckHandlers(const controls::ControlRegistry& controls);
void attachOptionHandlers(const controls::ControlRegistry& controls);

// Both of the above; the form calls it once, when its controls are built.
inline void attachHandlers(const controls::ControlRegistry& controls)
{
    attachCheckHandlers(controls);
    attachOptionHandlers(controls);
}

namespace handlers {

// Every member of a control array, or the control itself when it is no array.
QList<controls::Control*> members(const controls::ControlRegistry& controls, const QString& name);

// Gives dependants of the form one of the two looks. A name or index the form lacks is
// skipped.
class Looks
{
public:
    explicit Looks(const controls::ControlRegistry& controls) : m_controls(controls) {}

    void set(const QString& name, int index, controls::Look look) const;
    void set(const QString& name, controls::Look look) const
    {
        set(name, controls::kNoIndex, look);
    }
    // Members first to last.
    void range(const QString& name, int first, int last, controls::Look look) const;

    // 1 for a ticked box or a chosen option; 0 for anything else, a missing control included.
    int value(const QString& name, int index = controls::kNoIndex) const;

private:
    const controls::ControlRegistry& m_controls;
};

inline controls::Look lookOf(bool enabled)
{
    return enabled ? controls::Look::Enabled : controls::Look::Disabled;
}

} // namespace handlers

} // namespace entry
