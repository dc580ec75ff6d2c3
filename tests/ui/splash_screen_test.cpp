// The splash screen, and the libjpeg decoding that gives it and the about box their pictures: good
// pictures decode to their size, anything else gives no picture instead of a crash.

#include <QLabel>
#include <QTest>
#include <chrono>

#include "ui/pictures/jpeg_image.h"
#include "ui/pictures/picture_resources.h"
#include "ui/shell/first_paint.h"
#include "ui/start/splash.h"
#include "ui_test_env.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

QByteArray Resource(const QString& path) {
  InitPictureResources();
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool HasSeveralColours(const QImage& image) {
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 7) {
    for (int x = 0; x < image.width(); x += 7) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* /*event*/) override { ++paints; }
};

}  // namespace

class SplashScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void splashShowsItsPictureAndLabels() {
    TSplashForm splash;
    splash.ShowAndPaint();
    QVERIFY(splash.isVisible());
    QCOMPARE(splash.objectName(), QStringLiteral("SplashForm"));
    QCOMPARE(splash.size(), QSize(150, 150));
    QCOMPARE(splash.pos(), QPoint(295, 222));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(Find<QLabel>(splash, "Label1")->text(), QStringLiteral("Loading..."));
    QCOMPARE(Find<QLabel>(splash, "Label1")->y(), 120);
    QCOMPARE(Find<QLabel>(splash, "Label2")->y(), 135);
    // Not clipped at either side. Under Wine the labels' font is a substitute of other widths.
    for (const char* name : {"Label1", "Label2"}) {
      if (qEnvironmentVariableIsSet("WINECONFIGDIR")) break;  // set by Wine
      const QLabel& label = *Find<QLabel>(splash, name);
      QVERIFY2(!label.text().isEmpty(), name);
      QVERIFY2(QFontMetrics(label.font()).horizontalAdvance(label.text()) <= label.width(), name);
    }
    const QPixmap picture = Find<QLabel>(splash, "Image1")->pixmap();
    QCOMPARE(picture.size(), QSize(150, 150));
  }

  // The start's wait for a window's first paint ends with the paint, or at its bound for a window that
  // is never painted.
  void showingWaitsForTheFirstPaintOrItsBound() {
    PaintCounter painted;
    ShowAndWaitForFirstPaint(painted, kFirstPaintBound);
    QVERIFY(painted.isVisible());
    QCOMPARE(painted.paints, 1);
    PaintCounter neverPainted;
    neverPainted.setUpdatesEnabled(false);
    ShowAndWaitForFirstPaint(neverPainted, std::chrono::milliseconds(20));
    QVERIFY(neverPainted.isVisible());
    QCOMPARE(neverPainted.paints, 0);
  }

  void storedPicturesDecodeToTheirSizes() {
    const QImage splash = DecodeJpeg(Resource(QStringLiteral(":/pictures/splash.jpg")));
    const QImage about = DecodeJpeg(Resource(QStringLiteral(":/pictures/about.jpg")));
    QCOMPARE(splash.size(), QSize(150, 150));
    QCOMPARE(about.size(), QSize(400, 400));
    QVERIFY(HasSeveralColours(splash));
    QVERIFY(HasSeveralColours(about));
    QVERIFY(LoadJpegResource(QStringLiteral(":/pictures/none.jpg")).isNull());
  }

  // Every size is a picture of its own, drawn at that size, so none has to be scaled at start-up.
  void applicationIconComesInTheWindowManagersSizes() {
    const QIcon icon = ApplicationIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    for (const QSize& size : icon.availableSizes()) {
      const QImage picture(ApplicationIconPath(size.width()));
      QCOMPARE(picture.size(), size);
      QVERIFY(picture.hasAlphaChannel());
      QVERIFY(HasSeveralColours(picture));
    }
  }

  void brokenPicturesGiveNoPicture() {
    const QByteArray good = Resource(QStringLiteral(":/pictures/about.jpg"));
    QVERIFY(!good.isEmpty());
    QVERIFY(DecodeJpeg({}).isNull());
    QVERIFY(DecodeJpeg("not a picture at all").isNull());
    QVERIFY(DecodeJpeg(good.left(2)).isNull());                // the start marker only
    QVERIFY(DecodeJpeg(good.left(good.size() / 2)).isNull());  // broken off half way
    QVERIFY(DecodeJpeg(Resource(ApplicationIconPath(32))).isNull());
    QByteArray scrambled = good;
    for (qsizetype i = 20; i < 400; i += 3) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    QVERIFY(DecodeJpeg(scrambled).isNull());
    QCOMPARE(DecodeJpeg(good).size(), QSize(400, 400));  // the decoder is still usable afterwards
  }
};

ORLENDA_WINDOW_TEST_MAIN(SplashScreenTest)
#include "splash_screen_test.moc"
