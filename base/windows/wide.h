#pragma once

// The Win32 boundary: paths stay UTF-8 everywhere else and become UTF-16 only here.

#include <windows.h>

#include <string>
#include <string_view>

#include "base/utf16.h"

namespace orlenda::windows {

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// The system's words for the last error of this thread.
inline std::string LastErrorText() {
  const DWORD error = ::GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message =
      length > 0 ? Narrow(std::wstring_view(text, length)) : "error " + std::to_string(error);
  ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message;
}

}  // namespace orlenda::windows
