// TFormStringsPrinterProgress: the small window shown while pages are rendered, with "Cancel".
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace print::qt {

class TFormStringsPrinterProgress : public QDialog {
  Q_OBJECT
 public:
  explicit TFormStringsPrinterProgress(QWidget* parent = nullptr);

  // Shows the caption and the percentage and lets pending events run, so that "Cancel" is heard.
  // Returns false once the user has cancelled.
  bool Update(const QString& caption, int percent);
  bool Cancelled() const { return cancelled_; }
  void Cancel() { cancelled_ = true; }

  QLabel* CaptionLabel() const { return label_; }
  QProgressBar* Bar() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override { Cancel(); }

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelled_ = false;
  QElapsedTimer since_events_;
};

}  // namespace print::qt
