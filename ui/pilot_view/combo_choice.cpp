#include "ui/pilot_view/combo_choice.h"

#include <QComboBox>
#include <QLineEdit>

namespace orlenda {

std::optional<int> ChosenItem(const QComboBox& box) {
  const QString text = box.currentText();
  const int current = box.currentIndex();
  if (current >= 0 && box.itemText(current) == text) return current;
  if (text.trimmed().isEmpty()) return std::nullopt;
  if (const int exact = box.findText(text, Qt::MatchExactly); exact >= 0) return exact;
  for (int i = 0; i < box.count(); ++i) {
    if (box.itemText(i).trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0) return i;
  }
  return std::nullopt;
}

void ChooseItemOrNone(QComboBox& box, std::int64_t value) {
  if (value >= 0 && value < box.count()) {
    box.setCurrentIndex(static_cast<int>(value));
    box.setEditText(box.itemText(static_cast<int>(value)));
    if (box.lineEdit() != nullptr) box.lineEdit()->setCursorPosition(0);  // show a long text's start
  } else {
    box.setCurrentIndex(-1);
    box.setEditText(QString());
  }
}

QStringList ItemTexts(std::span<const std::string_view> items) {
  QStringList texts;
  for (std::string_view item : items)
    texts.append(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
  return texts;
}

QStringList ItemTexts(std::span<const std::string> items) {
  QStringList texts;
  for (const std::string& item : items) texts.append(QString::fromStdString(item));
  return texts;
}

}  // namespace orlenda
