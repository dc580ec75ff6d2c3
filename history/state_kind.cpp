#include "history/state_kind.h"

#include <array>
#include <utility>

namespace orlenda {
namespace {

constexpr std::array<std::pair<StateKind, std::string_view>, 6> kKindWords{{
    {StateKind::kOpened, "opened"},
    {StateKind::kBeforeSave, "before save"},
    {StateKind::kAfterSave, "after save"},
    {StateKind::kGameWrite, "game's write"},
    {StateKind::kRecorded, "recorded"},
    {StateKind::kRestored, "restored"},
}};

}  // namespace

std::string_view StateKindWord(StateKind kind) {
  for (const auto& [each, word] : kKindWords)
    if (each == kind) return word;
  return "unknown";
}

std::string StateKindWords(std::uint32_t kinds) {
  std::string words;
  for (const auto& [each, word] : kKindWords) {
    if ((kinds & static_cast<std::uint32_t>(each)) == 0) continue;
    if (!words.empty()) words += ", ";
    words += word;
  }
  return words;
}

}  // namespace orlenda
