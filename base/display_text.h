#pragma once

// Text from elsewhere (an argument, a file name, the bytes of a pilot file that a club traded) made
// safe to show: it must never drive the terminal it is printed on, nor split a line of a log. Every
// byte that is not part of valid UTF-8, every C0 control character but the tab (CR and LF included),
// DEL, and every C1 control character (U+0080 to U+009F, among them the one-character escape U+009B)
// is unsafe. Everything else, the text of every ordinary name, is kept as it is.

#include <string>
#include <string_view>

namespace orlenda {

enum class UnsafeShownAs {
  kHexEscape,     // each of its bytes as "\xNN": messages, which should show what the text holds
  kQuestionMark,  // one "?" for each unsafe character or byte: report and export texts
};

std::string DisplayText(std::string_view text, UnsafeShownAs shown);

// Whether UTF-8 text holds a control character: C0 (the tab too), DEL or C1 (U+0080 to U+009F).
bool HoldsControlCharacter(std::string_view text);

inline std::string EscapedText(std::string_view text) { return DisplayText(text, UnsafeShownAs::kHexEscape); }
inline std::string ReportText(std::string_view text) {
  return DisplayText(text, UnsafeShownAs::kQuestionMark);
}

// The refusal of a value that is not what it should be: "\"VALUE\" is not WHAT", the value escaped.
inline std::string NotAValue(std::string_view text, std::string_view what) {
  return "\"" + EscapedText(text) + "\" is not " + std::string(what);
}

}  // namespace orlenda
