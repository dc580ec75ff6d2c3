#include "base/command_line.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "base/windows/wide.h"

// After <windows.h>, which it needs.
#include <shellapi.h>

namespace orlenda {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr)
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(windows::Narrow(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void WriteUtf8Output() {
  ::SetConsoleOutputCP(CP_UTF8);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

}  // namespace orlenda
