#include "base/command_line.h"

namespace orlenda {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void WriteUtf8Output() {}

}  // namespace orlenda
