#include "sheetdata/letterrow.h"

namespace sheetdata {

std::optional<db::Variant> LetterRow::value(Field field) const
{
    if (!m_letter || !m_letter->isSet(field))
        return std::nullopt;
    return m_letter->value(field);
}

std::optional<QString> LetterRow::text(Field field) const
{
    const auto v = value(field);
    if (!v)
        return std::nullopt;
    return v->toString();
}

std::optional<std::optional<QString>> LetterRow::textOrNull(Field field) const
{
    const auto v = value(field);
    if (!v)
        return std::nullopt;
    if (v->isNull())
        return std::optional<QString>{};
    return std::optional<QString>{v->toString()};
}

bool LetterRow::isTrue(Field field) const
{
    const auto v = value(field);
    if (!v || v->isNull())
        return false;
    return v->toBool().value_or(false);
}

int LetterRow::code(Field field, int count) const
{
    const auto v = value(field);
    if (!v || v->isNull())
        return 0;
    for (int k = 1; k <= count; ++k) {
        if (v->equals(db::Variant::fromInteger(static_cast<qint16>(k))))
            return k;
    }
    return 0;
}

void storeTick(SheetModel& model, Tick tick)
{
    storeCheck(model, tick.slot, tick.x, tick.y);
}

void tickWhenTrue(SheetModel& model, const LetterRow& row, Field field, Tick tick)
{
    if (row.isTrue(field))
        storeTick(model, tick);
}

void tickCode(SheetModel& model, const LetterRow& row, Field field,
              std::initializer_list<Tick> boxes)
{
    const int k = row.code(field, static_cast<int>(boxes.size()));
    if (k > 0)
        storeTick(model, *(boxes.begin() + (k - 1)));
}

std::optional<QString> eraOf(const QString& s)
{
    static const QString eras[] = {u"明治"_qs, u"大正"_qs, u"昭和"_qs, u"平成"_qs, u"令和"_qs};
    const QString era = s.left(2);
    for (const QString& known : eras) {
        if (era == known)
            return era;
    }
    return std::nullopt;
}

} // namespace sheetdata
