#include "ui/pilot_view/memo_text_sink.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>

namespace orlenda {

namespace {
constexpr int kTabStopCharacters = 8;
}

MemoTextSink::MemoTextSink(QPlainTextEdit& memo) : memo_(memo) {}

void MemoTextSink::Clear() { memo_.clear(); }

void MemoTextSink::AppendLine(std::string_view line) {
  memo_.appendPlainText(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
}

void PrepareReportWindow(QPlainTextEdit& memo) {
  memo.setLineWrapMode(QPlainTextEdit::NoWrap);
  memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo.setTabChangesFocus(false);
}

void SetReportFont(QPlainTextEdit& memo, const QFont& font) {
  memo.setFont(font);
  memo.setTabStopDistance(QFontMetricsF(memo.font()).averageCharWidth() * kTabStopCharacters);
}

}  // namespace orlenda
