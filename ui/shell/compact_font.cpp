#include "ui/shell/compact_font.h"

#include <QFont>
#include <QWidget>

namespace orlenda {

namespace {
constexpr int kCompactPointSize = 8;
}

void UseCompactFont(QWidget& window) {
  QFont font = window.font();
  font.setPointSize(kCompactPointSize);
  font.setStretch(QFont::SemiCondensed);
  window.setFont(font);
}

}  // namespace orlenda
