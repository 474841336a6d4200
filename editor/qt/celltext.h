// Drawing code page 932 rows on the column grid: every character in its own cell (x = column ×
// character width), a double-byte character over two cells, tabs expanded by the core's column
// rules, an invalid byte as one replacement cell. Rows are drawn to at most 1000 bytes.
#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/wrap.h"

class QPainter;

namespace editor::qt {

// Bytes of a row that are drawn: the first 1000, or 1001 when a double-byte character starts at
// byte 1000 (offset 999).
int DrawnByteCount(std::string_view row);

// The characters of one row placed on the grid.
class RowCells {
 public:
  // `wrapByte` > 0 lets a tab stop at the wrap width as the core does with word wrap on.
  void Layout(std::string_view row, int tabWidth, int wrapByte);

  int Count() const { return static_cast<int>(chars_.size()); }
  char16_t Char(int i) const { return chars_[i]; }
  int Column(int i) const { return columns_[i]; }
  int Cells(int i) const { return cells_[i]; }
  int Byte(int i) const { return bytes_[i]; }
  // Bytes of the row laid out (DrawnByteCount) and the columns they take.
  int DrawnBytes() const { return drawn_bytes_; }
  int Width() const { return width_; }
  // Display column where byte `index` starts (the width for an index at or beyond the end).
  int ColumnOfByte(int index) const;
  // First character whose byte index is >= `byte`.
  int FirstCharAtOrAfter(int byte) const;

 private:
  std::u16string chars_;  // U+0000 for a blank (tab)
  std::vector<int> columns_;
  std::vector<uint8_t> cells_;
  std::vector<int> bytes_;
  std::vector<int> column_of_byte_;
  int drawn_bytes_ = 0;
  int width_ = 0;
  ColumnLayout layout_;
};

// Draws laid-out characters with one font at a fixed advance per cell. A character the font
// lacks is drawn from the font Qt falls back to, clipped to its cells; a glyph wider than its
// cells (a fallback or proportional font) is narrowed to fit, so no glyph inks the next cell.
class CellTextPainter {
 public:
  void SetFont(const QFont& font, int charWidth, int ascent);
  const QFont& Font() const { return font_; }
  int CharWidth() const { return char_width_; }
  int Ascent() const { return ascent_; }

  // Draws the characters whose bytes lie in [fromByte, toByte) in `color` with the font styles of
  // `style` (store::FontStyle bits; underline and strike-out are drawn as lines by the caller).
  // `x0` is the x of column 0, `top` the row's top pixel.
  void Draw(QPainter& p, const RowCells& cells, int x0, int top, int fromByte, int toByte, const QColor& color,
            uint8_t style = 0);

 private:
  quint32 Glyph(char16_t ch);
  // Advance in whole pixels (rounded up) of `ch` as drawn, the fallback font's when `glyph` is 0.
  int Advance(char16_t ch, quint32 glyph);
  // Draws one character on its own, narrowed to `cells` cells and clipped to them.
  void DrawFitted(QPainter& p, char16_t ch, qreal x, int baseline, int cells, int advance);

  QFont font_;
  QRawFont raw_;
  int char_width_ = 8;
  int ascent_ = 13;
  // Glyph index per UTF-16 unit, kUnknownGlyph until looked up: painting asks once per character.
  static constexpr quint32 kUnknownGlyph = 0xFFFFFFFFu;
  std::vector<quint32> glyphs_;
  // Advance per UTF-16 unit, 0 until measured (255: that wide or wider).
  std::vector<uint8_t> advances_;
};

}  // namespace editor::qt
