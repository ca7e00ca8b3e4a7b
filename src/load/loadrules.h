#pragma once

#include "controls/control.h"
#include "platform/variant.h"
#include "record/letter.h"

#include <QList>
#include <QString>

#include <optional>

namespace controls {
class ControlRegistry;
}

namespace load {

// The ways a stored field goes back into the entry form's controls. Each call is one step
// that stands alone: it reads its field afresh from the letter, and a field that is
// Null or unset (a column the file lacks), a control the form lacks, or a value the control refuses
// leave the controls as they were. Values are set through the controls, so that ticking a box or
// choosing an option runs the same reactions as the user's click.
class LetterLoader
{
public:
    using Field = common::Field;
    // How a code is compared with 1, 2, 3 …: as numbers (a digit string equals its number),
    // or as text (the digit string "1", which a stored number 1 also equals, but not " 1").
    enum class Compare { Number, Text };
    struct Option
    {
        QString name;
        int index = controls::kNoIndex;
    };

    LetterLoader(const record::Letter& row, controls::ControlRegistry& controls);

    // The field's value; nullopt when it is Null or cannot be read.
    std::optional<db::Variant> field(Field name) const;
    // The field's value as text; nullopt as field().
    std::optional<QString> fieldText(Field name) const;
    // True when the field holds a Yes/No True.
    bool isTrue(Field name) const;
    // The code among 1..count that the field holds; nullopt for any other value.
    std::optional<int> code(Field name, int count, Compare compare = Compare::Number) const;

    // The value as text becomes the control's text; a combo box's list is not searched.
    void text(Field fieldName, const QString& control, int index = controls::kNoIndex);
    // A value "first-second": the first box gets the text before the first "-", the second
    // the text after it. A value without "-" goes whole into the second box.
    void split(Field fieldName, const Option& first, const Option& second);
    // The era of an era date: its first two characters choose that item of the era list box
    // when the list holds it; any other beginning leaves the box as it was.
    void era(Field fieldName, const QString& box, int index = controls::kNoIndex);
    // Year, month and day of an era date, each part by itself, when the value is not "".
    // In print form (a leading zero becomes a blank) unless keepZeros; a part whose marks
    // are missing leaves its box as it was.
    void dateParts(Field fieldName, const QString& year, const QString& month, const QString& day,
                   int index = controls::kNoIndex, bool keepZeros = false);
    // Code c (1 to the number of options) chooses the c-th option; any other value chooses
    // none.
    void optionCode(Field fieldName, const QList<Option>& options,
                    Compare compare = Compare::Number);
    // Code c chooses member firstIndex + c - 1 of an option array of count members.
    void optionCode(Field fieldName, const QString& array, int count, int firstIndex = 1);
    // A Yes/No True ticks the box; anything else leaves it.
    void check(Field fieldName, const QString& box, int index = controls::kNoIndex);
    // A Yes/No True shows the line under the item; anything else leaves it as it was.
    void underline(Field fieldName, const QString& line, int index);

    // Direct writes to a control, skipped when the form lacks it.
    void setText(const QString& control, int index, const QString& text);
    void setValue(const QString& control, int index, int value);
    void setEnabled(const QString& control, int index, bool enabled);
    void setLook(const QString& control, int index, controls::Look look);
    // A control's value and text; 0 and "" when the form lacks it.
    int value(const QString& control, int index = controls::kNoIndex) const;
    QString controlText(const QString& control, int index = controls::kNoIndex) const;

private:
    const record::Letter& m_row;
    controls::ControlRegistry& m_controls;
};

} // namespace load
