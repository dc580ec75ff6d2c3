#pragma once

// The windows laid out at fixed pixel sizes use one compact font, so that their captions fit those
// sizes whatever font size the desktop uses.

class QWidget;

namespace orlenda {

void UseCompactFont(QWidget& window);

}  // namespace orlenda
