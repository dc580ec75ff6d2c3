// orlenda3001: the desktop program's start sequence. The splash screen shows first; then the main
// window, the settings dialog, the about box and the pilot file view are created, one object each for
// the whole run; a pilot file named on the command line is offered in the open dialog; then the event
// loop runs until the main window closes.

#include <QApplication>
#include <QIcon>

#include "about.h"
#include "main_unit.h"
#include "picture_resources.h"
#include "plt_file.h"
#include "qt_prompts.h"
#include "screenshot_mode.h"
#include "session.h"
#include "settings_dlg.h"
#include "splash.h"
#include "termination_signal.h"

namespace {

constexpr char kApplicationTitle[] = "Orlenda 3001 <Lite>";

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("orlenda3001"));
  QApplication::setDesktopFileName(QStringLiteral("orlenda3001"));
  orlenda::InitPictureResources();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/orlenda3001.png")));

  orlenda::TSplashForm SplashForm;
  SplashForm.ShowAndPaint();

  // The application's title is the title of its standard error box.
  orlenda::QtPrompts prompts{QString::fromLatin1(kApplicationTitle)};
  orlenda::Session session(prompts, orlenda::DefaultSettingsPath());
  session.windows.SplashForm = &SplashForm;

  orlenda::TForm1 Form1(session);
  session.windows.Form1 = &Form1;
  orlenda::TSettingsDlg SettingsDlg(session);
  session.windows.SettingsDlg = &SettingsDlg;
  orlenda::TAboutBox AboutBox(prompts, orlenda::BuiltInAboutLinks());
  session.windows.AboutBox = &AboutBox;
  orlenda::TPltFileView PltFileView(session);
  session.windows.PltFileView = &PltFileView;

  const QStringList arguments = QApplication::arguments();
  const QString screenshotFolder = orlenda::ScreenshotFolder();
  if (!screenshotFolder.isEmpty() && arguments.size() > 1) {
    Form1.show();
    orlenda::QueueScreenshots({Form1, PltFileView, SettingsDlg, AboutBox}, arguments.at(1), screenshotFolder);
    return QApplication::exec();
  }

  if (arguments.size() > 1) Form1.OfferCommandLineFile(arguments.at(1));

  orlenda::TerminationSignal termination([&Form1] { Form1.close(); });
  Form1.show();
  return QApplication::exec();
}
