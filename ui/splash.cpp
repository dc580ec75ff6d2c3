#include "ui/splash.h"

#include <QCoreApplication>
#include <QPixmap>

#include "ui/jpeg_image.h"
#include "ui/picture_resources.h"
#include "ui_splash.h"

namespace orlenda {

namespace {
constexpr int kLabelPixelSize = 10;
constexpr QPoint kScreenPosition{295, 222};
constexpr QColor kNightSky{16, 16, 28};  // behind the labels when the picture is missing
}  // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TSplashForm>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  move(kScreenPosition);
  QPalette sky = palette();
  sky.setColor(QPalette::Window, kNightSky);
  setPalette(sky);
  setAutoFillBackground(true);
  for (QWidget* label : {static_cast<QWidget*>(ui_->Label1), static_cast<QWidget*>(ui_->Label2)}) {
    QFont font = label->font();
    font.setPixelSize(kLabelPixelSize);
    label->setFont(font);
  }
  InitPictureResources();
  const QImage picture = LoadJpegResource(QStringLiteral(":/pictures/splash.jpg"));
  if (!picture.isNull()) ui_->Image1->setPixmap(QPixmap::fromImage(picture));
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::ShowAndPaint() {
  show();
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orlenda
