#pragma once

// The name of a pilot file without its folder and extension.

#include <string>
#include <string_view>

namespace orlenda {

// The last component of a path ("/" and "\" both separate), without its extension. A name without a
// separator is its own last component.
std::string GetFileStem(std::string_view fileName);

}  // namespace orlenda
