#pragma once

// Runs one event handler. An error raised inside it (a setting that is not a number, a settings file
// that cannot be written, a log file that cannot be created) ends the handler and is shown in the
// application's standard error box; the program goes on. No exception ever leaves into Qt's event loop.

#include <QString>
#include <exception>
#include <utility>

#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {

// True when the handler ran to its end.
template <typename Handler>
bool RunHandler(Prompts& prompts, QWidget* parent, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& error) {
    prompts.ShowStandardError(parent, DisplayMessage(error.what()));
  } catch (...) {
    prompts.ShowStandardError(parent, QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace orlenda
