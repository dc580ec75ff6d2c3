#pragma once

// A report's lines kept in one buffer, with the place where each ends: no allocation per line, and the
// buffer's memory reused from one input to the next (Clear keeps it).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/text_sink.h"

namespace orlenda::fuzz {

class PackedLines final : public TextSink {
 public:
  void Clear() override {
    text_.clear();
    ends_.clear();
  }
  void AppendLine(std::string_view line) override {
    text_.append(line);
    ends_.push_back(text_.size());
  }

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(start, ends_[i] - start);
  }

  // The same lines: the same text, broken in the same places.
  bool operator==(const PackedLines& other) const { return text_ == other.text_ && ends_ == other.ends_; }

  // Whether `run`'s lines stand among these, one after another.
  bool Holds(const PackedLines& run) const {
    if (run.size() > size()) return false;
    for (std::size_t start = 0; start + run.size() <= size(); ++start) {
      std::size_t matched = 0;
      while (matched < run.size() && (*this)[start + matched] == run[matched]) ++matched;
      if (matched == run.size()) return true;
    }
    return false;
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

}  // namespace orlenda::fuzz
