#include "ui/shell/point_tips.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <utility>

namespace orlenda {

namespace {

class PointTips : public QObject {
 public:
  PointTips(QWidget& widget, std::function<QString(QPoint)> textAt)
      : QObject(&widget), widget_(widget), textAt_(std::move(textAt)) {}

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto& help = static_cast<const QHelpEvent&>(*event);
    const QString text = textAt_(help.pos());
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help.globalPos(), text, &widget_);
    return true;
  }

 private:
  QWidget& widget_;
  std::function<QString(QPoint)> textAt_;
};

}  // namespace

void ShowPointTips(QWidget& widget, std::function<QString(QPoint)> textAt) {
  widget.installEventFilter(new PointTips(widget, std::move(textAt)));
}

}  // namespace orlenda
