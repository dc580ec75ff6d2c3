#include "base/display_text.h"

#include "base/hex_digits.h"
#include "base/windows1252.h"

namespace orlenda {
namespace {

// The length of the UTF-8 sequence that `lead` opens, or 1 for a byte that opens none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsC0OrDelete(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// U+0080 to U+009F are encoded as C2 80 to C2 9F.
bool IsC1(std::string_view sequence) {
  return sequence.size() == 2 && static_cast<unsigned char>(sequence[0]) == 0xC2 &&
         static_cast<unsigned char>(sequence[1]) < 0xA0;
}

void AppendUnsafe(std::string& shown, std::string_view bytes, UnsafeShownAs how) {
  if (how == UnsafeShownAs::kQuestionMark) {
    shown += '?';
    return;
  }
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    shown += {'\\', 'x', kUpperHexDigits[byte >> 4], kUpperHexDigits[byte & 0xF]};
  }
}

}  // namespace

std::string DisplayText(std::string_view text, UnsafeShownAs how) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = SequenceLength(lead);
    const std::string_view sequence = text.substr(i, length);
    if (lead < 0x80 || (sequence.size() == length && IsValidUtf8(sequence))) {
      if (IsC0OrDelete(lead) || IsC1(sequence)) {
        AppendUnsafe(shown, sequence, how);
      } else {
        shown += sequence;
      }
      i += length;
      continue;
    }
    AppendUnsafe(shown, text.substr(i, 1), how);  // a byte that is not part of valid UTF-8
    ++i;
  }
  return shown;
}

bool HoldsControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\t' || IsC0OrDelete(byte) || IsC1(text.substr(i, 2))) return true;
  }
  return false;
}

}  // namespace orlenda
