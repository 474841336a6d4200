// The render progress window.
#include "print/qt/printprogress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace print::qt {

TFormStringsPrinterProgress::TFormStringsPrinterProgress(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("TStringsPrinter"));
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(this);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  setFixedSize(320, sizeHint().height());
  if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

bool TFormStringsPrinterProgress::Update(const QString& caption, int percent) {
  if (label_->text() != caption) label_->setText(caption);
  bar_->setValue(percent);
  // Events run at most every 15 ms: once per row would cost more than the rows on long texts,
  // and the button still answers at once to the eye.
  if (!since_events_.isValid() || since_events_.elapsed() >= 15 || percent == 100) {
    QCoreApplication::processEvents();
    since_events_.restart();
  }
  return !cancelled_;
}

void TFormStringsPrinterProgress::closeEvent(QCloseEvent* e) {
  Cancel();
  e->ignore();
}

}  // namespace print::qt
