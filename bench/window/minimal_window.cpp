// The yardsticks: the least a Qt Widgets program does to show a window of the
// same size with a title; with --label, also one line of Chinese text, which
// any window with text pays for (the font system is set up before the window
// shows).

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  const bool withLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("minimal"));
  window.setFixedSize(234, 304);
  if (withLabel) new QLabel(QStringLiteral("获取下载地址"), &window);
  window.show();
  return QApplication::exec();
}
