#include "history/career_loss.h"

#include <algorithm>

#include "history/change_line.h"

namespace orlenda {

std::optional<KeptState> CareerLostSince(const std::vector<KeptState>& states, const StateSummary& now) {
  const auto last = std::find_if(states.begin(), states.end(), [](const KeptState& s) { return s.current; });
  if (last == states.end() || !CareerWentBack(last->summary, now)) return std::nullopt;
  return *last;
}

}  // namespace orlenda
