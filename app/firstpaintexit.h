// For the start-up benchmark: after the first paint, report the time since `start` and leave
// without touching the data folder. The benchmark's baseline window leaves the same way.
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

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
