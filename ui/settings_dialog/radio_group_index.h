#pragma once

// A group of radio buttons used as one choice with an item index, as the settings' choices are
// stored: -1 means no item is selected.

#include <QButtonGroup>

namespace orlenda {

// The selected item's index, or -1 when none is selected.
int RadioGroupIndex(const QButtonGroup& group);

// Selects item `index`, pulled into range: below -1 becomes -1 (no item selected), past the last item
// becomes the last item.
void SetRadioGroupIndex(QButtonGroup& group, int index);

}  // namespace orlenda
