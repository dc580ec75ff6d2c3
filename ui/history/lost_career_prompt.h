#pragma once

// The warning shown at once when a pilot is opened whose file holds less than the history last saw
// (missions lost or a lower campaign total, by no save of ours): "Ace has lost missions 56–58 since
// 3 Dec 2026 (campaign total 15,490 → 2,176). History holds the earlier state." with Restore… and
// Ignore. Restore… puts the earlier state back through the history's one restore.

#include <string>

#include "pilot/pilot_backup.h"
#include "pilot/pilot_record.h"

class QWidget;

namespace orlenda {

class Session;

// Warns when the loaded `record` of `path` lost part of its career, and restores the earlier state when
// the player asks. True when the file was restored: the caller loads it again.
bool OfferLostCareerRestore(Session& session, QWidget* owner, const std::string& path, PilotRecord& record,
                            PilotBackups& backups);

}  // namespace orlenda
