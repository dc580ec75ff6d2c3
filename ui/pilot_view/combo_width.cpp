#include "ui/pilot_view/combo_width.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

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

namespace {

// The width that the box's edit field gives its text.
int TextRoom(const QComboBox& box) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  option.editable = box.isEditable();
  const QRect field =
      box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
  return field.width() - 2 * kTextMargin;
}

}  // namespace

bool TextFits(const QComboBox& box) {
  return box.fontMetrics().horizontalAdvance(box.currentText()) <= TextRoom(box);
}

int WidthLackingForLongestItem(const QComboBox& box) {
  int longest = 0;
  for (int item = 0; item < box.count(); ++item)
    longest = std::max(longest, box.fontMetrics().horizontalAdvance(box.itemText(item)));
  return std::max(0, longest - TextRoom(box));
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
