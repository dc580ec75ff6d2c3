#pragma once

// The desktop program's keeping of pilot states in the history (history/history_store.h): the states
// it opens and those before and after each of its saves, while the setting KeepHistory is on. A history
// that cannot be kept says so in a warning box; the load or the save goes on.

#include <cstdint>
#include <optional>
#include <string>

#include "history/state_kind.h"
#include "pilot/pilot_record.h"

class QWidget;

namespace orlenda {

class Session;

// The desktop program waits silently for another program's write, as the settings store does: a
// history that another program holds longer than this is a warning, not a frozen window.
inline constexpr int kDesktopBusyTimeoutMs = 5000;

void KeepPilotState(Session& session, QWidget* owner, const std::string& path, const PilotRecord& record,
                    std::optional<std::int64_t> modifiedTime, StateKind kind);

}  // namespace orlenda
