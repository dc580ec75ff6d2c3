#include "ui/pilot_view/combo_width.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "ui/shell/plain_text.h"

namespace orlenda {

namespace {
constexpr int kTextMargin = 4;  // the edit field's own margins around its text
}

void FitListToLongestItem(QComboBox& box) {
  QAbstractItemView& list = *box.view();
  const int scrollBar = list.verticalScrollBar()->sizeHint().width();
  list.setMinimumWidth(list.sizeHintForColumn(0) + scrollBar + 2 * list.frameWidth() + 2 * kTextMargin);
  list.setTextElideMode(Qt::ElideNone);
}

bool TextFits(const QComboBox& box) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  option.editable = box.isEditable();
  const QRect field =
      box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
  return box.fontMetrics().horizontalAdvance(box.currentText()) <= field.width() - 2 * kTextMargin;
}

void ShowCutTextInToolTip(QComboBox& box) {
  const QString hint = box.toolTip();
  const auto update = [&box, hint] {
    if (TextFits(box)) {
      box.setToolTip(hint);
      return;
    }
    const QString text = box.currentText();
    box.setToolTip(LiteralToolTip(hint.isEmpty() ? text : hint + QLatin1Char('\n') + text));
  };
  QObject::connect(&box, &QComboBox::currentTextChanged, &box, update);
  update();
}

}  // namespace orlenda
