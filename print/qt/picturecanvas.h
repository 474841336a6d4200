// Page pictures: the print layout's canvas recorded into QPictures at printer resolution, and
// playing them back at any size on a printer, a widget or an image.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <memory>
#include <vector>

#include "print/printcanvas.h"

namespace print::qt {

// A QPicture that reports the printer's resolution and the page size in printer pixels, so that
// fonts and measurements made on it are those of the printer.
class PagePicture : public QPicture {
 public:
  PagePicture(int dpi, QSize size) : dpi_(dpi), size_(size) {}
  int Dpi() const { return dpi_; }
  QSize PageSize() const { return size_; }

 protected:
  int metric(PaintDeviceMetric m) const override;

 private:
  int dpi_;
  QSize size_;
};

// The rendered pages, in order.
using TMetaFileList = std::vector<std::unique_ptr<PagePicture>>;

// Plays a page into `target`, given in the painter's current coordinates as device pixels:
// QPicture::play scales by the device's logical dpi over a plain picture's, which this undoes.
void DrawPagePicture(QPainter& painter, const PagePicture& page, const QRectF& target);

// Stored colour as printed: system colours resolve against a light paper palette, never the
// desktop's theme.
QColor PaperColor(store::TColor c);

// The QFont a stored font record prints with, `pixelHeight` pixels high.
QFont PrintFont(const store::TFont& record, int pixelHeight, uint8_t style);

class PictureCanvas final : public PrintCanvas {
 public:
  PictureCanvas(int dpi, TMetaFileList& pages);
  ~PictureCanvas() override;

  void SetFont(const store::TFont& font, int pixelHeight, uint8_t style) override;
  TextMetrics Metrics() override;
  double TextWidth(std::string_view text) override;
  void StartPage(int width, int height) override;
  void EndPage() override;
  void FillRect(const PrintRect& r, store::TColor color) override;
  void DrawText(double x, int y, const PrintRect& clip, std::string_view text, store::TColor color,
                store::TColor background) override;

 private:
  int dpi_;
  TMetaFileList& pages_;
  PagePicture probe_;  // measuring between pages
  QPainter painter_;
  QFont font_;
  std::unique_ptr<QFontMetricsF> metrics_;
};

}  // namespace print::qt
