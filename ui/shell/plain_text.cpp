#include "ui/shell/plain_text.h"

#include <QTextDocument>

namespace orlenda {

// Text that Qt would take for markup is escaped inside a paragraph that keeps blanks and line breaks.
QString LiteralToolTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace orlenda
