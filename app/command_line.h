#pragma once

// The desktop program's command line: `orlenda3001 PILOT.plt` offers the pilot file in the open
// dialog, as the program always did; `orlenda3001 --open PILOT.plt` opens it at once, as a
// double-click through the file association asks.

#include <QString>
#include <QStringList>

namespace orlenda {

class TForm1;

struct DesktopArguments {
  QString pilotFile;  // empty when none is named
  bool openAtOnce = false;
};

// From QApplication::arguments(): the program's name first, Qt's own options already taken out.
// `--open=FILE` is `--open FILE`; after `--` every argument is a file name. The first file named
// counts.
DesktopArguments ParseDesktopArguments(const QStringList& arguments);

// Once the event loop runs (so that any box stands over the main window): the named pilot file
// opened at once or offered in the open dialog.
void QueueCommandLineFile(TForm1& form, const DesktopArguments& arguments);

}  // namespace orlenda
