#pragma once

#include <cstdint>

namespace platform::forms {

// The runtime's seedable pseudo-random generator: a 24-bit linear congruential generator.
// A reseed replaces only the middle 16 bits of the state and keeps the low byte, so the
// same seed does not always give the same draw; programs written for this runtime expect that.
class Generator {
public:
    // Mixes the seed's 64-bit float representation into the state.
    void reseed(std::int16_t seed);

    // The next value, in [0, 1); it is never 1.
    float next();

    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 0x50000;
};

} // namespace platform::forms
