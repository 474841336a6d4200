// The preview window.
#include "print/qt/printpreview.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace print::qt {

// ---- The sheet

PreviewSheet::PreviewSheet(TFormStringsPrinterPreview& owner) : QWidget(nullptr), owner_(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewSheet::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  if (const PagePicture* page = owner_.CurrentPage()) DrawPagePicture(p, *page, owner_.PictureRect());
  p.setPen(Qt::darkGray);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PreviewSheet::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  down_ = e->globalPosition().toPoint();
  const QScrollArea* a = owner_.Area();
  scroll_at_down_ = QPoint(a->horizontalScrollBar()->value(), a->verticalScrollBar()->value());
}

void PreviewSheet::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton) || !owner_.ImageLargerThanArea()) return;
  // The content follows the hand.
  const QPoint d = e->globalPosition().toPoint() - down_;
  QScrollArea* a = owner_.Area();
  a->horizontalScrollBar()->setValue(scroll_at_down_.x() - d.x());
  a->verticalScrollBar()->setValue(scroll_at_down_.y() - d.y());
}

void PreviewSheet::wheelEvent(QWheelEvent* e) {
  QScrollBar* bar = owner_.Area()->verticalScrollBar();
  bar->setValue(bar->value() - e->angleDelta().y());
  e->accept();
}

// ---- The window

TFormStringsPrinterPreview::TFormStringsPrinterPreview(const PrinterMetrics& metrics, const TMetaFileList& pages,
                                                       QWidget* parent)
    : QDialog(parent), metrics_(metrics), pages_(pages) {
  setWindowTitle(QStringLiteral("Preview"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 4, 4, 4);
  label_ = new QLabel(this);
  label_->setFont(QFont(QStringLiteral("monospace")));
  label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QStringLiteral("0000 / 0000")));
  auto tool = [this](QStyle::StandardPixmap icon, const QString& tip) {
    auto* b = new QToolButton(this);
    b->setIcon(style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
  };
  first_ = tool(QStyle::SP_MediaSkipBackward, QStringLiteral("First"));
  prev_ = tool(QStyle::SP_MediaSeekBackward, QStringLiteral("Previous"));
  next_ = tool(QStyle::SP_MediaSeekForward, QStringLiteral("Next"));
  last_ = tool(QStyle::SP_MediaSkipForward, QStringLiteral("Last"));
  adjust_height_ = new QPushButton(QStringLiteral("Adjust Height"), this);
  adjust_width_ = new QPushButton(QStringLiteral("Adjust Width"), this);
  actual_ = new QPushButton(QStringLiteral("100%"), this);
  close_ = new QPushButton(QStringLiteral("Close"), this);
  for (QPushButton* b : {adjust_height_, adjust_width_, actual_, close_}) b->setAutoDefault(false);
  bar->addWidget(label_);
  for (QWidget* w :
       std::initializer_list<QWidget*>{first_, prev_, next_, last_, adjust_height_, adjust_width_, actual_, close_})
    bar->addWidget(w);
  bar->addStretch();
  layout->addLayout(bar);

  area_ = new QScrollArea(this);
  area_->setAlignment(Qt::AlignCenter);
  area_->setBackgroundRole(QPalette::Dark);
  sheet_ = new PreviewSheet(*this);
  area_->setWidget(sheet_);
  area_->setWidgetResizable(false);
  layout->addWidget(area_, 1);

  connect(first_, &QToolButton::clicked, this, [this] { SetPageIndex(0); });
  connect(prev_, &QToolButton::clicked, this, [this] { SetPageIndex(page_ - 1); });
  connect(next_, &QToolButton::clicked, this, [this] { SetPageIndex(page_ + 1); });
  connect(last_, &QToolButton::clicked, this, [this] { SetPageIndex(PageCount() - 1); });
  connect(adjust_height_, &QPushButton::clicked, this, [this] { SetZoom(zmHeight); });
  connect(adjust_width_, &QPushButton::clicked, this, [this] { SetZoom(zmWidth); });
  connect(actual_, &QPushButton::clicked, this, [this] { SetZoom(zmActual); });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  ApplyZoom();
  UpdateControls();
}

const PagePicture* TFormStringsPrinterPreview::CurrentPage() const {
  if (page_ < 0 || page_ >= PageCount()) return nullptr;
  return pages_[page_].get();
}

QSize TFormStringsPrinterPreview::SheetPixels() const {
  const PaperOffsets& o = *metrics_.offsets;
  const QSize picture = CurrentPage() ? CurrentPage()->PageSize() : QSize();
  return {picture.width() + o.left + o.right, picture.height() + o.top + o.bottom};
}

QRectF TFormStringsPrinterPreview::PictureRect() const {
  const QSize sheet = SheetPixels();
  if (sheet.isEmpty() || !CurrentPage()) return {};
  const double sx = static_cast<double>(image_.width()) / sheet.width();
  const double sy = static_cast<double>(image_.height()) / sheet.height();
  const PaperOffsets& o = *metrics_.offsets;
  const QSize picture = CurrentPage()->PageSize();
  return {o.left * sx, o.top * sy, picture.width() * sx, picture.height() * sy};
}

int TFormStringsPrinterPreview::ScrollBarExtent() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

bool TFormStringsPrinterPreview::ImageLargerThanArea() const {
  const QSize view = area_->maximumViewportSize();
  return image_.width() > view.width() || image_.height() > view.height();
}

void TFormStringsPrinterPreview::SetPageIndex(int index) {
  page_ = std::clamp(index, 0, std::max(0, PageCount() - 1));
  ApplyZoom();
  UpdateControls();
}

void TFormStringsPrinterPreview::SetZoom(ZoomMode mode) {
  zoom_ = mode;
  ApplyZoom();
}

void TFormStringsPrinterPreview::ApplyZoom() {
  if (!metrics_.offsets) metrics_.offsets = PaperOffsets{};
  const QSize sheet = SheetPixels();
  if (sheet.isEmpty()) {
    image_ = QSize(1, 1);
  } else if (zoom_ == zmActual) {
    const double ratio = ScreenToPrinterRatio(metrics_);
    image_ = QSize(qRound(sheet.width() * ratio), qRound(sheet.height() * ratio));
  } else {
    const int frame = 2 * area_->frameWidth();
    if (zoom_ == zmWidth) {
      const int w = std::max(1, area_->width() - frame - ScrollBarExtent());
      image_ = QSize(w, std::max(1, qRound(static_cast<double>(w) * sheet.height() / sheet.width())));
    } else {
      const int h = std::max(1, area_->height() - frame - ScrollBarExtent());
      image_ = QSize(std::max(1, qRound(static_cast<double>(h) * sheet.width() / sheet.height())), h);
    }
  }
  sheet_->resize(image_);
  sheet_->setCursor(ImageLargerThanArea() ? Qt::OpenHandCursor : Qt::ArrowCursor);
  area_->horizontalScrollBar()->setValue(0);
  area_->verticalScrollBar()->setValue(0);
  sheet_->update();
}

void TFormStringsPrinterPreview::UpdateControls() {
  label_->setText(QString::asprintf("%3d / %3d", PageCount() ? page_ + 1 : 0, PageCount()));
  const bool notFirst = page_ > 0;
  const bool notLast = page_ < PageCount() - 1;
  first_->setEnabled(notFirst);
  prev_->setEnabled(notFirst);
  next_->setEnabled(notLast);
  last_->setEnabled(notLast);
}

void TFormStringsPrinterPreview::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (sized_) return;
  sized_ = true;
  // As wide as the page at 100% with its scroll bar, five sixths of the screen high, centred.
  zoom_ = zmActual;
  page_ = 0;
  ApplyZoom();
  UpdateControls();
  if (const QScreen* s = screen()) {
    const QRect avail = s->availableGeometry();
    const int w = std::min(avail.width(), image_.width() + ScrollBarExtent() + 16 + 2 * area_->frameWidth());
    const int h = avail.height() * 5 / 6;
    resize(w, h);
    move(avail.center() - QPoint(w / 2, h / 2));
  }
}

void TFormStringsPrinterPreview::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (zoom_ != zmActual)
    ApplyZoom();
  else
    sheet_->setCursor(ImageLargerThanArea() ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

}  // namespace print::qt
