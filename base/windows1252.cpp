#include "base/windows1252.h"

#include <array>
#include <cstdint>

namespace orlenda {
namespace {

// Code points of the bytes 0x80-0x9F; the other bytes equal their code points.
constexpr std::array<char32_t, 32> kHighControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nothing for a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  std::size_t length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    length = 1;
    cp = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  static constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += length;
  return cp;
}

std::optional<char> Windows1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControlRange.size(); ++i)
    if (kHighControlRange[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
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
    if (static_cast<std::uint8_t>(text[pos]) < 0x80) {  // ASCII, the bulk of any log, needs no decoding
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
