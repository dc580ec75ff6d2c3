#include "app/screenshot_mode.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "ui/main_log.h"
#include "ui/main_unit.h"
#include "ui/plt_file.h"

namespace orlenda {

namespace {

constexpr int kSettleMilliseconds = 400;

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
  windows.Form1.mainLog().AppendLine(windows.PltFileView.ExportText());
  saved = Save(windows.Form1, folder, QStringLiteral("main-window.png")) && saved;
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
