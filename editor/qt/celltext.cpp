// Rows on the column grid.
#include "editor/qt/celltext.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "codec/cp932.h"
#include "store/persistent.h"

namespace editor::qt {

namespace {
constexpr int kDrawnBytes = 1000;
constexpr char16_t kReplacement = 0xFFFD;

const DelimiterSet& Delimiters() {
  static const DelimiterSet d = DefaultDelimiters();
  return d;
}
}  // namespace

int DrawnByteCount(std::string_view row) {
  const int n = static_cast<int>(row.size());
  if (n <= kDrawnBytes) return n;
  // Walk whole characters so that a trail byte with a lead byte's value is not taken for one.
  int i = 0;
  while (i < kDrawnBytes) {
    const int len = static_cast<int>(codec::CharLength(row, static_cast<size_t>(i)));
    if (i + len > kDrawnBytes) return i + len;  // a double-byte character starting at offset 999
    i += len;
  }
  return kDrawnBytes;
}

void RowCells::Layout(std::string_view row, int tabWidth, int wrapByte) {
  chars_.clear();
  columns_.clear();
  cells_.clear();
  bytes_.clear();
  drawn_bytes_ = DrawnByteCount(row);
  const std::string_view text = row.substr(0, drawn_bytes_);
  BuildColumns(text, tabWidth, wrapByte, 1 << 24, Delimiters(), layout_);
  width_ = layout_.Columns();
  column_of_byte_.assign(drawn_bytes_ + 1, width_);
  auto put = [&](char16_t ch, int col, int cells, int byte) {
    chars_.push_back(ch);
    columns_.push_back(col);
    cells_.push_back(static_cast<uint8_t>(cells));
    bytes_.push_back(byte);
  };
  for (int col = 0; col < width_; ++col) {
    const char code = layout_.codes[col];
    const int byte = col == 0 ? 0 : static_cast<int>(layout_.bytes[col - 1]);
    if (code == kColTrail || code == kColTabFill) continue;
    column_of_byte_[byte] = col;
    if (code == kColLead) {
      column_of_byte_[byte + 1] = col;
      const codec::DecodedChar d = codec::DecodeChar(text, byte);
      if (d.length == 2) {
        put(d.ch, col, 2, byte);
      } else {
        // A lead byte without a valid trail: one replacement cell; the second byte keeps its own
        // cell so the rest of the row stays on the grid.
        put(kReplacement, col, 1, byte);
        const codec::DecodedChar t = codec::DecodeChar(text, byte + 1);
        put(t.ch < 0x20 ? u'\0' : t.ch, col + 1, 1, byte + 1);
      }
      continue;
    }
    const auto c = static_cast<unsigned char>(text[byte]);
    if (c < 0x20) {
      put(u'\0', col, 1, byte);  // tab or control byte: nothing to draw
    } else {
      put(codec::DecodeChar(text, byte).ch, col, 1, byte);
    }
  }
}

int RowCells::ColumnOfByte(int index) const {
  if (index < 0) return 0;
  if (index >= static_cast<int>(column_of_byte_.size())) return width_ + (index - drawn_bytes_);
  return column_of_byte_[index];
}

int RowCells::FirstCharAtOrAfter(int byte) const {
  return static_cast<int>(std::lower_bound(bytes_.begin(), bytes_.end(), byte) - bytes_.begin());
}

void CellTextPainter::SetFont(const QFont& font, int charWidth, int ascent) {
  if (font != font_) {
    font_ = font;
    raw_ = QRawFont::fromFont(font_);
    glyphs_.assign(0x10000, kUnknownGlyph);
    advances_.assign(0x10000, 0);
  }
  char_width_ = charWidth;
  ascent_ = ascent;
}

int CellTextPainter::Advance(char16_t ch, quint32 glyph) {
  if (advances_.empty()) advances_.assign(0x10000, 0);
  uint8_t& cached = advances_[ch];
  if (cached != 0) return cached;
  qreal advance = 0;
  if (glyph != 0) {
    QPointF a;
    raw_.advancesForGlyphIndexes(&glyph, &a, 1);
    advance = a.x();
  } else {
    advance = QFontMetricsF(font_).horizontalAdvance(QChar(ch));
  }
  cached = static_cast<uint8_t>(std::clamp(static_cast<int>(std::ceil(advance - 0.01)), 1, 255));
  return cached;
}

void CellTextPainter::DrawFitted(QPainter& p, char16_t ch, qreal x, int baseline, int cells, int advance) {
  const int width = cells * char_width_;
  p.save();
  // Tall enough for any glyph of the row; the caller's clip still limits the rows.
  p.setClipRect(QRectF(x, baseline - 4 * ascent_ - 8, width, 8 * ascent_ + 16), Qt::IntersectClip);
  p.translate(x, baseline);
  if (advance > width) p.scale(static_cast<qreal>(width) / advance, 1.0);
  p.drawText(QPointF(0, 0), QString(QChar(ch)));
  p.restore();
}

quint32 CellTextPainter::Glyph(char16_t ch) {
  if (glyphs_.empty()) glyphs_.assign(0x10000, kUnknownGlyph);
  quint32& cached = glyphs_[ch];
  if (cached != kUnknownGlyph) return cached;
  quint32 g = 0;
  int n = 1;
  const QChar qc(ch);
  if (raw_.isValid() && !QChar::isSurrogate(ch)) raw_.glyphIndexesForChars(&qc, 1, &g, &n);
  cached = g;
  return g;
}

void CellTextPainter::Draw(QPainter& p, const RowCells& cells, int x0, int top, int fromByte, int toByte,
                           const QColor& color, uint8_t style) {
  const int baseline = top + ascent_;
  const int first = cells.FirstCharAtOrAfter(fromByte);
  const int count = cells.Count();
  p.setPen(color);
  const bool styled = style & (store::fsBold | store::fsItalic);
  if (styled) {
    // Bold and italic rely on Qt's synthesis of faces the font lacks, which only text drawing does.
    QFont f = font_;
    f.setBold(style & store::fsBold);
    f.setItalic(style & store::fsItalic);
    p.setFont(f);
    for (int i = first; i < count && cells.Byte(i) < toByte; ++i) {
      const char16_t ch = cells.Char(i);
      if (ch == 0) continue;
      const qreal x = x0 + cells.Column(i) * char_width_;
      const quint32 g = Glyph(ch);
      const int advance = Advance(ch, g);
      if (g == 0 || advance > cells.Cells(i) * char_width_) {
        DrawFitted(p, ch, x, baseline, cells.Cells(i), advance);
      } else {
        p.drawText(QPointF(x, baseline), QString(QChar(ch)));
      }
    }
    return;
  }
  QList<quint32> glyphs;
  QList<QPointF> positions;
  bool font_set = false;
  for (int i = first; i < count && cells.Byte(i) < toByte; ++i) {
    const char16_t ch = cells.Char(i);
    if (ch == 0 || ch == u' ') continue;
    const qreal x = x0 + cells.Column(i) * char_width_;
    const quint32 g = Glyph(ch);
    const int advance = Advance(ch, g);
    if (g == 0 || advance > cells.Cells(i) * char_width_) {
      // Not in the editor font (Qt finds a font that has it) or too wide: still in its cells.
      if (!font_set) {
        p.setFont(font_);
        font_set = true;
      }
      DrawFitted(p, ch, x, baseline, cells.Cells(i), advance);
      continue;
    }
    glyphs.append(g);
    positions.append(QPointF(x, baseline));
  }
  if (glyphs.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  p.drawGlyphRun(QPointF(0, 0), run);
}

}  // namespace editor::qt
