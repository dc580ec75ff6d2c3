#pragma once

// The main window: the main log, and the buttons that open pilot files, save and clear the log, and
// show the settings dialog and the about box. Closing it ends the program, after a question about
// unsaved log changes.

#include <QFileSystemWatcher>
#include <QWidget>
#include <memory>

#include "mainlog/main_log_file.h"
#include "ui/shell/prompts.h"

class QMimeData;

namespace Ui {
class TForm1;
}

namespace orlenda {

class MainLog;
class TPilotsForm;
class Session;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Runs FormCreate: opens the settings store, makes sure LastDir exists, loads the main log.
  explicit TForm1(Session& session, QWidget* parent = nullptr);
  ~TForm1() override;

  // The command-line step of the start: offers the named pilot file in the pre-filled open dialog.
  // Runs once the pilot file view exists.
  void OfferCommandLineFile(const QString& fileName);

  MainLog& mainLog() { return *mainLog_; }

  void FormCreate();
  void FormShow();
  void FormClose();
  void GetScoreButtonClick();
  void PilotsButtonClick();
  void SaveButtonClick();
  void SaveAsButtonClick();
  void ClearButtonClick();
  void Button1Click();
  void AboutButtonClick();
  void SaveAndExitButtonClick();
  void ExitButtonClick();
  void FormDragDrop(const QStringList& fileNames);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectHandlers();
  void ConnectShortcuts();
  std::string FirstRunFolder() const;
  void ShowOpenDialogAndOpen();
  void OpenChosenFile(const std::string& path);
  void AddToLog(const std::string& path);
  void AppendOwnLine(const QString& line);
  void TakeLinesFromOthers();
  void TakeLinesFromOthersQuietly();
  void WatchLogFile();
  bool TakeDrop(QEvent* event);
  void ShowModifiedInTitle();
  QString LogFileSetting() const;
  void LoadLogFile(const QString& logFile);
  void WriteMainLogTo(const QString& fileName);
  QString PilotsFolder() const;

  std::unique_ptr<Ui::TForm1> ui_;
  Session& session_;
  std::unique_ptr<MainLog> mainLog_;
  // The log file as loaded or last saved: a save keeps the bytes of lines not edited, and the lines
  // that other programs appended to the file meanwhile.
  LogFileBaseline logBaseline_;
  QFileSystemWatcher logWatcher_;  // the log file, or its folder while it is missing
  FileDialogState OpenDialog1;     // keeps the last chosen pilot file for the whole run
  FileDialogState SaveDialog1;
  TPilotsForm* pilotsForm_ = nullptr;  // made at its first showing, a window of its own
};

// The pilot files that a drop onto the main window offers: the local files ending in ".plt" in any
// letter case, in the order dropped.
QStringList DroppedPilotFiles(const QMimeData& data);

}  // namespace orlenda
