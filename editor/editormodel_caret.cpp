// The editor model's caret: columns of a row, column normalisation, caret moves and its pixels.
#include <algorithm>

#include "codec/cp932.h"
#include "editor/editormodel.h"

namespace editor {

// ---- columns of a row --------------------------------------------------------------------------

int EditorModel::WrapColumns() const { return doc_->WordWrap() ? doc_->WrapOption().WrapByte() : 0; }

const ColumnLayout& EditorModel::Cols(int row) const {
  const std::string_view text = RowView(row);
  const int tab = caret_opt_.TabSpaceCount();
  const int wrap = WrapColumns();
  if (row != cols_row_ || doc_->TextRevision() != cols_revision_ || text.data() != cols_data_ ||
      text.size() != cols_size_ || tab != cols_tab_ || wrap != cols_wrap_ || delimiters_ != cols_delimiters_) {
    // Rows are laid out only as far as a caret can stand.
    BuildColumns(text, tab, wrap, kColumnLimit, delimiters_, cols_);
    cols_row_ = row;
    cols_revision_ = doc_->TextRevision();
    cols_data_ = text.data();
    cols_size_ = text.size();
    cols_tab_ = tab;
    cols_wrap_ = wrap;
    cols_delimiters_ = delimiters_;
  }
  return cols_;
}

int EditorModel::RowWidth(int row) const {
  if (row < 0 || row >= doc_->Count()) return 0;
  return Cols(row).Columns();
}

char EditorModel::CodeAt(int row, int col) const {
  if (col < 0 || row < 0 || row >= doc_->Count()) return kColEnd;
  return Cols(row).Code(col + 1);
}

int EditorModel::ByteAt(int row, int col) const {
  if (col <= 0 || row < 0 || row >= doc_->Count()) return 0;
  const ColumnLayout& l = Cols(row);
  if (col <= l.Columns()) return static_cast<int>(l.bytes[col - 1]);
  return static_cast<int>(RowView(row).size());
}

int EditorModel::ColOfByte(int row, int byte) const {
  const std::string_view text = RowView(row);
  byte = std::clamp(byte, 0, static_cast<int>(text.size()));
  return DisplayWidth(text.substr(0, static_cast<size_t>(byte)), caret_opt_.TabSpaceCount(), WrapColumns());
}

int EditorModel::CharEndCol(int row, int col) const {
  const char code = CodeAt(row, col);
  if (code == kColEnd) return col;
  int end = col + 1;
  if (code == kColLead) return col + 2;
  while (CodeAt(row, end) == kColTabFill) ++end;
  return end;
}

int EditorModel::CharStartCol(int row, int col) const {
  // The start of the character that ends at `col`.
  int c = col - 1;
  while (c > 0 && (CodeAt(row, c) == kColTrail || CodeAt(row, c) == kColTabFill)) --c;
  return std::max(c, 0);
}

int EditorModel::CaretByte() const {
  const int width = RowWidth(row_);
  if (col_ > width) return static_cast<int>(RowView(row_).size()) + (col_ - width);
  return ByteAt(row_, col_);
}

// ---- normalisation -----------------------------------------------------------------------------

int EditorModel::StepOutOfCharacter(int row, int col, int direction) const {
  if (CodeAt(row, col) == kColTrail) col += direction;
  if (!caret_opt_.InTab()) {
    while (col > 0 && CodeAt(row, col) == kColTabFill) col += direction;
  }
  return std::max(col, 0);
}

int EditorModel::NormalizeCol(int row, int col, int direction, bool vertical) {
  KeepState keep{keep_col_, keep_valid_};
  col = NormalizeColumn(row, col, direction, vertical, keep);
  keep_col_ = keep.col;
  keep_valid_ = keep.valid;
  return col;
}

int EditorModel::NormalizeColumn(int row, int col, int direction, bool vertical, KeepState& keep) const {
  direction = direction < 0 ? -1 : 1;
  if (vertical && keep.valid) col = keep.col;
  col = std::clamp(col, 0, kMaxCaretCol);
  const int width = RowWidth(row);
  if (!caret_opt_.FreeCaret() && col > width) {
    if (caret_opt_.KeepCaret() && !keep.valid) {
      keep.col = col;
      keep.valid = true;
    }
    if (!(vertical && caret_opt_.FreeRow())) col = width;
  }
  col = StepOutOfCharacter(row, col, direction);
  if (doc_->WordWrap() && row < doc_->Count()) {
    int limited = col;
    if (doc_->RowAttr(row) == rowWrapped) {
      // The end of a wrapped row is the start of the next one.
      if (col >= width) limited = std::max(0, width - 1);
    } else {
      limited = std::min(col, std::max(width, doc_->WrapOption().WrapByte() - 1));
    }
    if (limited != col) col = StepOutOfCharacter(row, limited, -1);
  }
  if (col > kMaxCol) col = CodeAt(row, kMaxCol - 1) == kColLead ? kMaxCol + 1 : kMaxCol;
  return col;
}

// ---- moves -------------------------------------------------------------------------------------

void EditorModel::MoveCaret(int row, int col, int direction, bool vertical, bool scroll) {
  const int old_row = row_, old_col = col_;
  row = std::clamp(row, 0, std::max(0, doc_->CaretRowLimit()));
  if (!vertical) keep_valid_ = false;
  col = NormalizeCol(row, col, direction, vertical);
  row_ = row;
  col_ = col;
  CaretMoved(old_row, old_col);
  if (scroll) ScrollCaret();
}

void EditorModel::SetRow(int row) {
  row = std::clamp(row, 0, std::max(0, doc_->Count()));
  MoveCaret(row, col_, -1, true);
}

void EditorModel::SetCol(int col) {
  col = std::clamp(col, 0, kMaxCaretCol);
  MoveCaret(row_, col, col >= col_ ? 1 : -1, false);
}

void EditorModel::SetRowCol(int row, int col) {
  row = std::clamp(row, 0, std::max(0, doc_->Count()));
  col = std::clamp(col, 0, kMaxCaretCol);
  MoveCaret(row, col, col >= col_ ? 1 : -1, false);
}

void EditorModel::CaretMoved(int old_row, int old_col) {
  if (!keep_hit_caret_) hit_caret_ = false;
  if (row_ == old_row && col_ == old_col) {
    UpdateCaret();
    return;
  }
  DropComposition();  // it stood at the caret
  if (col_ != old_col && ruler_opt_.Visible() && viewport_ != nullptr && !updating_)
    viewport_->InvalidateRows(top_row_, top_row_, kAreaRuler);
  if (row_ != old_row && marks_opt_.Underline().Visible()) {
    InvalidateRows(old_row, old_row, kAreaText);
    InvalidateRows(row_, row_, kAreaText);
  }
  UpdateCaret();
  if (viewport_ != nullptr && !updating_ && lines_.UpdateCount() == 0) viewport_->OnCaretMoved();
}

// ---- pixels ------------------------------------------------------------------------------------

CaretInfo EditorModel::CaretRect() const {
  CaretInfo c;
  const EditorLayout& l = layout_;
  if (compose_.active) {
    // The input method's cursor inside the composition; its place counts even when hidden.
    const int row = compose_.top + compose_.caret_row;
    c.x = ColX(compose_.caret_col);
    c.y = PaintRowY(row);
    c.width = 2;
    c.height = l.text_height;
    const int top = PaintTopRow();
    c.visible = focused_ && compose_.cursor_visible && row >= top && row < top + l.visible_rows + 1 &&
                compose_.caret_col >= top_col_ && c.x <= l.width;
    return c;
  }
  c.x = ColX(col_);
  c.y = RowY(row_);
  c.height = l.text_height;
  if (hit_caret_) {
    c.shape = CaretShape::Hit;
    const int hit_end = ColOfByte(row_, ByteAt(row_, col_) + hit_length_);
    const int cols = hit_end > col_ ? hit_end - col_ : hit_length_;
    c.width = std::max(2, cols * l.char_width);
    c.height = l.row_pitch;
  } else if (overwrite_) {
    c.shape = CaretShape::Block;
    c.width = l.char_width * (CodeAt(row_, col_) == kColLead ? 2 : 1);
  } else if (caret_opt_.Style() == csBrief) {
    c.shape = CaretShape::Underline;
    c.width = l.char_width;
    c.height = 2;
    c.y += l.text_height - 2;
  } else {
    c.shape = CaretShape::Bar;
    c.width = 2;
  }
  c.visible =
      focused_ && row_ >= top_row_ && row_ < top_row_ + l.visible_rows + 1 && col_ >= top_col_ && c.x <= l.width;
  return c;
}

CaretInfo EditorModel::AnchorRect() const {
  if (compose_.active || !selected_ || sel_box_) return CaretRect();
  CaretInfo c = CaretRect();
  c.x = ColX(sel_anchor_.col);
  c.y = RowY(sel_anchor_.row);
  c.visible = false;
  return c;
}

void EditorModel::UpdateCaret() {
  if (viewport_ == nullptr || updating_) return;
  viewport_->UpdateCaret(CaretRect());
}

namespace {

// Pixels far outside any window are as good as the window's edge, and keep the arithmetic small.
constexpr int kPixelLimit = 1 << 20;
int ClampPixel(int v) { return std::clamp(v, -kPixelLimit, kPixelLimit); }

}  // namespace

Position EditorModel::PosFromPoint(int x, int y) const {
  x = ClampPixel(x);
  y = ClampPixel(y);
  const EditorLayout& l = layout_;
  const int dy = y - l.text_top;
  const int row_offset = dy >= 0 ? dy / l.row_pitch : -((-dy + l.row_pitch - 1) / l.row_pitch);
  const int row = std::clamp(top_row_ + row_offset, 0, std::max(0, doc_->CaretRowLimit()));
  // Nearest column boundary.
  const int dx = x - l.text_left;
  const int twice = 2 * dx + l.char_width;
  const int col_offset =
      twice >= 0 ? twice / (2 * l.char_width) : -((-twice + 2 * l.char_width - 1) / (2 * l.char_width));
  int col = std::clamp(top_col_ + col_offset, 0, kMaxCaretCol);
  // On the middle of a double-byte character or a tab, go to the nearer side.
  const int exact = dx >= 0 ? top_col_ + dx / l.char_width : top_col_ - 1;
  const int direction = exact >= col ? 1 : -1;
  KeepState none;
  return {row, NormalizeColumn(row, col, direction, false, none)};
}

Position EditorModel::CellFromPoint(int x, int y) const {
  x = ClampPixel(x);
  y = ClampPixel(y);
  const EditorLayout& l = layout_;
  const int dy = y - l.text_top;
  const int row = top_row_ + (dy >= 0 ? dy / l.row_pitch : -1);
  const int dx = x - l.text_left;
  const int col = top_col_ + (dx >= 0 ? dx / l.char_width : -1);
  return {row, col};
}

}  // namespace editor
