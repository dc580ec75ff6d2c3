#include "history/state_body.h"

#include <zlib.h>

#include <stdexcept>

namespace orlenda {

std::vector<std::uint8_t> CompressStateBody(std::span<const std::uint8_t> bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::vector<std::uint8_t> body(size);
  if (compress2(body.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION) !=
      Z_OK)
    throw std::runtime_error("Unable to compress a pilot file's state.");
  body.resize(size);
  return body;
}

std::optional<std::vector<std::uint8_t>> UncompressStateBody(std::span<const std::uint8_t> body,
                                                             std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  uLongf unpacked = static_cast<uLongf>(size);
  // A body that unpacks to more bytes than the buffer holds fails with Z_BUF_ERROR.
  const int code = uncompress(bytes.data(), &unpacked, body.data(), static_cast<uLong>(body.size()));
  if (code != Z_OK || unpacked != size) return std::nullopt;
  return bytes;
}

}  // namespace orlenda
