// libFuzzer target for the text-to-number conversions and the number formulas: no crash, no
// undefined behaviour, and a number that does not fit is always an Overflow, never wrong.

#include "core/numbers.h"
#include "platform/forms/conversions.h"
#include "platform/forms/runtimeerror.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Runs a conversion; returns whether it succeeded. Only Type mismatch and Overflow may fail it.
template <typename F> bool converts(F&& conversion)
{
    try {
        conversion();
        return true;
    } catch (const platform::forms::RuntimeError& error) {
        require(error.number() == 13 || error.number() == 6);
        return false;
    }
}

// The 32-bit conversion of a formula's result: the exact value when it fits, Overflow otherwise.
void checkToLong(double value)
{
    const bool fits = value >= -2147483648.0 && value <= 2147483647.0;
    try {
        const std::int32_t whole = platform::forms::toLong(value);
        require(fits && double(whole) == value);
    } catch (const platform::forms::RuntimeError& error) {
        require(!fits && error.number() == 6);
    }
}

void checkText(const QString& text)
{
    double value = 0;
    const bool isNumber = converts([&] { value = platform::forms::toDouble(text); });
    if (isNumber)
        require(std::isfinite(value));

    std::int16_t integer = 0;
    if (converts([&] { integer = platform::forms::toInteger(text); })) {
        require(isNumber);
        require(value >= -32768.5 && value <= 32767.5);
        require(std::abs(double(integer) - value) <= 0.5);
    }
}

void checkIntegerRoundTrip(std::int64_t integer)
{
    const QString text = platform::forms::decimalText(integer);
    require(text == QString::number(integer));
    constexpr std::int64_t exact = std::int64_t(1) << 53; // doubles hold every integer below
    if (integer > -exact && integer < exact)
        require(platform::forms::toDouble(text) == double(integer));
    const bool fits16 = integer >= -32768 && integer <= 32767;
    try {
        require(platform::forms::toInteger(text) == integer && fits16);
    } catch (const platform::forms::RuntimeError& error) {
        require(!fits16 && error.number() == 6);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    checkText(QString::fromUtf8(chars, qsizetype(size)));
    checkText(QString::fromLatin1(chars, qsizetype(size)).trimmed());

    if (size >= 8) {
        std::int64_t integer;
        std::memcpy(&integer, data, sizeof integer);
        checkIntegerRoundTrip(integer);
        checkIntegerRoundTrip(integer >> 32);
    }

    if (size >= 12) {
        // Bounds of up to eleven digits, as the bound boxes hold, and a draw the generator
        // can make.
        std::uint32_t raw[3];
        std::memcpy(raw, data, sizeof raw);
        double low = double(raw[0] % 100000000000ull);
        double high = double((std::uint64_t(raw[1]) * 25) % 100000000000ull);
        if (core::lowBoundCap.appliesTo(low))
            low = core::lowBoundCap.value;
        if (core::highBoundCap.appliesTo(high))
            high = core::highBoundCap.value;
        const float draw = float(raw[2] & 0xFFFFFF) / 16777216.0f;
        require(draw >= 0.0f && draw < 1.0f);
        checkToLong(core::rangeNumber(low, high, draw));
        checkToLong(core::pureNumber(draw));
        require(core::pureNumber(draw) >= 1.0);
    }
    return 0;
}
