// The floor of the desktop program's start: a Qt Widgets program that shows one empty window of the
// given size and runs its event loop (ended after its first paint by exit_after_first_paint).
//
// Usage: bare_qt_window [WIDTH HEIGHT]

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  QWidget window;
  window.setObjectName(QStringLiteral("BareWindow"));
  if (arguments.size() == 3) window.resize(arguments.at(1).toInt(), arguments.at(2).toInt());
  window.show();
  return QApplication::exec();
}
