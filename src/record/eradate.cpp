#include "record/eradate.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace record {

namespace {

struct Era
{
    const char16_t* name;
    int offset;
};

constexpr std::array<Era, 5> Eras{{
    {u"明治", 1867},
    {u"大正", 1911},
    {u"昭和", 1925},
    {u"平成", 1988},
    {u"令和", 2018},
}};

const QDate ReiwaStart(2019, 5, 1);

// Works on whole characters, so that a character outside the BMP counts one.
using Chars = std::u32string;

// 1-based position of the first `marker`, 0 when absent.
qsizetype position(const Chars& s, char32_t marker)
{
    const size_t i = s.find(marker);
    return i == Chars::npos ? 0 : qsizetype(i) + 1;
}

// `length` characters from the 1-based `start`, cut at the end; nullopt for a negative length.
std::optional<QString> mid(const Chars& s, qsizetype start, qsizetype length)
{
    if (length < 0)
        return std::nullopt;
    const qsizetype from = start - 1;
    if (from >= qsizetype(s.size()) || length == 0)
        return QString();
    return QString::fromStdU32String(s.substr(from, length));
}

std::optional<QString> extract(const QString& text, int part)
{
    const Chars s = text.toStdU32String();
    const qsizetype year = position(s, U'年');
    const qsizetype month = position(s, U'月');
    const qsizetype day = position(s, U'日');
    switch (part) {
    case 1:
        return mid(s, 3, year - 3);
    case 2:
        return mid(s, year + 1, month - year - 1);
    case 3:
        return mid(s, month + 1, day - month - 1);
    default:
        return QString();
    }
}

// The leading number of `text`: blanks anywhere are skipped; digits with at most one
// decimal point, up to the first other character; 0 when there are none.
double leadingNumber(const QString& text)
{
    QString number;
    bool point = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' '))
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return number.isEmpty() || number == QLatin1String(".") ? 0 : number.toDouble();
}

// A full-width digit or blank as its half-width form; any other character as it is.
char16_t halfWidth(char16_t u)
{
    if (u >= u'０' && u <= u'９')
        return char16_t(u'0' + (u - u'０'));
    return u == u'\u3000' ? u' ' : u;
}

QString halfWidthDigits(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded)
        c = QChar(halfWidth(c.unicode()));
    return folded;
}

bool isDigit(char16_t u)
{
    return u >= u'0' && u <= u'9';
}

// Whether `text` names the era's first year: 元, with blanks or leading zeros before it.
bool isFirstYear(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() &&
           (halfWidth(text[i].unicode()) == u' ' || halfWidth(text[i].unicode()) == u'0'))
        ++i;
    if (i >= text.size() || text[i] != QChar(u'元'))
        return false;
    for (++i; i < text.size(); ++i) {
        if (halfWidth(text[i].unicode()) != u' ')
            return false;
    }
    return true;
}

std::optional<int> eraOffset(QStringView era)
{
    for (const Era& e : Eras) {
        if (era == QStringView(e.name))
            return e.offset;
    }
    return std::nullopt;
}

// The following read a part as EraToSeireki and a reader of its text do, without making the
// texts: the part in print form (a leading "0" leaves a blank and the last character), then
// as a number.

// The year: 元 is 1, otherwise the leading number, which must be whole; nullopt past any
// year a date can have.
std::optional<qint64> yearNumber(QStringView part)
{
    if (!part.isEmpty() && halfWidth(part.front().unicode()) == u'0') {
        const char16_t last = halfWidth(part.back().unicode());
        if (last == u'元')
            return 1;
        return isDigit(last) ? last - u'0' : 0;
    }
    if (isFirstYear(part))
        return 1;
    qint64 whole = 0;
    bool point = false;
    for (const QChar c : part) {
        const char16_t u = halfWidth(c.unicode());
        if (u == u' ')
            continue;
        if (isDigit(u) && point) {
            if (u != u'0')
                return std::nullopt; // a year with a fraction names no date
        } else if (isDigit(u)) {
            whole = whole * 10 + (u - u'0');
            if (whole > std::numeric_limits<int>::max())
                return std::nullopt;
        } else if (u == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return whole;
}

// The month or the day: a whole number, blanks around it allowed.
std::optional<int> monthOrDayNumber(QStringView part)
{
    if (!part.isEmpty() && halfWidth(part.front().unicode()) == u'0') {
        const char16_t last = halfWidth(part.back().unicode());
        if (isDigit(last) && last != u'0')
            return last - u'0';
        return std::nullopt;
    }
    while (!part.isEmpty() && part.front().isSpace())
        part = part.sliced(1);
    while (!part.isEmpty() && part.back().isSpace())
        part.chop(1);
    bool negative = false;
    if (!part.isEmpty() && (part.front() == u'+' || part.front() == u'-')) {
        negative = part.front() == u'-';
        part = part.sliced(1);
    }
    if (part.isEmpty())
        return std::nullopt;
    qint64 number = 0;
    for (const QChar c : part) {
        const char16_t u = halfWidth(c.unicode());
        if (!isDigit(u))
            return std::nullopt;
        number = number * 10 + (u - u'0');
        if (number > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return int(negative ? -number : number);
}

QString shortestNumber(double v)
{
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace

std::optional<QString> EraDatePart(const QString& s, int part)
{
    return extract(s, part);
}

std::optional<QString> EraDatePartSp(const QString& s, int part)
{
    std::optional<QString> p = extract(s, part);
    if (!p)
        return p;
    const Chars c = p->toStdU32String();
    if (!c.empty() && c.front() == U'0')
        *p = QLatin1Char(' ') + QString::fromStdU32String(c.substr(c.size() - 1));
    if (*p == QLatin1String(" 0"))
        p->clear();
    return p;
}

std::optional<int> EraOffset(const QString& era)
{
    return eraOffset(era);
}

QString NumberForm(const QString& text, int part)
{
    const QString folded = halfWidthDigits(text);
    if (part == 1 && isFirstYear(folded))
        return QStringLiteral("1");
    return folded;
}

std::optional<QString> EraToSeireki(const QString& s)
{
    const std::optional<int> offset =
        EraOffset(QString::fromStdU32String(s.toStdU32String().substr(0, 2)));
    if (!offset)
        return QString();
    // The markers and the era are no digits: the parts of the folded text are the folded
    // parts, and the zero rule then sees "０４" as "04".
    const QString folded = halfWidthDigits(s);
    const auto year = EraDatePartSp(folded, 1);
    const auto month = EraDatePartSp(folded, 2);
    const auto day = EraDatePartSp(folded, 3);
    if (!year || !month || !day)
        return std::nullopt;
    return shortestNumber(leadingNumber(NumberForm(*year, 1)) + *offset) + QLatin1Char('/') +
           *month + QLatin1Char('/') + *day;
}

std::optional<QDate> EraDateToDate(QStringView s)
{
    // A known era is two characters of the basic plane: its parts start at the third.
    const std::optional<int> offset = eraOffset(s.left(2));
    if (!offset)
        return std::nullopt;
    const qsizetype year = s.indexOf(u'年');
    const qsizetype month = s.indexOf(u'月');
    const qsizetype day = s.indexOf(u'日');
    if (year < 2 || month <= year || day <= month)
        return std::nullopt;
    const std::optional<qint64> y = yearNumber(s.sliced(2, year - 2));
    const std::optional<int> m = monthOrDayNumber(s.sliced(year + 1, month - year - 1));
    const std::optional<int> d = monthOrDayNumber(s.sliced(month + 1, day - month - 1));
    if (!y || !m || !d || *y + *offset > std::numeric_limits<int>::max())
        return std::nullopt;
    const QDate date(int(*y + *offset), *m, *d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

EraYear EraOfDate(const QDate& date)
{
    if (date >= ReiwaStart)
        return {QStringLiteral("令和"), date.year() - 2018};
    return {QStringLiteral("平成"), date.year() - 1988};
}

} // namespace record
