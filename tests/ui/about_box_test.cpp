// The about box: its build label at every showing, its links handed to the desktop, and links left
// out when the build names no address.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "scripted_prompts.h"
#include "ui/start/about.h"
#include "ui_test_env.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

const AboutLinks kLinks{QStringLiteral("file:///usr/share/doc/orlenda3001/README.md"),
                        QStringLiteral("Read me"), QStringLiteral("club@example.invalid"),
                        QStringLiteral("file:///usr/share/doc/orlenda3001/LICENSE")};

void ActivateLink(QLabel& label) {
  QMetaObject::invokeMethod(&label, "linkActivated", Q_ARG(QString, QStringLiteral("link")));
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

  void showsTheTitleAndTheBuildLabelAtEveryShowing() {
    ScriptedPrompts prompts;
    TAboutBox about(prompts, kLinks);
    QCOMPARE(about.objectName(), QStringLiteral("AboutBox"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(400, 399));
    QCOMPARE(Find<QLabel>(about, "Label1")->text(), QStringLiteral("Orlenda 3001 <Light>"));
    QCOMPARE(Find<QLabel>(about, "Image1")->pixmap().size(), QSize(400, 400));
    auto* version = Find<QLabel>(about, "Version");
    QCOMPARE(version->text(), QStringLiteral("Build"));
    for (int showing = 0; showing < 2; ++showing) {
      WhenModalShown([](QWidget& box) {
        QCOMPARE(Find<QLabel>(box, "Version")->text(), QStringLiteral("Build 2001.11.02"));
        QVERIFY(Find<QPushButton>(box, "OKButton")->isDefault());
        QCOMPARE(box.focusWidget(), Find<QWidget>(box, "OKButton"));
        Click(box, "OKButton");
      });
      QCOMPARE(about.exec(), int(QDialog::Accepted));
      version->setText(QStringLiteral("changed"));
    }
  }

  void linksAreHandedToTheDesktop() {
    ScriptedPrompts prompts;
    TAboutBox about(prompts, kLinks);
    QVERIFY(!Find<QLabel>(about, "MailLabel1")->isHidden());
    QVERIFY(Find<QLabel>(about, "WebLinkLabel")->text().contains(QStringLiteral("Read me")));
    ActivateLink(*Find<QLabel>(about, "MailLabel1"));
    ActivateLink(*Find<QLabel>(about, "WebLinkLabel"));
    ActivateLink(*Find<QLabel>(about, "LicenceLabel"));
    QCOMPARE(prompts.documents,
             (std::vector<QUrl>{QUrl(QStringLiteral("mailto:club@example.invalid")),
                                QUrl(QStringLiteral("file:///usr/share/doc/orlenda3001/README.md")),
                                QUrl(QStringLiteral("file:///usr/share/doc/orlenda3001/LICENSE"))}));
  }

  void aLinkNoProgramTakesIsReported() {
    ScriptedPrompts prompts;
    prompts.documentsOpen = false;
    TAboutBox about(prompts, kLinks);
    ActivateLink(*Find<QLabel>(about, "WebLinkLabel"));
    QCOMPARE(prompts.MessageTexts(),
             QStringList{QStringLiteral("Unable to open file:///usr/share/doc/orlenda3001/README.md")});
    QCOMPARE(prompts.MessageParents(), std::vector<QWidget*>{&about});
  }

  // The installed README first, else the source tree's (a program run from its build folder), else none.
  void readMeLinkOpensAReadMeThatExists() {
    TestHome home;
    const QString readme = home.File(QStringLiteral("README.md"));
    WriteAll(readme, "# Read me");
    const QString installed = QStringLiteral("file:///nonexistent/doc/README.md");
    const QString source = QUrl::fromLocalFile(readme).toString();
    QCOMPARE(FirstOpenableAddress({installed, source}), source);
    QCOMPARE(FirstOpenableAddress({source, installed}), source);
    QCOMPARE(FirstOpenableAddress({installed, QString()}), QString());
    QCOMPARE(FirstOpenableAddress({QStringLiteral("https://example.invalid/")}),
             QStringLiteral("https://example.invalid/"));
#ifndef Q_OS_WIN  // cross-built, the source tree's README has a path of the build machine
    QVERIFY(!BuiltInAboutLinks().webAddress.isEmpty());  // this build's own source README at least
    QVERIFY(BuiltInAboutLinks().licenceAddress.endsWith(QStringLiteral("/LICENSE")));
#endif
  }

  void linksWithoutAnAddressAreLeftOut() {
    ScriptedPrompts prompts;
    TAboutBox about(prompts, AboutLinks{});
    QVERIFY(Find<QLabel>(about, "MailLabel1")->isHidden());
    QVERIFY(Find<QLabel>(about, "WebLinkLabel")->isHidden());
    // The licence is named even without its text at hand.
    QCOMPARE(Find<QLabel>(about, "LicenceLabel")->text(),
             QStringLiteral("Licence: GNU GPL, version 3 or later"));
  }
};

ORLENDA_WINDOW_TEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
