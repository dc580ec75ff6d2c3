#include "ui/settings_dialog/radio_group_index.h"

#include <QAbstractButton>
#include <algorithm>

namespace orlenda {

int RadioGroupIndex(const QButtonGroup& group) { return group.checkedId(); }

void SetRadioGroupIndex(QButtonGroup& group, int index) {
  const int last = static_cast<int>(group.buttons().size()) - 1;
  const int chosen = std::clamp(index, -1, last);
  if (chosen >= 0) {
    group.button(chosen)->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; it lets go only while not exclusive.
  group.setExclusive(false);
  for (QAbstractButton* button : group.buttons()) button->setChecked(false);
  group.setExclusive(true);
}

}  // namespace orlenda
