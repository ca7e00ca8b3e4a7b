#pragma once

#include <QDate>

// Today's date, which tests can fix.
namespace platform {

// The system's date, or the date set by setToday().
QDate today();
// Fixes today's date; an invalid date goes back to the system's date.
void setToday(const QDate& date);

} // namespace platform
