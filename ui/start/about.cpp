#include "ui/start/about.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QShowEvent>
#include <QUrl>

#include "about_links.h"
#include "ui/pictures/jpeg_image.h"
#include "ui/pictures/picture_resources.h"
#include "ui/shell/plain_text.h"
#include "ui/shell/prompts.h"
#include "ui_about.h"

namespace orlenda {

namespace {
constexpr char kBuildLabel[] = "Build 2001.11.02";
constexpr int kTitlePixelSize = 19;
constexpr char kLinkStyle[] = "color: #7fb2ff; text-decoration: underline;";
constexpr QColor kNightSky{0x10, 0x10, 0x18};
constexpr char kLicenceName[] = "Licence: GNU GPL, version 3 or later";

// Until the picture is decoded, the label holds a picture of the same size in the colour shown when
// there is none, so that the box's layout and its picture's size are settled from the start.
QPixmap PicturePlaceholder(const QSize& size) {
  QPixmap placeholder(size);
  placeholder.fill(kNightSky);
  return placeholder;
}

QString BesideProgram(const QString& fileName) {
  return QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(fileName)).toString();
}
}  // namespace

// The web link: the configured address; else the README beside the program, where the Windows packages
// put it; else the source tree's README for a program run from its build folder. The licence likewise.
AboutLinks BuiltInAboutLinks() {
  const QStringList webAddresses{QString::fromUtf8(about_links::kWebAddress),
                                 BesideProgram(QStringLiteral("README.md")),
                                 QString::fromUtf8(about_links::kSourceReadme)};
  const QStringList licenceAddresses{QString::fromUtf8(about_links::kInstalledLicence),
                                     BesideProgram(QStringLiteral("LICENSE")),
                                     QString::fromUtf8(about_links::kSourceLicence)};
  return {FirstOpenableAddress(webAddresses), QString::fromUtf8(about_links::kWebCaption),
          QString::fromUtf8(about_links::kMailAddress), FirstOpenableAddress(licenceAddresses)};
}

QString FirstOpenableAddress(const QStringList& addresses) {
  for (const QString& address : addresses) {
    if (address.isEmpty()) continue;
    const QUrl url(address);
    if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isFile()) return address;
  }
  return {};
}

TAboutBox::TAboutBox(Prompts& prompts, const AboutLinks& links, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TAboutBox>()),
      prompts_(prompts),
      links_(links) {
  ui_->setupUi(this);
  setFixedSize(size());
  QFont title(QStringLiteral("Arial"));
  title.setBold(true);
  title.setPixelSize(kTitlePixelSize);
  ui_->Label1->setFont(title);
  ui_->Image1->setPixmap(PicturePlaceholder(ui_->Image1->size()));
  SetUpLink(*ui_->WebLinkLabel, links_.webAddress, links_.webCaption);
  SetUpLink(*ui_->MailLabel1, links_.mailAddress, links_.mailAddress);
  SetUpLicence();
  connect(ui_->WebLinkLabel, &QLabel::linkActivated, this, [this] { WebLinkLabelClick(); });
  connect(ui_->MailLabel1, &QLabel::linkActivated, this, [this] { MailLabel1Click(); });
  connect(ui_->LicenceLabel, &QLabel::linkActivated, this, [this] { LicenceLabelClick(); });
  connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::SetUpLink(QLabel& label, const QString& address, const QString& caption) {
  if (address.isEmpty()) {
    label.hide();
    return;
  }
  label.setText(QStringLiteral("<a href=\"link\" style=\"%1\">%2</a>")
                    .arg(QString::fromLatin1(kLinkStyle), caption.toHtmlEscaped()));
  label.setToolTip(LiteralToolTip(address));
}

// The licence is named even when its text cannot be found; it is then plain text rather than a link.
void TAboutBox::SetUpLicence() {
  if (links_.licenceAddress.isEmpty()) {
    ui_->LicenceLabel->setText(QString::fromLatin1(kLicenceName));
    ui_->LicenceLabel->setStyleSheet(QStringLiteral("color: #b0b0c0; background: transparent;"));
    return;
  }
  SetUpLink(*ui_->LicenceLabel, links_.licenceAddress, QString::fromLatin1(kLicenceName));
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!pictureShown_) ShowPicture();
  FormShow();
}

// The picture is decoded when the box is first shown, before it is painted, rather than at the
// program's start: a 400 x 400 picture takes about half a millisecond and 0.6 MB for a box that may
// never be opened. A box without its picture shows the night sky behind the text.
void TAboutBox::ShowPicture() {
  InitPictureResources();
  const QImage picture = LoadJpegResource(QStringLiteral(":/pictures/about.jpg"));
  if (!picture.isNull()) {
    ui_->Image1->setPixmap(QPixmap::fromImage(picture));
  } else {
    ui_->Image1->clear();
    setStyleSheet(QStringLiteral("QDialog#AboutBox { background: %1; }").arg(kNightSky.name()));
  }
  pictureShown_ = true;
}

void TAboutBox::FormShow() {
  ui_->Version->setText(QString::fromLatin1(kBuildLabel));
  ui_->OKButton->setFocus();
}

void TAboutBox::MailLabel1Click() { OpenLink(QUrl(QStringLiteral("mailto:") + links_.mailAddress)); }

void TAboutBox::WebLinkLabelClick() { OpenLink(QUrl(links_.webAddress)); }

void TAboutBox::LicenceLabelClick() { OpenLink(QUrl(links_.licenceAddress)); }

// A link that no program takes (no mail program, no browser, no launcher at all) is reported, so that
// the click is not met with silence.
void TAboutBox::OpenLink(const QUrl& address) {
  if (prompts_.OpenDocument(address)) return;
  prompts_.ShowMessage(this, MessageKind::Error, MessageButtons::Ok,
                       QStringLiteral("Unable to open ") + address.toString());
}

}  // namespace orlenda
