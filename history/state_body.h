#pragma once

// A pilot file's bytes as the history stores them: compressed with zlib (a real pilot file of
// 152,076 bytes, mostly zeros, becomes a few hundred bytes to a kilobyte and a half).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orlenda {

std::vector<std::uint8_t> CompressStateBody(std::span<const std::uint8_t> bytes);

// The bytes again; nothing when the body is damaged or does not unpack to `size` bytes.
std::optional<std::vector<std::uint8_t>> UncompressStateBody(std::span<const std::uint8_t> body,
                                                             std::size_t size);

}  // namespace orlenda
