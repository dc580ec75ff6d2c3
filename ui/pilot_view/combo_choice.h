#pragma once

// The chosen item of a drop-down list with an editable text field: the item whose text the field
// shows. Typing into the field can leave the list's current index behind the text, so the text decides.

#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class QComboBox;

namespace orlenda {

// The current item when the field shows its text; otherwise the first item whose text equals the
// field's text, exactly or else without regard to letter case and surrounding blanks; nothing for a
// blank field or a text that names no item.
std::optional<int> ChosenItem(const QComboBox& box);

// Chooses the item `value`, or no item (an empty field) when the value lies outside the list.
void ChooseItemOrNone(QComboBox& box, std::int64_t value);

// Item texts for a box from one of the pilot's tables.
QStringList ItemTexts(std::span<const std::string_view> items);
QStringList ItemTexts(std::span<const std::string> items);

}  // namespace orlenda
