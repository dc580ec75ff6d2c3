#pragma once

// The main log: the text lines that the user gathers over many runs, shown in the main window's text
// area, with its modified flag. Typing into the area sets the flag; the operations below set or clear
// it as the main window's actions need.

#include <QString>

class QPlainTextEdit;

namespace orlenda {

class MainLog {
 public:
  explicit MainLog(QPlainTextEdit& area);

  void AppendLine(const QString& line);   // sets the modified flag
  void Clear();                           // leaves the flag to the caller
  void ReplaceText(const QString& text);  // clears the modified flag
  QString Text() const;

  bool Modified() const;
  void SetModified(bool modified);

 private:
  QPlainTextEdit& area_;
};

}  // namespace orlenda
