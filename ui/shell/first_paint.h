#pragma once

// Shows a window and runs the events other than user input until it has been painted on screen once,
// or until the bound passes: a display that never paints the window (a start minimised, a display that
// hangs) does not hold the program up. The start sequence shows its splash screen and its main window
// so, before it goes on.

#include <chrono>

class QWidget;

namespace orlenda {

// Long enough for any display that paints at all.
inline constexpr std::chrono::milliseconds kFirstPaintBound{500};

void ShowAndWaitForFirstPaint(QWidget& window, std::chrono::milliseconds bound);

}  // namespace orlenda
