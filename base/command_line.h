#pragma once

// A console program's arguments and output in UTF-8 on every system.

#include <string>
#include <vector>

namespace orlenda {

// The arguments after the program's name, in UTF-8. Windows hands a program's `main` its arguments in
// the ANSI code page, which loses every character outside it; there they are read from the wide
// command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard output and error carry the program's UTF-8 bytes unchanged: on Windows a console is told
// to show UTF-8, and "\n" is no longer widened to "\r\n", so that output is the same on every system.
void WriteUtf8Output();

}  // namespace orlenda
