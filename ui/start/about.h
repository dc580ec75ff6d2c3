#pragma once

// The about box: the product's title, its build label, a credit, a notice, the licence, and links
// handed to the desktop's default programs.

#include <QDialog>
#include <QString>
#include <memory>

class QLabel;

namespace Ui {
class TAboutBox;
}

namespace orlenda {

class Prompts;

struct AboutLinks {
  QString webAddress;  // empty: no web link
  QString webCaption;
  QString mailAddress;     // empty: no mail link
  QString licenceAddress;  // the licence's text; empty: the licence is named without a link
};

// The links chosen when the program was built. The web link is the first of the build's addresses
// that can be opened here (see FirstOpenableAddress); it is left out when none can. The licence link
// is found the same way, from the LICENSE files that the packages install.
AboutLinks BuiltInAboutLinks();

// The first address that is not a file:// address or names a file that exists; empty when there is
// none. The installed README comes first, the source tree's README second, for a program run from
// its build folder.
QString FirstOpenableAddress(const QStringList& addresses);

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  TAboutBox(Prompts& prompts, const AboutLinks& links, QWidget* parent = nullptr);
  ~TAboutBox() override;

  void FormShow();
  void MailLabel1Click();
  void WebLinkLabelClick();
  void LicenceLabelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowPicture();
  void SetUpLink(QLabel& label, const QString& address, const QString& caption);
  void SetUpLicence();
  void OpenLink(const QUrl& address);

  std::unique_ptr<Ui::TAboutBox> ui_;
  Prompts& prompts_;
  AboutLinks links_;
  bool pictureShown_ = false;
};

}  // namespace orlenda
