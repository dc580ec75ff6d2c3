#pragma once

// The end of the desktop session (logging off, shutting down) while the program runs: the player is
// asked what closing the main window asks (changes to the log not saved), and a "no" to the end (the
// save failed, so the program stays) holds the session open. Qt reports the end as
// QGuiApplication::commitDataRequest, which Windows sends before it ends a session.

class QWidget;

namespace orlenda {

// Asks as closing `mainWindow` would, without closing it; true when the session may end.
bool AnswerSessionEnd(QWidget& mainWindow);

// Asks so at every end of the session; `mainWindow` must outlive the application object's events.
void AskBeforeSessionEnds(QWidget& mainWindow);

}  // namespace orlenda
