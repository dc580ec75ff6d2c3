#pragma once

// The History window of one pilot file: the timeline of its campaign total and missions won, one point
// per kept state; a table of the states (when, how, missions won, campaign total, what changed);
// "Open" (a state in a read-only pilot view), "Compare" (two chosen states, or one and the file now, in
// `diff`'s words), "Restore…" (asks with what the restore changes) and "Export…" (a state written to a new
// file).

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_load.h"

class QPlainTextEdit;
class QTableView;

namespace orlenda {

class Session;
class HistoryTimeline;
class StatesTableModel;

class THistoryWindow : public QWidget {
  Q_OBJECT

 public:
  // `restored` is called after a restore wrote the file, so that the pilot's view loads it again.
  THistoryWindow(Session& session, std::string pilotPath, PilotBackups& backups, QWidget* parent,
                 std::function<void()> restored = {});
  ~THistoryWindow() override;

  // Reads the pilot's states again, fills the table and the timeline and shows the window in front.
  void Present();

  const std::vector<KeptState>& states() const { return states_; }
  const std::string& pilotPath() const { return path_; }

  // "Open": shows the chosen state's bytes and number in a read-only pilot view.
  std::function<void(std::vector<std::uint8_t>, int)> openState;

  void OpenButtonClick();
  void CompareButtonClick();
  void RestoreButtonClick();
  void ExportButtonClick();

 private:
  void BuildControls();
  void Refresh();
  void FillTable();
  std::vector<const KeptState*> ChosenStates() const;
  const KeptState* OneChosenState();
  std::optional<LoadResult> StateLoaded(const KeptState& state);
  std::optional<LoadResult> FileNow();
  void Restore(const KeptState& state, LoadResult& now);
  void Tell(const std::string& text);

  Session& session_;
  std::string path_;
  PilotBackups& backups_;
  std::function<void()> restored_;
  std::vector<KeptState> states_;
  QTableView* table_ = nullptr;
  StatesTableModel* model_ = nullptr;
  QPlainTextEdit* compareText_ = nullptr;
  HistoryTimeline* timeline_ = nullptr;
};

}  // namespace orlenda
