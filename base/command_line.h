#pragma once

// A console program's arguments and output in UTF-8 on every system.

#include <string>
#include <vector>

namespace orlenda {

// The arguments after the program's name, in UTF-8. Windows hands a program's `main` its arguments in
// the ANSI code page, which loses every character outside it; there they are read from the wide
// command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes a console show the UTF-8 that the program writes (Windows); elsewhere nothing is needed.
void WriteUtf8ToConsole();

}  // namespace orlenda
