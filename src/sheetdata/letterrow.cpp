#include "sheetdata/letterrow.h"

#include "platform/database.h"

namespace sheetdata {

std::optional<db::Variant> LetterRow::value(const QString& field) const
{
    if (!m_recordset)
        return std::nullopt;
    bool ok = false;
    db::Variant v = m_recordset->field(field, &ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<QString> LetterRow::text(const QString& field) const
{
    const auto v = value(field);
    if (!v)
        return std::nullopt;
    return v->toString();
}

std::optional<std::optional<QString>> LetterRow::textOrNull(const QString& field) const
{
    const auto v = value(field);
    if (!v)
        return std::nullopt;
    if (v->isNull())
        return std::optional<QString>{};
    return std::optional<QString>{v->toString()};
}

bool LetterRow::isTrue(const QString& field) const
{
    const auto v = value(field);
    if (!v || v->isNull())
        return false;
    return v->toBool().value_or(false);
}

int LetterRow::code(const QString& field, int count) const
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

void tickWhenTrue(SheetModel& model, const LetterRow& row, const QString& field, Tick tick)
{
    if (row.isTrue(field))
        storeTick(model, tick);
}

void tickCode(SheetModel& model, const LetterRow& row, const QString& field,
              std::initializer_list<Tick> boxes)
{
    const int k = row.code(field, static_cast<int>(boxes.size()));
    if (k > 0)
        storeTick(model, *(boxes.begin() + (k - 1)));
}

int charCount(const QString& s)
{
    int n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!(s.at(i).isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

// The index in UTF-16 units of the character number `chars` (0-based); s.size() past the end.
static qsizetype unitIndex(const QString& s, int chars)
{
    qsizetype i = 0;
    for (int c = 0; c < chars && i < s.size(); ++c) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            i += 2;
        else
            i += 1;
    }
    return i;
}

QString leftChars(const QString& s, int n)
{
    if (n <= 0)
        return {};
    return s.left(unitIndex(s, n));
}

QString rightChars(const QString& s, int n)
{
    if (n <= 0)
        return {};
    const int total = charCount(s);
    if (n >= total)
        return s;
    return s.mid(unitIndex(s, total - n));
}

QString midChars(const QString& s, int start, int n)
{
    const qsizetype from = unitIndex(s, start);
    if (n < 0)
        return s.mid(from);
    return s.mid(from, unitIndex(s, start + n) - from);
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
