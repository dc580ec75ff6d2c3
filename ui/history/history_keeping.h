#pragma once

// The desktop program's keeping of pilot states in the history (history/history_store.h): the states
// it opens, those before and after each of its saves, and those the Pilots window sees the game write,
// while the setting KeepHistory is on. A history that cannot be kept says so in a warning box; the load
// or the save goes on.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/state_kind.h"
#include "pilot/pilot_record.h"

class QWidget;

namespace orlenda {

class HistoryStore;
class LockWaitPrompt;
class Session;

// The history as the windows open it. A step that finds another program's transaction under way waits
// as every save of the windows waits (ui/shell/lock_wait_prompt.h): the windows go on, a box names the
// database after about a second, and its Cancel gives that step up, which is then a warning. Open only
// for the steps of one handler: while it is open a wait is under way for the windows' handlers that
// hold back.
class DesktopHistory {
 public:
  DesktopHistory(Session& session, QWidget* owner);
  // Closes the history, then shows what went wrong in warning boxes over `owner`'s window.
  ~DesktopHistory();
  DesktopHistory(const DesktopHistory&) = delete;
  DesktopHistory& operator=(const DesktopHistory&) = delete;

  HistoryStore& store() { return *store_; }

 private:
  Session& session_;
  QWidget* owner_;
  std::unique_ptr<LockWaitPrompt> prompt_;
  std::unique_ptr<HistoryStore> store_;  // closed before the prompt that its waits refer to
};

// Whether the windows keep states: KeepHistory on, and a whole pilot file.
bool KeepsHistoryOf(Session& session, const PilotRecord& record);

void KeepPilotState(Session& session, QWidget* owner, const std::string& path, const PilotRecord& record,
                    std::optional<std::int64_t> modifiedTime, StateKind kind);

// One state seen of one pilot file.
struct SeenState {
  std::string path;
  PilotRecord record;
  std::optional<std::int64_t> modifiedTime;
};

// Keeps every state in `seen` (each a whole pilot file) as `kind`, in one opening of the history, but
// for a state its pilot is in already: a save of ours that the Pilots window then sees is not the game's.
void KeepPilotStates(Session& session, QWidget* owner, const std::vector<SeenState>& seen, StateKind kind);

}  // namespace orlenda
