#pragma once

// A JSON writer that lays its text out as it goes, for answers too large for a tree of values, and the
// one way our JSON answers write a string.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/hex_digits.h"
#include "base/utf8.h"

namespace orlenda::cli {

// Appends `text` (UTF-8) as a JSON string. Every control character is escaped, DEL and the C1 controls
// (U+0080 to U+009F, among them the one-character escape U+009B) too, so that no answer of ours drives
// the terminal it is printed on; a byte that is not part of valid UTF-8 becomes U+FFFD.
inline void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  auto plain = [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; };
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t run = pos;  // most text, copied as it is in one piece
    while (pos < text.size() && plain(text[pos])) ++pos;
    out.append(text.substr(run, pos - run));
    if (pos == text.size()) break;
    const std::size_t start = pos;
    const std::optional<char32_t> code = NextCodePoint(text, pos);
    if (!code) {
      out += "\\ufffd";
      ++pos;
      continue;
    }
    switch (*code) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (*code < 0x20 || (*code >= 0x7F && *code < 0xA0))
          out += {'\\', 'u', '0', '0', kLowerHexDigits[*code >> 4], kLowerHexDigits[*code & 0xF]};
        else
          out += text.substr(start, pos - start);
    }
  }
  out += '"';
}

// JSON written piece by piece as it is laid out by nlohmann's dump(2): members and elements one to a
// line, indented by two spaces a level, "{}" and "[]" when empty. A large answer (two unrelated pilots
// differ in thousands of list elements) thus costs no tree of values; the text gathers in a buffer that
// goes to the stream in large pieces.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  void Key(std::string_view key) {
    NextElement();
    AppendString(key);
    buffer_ += ": ";
    afterKey_ = true;
  }

  void String(std::string_view text) {
    BeforeValue();
    AppendString(text);
  }

  void Bool(bool value) {
    BeforeValue();
    buffer_ += value ? "true" : "false";
  }

  void Null() {
    BeforeValue();
    buffer_ += "null";
  }

  template <typename Integer>
  void Number(Integer value) {
    BeforeValue();
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    buffer_.append(digits, end);
  }

  // A value by its type: true or false, a number, or a string.
  template <typename Value>
  void Scalar(const Value& value) {
    if constexpr (std::is_same_v<Value, bool>)
      Bool(value);
    else if constexpr (std::is_integral_v<Value>)
      Number(value);
    else
      String(value);
  }

  template <typename Value>
  void Member(std::string_view key, const Value& value) {
    Key(key);
    Scalar(value);
  }

  // Members in a row: Members("score", 1, "bonus", 2) writes "score": 1, "bonus": 2.
  template <typename Value, typename... More>
  void Members(std::string_view key, const Value& value, const More&... more) {
    Member(key, value);
    if constexpr (sizeof...(more) > 0) Members(more...);
  }

  // A member whose value may be missing: null when it is.
  template <typename Value>
  void MemberOrNull(std::string_view key, const std::optional<Value>& value) {
    Key(key);
    if (value)
      Scalar(*value);
    else
      Null();
  }

  template <typename Value>
  void MemberOrNull(std::string_view key, bool present, const Value& value) {
    MemberOrNull(key, present ? std::optional<Value>(value) : std::nullopt);
  }

  // An object whose members `write` writes, as the next value.
  template <typename Write>
  void Object(Write write) {
    BeginObject();
    write();
    EndObject();
  }

  // An array of the range's elements, each written by `write(element)`.
  template <typename Range, typename Write>
  void Array(const Range& range, Write write) {
    BeginArray();
    for (const auto& element : range) write(element);
    EndArray();
  }

  template <typename Range, typename Write>
  void ArrayMember(std::string_view key, const Range& range, Write write) {
    Key(key);
    Array(range, write);
  }

  // An array of numbers.
  template <typename Range>
  void NumberArrayMember(std::string_view key, const Range& numbers) {
    Key(key);
    BeginArray();
    for (const auto number : numbers) Number(number);
    EndArray();
  }

  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kFlushSize = 64 * 1024;

  void Open(char bracket) {
    BeforeValue();
    buffer_ += bracket;
    hasElements_.push_back(false);
  }

  void Close(char bracket) {
    const bool hadElements = hasElements_.back();
    hasElements_.pop_back();
    if (hadElements) Indent();
    buffer_ += bracket;
  }

  // A value after its key follows on the key's line; any other starts a new element.
  void BeforeValue() {
    if (afterKey_)
      afterKey_ = false;
    else
      NextElement();
  }

  void NextElement() {
    if (buffer_.size() >= kFlushSize) Flush();
    if (hasElements_.empty()) return;
    if (hasElements_.back()) buffer_ += ',';
    hasElements_.back() = true;
    Indent();
  }

  void Indent() {
    buffer_ += '\n';
    buffer_.append(2 * hasElements_.size(), ' ');
  }

  void AppendString(std::string_view text) { AppendJsonString(buffer_, text); }

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> hasElements_;  // one for each open object or array
  bool afterKey_ = false;
};

// A whole answer on `out`: what `write` writes into the writer, then a line break when `lineEnd` says so.
template <typename Write>
void WriteJsonAnswer(std::ostream& out, Write write, bool lineEnd = true) {
  JsonWriter json(out);
  write(json);
  json.Flush();
  if (lineEnd) out << '\n';
}

}  // namespace orlenda::cli
