#pragma once

// The craft of a club's own side, whose kills make a pilot file invalid to some clubs: named as the
// reviewer writes them, a comma-separated list of the craft list's names or indexes ("Xwing,Awing,3").

#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

struct FriendlyCraftChoice {
  std::vector<int> craft;  // indexes of the craft list, in the order given, each once
  std::string error;       // the first item that names no craft; empty when every item does
};

// A name compares without regard to letter case and blanks around it; a name that holds a comma
// itself ("Interdictor,Starship") is found whole.
FriendlyCraftChoice ChooseFriendlyCraft(std::string_view list);

}  // namespace orlenda
