#include "load/loadrules.h"

#include "controls/controlregistry.h"
#include "controls/controlwidgets.h"
#include "record/eradate.h"

namespace load {

using controls::Control;

LetterLoader::LetterLoader(const record::Letter& row, controls::ControlRegistry& controls)
    : m_row(row), m_controls(controls)
{
}

std::optional<db::Variant> LetterLoader::field(Field name) const
{
    if (!m_row.isSet(name))
        return std::nullopt;
    db::Variant value = m_row.value(name);
    if (value.isNull())
        return std::nullopt;
    return value;
}

std::optional<QString> LetterLoader::fieldText(Field name) const
{
    if (const auto value = field(name))
        return value->toString();
    return std::nullopt;
}

bool LetterLoader::isTrue(Field name) const
{
    const auto value = field(name);
    return value && value->equals(db::Variant::fromBool(true));
}

std::optional<int> LetterLoader::code(Field name, int count, Compare compare) const
{
    const auto value = field(name);
    if (!value)
        return std::nullopt;
    for (int c = 1; c <= count; ++c) {
        const db::Variant constant = compare == Compare::Text
                                         ? db::Variant::fromString(QString::number(c))
                                         : db::Variant::fromLong(c);
        if (value->equals(constant))
            return c;
    }
    return std::nullopt;
}

void LetterLoader::text(Field fieldName, const QString& control, int index)
{
    if (const auto value = fieldText(fieldName))
        setText(control, index, *value);
}

void LetterLoader::split(Field fieldName, const Option& first, const Option& second)
{
    const auto value = fieldText(fieldName);
    if (!value)
        return;
    const qsizetype dash = value->indexOf(QLatin1Char('-'));
    if (dash >= 0)
        setText(first.name, first.index, value->left(dash));
    setText(second.name, second.index, value->mid(dash + 1));
}

void LetterLoader::era(Field fieldName, const QString& box, int index)
{
    const auto value = fieldText(fieldName);
    if (!value || value->size() < 2)
        return;
    auto* list = m_controls.find<controls::ComboBox>(box, index);
    const QString era = value->left(2);
    if (list && list->items().contains(era))
        list->setText(era);
}

void LetterLoader::dateParts(Field fieldName, const QString& year, const QString& month,
                             const QString& day, int index, bool keepZeros)
{
    const auto value = fieldText(fieldName);
    if (!value || value->isEmpty())
        return;
    const QString* boxes[] = {&year, &month, &day};
    for (int part = 1; part <= 3; ++part) {
        const auto text =
            keepZeros ? record::EraDatePart(*value, part) : record::EraDatePartSp(*value, part);
        if (text)
            setText(*boxes[part - 1], index, *text);
    }
}

void LetterLoader::optionCode(Field fieldName, const QList<Option>& options, Compare compare)
{
    if (const auto c = code(fieldName, int(options.size()), compare)) {
        const Option& option = options.at(*c - 1);
        setValue(option.name, option.index, 1);
    }
}

void LetterLoader::optionCode(Field fieldName, const QString& array, int count, int firstIndex)
{
    if (const auto c = code(fieldName, count))
        setValue(array, firstIndex + *c - 1, 1);
}

void LetterLoader::check(Field fieldName, const QString& box, int index)
{
    if (isTrue(fieldName))
        setValue(box, index, 1);
}

void LetterLoader::underline(Field fieldName, const QString& line, int index)
{
    if (isTrue(fieldName))
        m_controls.setVisible(line, index, true);
}

void LetterLoader::setText(const QString& control, int index, const QString& text)
{
    m_controls.setText(control, index, text);
}

void LetterLoader::setValue(const QString& control, int index, int value)
{
    m_controls.setValue(control, index, value);
}

void LetterLoader::setEnabled(const QString& control, int index, bool enabled)
{
    m_controls.setEnabled(control, index, enabled);
}

void LetterLoader::setLook(const QString& control, int index, controls::Look look)
{
    if (Control* c = m_controls.find(control, index))
        controls::applyLook(c, look);
}

int LetterLoader::value(const QString& control, int index) const
{
    return m_controls.value(control, index).value_or(0);
}

QString LetterLoader::controlText(const QString& control, int index) const
{
    return m_controls.text(control, index).value_or(QString());
}

} // namespace load
