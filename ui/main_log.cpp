#include "ui/main_log.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace orlenda {

MainLog::MainLog(QPlainTextEdit& area) : area_(area) {}

// An empty last line (the empty log, or a text ending in a line break) takes the new line, so that a
// line break typed at the end does not leave an empty line in the log.
void MainLog::AppendLine(const QString& line) {
  if (area_.document()->lastBlock().text().isEmpty()) {
    QTextCursor end(area_.document());
    end.movePosition(QTextCursor::End);
    end.insertText(line);
  } else {
    area_.appendPlainText(line);
  }
  SetModified(true);
}

void MainLog::Clear() {
  const bool modified = Modified();
  area_.clear();
  SetModified(modified);
}

// The document is filled directly, with the cursor then put at the start as setPlainText puts it.
// QPlainTextEdit::setPlainText would also give all the text the area's character format, a second
// pass over a log of many thousands of lines that changes nothing: the log's text is plain.
void MainLog::ReplaceText(const QString& text) {
  area_.document()->setPlainText(text);
  area_.setTextCursor(QTextCursor(area_.document()));
  SetModified(false);
}

QString MainLog::Text() const { return area_.toPlainText(); }

bool MainLog::Modified() const { return area_.document()->isModified(); }

void MainLog::SetModified(bool modified) { area_.document()->setModified(modified); }

}  // namespace orlenda
