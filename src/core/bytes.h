// Byte and bit helpers for 16-bit frame fields (stored high byte first).
#pragma once

#include <cstdint>

namespace tuner {

// High and low byte of a 16-bit value. Values are taken unsigned, so every
// 16-bit pattern splits without overflow.
constexpr uint8_t int_high_byte(int v) { return static_cast<uint8_t>((static_cast<unsigned>(v) >> 8) & 0xFF); }
constexpr uint8_t int_low_byte(int v) { return static_cast<uint8_t>(static_cast<unsigned>(v) & 0xFF); }

// 1 when bit `bit` (0 = least significant) of value is set; bits above 7 read 0.
constexpr uint8_t bit_read(uint8_t value, uint8_t bit) { return bit < 8 ? ((value >> bit) & 1u) : 0; }

}  // namespace tuner
