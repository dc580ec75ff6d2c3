#pragma once

// The SHA-256 digest of a run of bytes: what a club's credit record and the history store name a
// pilot file's state by. The system's own implementation does the work (Nettle on POSIX systems, the
// CNG provider on Windows).

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlenda {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);

// The digest as 64 lowercase hexadecimal digits, the form sha256sum prints.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace orlenda
