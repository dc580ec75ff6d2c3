#include "base/sha256.h"

#include "base/hex_digits.h"

namespace orlenda {

std::string Sha256Hex(std::span<const std::uint8_t> bytes) { return LowerHexDigits(Sha256Of(bytes)); }

}  // namespace orlenda
