// Page pictures.
#include "print/qt/picturecanvas.h"

#include <QPalette>

#include "codec/qt/qtcp932.h"
#include "editor/qt/editorcolor.h"
#include "editor/qt/editorfont.h"

namespace print::qt {

int PagePicture::metric(PaintDeviceMetric m) const {
  switch (m) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmWidthMM: return qRound(size_.width() * 25.4 / dpi_);
    case PdmHeightMM: return qRound(size_.height() * 25.4 / dpi_);
    default: return QPicture::metric(m);
  }
}

void DrawPagePicture(QPainter& painter, const PagePicture& page, const QRectF& target) {
  const QSize size = page.PageSize();
  if (size.isEmpty() || target.isEmpty()) return;
  static const int pictureDpi = QPicture().logicalDpiX();
  const QPaintDevice* device = painter.device();
  const double dpiX = device ? device->logicalDpiX() : pictureDpi;
  const double dpiY = device ? device->logicalDpiY() : pictureDpi;
  painter.save();
  painter.setClipRect(target, Qt::IntersectClip);
  painter.translate(target.topLeft());
  painter.scale(target.width() / size.width() * pictureDpi / dpiX, target.height() / size.height() * pictureDpi / dpiY);
  painter.drawPicture(0, 0, page);
  painter.restore();
}

QColor PaperColor(store::TColor c) {
  static const QPalette paper{QColor(Qt::white)};
  return editor::qt::ToQColor(c, paper, QColor(Qt::black));
}

QFont PrintFont(const store::TFont& record, int pixelHeight, uint8_t style) {
  editor::qt::InstallFontSubstitutions();
  QFont font(codec::qt::FromCp932(record.Name));
  font.setPixelSize(std::max(1, pixelHeight));
  font.setBold(style & store::fsBold);
  font.setItalic(style & store::fsItalic);
  font.setUnderline(style & store::fsUnderline);
  font.setStrikeOut(style & store::fsStrikeOut);
  // Measured at printer resolution and replayed at any other: hinting would make the widths
  // depend on the device.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

PictureCanvas::PictureCanvas(int dpi, TMetaFileList& pages)
    : dpi_(dpi > 0 ? dpi : 96), pages_(pages), probe_(dpi_, QSize(1, 1)) {}

PictureCanvas::~PictureCanvas() {
  if (painter_.isActive()) painter_.end();
}

void PictureCanvas::SetFont(const store::TFont& font, int pixelHeight, uint8_t style) {
  font_ = PrintFont(font, pixelHeight, style);
  metrics_ = std::make_unique<QFontMetricsF>(font_, &probe_);
  if (painter_.isActive()) painter_.setFont(font_);
}

TextMetrics PictureCanvas::Metrics() {
  if (!metrics_) metrics_ = std::make_unique<QFontMetricsF>(font_, &probe_);
  // The half-width advance: the average character width fonts report is unreliable for CJK fonts.
  return {metrics_->height(), std::max<qreal>(0, metrics_->leading()), metrics_->horizontalAdvance(QLatin1Char('0'))};
}

double PictureCanvas::TextWidth(std::string_view text) {
  if (!metrics_) metrics_ = std::make_unique<QFontMetricsF>(font_, &probe_);
  return metrics_->horizontalAdvance(codec::qt::FromCp932(text));
}

void PictureCanvas::StartPage(int width, int height) {
  if (painter_.isActive()) painter_.end();
  pages_.push_back(std::make_unique<PagePicture>(dpi_, QSize(width, height)));
  painter_.begin(pages_.back().get());
  painter_.setFont(font_);
}

void PictureCanvas::EndPage() {
  if (painter_.isActive()) painter_.end();
}

void PictureCanvas::FillRect(const PrintRect& r, store::TColor color) {
  if (!painter_.isActive()) return;
  painter_.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), PaperColor(color));
}

void PictureCanvas::DrawText(double x, int y, const PrintRect& clip, std::string_view text, store::TColor color,
                             store::TColor background) {
  if (!painter_.isActive() || text.empty()) return;
  if (!metrics_) metrics_ = std::make_unique<QFontMetricsF>(font_, &probe_);
  const QString s = codec::qt::FromCp932(text);
  painter_.save();
  painter_.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
  if (background != store::clNone)
    painter_.fillRect(QRectF(x, y, metrics_->horizontalAdvance(s), metrics_->height()), PaperColor(background));
  painter_.setPen(PaperColor(color));
  painter_.drawText(QPointF(x, y + metrics_->ascent()), s);
  painter_.restore();
}

}  // namespace print::qt
