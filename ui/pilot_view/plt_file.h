#pragma once

// The pilot file view: the dialog in which one loaded pilot file is shown, with the pilot's editable
// details, the report's text window, the From/To range of the mission listing and the export line that
// the main window takes into the main log when the dialog closes.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pilot/details_changes.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_details.h"
#include "pilot/pilot_record.h"
#include "report/mission_range.h"
#include "report/report_context.h"
#include "ui/shell/session.h"

namespace Ui {
class TPltFileView;
}

namespace orlenda {

class MemoTextSink;
class Session;
class TCareerChart;
class THistoryWindow;

class TPltFileView : public QDialog {
  Q_OBJECT

 public:
  using ContextSource = std::function<ReportContext()>;

  // `context` gives the report its locale's values; by default the user's locale.
  explicit TPltFileView(Session& session, QWidget* parent = nullptr, ContextSource context = {});
  ~TPltFileView() override;

  // Loads the pilot file and fills the view, the report and the export line. Returns 0 when the view is
  // ready to be shown, else the load's error count after the user was told. A setting that fails to
  // convert while the report is built throws SettingsError after the controls were filled. The path is
  // the core's (its bytes); a path from Qt is converted by LocalPath.
  int ReadMission(const std::string& path);
  int ReadMission(const QString& fileName) { return ReadMission(LocalPath(fileName)); }

  // Shows a kept state of the pilot file at `path` (its bytes, state `number` of the history), read
  // only: the details and the report as a load of those bytes fills them, with nothing to save.
  int ShowKeptState(std::vector<std::uint8_t> bytes, const std::string& path, int number);

  QString ExportText() const;
  const PilotRecord& record() const { return record_; }

  void Button1Click();  // "Export and close": closes the view; the main window then logs the export line
  void Button2Click();  // "Save": writes the chosen details into the pilot file
  void Button3Click();  // "Clear text": empties the report's text window once the user agrees
  void Button4Click();  // "Settings": shows the settings dialog
  void GetAllButtonClick();
  void TXTListClick();
  void ZeroButtonClick();
  void SetLastButtonClick();
  // "Chart": the pilot's missions as a chart, which follows the view's loads and saves.
  void ChartButtonClick();
  void HistoryButtonClick();  // "History" (Ctrl+H): the pilot's kept states

 public slots:
  // Every way of closing the view (Escape, the close box, "Export and close") ends here: details edited
  // and not saved are saved, dropped or kept open as the player answers.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ConnectHandlers();
  // A load's steps, in their order: the lists once, then the boxes and the report of the pilot.
  void PrepareControls();
  void FillLists();
  void WidenPilotDetails(int extra);
  void FillControls();
  void ShowPilotName(const QString& name);
  void PilotNameEditEdited(const QString& text);
  void RipPilotIntoTextWindow();
  MissionRange Range() const;
  void ShowRange(const MissionRange& range);
  std::optional<std::string> ReadChosenDetails(PilotDetails& details) const;
  QString UpdateQuestion(const DetailsChanges& changes) const;
  QString FileNameText() const;
  bool SaveDetails(bool askFirst);
  void ShowSavedFile();
  bool DetailsEdited() const;
  bool MayClose();

  std::unique_ptr<Ui::TPltFileView> ui_;
  Session& session_;
  ContextSource context_;
  std::unique_ptr<MemoTextSink> sink_;
  PilotRecord record_;
  PilotBackups backups_;  // one copy of each pilot file as it was before this run first saved it
  bool listsFitted_ = false;
  bool controlsPrepared_ = false;
  TCareerChart* chart_ = nullptr;      // made on the first "Chart"
  THistoryWindow* history_ = nullptr;  // made on the first "History", anew for another file
};

}  // namespace orlenda
