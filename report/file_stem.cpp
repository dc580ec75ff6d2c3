#include "report/file_stem.h"

#include <string>
#include <string_view>

namespace orlenda {

std::string GetFileStem(std::string_view fileName) {
  // A path may come from Windows or from here, so both separators count. A dot counts only in the
  // last component: "C:\XWA\My.Pilots\Red Two.plt" gives "Red Two".
  const std::size_t separator = fileName.find_last_of("/\\");
  const std::string_view component =
      separator == std::string_view::npos ? fileName : fileName.substr(separator + 1);
  const std::size_t dot = component.rfind('.');
  return std::string(dot == std::string_view::npos ? component : component.substr(0, dot));
}

}  // namespace orlenda
