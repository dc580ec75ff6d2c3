#include "base/local_date.h"

#include "base/windows/wide.h"

namespace orlenda {

std::string TodayShortDate() {
  wchar_t text[128] = {};
  const int length = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                                       static_cast<int>(std::size(text)), nullptr);
  return length > 1 ? windows::Narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1)))
                    : std::string();
}

}  // namespace orlenda
