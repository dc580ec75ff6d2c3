#pragma once

// The Pilots window: the pilot files of one folder side by side, sortable and filtered by name. It
// loads the files a few at a time between events, so that the window stays responsive, and lists
// them again when files of the folder change. "Review battle…" reviews the listed files for one
// battle: a verdict column, the checks of the current row, their submission forms to copy.

#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>

#include "report/report_context.h"
#include "settings/settings_snapshot.h"
#include "ui/history/history_keeping.h"
#include "ui/shell/prompts.h"

namespace Ui {
class TPilotsForm;
}

namespace orlenda {

class RosterSortProxy;
class RosterTableModel;
class Session;
class TCareerChart;
class TReviewBox;
struct ReviewRequest;

class TPilotsForm : public QWidget {
  Q_OBJECT

 public:
  // `openPilot` walks the open road of the main window with a file, named by the path the folder's
  // listing gave; `addToLog` loads a file as "Open pilotfile" loads it and appends the line that
  // closing the pilot file view would append (nothing when the file fails to load).
  TPilotsForm(Session& session, std::function<void(const std::string&)> openPilot,
              std::function<void(const std::string&)> addToLog, QWidget* parent = nullptr);
  ~TPilotsForm() override;

  // Lists the folder's pilot files anew; the rows arrive step by step.
  void ShowFolder(const QString& folder);
  QString folder() const { return folder_; }
  bool Loading() const { return !pending_.empty(); }

  void ChooseFolderButtonClick();
  void FolderEditReturnPressed();
  void FilterEditTextChanged(const QString& text);
  void PilotsTableActivated(const QModelIndex& index);
  void AddToLogButtonClick();
  void SaveCsvButtonClick();
  void ChartButtonClick();   // one selected pilot's missions, or several pilots' running totals
  void ReviewButtonClick();  // asks for the battle, then reviews every listed file
  void CopyFormButtonClick();

 private:
  void ConnectHandlers();
  void ConnectReviewHandlers();
  void HideReview();
  // The rows arrive one file a step; the files are watched and loaded again when they change.
  void LoadStep();
  void KeepGameWrites(std::vector<SeenState> seen);
  void ShowProgress();
  void Watch(const std::vector<std::string>& paths);
  void FolderChanged();
  void FileChanged(const QString& path);
  void Refresh();
  void AddOtherNamesOf(std::set<std::string>& changed);
  void FitColumns();
  std::vector<int> SelectedSourceRows() const;
  std::vector<int> ShownSourceRows() const;
  void Review(const ReviewRequest& request);
  void ShowChecksOfCurrentRow();

  std::unique_ptr<Ui::TPilotsForm> ui_;
  Session& session_;
  std::function<void(const std::string&)> openPilot_;
  std::function<void(const std::string&)> addToLog_;
  RosterTableModel* model_;
  RosterSortProxy* proxy_;
  QString folder_;
  std::deque<std::string> pending_;  // files still to be loaded (or loaded again)
  int pendingTotal_ = 0;
  std::optional<SettingsSnapshot> settings_;  // read once for each round of loads
  ReportContext context_;
  QTimer stepTimer_;
  QTimer refreshTimer_;  // gathers the file system's notices of one save into one refresh
  QFileSystemWatcher watcher_;
  std::set<std::string> changedFiles_;
  std::unordered_set<std::string> seenChanged_;  // pending files loaded because they changed or came
  bool folderChanged_ = false;
  bool fitColumns_ = false;  // once the folder's first round of loads ends
  FileDialogState folderDialog_;
  FileDialogState csvDialog_;
  TCareerChart* chart_ = nullptr;    // made on the first "Chart"
  TReviewBox* reviewBox_ = nullptr;  // made on the first "Review battle…"
};

}  // namespace orlenda
