#include "app/command_line.h"

#include <QFileInfo>
#include <QTimer>

#include "ui/main_window/main_unit.h"

namespace orlenda {
namespace {

const QString kOpenOption = QStringLiteral("--open");

}  // namespace

DesktopArguments ParseDesktopArguments(const QStringList& arguments) {
  DesktopArguments parsed;
  bool optionsEnded = false;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    const QString& argument = arguments.at(index);
    QString file;
    if (!optionsEnded && argument == QStringLiteral("--")) {
      optionsEnded = true;
    } else if (!optionsEnded && argument == kOpenOption) {
      parsed.openAtOnce = true;
    } else if (!optionsEnded && argument.startsWith(kOpenOption + QLatin1Char('='))) {
      parsed.openAtOnce = true;
      file = argument.mid(kOpenOption.size() + 1);
    } else {
      file = argument;
    }
    if (parsed.pilotFile.isEmpty()) parsed.pilotFile = file;
  }
  return parsed;
}

void QueueCommandLineFile(TForm1& form, const DesktopArguments& arguments) {
  if (arguments.pilotFile.isEmpty()) return;
  const QString file = QFileInfo(arguments.pilotFile).absoluteFilePath();
  if (arguments.openAtOnce) {
    QTimer::singleShot(0, &form, [&form, file] { form.FormDragDrop({file}); });
  } else {
    QTimer::singleShot(0, &form, [&form, file] { form.OfferCommandLineFile(file); });
  }
}

}  // namespace orlenda
