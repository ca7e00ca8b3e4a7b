#include "platform/variant.h"

#include <cmath>
#include <limits>

namespace db {

namespace {

// A number as the classic BASIC conversions read it from text: blanks around it allowed,
// full-width digits read as digits, a decimal point and an exponent ("1e1") taken; anything
// else (an empty text, "nan", "inf" or "infinity" included) is no number.
std::optional<double> parseNumber(const QString& text)
{
    const QString s = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (s.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

int sign(double d)
{
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

} // namespace

Variant Variant::fromInteger(qint16 v)
{
    return Variant(Type::Integer, qint64(v));
}

Variant Variant::fromLong(qint32 v)
{
    return Variant(Type::Long, qint64(v));
}

Variant Variant::fromSingle(float v)
{
    return Variant(Type::Single, double(v));
}

Variant Variant::fromDouble(double v)
{
    return Variant(Type::Double, v);
}

Variant Variant::fromBool(bool v)
{
    return Variant(Type::Boolean, v);
}

Variant Variant::fromString(const QString& v)
{
    return Variant(Type::String, v);
}

bool Variant::isNumeric() const
{
    switch (m_type) {
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Boolean:
        return true;
    case Type::Null:
    case Type::String:
        break;
    }
    return false;
}

QString Variant::toString() const
{
    switch (m_type) {
    case Type::Null:
        return {};
    case Type::Integer:
    case Type::Long:
        return QString::number(std::get<qint64>(m_value));
    case Type::Single:
        return QString::number(std::get<double>(m_value), 'g', 7);
    case Type::Double:
        return QString::number(std::get<double>(m_value), 'g', 15);
    case Type::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
        return std::get<QString>(m_value);
    }
    return {};
}

std::optional<double> Variant::toDouble() const
{
    switch (m_type) {
    case Type::Null:
        return std::nullopt;
    case Type::Integer:
    case Type::Long:
        return double(std::get<qint64>(m_value));
    case Type::Single:
    case Type::Double:
        return std::get<double>(m_value);
    case Type::Boolean:
        return std::get<bool>(m_value) ? -1.0 : 0.0;
    case Type::String:
        return parseNumber(std::get<QString>(m_value));
    }
    return std::nullopt;
}

std::optional<qint32> Variant::toLong() const
{
    if (m_type == Type::Integer || m_type == Type::Long)
        return qint32(std::get<qint64>(m_value));
    const auto d = toDouble();
    if (!d)
        return std::nullopt;
    const double rounded = std::nearbyint(*d); // halves to even
    if (rounded < double(std::numeric_limits<qint32>::min()) ||
        rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

std::optional<bool> Variant::toBool() const
{
    if (m_type == Type::Boolean)
        return std::get<bool>(m_value);
    if (m_type == Type::String) {
        const QString s = std::get<QString>(m_value).trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto d = toDouble();
    if (!d)
        return std::nullopt;
    return *d != 0.0;
}

std::optional<int> Variant::compare(const Variant& other) const
{
    if (isNull() || other.isNull())
        return std::nullopt;
    if (m_type == Type::String && other.m_type == Type::String)
        return sign(std::get<QString>(m_value).compare(std::get<QString>(other.m_value)));
    if ((m_type == Type::Integer || m_type == Type::Long) &&
        (other.m_type == Type::Integer || other.m_type == Type::Long)) {
        const qint64 a = std::get<qint64>(m_value);
        const qint64 b = std::get<qint64>(other.m_value);
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    const auto a = toDouble();
    const auto b = other.toDouble();
    if (!a || !b)
        return std::nullopt;
    return sign(*a - *b);
}

bool Variant::equals(const Variant& other) const
{
    const auto c = compare(other);
    return c && *c == 0;
}

bool Variant::operator==(const Variant& other) const
{
    return m_type == other.m_type && m_value == other.m_value;
}

} // namespace db
