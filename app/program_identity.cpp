#include "app/program_identity.h"

#include <QApplication>
#include <QString>

#include "ui/pictures/picture_resources.h"

namespace orlenda {

void SetProgramIdentity() {
  QApplication::setApplicationName(QStringLiteral("orlenda3001"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.orlenda3001.orlenda3001"));
  QApplication::setWindowIcon(ApplicationIcon());
}

QString ProgramTitle() { return QStringLiteral("Orlenda 3001 <Lite>"); }

}  // namespace orlenda
