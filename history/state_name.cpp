#include "history/state_name.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "base/decimal_number.h"

namespace orlenda {
namespace {

constexpr std::size_t kShortestHashPrefix = 4;

bool IsHexPrefix(const std::string& text) {
  return text.size() >= kShortestHashPrefix && text.size() <= 64 &&
         std::all_of(text.begin(), text.end(), IsAsciiHexDigit);
}

std::string HeldStates(const std::vector<KeptState>& states) {
  if (states.empty()) return "the history holds no state of this pilot";
  return "the history holds states 1 to " + std::to_string(states.back().number);
}

std::variant<const KeptState*, std::string> ByHashPrefix(const std::vector<KeptState>& states,
                                                         const std::string& name) {
  const std::string prefix = LowerAscii(name);
  const KeptState* found = nullptr;
  for (const KeptState& state : states) {
    if (state.hash.compare(0, prefix.size(), prefix) != 0) continue;
    if (found != nullptr) return "\"" + name + "\" begins the hashes of several states: give more digits";
    found = &state;
  }
  if (found == nullptr) return "no state's hash begins with \"" + name + "\"";
  return found;
}

}  // namespace

std::variant<const KeptState*, std::string> FindKeptState(const std::vector<KeptState>& states,
                                                          const std::string& name) {
  const auto number = ParseDecimalNumber(name);
  if (number)
    for (const KeptState& state : states)
      if (state.number == *number) return &state;
  if (IsHexPrefix(name)) return ByHashPrefix(states, name);
  if (number) return "no state " + name + ": " + HeldStates(states);
  return "\"" + name + "\" names no state: give its number in the list or at least " +
         std::to_string(kShortestHashPrefix) + " digits of its hash";
}

}  // namespace orlenda
