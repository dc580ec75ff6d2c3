#include "ui/history/lost_career_prompt.h"

#include <QDateTime>
#include <QLocale>
#include <cstdint>
#include <optional>
#include <utility>

#include "history/career_loss.h"
#include "history/change_line.h"
#include "history/history_store.h"
#include "history/state_restore.h"
#include "history/state_summary.h"
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

// A restore that would drop missions the file has now (won since the kept state) is asked once more,
// with what it changes; No is the default.
bool RestoreAgreed(Session& session, QWidget* owner, const StateSummary& now, const StateSummary& kept) {
  const std::string dropped = DroppedScoresLine(now, kept);
  if (dropped.empty()) return true;
  const std::string question = ChangeLine(&now, kept) + "\n\n" + dropped + " Restore it?";
  return session.prompts().ShowMessage(owner, MessageKind::Confirmation, MessageButtons::YesNo,
                                       QtText(question), DefaultButton::Safe) == MessageAnswer::Yes;
}

bool Restore(Session& session, QWidget* owner, const std::string& path, PilotRecord& record,
             const KeptState& kept, PilotBackups& backups) {
  std::optional<UpdateResult> result;
  {
    DesktopHistory history(session, owner);
    if (auto image = history.store().StateBytes(kept.hash))
      result = RestoreKeptState(history.store(), path, record, std::move(*image), backups,
                                LockWaitPrompt(owner).Wait());
  }
  if (!result) {
    session.prompts().ShowMessage(
        owner, MessageKind::Error, MessageButtons::Ok,
        QStringLiteral("The history does not hold that state whole: nothing was written."));
    return false;
  }
  if (!result->succeeded) {
    session.prompts().ShowMessage(owner, MessageKind::Error, MessageButtons::Ok, QtText(result->message));
    return false;
  }
  if (!result->warning.empty())
    session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::Ok, QtText(result->warning));
  return true;
}

}  // namespace

bool OfferLostCareerRestore(Session& session, QWidget* owner, const std::string& path, PilotRecord& record,
                            PilotBackups& backups) {
  if (!KeepsHistoryOf(session, record)) return false;
  const StateSummary now = SummaryOf(record);
  std::vector<KeptState> states;
  {
    DesktopHistory history(session, owner);
    states = history.store().States(path);
  }
  const auto kept = CareerLostSince(states, now);
  if (!kept) return false;
  const QString warning = QtText(LostMissionsWarning(kept->summary, now, DayText(kept->lastSeen)));
  if (session.prompts().ShowMessage(owner, MessageKind::Warning, MessageButtons::RestoreIgnore, warning,
                                    DefaultButton::Safe) != MessageAnswer::Restore)
    return false;
  if (!RestoreAgreed(session, owner, now, kept->summary)) return false;
  return Restore(session, owner, path, record, *kept, backups);
}

}  // namespace orlenda
