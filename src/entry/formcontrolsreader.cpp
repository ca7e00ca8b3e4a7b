#include "entry/formcontrolsreader.h"

#include "controls/controlregistry.h"

namespace entry {

static_assert(record::FormReader::NoIndex == controls::kNoIndex);

std::optional<QString> FormControlsReader::text(const QString& name, int index) const
{
    return m_controls.text(name, index);
}

std::optional<int> FormControlsReader::value(const QString& name, int index) const
{
    return m_controls.value(name, index);
}

std::optional<bool> FormControlsReader::visible(const QString& name, int index) const
{
    return m_controls.visible(name, index);
}

std::optional<bool> FormControlsReader::enabled(const QString& name, int index) const
{
    return m_controls.enabled(name, index);
}

} // namespace entry
