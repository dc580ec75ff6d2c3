#pragma once

// The box of the Pilots window's "Review battle…": the battle's missions (empty: each file's own
// battle) and an optional file of the battle's high scores. OK closes it only when both can be used;
// a fault is said in a box over it.

#include <QDialog>
#include <memory>

#include "review/pilot_review.h"
#include "ui/shell/prompts.h"

namespace Ui {
class TReviewBox;
}

namespace orlenda {

class Session;

class TReviewBox : public QDialog {
  Q_OBJECT

 public:
  TReviewBox(Session& session, QWidget* parent);
  ~TReviewBox() override;

  // What the box asked for, once it was accepted.
  const ReviewRequest& Request() const { return request_; }

  void ChooseHighScoresButtonClick();
  void accept() override;

 private:
  std::unique_ptr<Ui::TReviewBox> ui_;
  Session& session_;
  FileDialogState highScoresDialog_;
  ReviewRequest request_;
};

}  // namespace orlenda
