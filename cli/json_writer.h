#pragma once

// A JSON writer that lays its text out as it goes, for answers too large for a tree of values.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace orlenda::cli {

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

  template <typename Value>
  void Member(std::string_view key, const Value& value) {
    Key(key);
    if constexpr (std::is_same_v<Value, bool>)
      Bool(value);
    else if constexpr (std::is_integral_v<Value>)
      Number(value);
    else
      String(value);
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

  // Printable ASCII without a quote or backslash goes as it is; anything else is escaped by nlohmann,
  // which also refuses a text that is not UTF-8.
  void AppendString(std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
      buffer_ += '"';
      buffer_ += text;
      buffer_ += '"';
    } else {
      buffer_ += nlohmann::json(std::string(text)).dump();
    }
  }

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> hasElements_;  // one for each open object or array
  bool afterKey_ = false;
};

}  // namespace orlenda::cli
