// The baseline of the start-up benchmark: an empty QMainWindow, started and ended exactly as
// sorametext is under SORAMETEXT_EXIT_AFTER_FIRST_PAINT. With --label it shows one line of
// Japanese text, which is what any window with text pays for the font system.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <chrono>

#include "app/firstpaintexit.h"

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  QApplication app(argc, argv);
  FirstPaintExit firstPaint(start);
  app.installEventFilter(&firstPaint);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("empty"));
  window.resize(800, 572);
  if (argc > 1 && QString::fromLatin1(argv[1]) == QStringLiteral("--label"))
    window.setCentralWidget(new QLabel(QStringLiteral("ソラメtext 日本語"), &window));
  window.show();
  return app.exec();
}
