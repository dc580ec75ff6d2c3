#pragma once

// Little-endian 32-bit integers as the pilot file stores them.

#include <cstdint>
#include <span>

namespace orlenda {

// Written as one expression of the four bytes, which the compiler turns into a single load.
inline std::int32_t ReadInt32LE(std::span<const std::uint8_t, 4> bytes) {
  const std::uint32_t b0 = bytes[0];
  const std::uint32_t b1 = bytes[1];
  const std::uint32_t b2 = bytes[2];
  const std::uint32_t b3 = bytes[3];
  return static_cast<std::int32_t>(b0 | (b1 << 8) | (b2 << 16) | (b3 << 24));  // two's complement since C++20
}

inline void WriteInt32LE(std::int32_t value, std::span<std::uint8_t, 4> bytes) {
  const auto bits = static_cast<std::uint32_t>(value);
  bytes[0] = static_cast<std::uint8_t>(bits & 0xFFu);
  bytes[1] = static_cast<std::uint8_t>((bits >> 8) & 0xFFu);
  bytes[2] = static_cast<std::uint8_t>((bits >> 16) & 0xFFu);
  bytes[3] = static_cast<std::uint8_t>((bits >> 24) & 0xFFu);
}

// Sum and product of the file's int32 values wrap exactly as the game's 32-bit arithmetic does,
// computed in unsigned arithmetic so that no signed overflow can occur.
inline std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t WrappingMultiply(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Stored bonuses hold ten times their value; the division truncates toward zero.
inline std::int32_t StoredTimesTenToValue(std::int32_t stored) { return stored / 10; }

}  // namespace orlenda
