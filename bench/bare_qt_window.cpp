// The floors of the desktop program's start: a Qt Widgets program that shows one window of the given
// size and runs its event loop (ended after its first paint by exit_after_first_paint).
//
//   bare_qt_window WIDTH HEIGHT                     one empty window
//   bare_qt_window WIDTH HEIGHT --label TEXT        a window showing one line of text (fonts loaded)
//   bare_qt_window WIDTH HEIGHT --text-file FILE    a window whose text area holds the file's text

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  QWidget window;
  window.setObjectName(QStringLiteral("BareWindow"));
  if (arguments.size() >= 3) window.resize(arguments.at(1).toInt(), arguments.at(2).toInt());
  if (arguments.size() == 5) {
    auto* layout = new QVBoxLayout(&window);
    if (arguments.at(3) == QStringLiteral("--label")) {
      layout->addWidget(new QLabel(arguments.at(4)));
    } else {
      QFile file(arguments.at(4));
      if (!file.open(QIODevice::ReadOnly)) return 1;
      auto* area = new QPlainTextEdit;
      area->setPlainText(QString::fromUtf8(file.readAll()));
      layout->addWidget(area);
    }
  }
  window.show();
  return QApplication::exec();
}
