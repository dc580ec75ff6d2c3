#include "ui/main_window/log_text.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace orlenda {

MainLog::MainLog(QPlainTextEdit& area) : area_(area) { MarkSaved(); }

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
  MarkSaved();
}

void MainLog::MarkSaved() {
  savedEnd_ = QTextCursor(area_.document());
  savedEnd_.movePosition(QTextCursor::End);
  savedEnd_.setKeepPositionOnInsert(true);
}

// The lines go after the line on which the saved text ends, so that a line the player is typing there
// is not split. With no saved text before them they open the log.
void MainLog::InsertSavedLines(const QStringList& lines) {
  if (lines.isEmpty()) return;
  const QString joined = lines.join(QLatin1Char('\n'));
  QTextCursor at(area_.document());
  at.setPosition(savedEnd_.position());
  QString text = joined;
  if (at.position() > 0) {
    at.movePosition(QTextCursor::EndOfBlock);
    text.prepend(QLatin1Char('\n'));
  } else if (!area_.document()->isEmpty()) {
    text.append(QLatin1Char('\n'));
  }
  const int insertedAt = at.position();
  const QTextCursor player = area_.textCursor();
  at.insertText(text);
  savedEnd_.setPosition(insertedAt + (insertedAt > 0 ? 1 : 0) + static_cast<int>(joined.size()));
  // A cursor right at the insertion would be carried past the new lines.
  if (player.position() <= insertedAt && player.anchor() <= insertedAt) {
    QTextCursor kept(area_.document());
    kept.setPosition(player.anchor());
    kept.setPosition(player.position(), QTextCursor::KeepAnchor);
    area_.setTextCursor(kept);
  }
}

QString MainLog::Text() const { return area_.toPlainText(); }

bool MainLog::Modified() const { return area_.document()->isModified(); }

void MainLog::SetModified(bool modified) { area_.document()->setModified(modified); }

}  // namespace orlenda
