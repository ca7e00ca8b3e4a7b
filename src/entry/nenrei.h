#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace entry {

// A date as the entry form holds it: an era name and three part boxes, as typed.
struct EraDateBoxes
{
    QString era;
    QString year;
    QString month;
    QString day;
};

// The Western calendar date of an era date, or nullopt when it is none: an era the program
// does not know (明治, 大正, 昭和, 平成, 令和), a part that is empty or not a number, year 0, or
// a day the calendar does not have (2月30日). Full-width digits are digits and the year 元 is
// 1, as imported and loaded letters carry them. A year past the end of its era (昭和64年,
// 平成31年05月01日) is counted on from the era's start.
std::optional<QDate> RealDate(const EraDateBoxes& date);

// The age in whole years on `writing` of someone born on `birth`: the difference of the
// Western years, less one when the birthday (month and day) of the writing year is still to
// come; the birthday itself counts as passed. nullopt when either date is no real date.
std::optional<int> AgeOn(const EraDateBoxes& birth, const EraDateBoxes& writing);

} // namespace entry
