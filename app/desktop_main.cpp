// orlenda3001: the desktop program. The start sequence creates the windows; a pilot file named on the
// command line is then offered in the open dialog, or opened at once after --open (app/command_line.h);
// the event loop runs until the main window closes.

#include <QApplication>
#include <clocale>

#include "app/command_line.h"
#include "app/program_identity.h"
#include "app/session_end.h"
#include "app/start_sequence.h"
#include "app/termination_signal.h"
#include "base/limit_signals.h"
#include "settings/default_paths.h"
#include "ui/shell/qt_prompts.h"

int main(int argc, char** argv) {
  orlenda::TreatLimitSignalsAsFailures();  // a size limit fails a save instead of ending the program
  QApplication application(argc, argv);
  // Reports take the decimal separator and today's date from the C library's locale, as the command
  // line's do, so that both front ends write one form of the date into one main log.
  std::setlocale(LC_ALL, "");
  orlenda::SetProgramIdentity();

  orlenda::QtPrompts prompts{orlenda::ProgramTitle()};
  orlenda::StartSequence windows(prompts, orlenda::DefaultSettingsPath(), orlenda::BuiltInAboutLinks(), {},
                                 orlenda::MainWindowShown::kBeforeTheHiddenWindows);
  orlenda::TForm1& Form1 = *windows.Form1;
  const orlenda::DesktopArguments arguments = orlenda::ParseDesktopArguments(QApplication::arguments());

  // A terminating signal closes the main window as its close box does.
  orlenda::TerminationSignal termination([&Form1] { Form1.close(); });
  // The end of the desktop session asks the same question.
  orlenda::AskBeforeSessionEnds(Form1);
  // The pilot file named on the command line is opened or offered once the main window is on screen,
  // so that the open dialog and any box about the file stand over it.
  orlenda::QueueCommandLineFile(Form1, arguments);
  // A main window closed while the start waited for its first paint has ended the run already.
  if (!Form1.isVisible()) return 0;
  return QApplication::exec();
}
