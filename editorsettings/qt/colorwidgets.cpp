#include "editorsettings/qt/colorwidgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/qt/editorcolor.h"
#include "editorsettings/colortable.h"

namespace editorsettings::qt {

QColor ToQColor(store::TColor c, const QWidget* w) {
  const QPalette& pal = w ? w->palette() : QPalette();
  return editor::qt::ToQColor(c, pal, pal.color(QPalette::Window));
}

store::TColor FromQColor(const QColor& c) {
  return static_cast<store::TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

namespace {

// Black or white, whichever reads on `back`.
QColor InkOn(const QColor& back) { return qGray(back.rgb()) < 128 ? Qt::white : Qt::black; }

}  // namespace

// ---- grid

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

QSize ColorGrid::sizeHint() const { return {4 * kCell + 1, 4 * kCell + 1}; }

QRect ColorGrid::CellRect(int index) const { return {(index % 4) * kCell, (index / 4) * kCell, kCell, kCell}; }

int ColorGrid::CellAt(const QPoint& p) const {
  if (p.x() < 0 || p.y() < 0 || p.x() >= 4 * kCell || p.y() >= 4 * kCell) return -1;
  return (p.y() / kCell) * 4 + p.x() / kCell;
}

void ColorGrid::SetButtonsEnabled(bool fg, bool bg) {
  fg_enabled_ = fg;
  bg_enabled_ = bg;
  update();
}

void ColorGrid::SetMarks(int fg, int bg) {
  if (fg == fg_ && bg == bg_) return;
  fg_ = fg;
  bg_ = bg;
  update();
}

void ColorGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QFont f = font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  const auto& colors = GridColors();
  for (int i = 0; i < 16; ++i) {
    const QRect r = CellRect(i);
    const QColor c = ToQColor(colors[static_cast<size_t>(i)], this);
    p.fillRect(r, isEnabled() ? c : c.lighter(150));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r);
    QString tag;
    if (i == fg_) tag += QStringLiteral("FG");
    if (i == bg_) tag = tag.isEmpty() ? QStringLiteral("BG") : QStringLiteral("FB");
    if (!tag.isEmpty()) {
      p.setPen(InkOn(c));
      p.drawText(r, Qt::AlignCenter, tag);
    }
  }
}

void ColorGrid::mousePressEvent(QMouseEvent* e) {
  const int cell = CellAt(e->position().toPoint());
  if (cell < 0) return;
  if ((e->button() == Qt::LeftButton && fg_enabled_) || (e->button() == Qt::RightButton && bg_enabled_))
    emit cellClicked(cell, e->button());
}

// ---- panels

ColorPanel::ColorPanel(const QString& text, QWidget* parent) : QFrame(parent), text_(text) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setCursor(Qt::PointingHandCursor);
}

QSize ColorPanel::sizeHint() const {
  const QFontMetrics fm(font());
  return {fm.horizontalAdvance(text_) + 16, fm.height() + 22};
}

void ColorPanel::SetTags(bool fg, bool bg) {
  if (fg == fg_ && bg == bg_) return;
  fg_ = fg;
  bg_ = bg;
  update();
}

void ColorPanel::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  const QRect inner = contentsRect();
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.drawText(inner.adjusted(0, 0, 0, -8), Qt::AlignCenter, text_);
  QFont f = font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::red);
  if (fg_) p.drawText(inner.adjusted(3, 0, 0, -1), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("FG"));
  if (bg_) p.drawText(inner.adjusted(0, 0, -3, -1), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("BG"));
}

void ColorPanel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) emit clicked(e->button());
}

}  // namespace editorsettings::qt
