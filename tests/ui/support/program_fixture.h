#pragma once

// The whole desktop program as its start sequence builds it, in a throw-away home, with scripted
// prompts and a fixed report date.

#include <QPlainTextEdit>
#include <memory>

#include "app/start_sequence.h"
#include "scripted_prompts.h"
#include "settings/default_paths.h"
#include "settings/settings_ini.h"
#include "ui/main_window/log_text.h"
#include "ui_test_env.h"

namespace orlenda::test {

inline ReportContext FixedReportContext() { return {".", "08/12/2026"}; }

struct ProgramFixture {
  TestHome home;
  ScriptedPrompts prompts;
  std::unique_ptr<StartSequence> windows;
  TPltFileView::ContextSource context = FixedReportContext;  // the report's date and decimal separator

  // Runs the start sequence up to the event loop.
  void Start(const AboutLinks& links = {}, MainWindowShown shown = MainWindowShown::kByTheCaller) {
    windows = std::make_unique<StartSequence>(prompts, DefaultSettingsPath(), links, context, shown);
  }

  TForm1& Form1() const { return *windows->Form1; }
  TPltFileView& View() const { return *windows->PltFileView; }
  QString LogText() const { return windows->Form1->mainLog().Text(); }
  bool LogModified() const { return windows->Form1->mainLog().Modified(); }

  // A setting as the file holds it now, or an empty optional.
  std::optional<std::string> Setting(std::string_view key) const {
    return SettingsIni(home.SettingsFile().toStdString()).FindSetting(kSettingsSection, key);
  }
  void SetSetting(std::string_view key, const std::string& value) const {
    SettingsIni(home.SettingsFile().toStdString()).WriteSetting(kSettingsSection, key, value);
  }
};

}  // namespace orlenda::test
