#pragma once

// The desktop program's answer to a file that another program holds locked (the command line saving
// the same pilot, the game): after about a second a box names the file and offers to go on waiting;
// Cancel gives the save up, and it then reports that nothing was written.

#include "ui/prompts.h"

namespace orlenda {

// Makes every lock of this program wait so; `prompts` must outlive every save.
void AskWhileLocksAreHeld(Prompts& prompts);

}  // namespace orlenda
