#pragma once

// The main log: the text lines that the user gathers over many runs, shown in the main window's text
// area, with its modified flag. Typing into the area sets the flag; the operations below set or clear
// it as the main window's actions need.
//
// It also marks where the text that the log file held at the last read or save ends. Lines that other
// programs saved to the file since go there, where the file has them, before the lines added here
// since: a line that reached the file first stays first.

#include <QString>
#include <QStringList>
#include <QTextCursor>

class QPlainTextEdit;

namespace orlenda {

class MainLog {
 public:
  explicit MainLog(QPlainTextEdit& area);

  void AppendLine(const QString& line);   // sets the modified flag
  void Clear();                           // leaves the flag to the caller
  void ReplaceText(const QString& text);  // clears the modified flag; the file holds all of it
  QString Text() const;

  // The lines that other programs saved to the file, after the text that it held at the last read or
  // save; the player's cursor stays where it was. Leaves the flag to the caller.
  void InsertSavedLines(const QStringList& lines);
  void MarkSaved();  // the file now holds the whole text

  bool Modified() const;
  void SetModified(bool modified);

 private:
  QPlainTextEdit& area_;
  QTextCursor savedEnd_;  // stays put when text is added right there
};

}  // namespace orlenda
