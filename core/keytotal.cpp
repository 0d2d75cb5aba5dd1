#include "core/keytotal.h"

namespace core {

std::int16_t addKeyCode(std::int16_t total, std::int16_t keyAscii)
{
    // Unsigned arithmetic wraps without undefined behaviour; the cast back is modular in C++20.
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(total) +
                                     static_cast<std::uint16_t>(keyAscii));
}

} // namespace core
