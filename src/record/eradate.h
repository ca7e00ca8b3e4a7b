#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Era date strings: era & year & "年" & month & "月" & day & "日", as the letter record keeps
// every date (平成20年04月01日; a part may be empty or of any length). The eras are 明治,
// 大正, 昭和, 平成 and 令和; onset dates may also carry 不詳.
//
// Taking a part apart fails (std::nullopt) when the marker that ends the part is missing or
// stands before the marker that starts it: "", "00" and a text without markers fail for every
// part. Callers take a failure as no value and leave their target as it was.
namespace record {

// Part 1 = year, 2 = month, 3 = day, in print form: a part beginning with "0" becomes a
// blank and the part's last character, and " 0" then becomes "" ("04" → " 4", "00" → "").
// Any other part number gives "".
std::optional<QString> EraDatePartSp(const QString& s, int part);
// The same part as stored.
std::optional<QString> EraDatePart(const QString& s, int part);
// The Western date: year & "/" & month & "/" & day, month and day in print form
// (平成20年04月01日 → "2008/ 4/ 1"). The parts are read as NumberForm gives them, so that
// 令和元年05月01日 gives "2019/ 5/ 1" and 平成３０年０４月０１日 "2018/ 4/ 1". "" for an era
// without a Western year (不詳, or any other text); std::nullopt when a part cannot be taken
// apart.
std::optional<QString> EraToSeireki(const QString& s);

// The calendar date that EraToSeireki's text names, its year, month and day read as whole
// numbers, found without making that text: 令和元年05月01日 is 2019-05-01. nullopt when the
// text names no real date (不詳, an empty part, 2月30日, a year with a fraction).
std::optional<QDate> EraDateToDate(QStringView s);

// A part's text as its number is read: full-width digits and blanks become half-width ones
// (letters taken over from other programs carry them), and a year (part 1) of 元, the era's
// first year, becomes "1", also as a box pads it ("0元") or prints it (" 元"). Any other
// text comes back as it is.
QString NumberForm(const QString& text, int part);

// The offset that turns a year of `era` into a Western year, or nullopt for another text.
std::optional<int> EraOffset(const QString& era);

struct EraYear
{
    QString era;
    int year = 0;
};
// The era of a date of our time and its year in that era: 令和 from 2019-05-01, 平成 before.
EraYear EraOfDate(const QDate& date);

} // namespace record
