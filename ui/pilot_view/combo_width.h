#pragma once

// Drop-down lists that can be read whole although their boxes are narrow: the list opens as wide as
// its longest item, and a box whose text is cut shows the whole text in its tooltip, under its hint.

class QComboBox;

namespace orlenda {

// Call once the box holds its items.
void FitListToLongestItem(QComboBox& box);

// From now on the tooltip is the box's present hint, followed by the box's text whenever it does not
// fit into the box.
void ShowCutTextInToolTip(QComboBox& box);

// Whether the box shows its text whole.
bool TextFits(const QComboBox& box);

// How much wider the box must be to show each of its items whole (0 when it does).
int WidthLackingForLongestItem(const QComboBox& box);

}  // namespace orlenda
