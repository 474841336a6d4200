// Answers the next modal box from a timer, so a test can go through code that calls exec().
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

namespace searchqt {

struct SeenBox {
  bool seen = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Waits for a modal QMessageBox, records it and presses `press` (or closes it with Escape).
inline std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton press = QMessageBox::NoButton) {
  auto seen = std::make_shared<SeenBox>();
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [seen, timer, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer->stop();
    timer->deleteLater();
    seen->seen = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->buttons = box->standardButtons();
    if (press != QMessageBox::NoButton && box->button(press) != nullptr) {
      box->button(press)->click();
    } else {
      box->reject();
    }
  });
  timer->start();
  return seen;
}

}  // namespace searchqt
