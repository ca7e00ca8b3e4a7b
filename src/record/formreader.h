#pragma once

#include <QString>

#include <optional>

namespace record {

// Read-only view of the entry form's controls, as the letter save reads them. A control is
// named as on the form (`txtNenD`, `chkTaka`) and, when it belongs to a control array, picked
// by its index; a control that is not part of an array is asked for with index -1.
//
// Every reader answers std::nullopt for a control that the form does not have; the save then
// skips the write that needed it, as it skips any other failing statement.
class FormReader
{
public:
    static constexpr int NoIndex = -1;

    virtual ~FormReader() = default;

    // The text of a text box, the edit part of a combo box or the caption of a label.
    virtual std::optional<QString> text(const QString& name, int index = NoIndex) const = 0;
    // The value of a check box (0 unticked, 1 ticked, 2 greyed) or of an option button
    // (non-zero when chosen).
    virtual std::optional<int> value(const QString& name, int index = NoIndex) const = 0;
    // Whether the control is shown (for the underline lines of the medical services).
    virtual std::optional<bool> visible(const QString& name, int index = NoIndex) const = 0;
    // Whether the control takes input.
    virtual std::optional<bool> enabled(const QString& name, int index = NoIndex) const = 0;
};

} // namespace record
