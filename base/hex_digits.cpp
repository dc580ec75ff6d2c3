#include "base/hex_digits.h"

namespace orlenda {

std::string LowerHexDigits(std::span<const std::uint8_t> bytes) {
  std::string digits;
  digits.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    digits += kLowerHexDigits[byte >> 4];
    digits += kLowerHexDigits[byte & 0xF];
  }
  return digits;
}

}  // namespace orlenda
