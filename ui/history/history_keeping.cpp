#include "ui/history/history_keeping.h"

#include "history/history_store.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {

DesktopHistory::DesktopHistory(Session& session, QWidget* owner)
    : session_(session),
      owner_(owner),
      prompt_(std::make_unique<LockWaitPrompt>(owner)),
      store_(std::make_unique<HistoryStore>(HistoryStore::DefaultPath(), prompt_->Wait())) {}

// The warnings are shown once no wait is under way any more, so that the windows' held-back handlers
// are not kept waiting behind a box that only reports.
DesktopHistory::~DesktopHistory() {
  const std::vector<std::string> warnings = store_->TakeWarnings();
  store_.reset();
  prompt_.reset();
  for (const std::string& warning : warnings)
    session_.prompts().ShowMessage(owner_, MessageKind::Warning, MessageButtons::Ok, DisplayMessage(warning));
}

bool KeepsHistoryOf(Session& session, const PilotRecord& record) {
  return record.BytesOnDisk.size() == kPilotFileSize &&
         ReadFlag(session.settings(), SettingNamed("KeepHistory"));
}

void KeepPilotState(Session& session, QWidget* owner, const std::string& path, const PilotRecord& record,
                    std::optional<std::int64_t> modifiedTime, StateKind kind) {
  if (!KeepsHistoryOf(session, record)) return;
  DesktopHistory history(session, owner);
  history.store().Record(path, record, modifiedTime, kind);
}

void KeepPilotStates(Session& session, QWidget* owner, const std::vector<SeenState>& seen, StateKind kind) {
  if (seen.empty() || !ReadFlag(session.settings(), SettingNamed("KeepHistory"))) return;
  DesktopHistory history(session, owner);
  for (const SeenState& state : seen)
    if (state.record.BytesOnDisk.size() == kPilotFileSize)
      history.store().RecordChange(state.path, state.record, state.modifiedTime, kind);
}

}  // namespace orlenda
