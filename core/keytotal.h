#pragma once

#include <cstdint>

namespace core {

// Adds one key's character code to the running 16-bit key total. The total wraps around in
// two's complement rather than failing, so a long session of typing can always go on
// changing the seed (32696 + 122 gives -32718).
std::int16_t addKeyCode(std::int16_t total, std::int16_t keyAscii);

} // namespace core
