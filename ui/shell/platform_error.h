#pragma once

// An error of the platform layer that ends the event handler in which it happens and is shown in the
// application's standard error box ("Cannot create file %s", "Cannot open file %s").

#include <stdexcept>

namespace orlenda {

class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orlenda
