#include "ui/pilots/review_box.h"

#include <QPushButton>

#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_review_box.h"

namespace orlenda {

TReviewBox::TReviewBox(Session& session, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TReviewBox>()), session_(session) {
  ui_->setupUi(this);
  highScoresDialog_.filters = {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")};
  connect(ui_->ReviewButtons, &QDialogButtonBox::accepted, this, &TReviewBox::accept);
  connect(ui_->ReviewButtons, &QDialogButtonBox::rejected, this, &TReviewBox::reject);
  connect(ui_->ChooseHighScoresButton, &QPushButton::clicked, this,
          [this] { RunHandler(session_.prompts(), this, [this] { ChooseHighScoresButtonClick(); }); });
}

TReviewBox::~TReviewBox() = default;

void TReviewBox::ChooseHighScoresButtonClick() {
  highScoresDialog_.initialDir = ui_->HighScoresEdit->text();
  if (session_.prompts().ExecuteOpenDialog(this, highScoresDialog_))
    ui_->HighScoresEdit->setText(highScoresDialog_.fileName);
}

// The box stays open while the missions or the high-score file cannot be used, and says why.
void TReviewBox::accept() {
  ReviewRequest request;
  const QString missions = ui_->MissionsEdit->text().trimmed();
  if (!missions.isEmpty()) {
    request.battle = ParseBattleMissions(missions.toStdString());
    if (!request.battle) {
      session_.prompts().ShowMessage(
          this, MessageKind::Warning, MessageButtons::Ok,
          QStringLiteral("\"%1\" is not a battle: give its first and last missions "
                         "as the program lists them, such as 54-59.")
              .arg(missions));
      return;
    }
  }
  if (const QString file = ui_->HighScoresEdit->text(); !file.isEmpty()) {
    HighScoresRead read = ReadHighScoresFile(LocalPath(file));
    if (!read.scores) {
      session_.prompts().ShowMessage(this, MessageKind::Warning, MessageButtons::Ok,
                                     QString::fromStdString(read.error));
      return;
    }
    request.highScores = std::move(read.scores);
  }
  request_ = std::move(request);
  QDialog::accept();
}

}  // namespace orlenda
