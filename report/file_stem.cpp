#include "report/file_stem.h"

#include <string>
#include <string_view>

#include "base/path_names.h"

namespace orlenda {

std::string GetFileStem(std::string_view fileName) {
  // A dot counts only in the last component: "C:\XWA\My.Pilots\Red Two.plt" gives "Red Two".
  const std::string_view component = LastPathComponent(fileName);
  const std::size_t dot = component.rfind('.');
  return std::string(dot == std::string_view::npos ? component : component.substr(0, dot));
}

}  // namespace orlenda
