#pragma once

#include "controls/control.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace controls {

// The controls of a form by name and array index, as saving and loading address them. An
// index that is not a member of the array finds nothing.
class ControlRegistry
{
public:
    // False when the name and index are taken already.
    bool add(Control* control);

    Control* find(const QString& name, int index = kNoIndex) const;
    template <class T> T* find(const QString& name, int index = kNoIndex) const
    {
        return dynamic_cast<T*>(find(name, index));
    }
    bool contains(const QString& name, int index = kNoIndex) const
    {
        return find(name, index) != nullptr;
    }
    // The indexes of an array's members in increasing order; empty for a single control.
    QList<int> indexes(const QString& name) const;
    // Every control in the order of adding.
    const QList<Control*>& all() const { return m_order; }

    // nullopt when there is no such control.
    std::optional<QString> text(const QString& name, int index = kNoIndex) const;
    std::optional<int> value(const QString& name, int index = kNoIndex) const;
    std::optional<bool> enabled(const QString& name, int index = kNoIndex) const;
    std::optional<bool> visible(const QString& name, int index = kNoIndex) const;

    // False when there is no such control or it refuses the value.
    bool setText(const QString& name, int index, const QString& text);
    bool setValue(const QString& name, int index, int value);
    bool setEnabled(const QString& name, int index, bool enabled);
    bool setVisible(const QString& name, int index, bool visible);

private:
    using Key = std::pair<QString, int>;
    QHash<Key, Control*> m_controls;
    QList<Control*> m_order;
};

} // namespace controls
