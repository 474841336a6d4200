// TFormStringsPrinterPreview: the rendered pages one at a time, at 100%, fitted to the width or
// to the height, scrolled with the hand or the wheel.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QWidget>

#include "print/qt/picturecanvas.h"
#include "print/stringsprinter.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace print::qt {

class TFormStringsPrinterPreview;

// The sheet inside the scroll area.
class PreviewSheet : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewSheet(TFormStringsPrinterPreview& owner);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  TFormStringsPrinterPreview& owner_;
  QPoint down_;
  QPoint scroll_at_down_;
};

class TFormStringsPrinterPreview : public QDialog {
  Q_OBJECT
 public:
  enum ZoomMode { zmActual = 0, zmWidth = 1, zmHeight = 2 };

  // The pages stay owned by the caller and must outlive the window.
  TFormStringsPrinterPreview(const PrinterMetrics& metrics, const TMetaFileList& pages, QWidget* parent = nullptr);

  int PageIndex() const { return page_; }
  // Clamped into the list.
  void SetPageIndex(int index);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  ZoomMode Zoom() const { return zoom_; }
  void SetZoom(ZoomMode mode);

  // The whole sheet in printer pixels: the picture and the unprintable strips around it.
  QSize SheetPixels() const;
  // The sheet as shown, in screen pixels.
  QSize ImageSize() const { return image_; }
  // Where the page picture lies on the shown sheet.
  QRectF PictureRect() const;
  bool ImageLargerThanArea() const;

  QLabel* PageLabel() const { return label_; }
  QToolButton* FirstButton() const { return first_; }
  QToolButton* PreviousButton() const { return prev_; }
  QToolButton* NextButton() const { return next_; }
  QToolButton* LastButton() const { return last_; }
  QPushButton* AdjustHeightButton() const { return adjust_height_; }
  QPushButton* AdjustWidthButton() const { return adjust_width_; }
  QPushButton* ActualSizeButton() const { return actual_; }
  QScrollArea* Area() const { return area_; }
  PreviewSheet* Sheet() const { return sheet_; }
  const PagePicture* CurrentPage() const;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void ApplyZoom();
  void UpdateControls();
  int ScrollBarExtent() const;

  PrinterMetrics metrics_;
  const TMetaFileList& pages_;
  int page_ = 0;
  ZoomMode zoom_ = zmActual;
  QSize image_;
  bool sized_ = false;

  QLabel* label_;
  QToolButton* first_;
  QToolButton* prev_;
  QToolButton* next_;
  QToolButton* last_;
  QPushButton* adjust_height_;
  QPushButton* adjust_width_;
  QPushButton* actual_;
  QPushButton* close_;
  QScrollArea* area_;
  PreviewSheet* sheet_;
};

}  // namespace print::qt
