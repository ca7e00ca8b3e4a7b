#include "platform/variant.h"

#include <QtTest>

using db::Variant;

Q_DECLARE_METATYPE(db::Variant)

namespace {

const Variant Null;
Variant str(const char16_t* s)
{
    return Variant::fromString(QString::fromUtf16(s));
}

} // namespace

class VariantTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toDouble_data();
    void toDouble();
    void toLong_data();
    void toLong();
    void toBool_data();
    void toBool();
    void toString_data();
    void toString();
    void compare_data();
    void compare();
    void identity();
};

void VariantTest::toDouble_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<double>("expected");
    QTest::newRow("digit string") << str(u"12") << true << 12.0;
    QTest::newRow("blanks around") << str(u" 12 ") << true << 12.0;
    QTest::newRow("full-width digits") << str(u"１２") << true << 12.0;
    QTest::newRow("decimal string") << str(u"2.5") << true << 2.5;
    QTest::newRow("empty string") << str(u"") << false << 0.0;
    QTest::newRow("text") << str(u"abc") << false << 0.0;
    QTest::newRow("digits then text") << str(u"12a") << false << 0.0;
    QTest::newRow("inf") << str(u"inf") << false << 0.0;
    QTest::newRow("infinity") << str(u"-Infinity") << false << 0.0;
    QTest::newRow("nan") << str(u"nan") << false << 0.0;
    QTest::newRow("exponent") << str(u"1e1") << true << 10.0;
    QTest::newRow("full-width with sign and point") << str(u"－１．５") << true << -1.5;
    QTest::newRow("ideographic spaces around") << str(u"\u3000７\u3000") << true << 7.0;
    QTest::newRow("Null") << Null << false << 0.0;
    QTest::newRow("True") << Variant::fromBool(true) << true << -1.0;
    QTest::newRow("False") << Variant::fromBool(false) << true << 0.0;
    QTest::newRow("Integer") << Variant::fromInteger(-7) << true << -7.0;
    QTest::newRow("Long") << Variant::fromLong(100000) << true << 100000.0;
    QTest::newRow("Single") << Variant::fromSingle(0.5f) << true << 0.5;
}

void VariantTest::toDouble()
{
    QFETCH(Variant, value);
    QFETCH(bool, converts);
    QFETCH(double, expected);
    const auto result = value.toDouble();
    QCOMPARE(result.has_value(), converts);
    if (converts)
        QCOMPARE(*result, expected);
}

void VariantTest::toLong_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("expected");
    QTest::newRow("half to even down") << Variant::fromDouble(2.5) << true << 2;
    QTest::newRow("half to even up") << Variant::fromDouble(3.5) << true << 4;
    QTest::newRow("negative half") << Variant::fromDouble(-2.5) << true << -2;
    QTest::newRow("digit string") << str(u"7") << true << 7;
    QTest::newRow("True") << Variant::fromBool(true) << true << -1;
    QTest::newRow("too large") << Variant::fromDouble(3e10) << false << 0;
    QTest::newRow("text") << str(u"x") << false << 0;
    QTest::newRow("Null") << Null << false << 0;
}

void VariantTest::toLong()
{
    QFETCH(Variant, value);
    QFETCH(bool, converts);
    QFETCH(int, expected);
    const auto result = value.toLong();
    QCOMPARE(result.has_value(), converts);
    if (converts)
        QCOMPARE(*result, expected);
}

void VariantTest::toBool_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<bool>("expected");
    QTest::newRow("True text") << str(u"True") << true << true;
    QTest::newRow("false text any case") << str(u"fAlSe") << true << false;
    QTest::newRow("zero text") << str(u"0") << true << false;
    QTest::newRow("minus one text") << str(u"-1") << true << true;
    QTest::newRow("Long 0") << Variant::fromLong(0) << true << false;
    QTest::newRow("Long 2") << Variant::fromLong(2) << true << true;
    QTest::newRow("other text") << str(u"yes") << false << false;
    QTest::newRow("Null") << Null << false << false;
}

void VariantTest::toBool()
{
    QFETCH(Variant, value);
    QFETCH(bool, converts);
    QFETCH(bool, expected);
    const auto result = value.toBool();
    QCOMPARE(result.has_value(), converts);
    if (converts)
        QCOMPARE(*result, expected);
}

void VariantTest::toString_data()
{
    QTest::addColumn<Variant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Null") << Null << QString();
    QTest::newRow("Integer") << Variant::fromInteger(-3) << QStringLiteral("-3");
    QTest::newRow("Long") << Variant::fromLong(12) << QStringLiteral("12");
    QTest::newRow("Double") << Variant::fromDouble(0.1) << QStringLiteral("0.1");
    QTest::newRow("Single") << Variant::fromSingle(0.1f) << QStringLiteral("0.1");
    QTest::newRow("whole Double") << Variant::fromDouble(160) << QStringLiteral("160");
    QTest::newRow("True") << Variant::fromBool(true) << QStringLiteral("True");
    QTest::newRow("False") << Variant::fromBool(false) << QStringLiteral("False");
    QTest::newRow("String") << str(u"ｱ１") << QStringLiteral("ｱ１");
}

void VariantTest::toString()
{
    QFETCH(Variant, value);
    QFETCH(QString, expected);
    QCOMPARE(value.toString(), expected);
}

void VariantTest::compare_data()
{
    // result: -1, 0, 1, or 2 for "cannot be compared"
    QTest::addColumn<Variant>("left");
    QTest::addColumn<Variant>("right");
    QTest::addColumn<int>("result");
    QTest::newRow("digit string = number") << str(u"3") << Variant::fromLong(3) << 0;
    QTest::newRow("number = digit string") << Variant::fromInteger(3) << str(u"3") << 0;
    QTest::newRow("digit string vs number numerically") << str(u"10") << Variant::fromLong(9) << 1;
    QTest::newRow("two strings as text") << str(u"10") << str(u"9") << -1;
    QTest::newRow("equal strings") << str(u"平成") << str(u"平成") << 0;
    QTest::newRow("True = -1") << Variant::fromBool(true) << Variant::fromLong(-1) << 0;
    QTest::newRow("True = True") << Variant::fromBool(true) << Variant::fromBool(true) << 0;
    QTest::newRow("False < True") << Variant::fromBool(false) << Variant::fromBool(true) << 1;
    QTest::newRow("Double vs Long") << Variant::fromDouble(2.5) << Variant::fromLong(3) << -1;
    QTest::newRow("Null vs Null") << Null << Null << 2;
    QTest::newRow("Null vs 0") << Null << Variant::fromLong(0) << 2;
    QTest::newRow("empty string vs 0") << str(u"") << Variant::fromLong(0) << 2;
    QTest::newRow("text vs number") << str(u"abc") << Variant::fromLong(1) << 2;
}

void VariantTest::compare()
{
    QFETCH(Variant, left);
    QFETCH(Variant, right);
    QFETCH(int, result);
    const auto c = left.compare(right);
    QCOMPARE(c.has_value(), result != 2);
    if (c)
        QCOMPARE(*c, result);
    QCOMPARE(left.equals(right), result == 0);
}

void VariantTest::identity()
{
    QVERIFY(Null == Variant());
    QVERIFY(Null.isNull());
    QVERIFY(!(Variant::fromLong(3) == Variant::fromInteger(3)));
    QVERIFY(!(str(u"3") == Variant::fromLong(3)));
    QVERIFY(str(u"3").equals(Variant::fromLong(3)));
    QVERIFY(Variant::fromBool(false).isNumeric());
    QVERIFY(!str(u"3").isNumeric());
    QCOMPARE(Variant::fromInteger(1).type(), Variant::Type::Integer);
}

QTEST_GUILESS_MAIN(VariantTest)
#include "tst_variant.moc"
