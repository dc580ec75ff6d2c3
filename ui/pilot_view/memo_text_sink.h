#pragma once

// The report's text sink over the pilot file view's text window.

#include "report/text_sink.h"

class QFont;
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

// Sets up a text window for reports: no wrapping, both scroll bars, Tab types a tab character.
void PrepareReportWindow(QPlainTextEdit& memo);

// Gives a report window its font, with tab stops every eight average characters so that the report's
// columns line up. A text window lays out its text and loads the font's glyphs as soon as its font
// changes, so a window that is not shown at once does this when it is first filled or shown.
void SetReportFont(QPlainTextEdit& memo, const QFont& font);

}  // namespace orlenda
