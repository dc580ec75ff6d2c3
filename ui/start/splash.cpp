#include "ui/start/splash.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

#include "ui/pictures/jpeg_image.h"
#include "ui/pictures/picture_resources.h"
#include "ui/shell/first_paint.h"
#include "ui_splash.h"

namespace orlenda {

namespace {
constexpr int kLabelPixelSize = 10;
constexpr int kSmallestPixelSize = 7;
constexpr QPoint kScreenPosition{295, 222};
constexpr QColor kNightSky{16, 16, 28};  // behind the labels when the picture is missing
constexpr QColor kTitleText{0xe8, 0xe8, 0xf0};
constexpr QColor kCreditText{0xb8, 0xb8, 0xc8};
// The label's characters are made smaller, from the usual size down, until its one line fits into the
// narrow window: a line wider than the label would be clipped on both sides.
void FitTextToWidth(QLabel& label) {
  QFont font = label.font();
  for (int size = kLabelPixelSize; size >= kSmallestPixelSize; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).horizontalAdvance(label.text()) <= label.width()) break;
  }
  label.setFont(font);
}

void SetTextColour(QLabel& label, const QColor& colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, colour);
  label.setPalette(palette);
}

}  // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TSplashForm>()) {
  ui_->setupUi(this);
  // The splash never takes the focus. Under Wine, a frameless window shown without being activated is
  // left to the X server and hidden at once; an activated one is handed to the window manager, and
  // hiding it waits for the manager to confirm, up to two seconds in vain where there is none. That
  // wait was most of the program's start.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(size());
  move(kScreenPosition);
  QPalette sky = palette();
  sky.setColor(QPalette::Window, kNightSky);
  setPalette(sky);
  setAutoFillBackground(true);
  // The labels draw no background of their own, so the picture shows through around their text.
  SetTextColour(*ui_->Label1, kTitleText);
  SetTextColour(*ui_->Label2, kCreditText);
  for (QLabel* label : {ui_->Label1, ui_->Label2}) FitTextToWidth(*label);
  InitPictureResources();
  const QImage picture = LoadJpegResource(QStringLiteral(":/pictures/splash.jpg"));
  if (!picture.isNull()) ui_->Image1->setPixmap(QPixmap::fromImage(picture));
}

TSplashForm::~TSplashForm() = default;

// Where showing the window paints it (X11), the wait ends at once; a second paint of its own would
// only draw the same picture again.
void TSplashForm::ShowAndPaint() { ShowAndWaitForFirstPaint(*this, kFirstPaintBound); }

}  // namespace orlenda
