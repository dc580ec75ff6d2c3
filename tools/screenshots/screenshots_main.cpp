// orlenda3001-screenshots: the desktop program's windows, started as the program starts them, with a
// pilot file loaded without asking; pictures of the windows are saved into the folder that
// ORLENDA_SCREENSHOT_DIR names, and the program ends. A tool of the project's own (the documentation's
// pictures, the smoke tests): no package holds it.
//
//   ORLENDA_SCREENSHOT_DIR=FOLDER [ORLENDA_REPORT_FILE=FILE] orlenda3001-screenshots PILOT_FILE

#include <QApplication>
#include <cstdio>

#include "app/program_identity.h"
#include "app/start_sequence.h"
#include "base/limit_signals.h"
#include "settings/default_paths.h"
#include "tools/screenshots/screenshot_mode.h"
#include "ui/shell/qt_prompts.h"

int main(int argc, char** argv) {
  orlenda::TreatLimitSignalsAsFailures();
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const QString folder = orlenda::ScreenshotFolder();
  if (folder.isEmpty() || arguments.size() != 2) {
    std::fputs("usage: ORLENDA_SCREENSHOT_DIR=FOLDER orlenda3001-screenshots PILOT_FILE\n", stderr);
    return 2;
  }
  orlenda::SetProgramIdentity();
  orlenda::QtPrompts prompts{orlenda::ProgramTitle()};
  orlenda::StartSequence windows(prompts, orlenda::DefaultSettingsPath(), orlenda::BuiltInAboutLinks());
  windows.Form1->show();
  orlenda::QueueScreenshots({*windows.Form1, *windows.PltFileView, *windows.SettingsDlg, *windows.AboutBox},
                            arguments.at(1), folder);
  return QApplication::exec();
}
