// The rules without windows: key total, number formulas, conversions and the generator.

#include "core/keytotal.h"
#include "core/numbers.h"
#include "platform/forms/conversions.h"
#include "platform/forms/generator.h"
#include "platform/forms/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <optional>

// The number of the run-time error a step raises, 0 when it raises none.
template <typename Step> int errorOf(Step step)
{
    try {
        step();
    } catch (const platform::forms::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

class tst_rules : public QObject {
    Q_OBJECT

private slots:
    void keyTotal_data();
    void keyTotal();
    void digitCodes();
    void rangeResultsTable_data();
    void rangeResultsTable();
    void pureNumberLimits();
    void toDouble_data();
    void toDouble();
    void toInteger_data();
    void toInteger();
    void toLong_data();
    void toLong();
    void generatorFirstDraws();
    void reseed_data();
    void reseed();
    void drawNeverReachesOne();
};

void tst_rules::keyTotal_data()
{
    // clang-format off
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("sum");
    QTest::newRow("zero") << 0 << 97 << 97;
    QTest::newRow("just fits") << 32645 << 122 << 32767;
    QTest::newRow("wraps past the top") << 32696 << 122 << -32718;
    QTest::newRow("wraps past the bottom") << -32768 << -1 << 32767;
    QTest::newRow("negative key") << 100 << -200 << -100;
    // clang-format on
}

void tst_rules::keyTotal()
{
    QFETCH(int, total);
    QFETCH(int, key);
    QFETCH(int, sum);
    QCOMPARE(int(core::addKeyCode(std::int16_t(total), std::int16_t(key))), sum);
}

void tst_rules::digitCodes()
{
    QVERIFY(!core::isDigitCode(47));
    QVERIFY(core::isDigitCode(48));
    QVERIFY(core::isDigitCode(57));
    QVERIFY(!core::isDigitCode(58));
    QVERIFY(!core::isDigitCode(-48));
    QVERIFY(!core::isDigitCode(48 + 65536));
}

void tst_rules::rangeResultsTable_data()
{
    // clang-format off
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("least");
    QTest::addColumn<double>("most");
    QTest::addColumn<std::optional<double>>("atZeroDraw"); // only a draw of exactly 0 gives it
    QTest::newRow("low < high") << 1.0 << 6.0 << 1.0 << 6.0 << std::optional<double>();
    QTest::newRow("low = high") << 5.0 << 5.0 << 5.0 << 5.0 << std::optional<double>();
    QTest::newRow("low = high + 1") << 6.0 << 5.0 << 6.0 << 6.0 << std::optional<double>();
    QTest::newRow("low > high + 1") << 10.0 << 5.0 << 6.0 << 9.0 << std::optional<double>(10.0);
    QTest::newRow("both capped") << 214785600.0 << 214785640.0 << 214785600.0 << 214785640.0
                                 << std::optional<double>();
    // Draws are multiples of 2^-24, so a range this wide stops short of 101 and 214785599.
    QTest::newRow("low capped, high 100")
        << 214785600.0 << 100.0 << 113.0 << 214785587.0 << std::optional<double>(214785600.0);
    // clang-format on
}

void tst_rules::rangeResultsTable()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, least);
    QFETCH(double, most);
    QFETCH(std::optional<double>, atZeroDraw);

    // Every draw the generator can give is k / 2^24; walk them with a stride that reaches both
    // ends of [0, 1).
    double seenLeast = INFINITY;
    double seenMost = -INFINITY;
    for (std::uint32_t k = 1; k < (1u << 24); k += 997) {
        const double number = core::rangeNumber(low, high, float(k) / 16777216.0f);
        seenLeast = std::min(seenLeast, number);
        seenMost = std::max(seenMost, number);
    }
    const double top = core::rangeNumber(low, high, float(0xFFFFFF) / 16777216.0f);
    seenLeast = std::min(seenLeast, top);
    seenMost = std::max(seenMost, top);
    QCOMPARE(seenLeast, least);
    QCOMPARE(seenMost, most);
    QCOMPARE(core::rangeNumber(low, high, 0.0f), atZeroDraw.value_or(least));
}

void tst_rules::pureNumberLimits()
{
    QCOMPARE(core::pureNumber(0.0f), 1.0);
    // The largest draw below 0.99999907 still fits 32 bits; the next one does not.
    const float fits = float(16777200) / 16777216.0f;
    const float overflows = float(16777201) / 16777216.0f;
    QVERIFY(core::pureNumber(fits) <= 2147483647.0);
    QVERIFY(core::pureNumber(overflows) > 2147483647.0);
    QCOMPARE(errorOf([&] { platform::forms::toLong(core::pureNumber(overflows)); }), 6);
}

void tst_rules::toDouble_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error"); // the run-time error expected, 0 for none
    QTest::newRow("digits") << "123" << 123.0 << 0;
    QTest::newRow("blanks around") << "  42 " << 42.0 << 0;
    QTest::newRow("sign") << "-7" << -7.0 << 0;
    QTest::newRow("plus") << "+7" << 7.0 << 0;
    QTest::newRow("fraction") << "2.5" << 2.5 << 0;
    QTest::newRow("leading point") << ".5" << 0.5 << 0;
    QTest::newRow("exponent") << "1e3" << 1000.0 << 0;
    QTest::newRow("above 32 bits") << "2147485641" << 2147485641.0 << 0;
    QTest::newRow("underflow is zero") << "1e-400" << 0.0 << 0;
    QTest::newRow("empty") << "" << 0.0 << 13;
    QTest::newRow("blanks only") << "   " << 0.0 << 13;
    QTest::newRow("letters") << "abc" << 0.0 << 13;
    QTest::newRow("inner blank") << "1 2" << 0.0 << 13;
    QTest::newRow("two signs") << "--5" << 0.0 << 13;
    QTest::newRow("bare exponent") << "1e" << 0.0 << 13;
    QTest::newRow("point only") << "." << 0.0 << 13;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 0.0 << 13;
    QTest::newRow("hex") << "0x10" << 0.0 << 13;
    // clang-format on
}

void tst_rules::toDouble()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);
    double converted = 0;
    QCOMPARE(errorOf([&] { converted = platform::forms::toDouble(text); }), error);
    if (error == 0)
        QCOMPARE(converted, value);
}

void tst_rules::toInteger_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("error");
    QTest::newRow("195") << "195" << 195 << 0;
    QTest::newRow("lowest") << "-32768" << -32768 << 0;
    QTest::newRow("highest") << "32767" << 32767 << 0;
    QTest::newRow("one above") << "32768" << 0 << 6;
    QTest::newRow("one below") << "-32769" << 0 << 6;
    QTest::newRow("half to even, down") << "2.5" << 2 << 0;
    QTest::newRow("half to even, up") << "3.5" << 4 << 0;
    QTest::newRow("rounds into overflow") << "32767.5" << 0 << 6;
    QTest::newRow("huge") << "1e400" << 0 << 6;
    QTest::newRow("not a number") << "12ab" << 0 << 13;
    // clang-format on
}

void tst_rules::toInteger()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, error);
    int converted = 0;
    QCOMPARE(errorOf([&] { converted = platform::forms::toInteger(text); }), error);
    if (error == 0)
        QCOMPARE(converted, value);
}

void tst_rules::toLong_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text"); // as the number label shows it
    QTest::addColumn<int>("error");
    QTest::newRow("top") << 2147483647.0 << "2147483647" << 0;
    QTest::newRow("one above") << 2147483648.0 << "" << 6;
    QTest::newRow("bottom") << -2147483648.0 << "-2147483648" << 0;
    QTest::newRow("one below") << -2147483649.0 << "" << 6;
    QTest::newRow("zero") << 0.0 << "0" << 0;
    QTest::newRow("negative zero") << -0.0 << "0" << 0;
    QTest::newRow("infinity") << double(INFINITY) << "" << 6;
    QTest::newRow("not a number") << double(NAN) << "" << 6;
    // clang-format on
}

void tst_rules::toLong()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(int, error);
    qint32 converted = 0;
    QCOMPARE(errorOf([&] { converted = platform::forms::toLong(value); }), error);
    if (error == 0) {
        QCOMPARE(double(converted), value);
        QCOMPARE(platform::forms::decimalText(converted), text);
    }
}

void tst_rules::generatorFirstDraws()
{
    // The first draws of a run that never reseeds.
    platform::forms::Generator generator;
    for (double expected : {0.7055475, 0.533424, 0.5795186, 0.2895625, 0.301948})
        QVERIFY(std::abs(generator.next() - expected) < 5e-7);
}

void tst_rules::reseed_data()
{
    // clang-format off
    QTest::addColumn<int>("seed");
    QTest::addColumn<uint>("state"); // after the reseed and one draw, from a fresh generator
    QTest::newRow("195") << 195 << 0x0266C3u;
    QTest::newRow("0") << 0 << 0xC39EC3u;
    QTest::newRow("lowest") << -32768 << 0x00FEC3u;
    QTest::newRow("highest") << 32767 << 0xC241C3u;
    // clang-format on
}

void tst_rules::reseed()
{
    QFETCH(int, seed);
    QFETCH(uint, state);
    platform::forms::Generator fresh;
    fresh.reseed(std::int16_t(seed));
    fresh.next();
    QCOMPARE(fresh.state(), state);

    // A reseed keeps the low byte of a generator that has drawn before.
    platform::forms::Generator used;
    used.next();
    const std::uint32_t lowByte = used.state() & 0xFF;
    QVERIFY(lowByte != 0);
    used.reseed(std::int16_t(seed));
    QCOMPARE(used.state() & 0xFF, lowByte);
}

void tst_rules::drawNeverReachesOne()
{
    // The largest state there is gives the largest draw.
    platform::forms::Generator generator;
    float largest = 0;
    for (int i = 0; i < 1 << 24; ++i) // the full period visits every state once
        largest = std::max(largest, generator.next());
    QVERIFY(largest < 1.0f);
    QCOMPARE(largest, float(0xFFFFFF) / 16777216.0f);
}

QTEST_GUILESS_MAIN(tst_rules)
#include "tst_rules.moc"
