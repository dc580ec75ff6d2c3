#pragma once

// Paths as texts (UTF-8): their parts, without asking the file system.

#include <string>
#include <string_view>

namespace orlenda {

// What follows the last separator: "/" and "\" both count, since a path may come from Windows or
// from here. A path without a separator is its own last component.
std::string_view LastPathComponent(std::string_view path);

// The path with this system's own separator throughout: on Windows every "/" becomes "\" (folders
// joined from "a/b" texts mix them); elsewhere the path as it stands.
std::string WithSystemSeparators(std::string path);

}  // namespace orlenda
