#include "ui/pictures/picture_resources.h"

#include <QImage>
#include <QImageReader>
#include <QtGlobal>

// Q_INIT_RESOURCE names a function of the global namespace, so it is called from out here.
static void RegisterPictures() { Q_INIT_RESOURCE(pictures); }

namespace orlenda {

namespace {
constexpr int kApplicationIconSizes[] = {16, 32, 48, 64};

// Reads one of the PNG pictures with Qt's built-in PNG reader. A reader left to find the format itself
// first asks every image format plugin installed on the machine whether it reads the file, which loads
// each plugin library: more work at start-up than decoding all the icons.
QImage ReadPngResource(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

}  // namespace

void InitPictureResources() {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
}

QString ApplicationIconPath(int size) { return QStringLiteral(":/pictures/orlenda3001-%1.png").arg(size); }

QPixmap ApplicationIconPixmap(int size) {
  InitPictureResources();
  return QPixmap::fromImage(ReadPngResource(ApplicationIconPath(size)));
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : kApplicationIconSizes) icon.addPixmap(ApplicationIconPixmap(size));
  return icon;
}

}  // namespace orlenda
