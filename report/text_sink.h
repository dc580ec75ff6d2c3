#pragma once

// Where report builders put their lines: the desktop program's text window, standard output, or a
// test's vector. Lines are UTF-8 and carry no line end.

#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Clear() = 0;
  virtual void AppendLine(std::string_view line) = 0;
};

// Keeps the lines in memory.
class LineCollector final : public TextSink {
 public:
  void Clear() override { lines_.clear(); }
  void AppendLine(std::string_view line) override { lines_.emplace_back(line); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Keeps nothing: for the callers that want a section's result without its lines.
class DiscardedLines final : public TextSink {
 public:
  void Clear() override {}
  void AppendLine(std::string_view) override {}
};

}  // namespace orlenda
