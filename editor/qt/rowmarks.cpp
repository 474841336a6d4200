// Row-end marks, dotted underlines and bookmark digits.
#include "editor/qt/rowmarks.h"

#include <QPainter>
#include <algorithm>

namespace editor::qt {

namespace {

int MarkWidth(int charWidth) { return std::max(3, charWidth / 2); }

void Line(QPainter& p, int x1, int y1, int x2, int y2) { p.drawLine(x1, y1, x2, y2); }

}  // namespace

void DrawReturnMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color) {
  const int w = MarkWidth(charWidth);
  const int half = w / 2;
  const int cx = x + 1 + half;
  const int y1 = top + height / 4;
  const int y2 = top + height - height / 4 - 1;
  p.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap));
  Line(p, cx, y1, cx, y2);
  Line(p, cx - half, y2 - half, cx, y2);
  Line(p, cx + half, y2 - half, cx, y2);
}

void DrawWrapMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color) {
  const int w = MarkWidth(charWidth);
  const int left = x + 1;
  const int mid = top + height / 2;
  p.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap));
  // A corner: the text goes on, then down to the next row.
  Line(p, left, mid, left + w - 1, mid);
  Line(p, left + w - 1, mid, left + w - 1, mid + w);
}

void DrawHideMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color) {
  const int w = MarkWidth(charWidth);
  const int left = x + 1;
  const int mid = top + height / 2;
  p.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap));
  // A chevron pointing on to the text that is not drawn.
  Line(p, left, mid - w + 1, left + w - 1, mid);
  Line(p, left, mid + w - 1, left + w - 1, mid);
}

void DottedLineCache::SetWidth(int width) {
  if (width > width_) {
    width_ = width;
    lines_.clear();
  }
}

const QPixmap& DottedLineCache::Line(const QColor& text, const QColor& background) {
  const auto key = std::make_pair(text.rgba(), background.rgba());
  auto it = lines_.find(key);
  if (it != lines_.end()) return it->second;
  // Two pixels more than the screen so that a slice can start on either phase of the pattern.
  QImage img(std::max(width_, 16) + 2, 1, QImage::Format_ARGB32_Premultiplied);
  auto* px = reinterpret_cast<QRgb*>(img.scanLine(0));
  const QRgb t = text.rgba(), b = background.rgba();
  for (int x = 0; x < img.width(); ++x) px[x] = (x % 2 == 0) ? t : b;
  return lines_.emplace(key, QPixmap::fromImage(img)).first->second;
}

void DottedLineCache::Draw(QPainter& p, int x, int y, int width, int patternX, const QColor& text,
                           const QColor& background) {
  if (width <= 0) return;
  const QPixmap& line = Line(text, background);
  const int span = line.width() - 2;
  while (width > 0) {
    const int phase = ((x - patternX) % 2 + 2) % 2;
    const int n = std::min(width, span);
    p.drawPixmap(x, y, line, phase, 0, n, 1);
    x += n;
    width -= n;
  }
}

const QImage& DigitImages::Digit(int n) {
  // Four pixels wide, seven high; '#' set.
  static const char* const kGlyphs[10][7] = {
      {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
      {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
      {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
      {".##.", "#..#", "...#", ".##.", "...#", "#..#", ".##."},
      {"..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."},
      {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
      {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."},
      {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."},
      {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
      {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."},
  };
  static const std::vector<QImage> images = [] {
    std::vector<QImage> v;
    const QRgb border = qRgb(0x40, 0x40, 0x40), fill = qRgb(0xFF, 0xFF, 0xE0), ink = qRgb(0, 0, 0);
    for (int d = 0; d < 10; ++d) {
      QImage img(kWidth, kHeight, QImage::Format_ARGB32);
      img.fill(Qt::transparent);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          const bool corner = (x == 0 || x == kWidth - 1) && (y == 0 || y == kHeight - 1);
          if (corner) continue;
          const bool edge = x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
          img.setPixel(x, y, edge ? border : fill);
        }
      }
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 4; ++x)
          if (kGlyphs[d][y][x] == '#') img.setPixel(2 + x, 2 + y, ink);
      v.push_back(img);
    }
    return v;
  }();
  return images[std::clamp(n, 0, 9)];
}

}  // namespace editor::qt
