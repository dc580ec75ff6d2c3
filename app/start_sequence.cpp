#include "app/start_sequence.h"

#include "ui/shell/first_paint.h"

namespace orlenda {

StartSequence::StartSequence(Prompts& prompts, std::string settingsPath, const AboutLinks& links,
                             TPltFileView::ContextSource context, MainWindowShown mainWindowShown)
    : session(prompts, std::move(settingsPath)) {
  SplashForm = std::make_unique<TSplashForm>();
  SplashForm->ShowAndPaint();
  session.windows.SplashForm = SplashForm.get();
  Form1 = std::make_unique<TForm1>(session);
  session.windows.Form1 = Form1.get();
  if (mainWindowShown == MainWindowShown::kBeforeTheHiddenWindows)
    ShowAndWaitForFirstPaint(*Form1, kFirstPaintBound);
  SettingsDlg = std::make_unique<TSettingsDlg>(session);
  session.windows.SettingsDlg = SettingsDlg.get();
  AboutBox = std::make_unique<TAboutBox>(prompts, links);
  session.windows.AboutBox = AboutBox.get();
  PltFileView = std::make_unique<TPltFileView>(session, nullptr, std::move(context));
  session.windows.PltFileView = PltFileView.get();
}

// The windows go in the reverse order of their creation, before the session they refer to.
StartSequence::~StartSequence() {
  PltFileView.reset();
  AboutBox.reset();
  SettingsDlg.reset();
  Form1.reset();
  SplashForm.reset();
}

}  // namespace orlenda
