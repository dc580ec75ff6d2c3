#pragma once

// Tooltips that show their text as it stands. Qt reads a tooltip that looks like markup as formatted
// text, so a file named "<b>Ace</b>.plt" would lose its brackets.

#include <QString>

namespace orlenda {

QString LiteralToolTip(const QString& text);

}  // namespace orlenda
