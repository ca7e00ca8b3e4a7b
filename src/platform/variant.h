#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace db {

// A field value with the types and conversions of the letter database: Null, the integer and
// floating types, Boolean and String. Conversions follow the classic BASIC rules the stored
// letters were written with: a digit string equals its number, True is -1 as a number,
// and Null meets no comparison.
class Variant
{
public:
    enum class Type { Null, Integer, Long, Single, Double, Boolean, String };

    Variant() = default; // Null
    static Variant null() { return {}; }
    static Variant fromInteger(qint16 v);
    static Variant fromLong(qint32 v);
    static Variant fromSingle(float v);
    static Variant fromDouble(double v);
    static Variant fromBool(bool v);
    static Variant fromString(const QString& v);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }
    bool isNumeric() const; // Integer, Long, Single, Double or Boolean

    // Text of the value: numbers in their shortest decimal form, Booleans "True"/"False",
    // Null "".
    QString toString() const;
    // The value as a number. A string converts when it is a number (blanks around it
    // allowed); Null and other strings fail (std::nullopt).
    std::optional<double> toDouble() const;
    // The value rounded to a 32-bit integer, halves to even; std::nullopt as toDouble, or
    // out of range.
    std::optional<qint32> toLong() const;
    // True for a non-zero number, a "True"/"False" string (any case) or a numeric string.
    std::optional<bool> toBool() const;

    // Comparison as the sheet filling uses it: both sides Null-free; number against number
    // numerically, a numeric string against a number numerically, strings as text.
    // std::nullopt when either side is Null or the two cannot be compared.
    std::optional<int> compare(const Variant& other) const;
    // compare() == 0; false when either side is Null.
    bool equals(const Variant& other) const;

    bool operator==(const Variant& other) const; // same type and same value (Null == Null)

private:
    using Value = std::variant<std::monostate, qint64, double, bool, QString>;
    Variant(Type type, Value value) : m_type(type), m_value(std::move(value)) {}

    Type m_type = Type::Null;
    Value m_value;
};

} // namespace db
