#pragma once

// What the desktop program tells Qt and the desktop about itself, shared by the program and the tools
// that start its windows as it does.

class QString;

namespace orlenda {

// The application's name, its desktop entry and its window icon.
void SetProgramIdentity();

// The title of the program's standard error box.
QString ProgramTitle();

}  // namespace orlenda
