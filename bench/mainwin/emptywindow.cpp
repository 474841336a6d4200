// The baseline of the start-up benchmark: an empty QMainWindow, started and ended exactly as
// sorametext is under SORAMETEXT_EXIT_AFTER_FIRST_PAINT. With --label it shows one line of
// Japanese text, which is what any window with text pays for the font system.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
class FirstPaintExit final : public QObject {
 public:
  explicit FirstPaintExit(std::chrono::steady_clock::time_point start) : start_(start) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [this] {
        const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
        std::printf("first-paint-ms %.2f\n", ms);
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  std::chrono::steady_clock::time_point start_;
  bool seen_ = false;
};
}  // namespace

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
