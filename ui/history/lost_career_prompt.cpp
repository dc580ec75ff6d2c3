#include "ui/history/lost_career_prompt.h"

#include <QDateTime>
#include <QLocale>
#include <cstdint>
#include <utility>

#include "history/career_loss.h"
#include "history/change_line.h"
#include "history/history_store.h"
#include "history/state_restore.h"
#include "history/state_summary.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/history/history_keeping.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {
namespace {

QString QtText(const std::string& text) { return QString::fromStdString(text); }

// "3 Dec 2026": the day the state was last seen, in the user's time zone and language.
std::string DayText(std::int64_t secondsSinceEpoch) {
  const QDateTime moment = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch);
  return QLocale().toString(moment.date(), QStringLiteral("d MMM yyyy")).toStdString();
}

void ShowWarnings(Session& session, QWidget* owner, HistoryStore& store) {
  for (const std::string& warning : store.TakeWarnings())
    session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::Ok, DisplayMessage(warning));
}

// A restore that would drop missions the file has now (won since the kept state) is asked once more,
// with what it changes; No is the default.
bool RestoreAgreed(Session& session, QWidget* owner, const StateSummary& now, const StateSummary& kept) {
  const std::string dropped = DroppedScoresLine(now, kept);
  if (dropped.empty()) return true;
  const std::string question = ChangeLine(&now, kept) + "\n\n" + dropped + " Restore it?";
  return session.prompts().ShowMessage(owner, MessageKind::Confirmation, MessageButtons::YesNo,
                                       QtText(question), DefaultButton::Safe) == MessageAnswer::Yes;
}

bool Restore(Session& session, QWidget* owner, HistoryStore& store, const std::string& path,
             PilotRecord& record, const KeptState& kept, PilotBackups& backups) {
  auto image = store.StateBytes(kept.hash);
  if (!image) {
    ShowWarnings(session, owner, store);
    session.prompts().ShowMessage(
        owner, MessageKind::Error, MessageButtons::Ok,
        QStringLiteral("The history does not hold that state whole: nothing was written."));
    return false;
  }
  const UpdateResult result =
      RestoreKeptState(store, path, record, std::move(*image), backups, LockWaitPrompt(owner).Wait());
  ShowWarnings(session, owner, store);
  if (!result.succeeded) {
    session.prompts().ShowMessage(owner, MessageKind::Error, MessageButtons::Ok, QtText(result.message));
    return false;
  }
  if (!result.warning.empty())
    session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::Ok, QtText(result.warning));
  return true;
}

}  // namespace

bool OfferLostCareerRestore(Session& session, QWidget* owner, const std::string& path, PilotRecord& record,
                            PilotBackups& backups) {
  if (!ReadFlag(session.settings(), SettingNamed("KeepHistory"))) return false;
  if (record.BytesOnDisk.size() != kPilotFileSize) return false;
  HistoryStore store(HistoryStore::DefaultPath(), kDesktopBusyTimeoutMs);
  const StateSummary now = SummaryOf(record);
  const auto kept = CareerLostSince(store.States(path), now);
  ShowWarnings(session, owner, store);
  if (!kept) return false;
  const QString warning = QtText(LostMissionsWarning(kept->summary, now, DayText(kept->lastSeen)));
  if (session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::RestoreIgnore, warning,
                                    DefaultButton::Safe) != MessageAnswer::Restore)
    return false;
  if (!RestoreAgreed(session, owner, now, kept->summary)) return false;
  return Restore(session, owner, store, path, record, *kept, backups);
}

}  // namespace orlenda
