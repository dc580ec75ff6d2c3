#pragma once

// How a state of a pilot file came into the history: the ways it is seen, each one bit, so that a
// state seen in several ways (recorded, then again before a save) keeps all of them.

#include <cstdint>
#include <string>
#include <string_view>

namespace orlenda {

enum class StateKind : std::uint32_t {
  kOpened = 1,      // the desktop program opened the file
  kBeforeSave = 2,  // the file as a save of ours found it
  kAfterSave = 4,   // the file as a save of ours left it
  kGameWrite = 8,   // a new state seen while a folder was followed (the game's write)
  kRecorded = 16,   // `history record`
  kRestored = 32,   // put back by a restore
};

// The word for one kind: "opened", "before save", "after save", "game's write", "recorded", "restored".
std::string_view StateKindWord(StateKind kind);

// The words of every kind in `kinds`, in the order above, joined by ", ".
std::string StateKindWords(std::uint32_t kinds);

}  // namespace orlenda
