#include "ui/settings_dialog/settings_recovery_prompt.h"

#include "settings/settings_recovery.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {

namespace {
QString Utf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

bool OfferSettingsRecovery(Session& session, QWidget* parent) {
  const std::string path = session.settings().path();
  const SettingsFileProblem problem = CheckSettingsFile(path);
  if (problem == SettingsFileProblem::None) return true;

  Prompts& prompts = session.prompts();
  const QString question =
      QStringLiteral(
          "The settings file %1 %2\n\nStart again from the default settings? The old file "
          "will be kept as %3.")
          .arg(DisplayPath(path), Utf8(SettingsProblemText(problem)), DisplayPath(FreeAsideName(path)));
  if (prompts.ShowMessage(parent, MessageKind::Warning, MessageButtons::YesNo, question) !=
      MessageAnswer::Yes) {
    return false;
  }
  if (!MoveSettingsFileAside(path)) {
    prompts.ShowMessage(parent, MessageKind::Error, MessageButtons::Ok,
                        QStringLiteral("The settings file %1 could not be moved aside. The program goes "
                                       "on without storing settings.")
                            .arg(DisplayPath(path)));
    return false;
  }
  return true;
}

}  // namespace orlenda
