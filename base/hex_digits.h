#pragma once

// Bytes written as hexadecimal digits, two a byte, high half first: the one table of hex digits.

#include <cstdint>
#include <span>
#include <string>

namespace orlenda {

inline constexpr char kLowerHexDigits[] = "0123456789abcdef";
inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

// "00ff7a" for the bytes 00 FF 7A.
std::string LowerHexDigits(std::span<const std::uint8_t> bytes);

}  // namespace orlenda
