#include "ui/history/history_keeping.h"

#include "history/history_store.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {
void KeepPilotState(Session& session, QWidget* owner, const std::string& path, const PilotRecord& record,
                    std::optional<std::int64_t> modifiedTime, StateKind kind) {
  if (!ReadFlag(session.settings(), SettingNamed("KeepHistory"))) return;
  if (record.BytesOnDisk.size() != kPilotFileSize) return;
  HistoryStore store(HistoryStore::DefaultPath(), kDesktopBusyTimeoutMs);
  store.Record(path, record, modifiedTime, kind);
  for (const std::string& warning : store.TakeWarnings())
    session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::Ok, DisplayMessage(warning));
}

}  // namespace orlenda
