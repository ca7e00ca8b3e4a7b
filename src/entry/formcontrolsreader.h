#pragma once

#include "record/formreader.h"

namespace controls {
class ControlRegistry;
}

namespace entry {

// The entry form's controls as the letter save reads them: by name and index, through the
// form's control registry.
class FormControlsReader : public record::FormReader
{
public:
    explicit FormControlsReader(const controls::ControlRegistry& controls) : m_controls(controls) {}

    std::optional<QString> text(const QString& name, int index = NoIndex) const override;
    std::optional<int> value(const QString& name, int index = NoIndex) const override;
    std::optional<bool> visible(const QString& name, int index = NoIndex) const override;
    std::optional<bool> enabled(const QString& name, int index = NoIndex) const override;

private:
    const controls::ControlRegistry& m_controls;
};

} // namespace entry
