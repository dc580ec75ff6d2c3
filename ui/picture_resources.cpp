#include "ui/picture_resources.h"

#include <QSize>
#include <QtGlobal>

// Q_INIT_RESOURCE names a function of the global namespace, so it is called from out here.
static void RegisterPictures() { Q_INIT_RESOURCE(pictures); }

namespace orlenda {

namespace {
constexpr int kApplicationIconSizes[] = {16, 32, 48, 64};
}  // namespace

void InitPictureResources() {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
}

QString ApplicationIconPath(int size) { return QStringLiteral(":/pictures/orlenda3001-%1.png").arg(size); }

QIcon ApplicationIcon() {
  InitPictureResources();
  QIcon icon;
  for (const int size : kApplicationIconSizes) icon.addFile(ApplicationIconPath(size), QSize(size, size));
  return icon;
}

}  // namespace orlenda
