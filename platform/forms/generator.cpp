#include "platform/forms/generator.h"

#include <bit>

namespace platform::forms {
namespace {
constexpr std::uint32_t stateMask = 0xFFFFFF;
constexpr std::uint32_t multiplier = 0x43FD43FD;
constexpr std::uint32_t increment = 0xC39EC3;
} // namespace

void Generator::reseed(std::int16_t seed)
{
    // The upper 32 bits of the seed's IEEE-754 double hold its sign, exponent and top of
    // its mantissa; every 16-bit integer is exact there.
    const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(seed));
    const auto high = static_cast<std::int32_t>(bits >> 32);
    const std::int32_t folded = (high & 0xFFFF) ^ (high >> 16); // arithmetic shift
    const auto middle = (static_cast<std::uint32_t>(folded) << 8) & 0x00FFFF00;
    state_ = (state_ & 0xFF0000FF) | middle;
}

float Generator::next()
{
    state_ = (state_ * multiplier + increment) & stateMask;
    return static_cast<float>(state_) / 16777216.0f;
}

} // namespace platform::forms
