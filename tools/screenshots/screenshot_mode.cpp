#include "tools/screenshots/screenshot_mode.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <cstdio>

#include "roster/roster_columns.h"
#include "ui/charts/career_chart.h"
#include "ui/main_window/log_text.h"
#include "ui/main_window/main_unit.h"
#include "ui/pilot_view/plt_file.h"
#include "ui/pilots/pilots_form.h"

namespace orlenda {

namespace {

constexpr int kSettleMilliseconds = 400;
constexpr int kPollMilliseconds = 50;
constexpr int kLoadTimeoutMilliseconds = 10000;
constexpr QSize kPilotsWindowSize(1010, 360);
constexpr QSize kChartSize(760, 440);

// Lets the window system map and paint what was just shown.
void Settle() {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < kSettleMilliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool Save(QWidget& window, const QString& folder, const QString& name) {
  Settle();
  const QString path = QDir(folder).filePath(name);
  const bool saved = window.grab().save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

bool ShowAndSave(QWidget& window, const QString& folder, const QString& name) {
  window.show();
  const bool saved = Save(window, folder, name);
  window.hide();
  return saved;
}

// The view with one of its drop-down lists open. The list is a window of its own, so the picture is
// taken from the screen.
bool SaveWithListOpen(QWidget& view, const char* boxName, const QString& folder, const QString& name) {
  auto* box = view.findChild<QComboBox*>(QString::fromLatin1(boxName));
  if (box == nullptr) return false;
  view.show();
  Settle();
  box->showPopup();
  Settle();
  const QRect area = view.frameGeometry().united(box->view()->window()->frameGeometry());
  const QPixmap picture = view.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  box->hidePopup();
  view.hide();
  const QString path = QDir(folder).filePath(name);
  const bool saved = picture.save(path);
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

// The question that "Save" asks when the active mission moves back three missions, answered No, so
// that nothing is written. The question is a window of its own, photographed once it is shown.
bool SaveMissionMoveQuestion(TPltFileView& view, const QString& folder, const QString& name) {
  auto* missions = view.findChild<QComboBox*>(QStringLiteral("ActiveMissionBox"));
  constexpr int kMissionsBack = 3;
  if (missions == nullptr || missions->currentIndex() < kMissionsBack) return false;
  const int loaded = missions->currentIndex();
  view.show();
  Settle();
  missions->setCurrentIndex(loaded - kMissionsBack);
  bool saved = false;
  auto* poll = new QTimer(&view);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, folder, name, &saved] {
    auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (question == nullptr || !question->isVisible()) return;
    poll->stop();
    saved = Save(*question, folder, name);
    question->reject();  // the box's No
    poll->deleteLater();
  });
  poll->start(kPollMilliseconds);
  view.Button2Click();
  missions->setCurrentIndex(loaded);
  view.hide();
  return saved;
}

// The chart window that "Chart" opened from `opener`, at the pictures' size, with the keyboard's
// highlight on the `highlighted`-th mission.
bool SaveChart(QWidget& opener, int highlighted, const QString& folder, const QString& name) {
  auto* chart = opener.findChild<TCareerChart*>(QStringLiteral("CareerChart"));
  auto* canvas = chart != nullptr ? chart->findChild<QWidget*>(QStringLiteral("ChartCanvas")) : nullptr;
  if (canvas == nullptr) return false;
  chart->resize(kChartSize);
  Settle();
  for (int i = 0; i < highlighted; ++i) {
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &right);
  }
  const bool saved = Save(*chart, folder, name);
  chart->close();
  return saved;
}

// The Pilots window over the folder of the pilot file, sorted by the total, one pilot selected; then
// the chart of every pilot listed there.
bool SavePilotsWindow(TForm1& form1, const QString& folder) {
  form1.PilotsButtonClick();
  auto* pilots = form1.findChild<TPilotsForm*>(QStringLiteral("PilotsForm"));
  if (pilots == nullptr) return false;
  QElapsedTimer timer;
  timer.start();
  while (pilots->Loading() && timer.elapsed() < kLoadTimeoutMilliseconds) QCoreApplication::processEvents();
  auto* table = pilots->findChild<QTableView*>(QStringLiteral("PilotsTable"));
  if (table == nullptr) return false;
  pilots->resize(kPilotsWindowSize);
  table->sortByColumn(static_cast<int>(RosterColumn::kTotal), Qt::AscendingOrder);
  table->selectRow(1);
  bool saved = Save(*pilots, folder, QStringLiteral("pilots-window.png"));
  // A folder without pilot files (a start folder that holds none) has nothing to chart; "Chart" would
  // only ask for a selection in a box that nobody answers here.
  if (table->model()->rowCount() > 0) {
    table->selectAll();
    pilots->ChartButtonClick();
    saved = SaveChart(*pilots, 40, folder, QStringLiteral("career-chart-pilots.png")) && saved;
  }
  pilots->hide();
  return saved;
}

// The report text as the view shows it, into the file that ORLENDA_REPORT_FILE names (UTF-8), so that
// a test can compare it with the command line's report. Nothing to do when the variable is unset.
bool SaveReportText(const QPlainTextEdit& report) {
  const QString path = qEnvironmentVariable("ORLENDA_REPORT_FILE");
  if (path.isEmpty()) return true;
  QFile file(path);
  const QByteArray text = report.toPlainText().toUtf8();
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

bool TakeScreenshots(const ScreenshotWindows& windows, const QString& pilotFile, const QString& folder) {
  if (!QDir().mkpath(folder) || windows.PltFileView.ReadMission(pilotFile) != 0) return false;
  auto* report = windows.PltFileView.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
  if (report == nullptr || !SaveReportText(*report)) return false;
  report->moveCursor(QTextCursor::Start);
  bool saved = ShowAndSave(windows.PltFileView, folder, QStringLiteral("pilot-file-view.png"));
  saved = SaveWithListOpen(windows.PltFileView, "KalidorBox", folder,
                           QStringLiteral("pilot-file-view-kalidor-list.png")) &&
          saved;
  saved = SaveMissionMoveQuestion(windows.PltFileView, folder, QStringLiteral("mission-move-question.png")) &&
          saved;
  windows.PltFileView.show();
  windows.PltFileView.ChartButtonClick();
  saved = SaveChart(windows.PltFileView, 9, folder, QStringLiteral("career-chart-pilot.png")) && saved;
  windows.PltFileView.hide();
  windows.Form1.mainLog().AppendLine(windows.PltFileView.ExportText());
  saved = Save(windows.Form1, folder, QStringLiteral("main-window.png")) && saved;
  saved = SavePilotsWindow(windows.Form1, folder) && saved;
  saved = ShowAndSave(windows.SettingsDlg, folder, QStringLiteral("settings-dialog.png")) && saved;
  saved = ShowAndSave(windows.AboutBox, folder, QStringLiteral("about-box.png")) && saved;
  windows.Form1.mainLog().SetModified(false);
  return saved;
}

}  // namespace

QString ScreenshotFolder() { return qEnvironmentVariable("ORLENDA_SCREENSHOT_DIR"); }

void QueueScreenshots(const ScreenshotWindows& windows, const QString& pilotFile, const QString& folder) {
  QTimer::singleShot(0, [windows, pilotFile, folder] {
    QCoreApplication::exit(TakeScreenshots(windows, pilotFile, folder) ? 0 : 1);
  });
}

}  // namespace orlenda
