// grabscreen FILE.png: saves the whole X screen (the Xvfb display of an end-to-end run) as PNG,
// so scripts can keep what a user would have seen.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: grabscreen FILE.png\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "grabscreen: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
