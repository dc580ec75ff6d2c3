#pragma once

// The check made when a pilot is opened: whether the file now holds less than the state the history
// last saw it in (missions lost or a lower campaign total). A save of ours leaves its own state as the
// last seen one, so a loss found here came from elsewhere: an older copy written over the file, a
// mission that went wrong, a damaged file.

#include <optional>
#include <vector>

#include "history/history_store.h"
#include "history/state_summary.h"

namespace orlenda {

// The state the pilot was last seen in, when the file now (`now`) holds less than it; nothing otherwise.
std::optional<KeptState> CareerLostSince(const std::vector<KeptState>& states, const StateSummary& now);

}  // namespace orlenda
