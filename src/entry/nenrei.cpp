#include "entry/nenrei.h"

#include "entry/frmDat3.h"
#include "record/eradate.h"

#include <QDate>

namespace entry {

namespace {

// A part of a date in its number form: one or more ASCII digits, blanks around them allowed.
std::optional<int> number(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toInt();
}

} // namespace

std::optional<QDate> RealDate(const EraDateBoxes& date)
{
    const std::optional<int> offset = record::EraOffset(date.era);
    const std::optional<int> year = number(record::NumberForm(date.year, 1));
    const std::optional<int> month = number(record::NumberForm(date.month, 2));
    const std::optional<int> day = number(record::NumberForm(date.day, 3));
    if (!offset || !year || !month || !day || *year < 1)
        return std::nullopt;
    const QDate real(*offset + *year, *month, *day);
    if (!real.isValid())
        return std::nullopt;
    return real;
}

std::optional<int> AgeOn(const EraDateBoxes& birth, const EraDateBoxes& writing)
{
    const std::optional<QDate> born = RealDate(birth);
    const std::optional<QDate> written = RealDate(writing);
    if (!born || !written)
        return std::nullopt;
    const int birthday = born->month() * 100 + born->day();
    const int writingDay = written->month() * 100 + written->day();
    return written->year() - born->year() - (birthday <= writingDay ? 0 : 1);
}

void frmDat3::Nenrei()
{
    const auto text = [this](const char* name) {
        return m_controls.text(QString::fromLatin1(name)).value_or(QString());
    };
    const EraDateBoxes birth{text("cmbNengo"), text("txtNen"), text("txtTuki"), text("txtHi")};
    const EraDateBoxes writing{text("cmbNengoD"), text("txtNenD"), text("txtTukiD"),
                               text("txtHiD")};
    // Without two real dates the age box keeps what it shows.
    if (const std::optional<int> age = AgeOn(birth, writing))
        m_controls.setText(QStringLiteral("txtToshi"), controls::kNoIndex, QString::number(*age));
}

} // namespace entry
