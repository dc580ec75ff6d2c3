#pragma once

// Taking typed values off the front of a fuzzer's input, with zeros once the input runs out, so that
// every input, however short, is a valid description of a run.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orlenda::fuzz {

class FuzzInput {
 public:
  explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t value = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return value;
  }

  std::int32_t Int32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(value);
  }

  // At most `count` bytes, without a copy.
  std::span<const std::uint8_t> Take(std::size_t count) {
    const std::span<const std::uint8_t> taken = bytes_.first(std::min(count, bytes_.size()));
    bytes_ = bytes_.subspan(taken.size());
    return taken;
  }

  // At most `count` bytes as text.
  std::string Text(std::size_t count) {
    const std::span<const std::uint8_t> taken = Take(count);
    return std::string(reinterpret_cast<const char*>(taken.data()), taken.size());
  }

  std::string Rest() { return Text(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace orlenda::fuzz
