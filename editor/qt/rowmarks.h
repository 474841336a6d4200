// The small pictures of the editor: row-end marks (return arrow, wrap angle, hide angle), dotted
// underlines copied from cached one-pixel-high images, and the bookmark digit images.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <map>
#include <utility>

class QPainter;

namespace editor::qt {

// Each mark is half a character wide, drawn with a one-pixel solid pen inside the cell whose left
// edge is `x`, on a row starting at `top` with `height` pixels of text.
void DrawReturnMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color);
void DrawWrapMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color);
void DrawHideMark(QPainter& p, int x, int top, int height, int charWidth, const QColor& color);

// One-pixel-high, screen-wide images: background with every other pixel, starting with the first,
// in the text colour. Underlined tokens copy a slice instead of drawing pixel by pixel.
class DottedLineCache {
 public:
  explicit DottedLineCache(int width = 0) : width_(width) {}
  // Drops the images when the screen width they must cover grows.
  void SetWidth(int width);
  const QPixmap& Line(const QColor& text, const QColor& background);
  // Draws the dotted line from x over `width` pixels on pixel row y. The pattern is anchored at
  // `patternX` (the row's column 0) so that neighbouring tokens continue the same dots.
  void Draw(QPainter& p, int x, int y, int width, int patternX, const QColor& text, const QColor& background);
  int Size() const { return static_cast<int>(lines_.size()); }

 private:
  int width_;
  std::map<std::pair<QRgb, QRgb>, QPixmap> lines_;
};

// The ten bookmark digit images, 8 × 11 pixels, drawn by the program: a dark digit on a light
// badge, readable on any bar colour.
class DigitImages {
 public:
  static constexpr int kWidth = 8;
  static constexpr int kHeight = 11;
  static const QImage& Digit(int n);  // n in 0..9
};

}  // namespace editor::qt
