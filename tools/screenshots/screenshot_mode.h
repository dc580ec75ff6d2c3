#pragma once

// The screenshot tool's work, for the pictures of the documentation and the smoke tests: with
// ORLENDA_SCREENSHOT_DIR set, the tool loads the pilot file named on its command line without asking,
// saves pictures of the windows into that folder and ends. It never writes the main log. With
// ORLENDA_REPORT_FILE set as well, the report text that the pilot file view shows is written into that file
// (UTF-8), for tests.

#include <QString>

class QDialog;

namespace orlenda {

class TForm1;
class TPltFileView;

struct ScreenshotWindows {
  TForm1& Form1;
  TPltFileView& PltFileView;
  QDialog& SettingsDlg;
  QDialog& AboutBox;
};

// The folder named by ORLENDA_SCREENSHOT_DIR, or an empty text outside screenshot mode.
QString ScreenshotFolder();

// Queues the screenshots to run once the event loop has started; the loop then ends with 0 when every
// picture was saved, else 1.
void QueueScreenshots(const ScreenshotWindows& windows, const QString& pilotFile, const QString& folder);

}  // namespace orlenda
