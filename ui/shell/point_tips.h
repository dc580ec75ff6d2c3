#pragma once

// The hover of the pictures whose points can be walked (the score charts, the History window's
// timeline): a tooltip over a widget shows the text of the point under the mouse, and none shows where
// there is no point.

#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace orlenda {

// `textAt` gives the text of the point at a position in the widget, or an empty text where there is
// none. The tips last as long as the widget.
void ShowPointTips(QWidget& widget, std::function<QString(QPoint)> textAt);

}  // namespace orlenda
