#pragma once

// The report's text sink over the pilot file view's text window.

#include "report/text_sink.h"

class QPlainTextEdit;

namespace orlenda {

class MemoTextSink final : public TextSink {
 public:
  explicit MemoTextSink(QPlainTextEdit& memo);
  void Clear() override;
  void AppendLine(std::string_view line) override;

 private:
  QPlainTextEdit& memo_;
};

// Sets up a text window for reports: no wrapping, both scroll bars, Tab types a tab character, and tab
// stops every eight average characters so that the report's columns line up.
void PrepareReportWindow(QPlainTextEdit& memo);

}  // namespace orlenda
