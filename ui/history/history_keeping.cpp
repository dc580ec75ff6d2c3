#include "ui/history/history_keeping.h"

#include "history/history_store.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {
namespace {

// The desktop program waits silently for another program's write, as the settings store does: a
// history that another program holds longer than this is a warning, not a frozen window.
constexpr int kDesktopBusyTimeoutMs = 5000;

}  // namespace

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
