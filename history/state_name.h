#pragma once

// A state named by the player: its number in the pilot's list ("3") or a prefix of its hash
// ("4f2a"), at least four hex digits, matching one state only. A number that is a state's number
// names that state, even when it also begins a hash.

#include <string>
#include <variant>
#include <vector>

#include "history/history_store.h"

namespace orlenda {

// The state, or the reason none is chosen ("no state 9: the history holds states 1 to 4").
std::variant<const KeptState*, std::string> FindKeptState(const std::vector<KeptState>& states,
                                                          const std::string& name);

}  // namespace orlenda
