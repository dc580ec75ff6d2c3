#include "base/windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "base/utf8.h"

namespace orlenda {
namespace {

// Code points of the bytes 0x80-0x9F; the other bytes equal their code points.
constexpr std::array<char32_t, 32> kHighControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> Windows1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControlRange.size(); ++i)
    if (kHighControlRange[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

constexpr std::size_t kWordSize = sizeof(std::uint64_t);

bool IsAsciiWord(const char* bytes) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, kWordSize);
  return (word & 0x8080808080808080u) == 0;
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControlRange[b - 0x80] : char32_t{b});
  }
  return out;
}

std::optional<std::string> EncodeWindows1252(std::string_view utf8) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto cp = NextCodePoint(utf8, pos);
    if (!cp) return std::nullopt;
    const auto b = Windows1252Byte(*cp);
    if (!b) return std::nullopt;
    out.push_back(*b);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    // ASCII, the bulk of any log or report, needs no decoding: eight bytes are looked at at once.
    if (pos + kWordSize <= text.size() && IsAsciiWord(text.data() + pos)) {
      pos += kWordSize;
      continue;
    }
    if (static_cast<std::uint8_t>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    if (!NextCodePoint(text, pos)) return false;
  }
  return true;
}

std::string Utf8FromUtf8OrWindows1252(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : DecodeWindows1252(text);
}

}  // namespace orlenda
