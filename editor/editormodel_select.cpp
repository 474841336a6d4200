// The editor model's selection: stream and box ranges, byte offsets, selected text.
#include <algorithm>

#include "editor/editormodel.h"

namespace editor {

namespace {

int BreakBytes(RowAttribute a) { return a == rowLineBreak ? 2 : 0; }

bool Before(const SelPoint& a, const SelPoint& b) {
  if (a.row != b.row) return a.row < b.row;
  if (a.byte != b.byte) return a.byte < b.byte;
  return a.col < b.col;
}

}  // namespace

// ---- points ------------------------------------------------------------------------------------

SelPoint EditorModel::PointAt(Position p) const {
  SelPoint s{p.row, 0, p.col};
  if (p.row < 0 || p.row >= doc_->Count()) return s;
  const int width = RowWidth(p.row);
  s.byte = p.col > width ? static_cast<int>(RowView(p.row).size()) : ByteAt(p.row, p.col);
  return s;
}

SelPoint EditorModel::PointAtByte(int row, int byte) const {
  if (row < 0 || row >= doc_->Count()) return {row, 0, 0};
  byte = std::clamp(byte, 0, static_cast<int>(RowView(row).size()));
  return {row, byte, ColOfByte(row, byte)};
}

SelPoint EditorModel::TextEndPoint() const {
  const int n = doc_->Count();
  if (n == 0) return {};
  if (doc_->RowAttr(n - 1) == rowLineBreak) return {n, 0, 0};
  return PointAtByte(n - 1, static_cast<int>(RowView(n - 1).size()));
}

SelPoint EditorModel::BytesAfter(int row, int64_t offset) const {
  const int n = doc_->Count();
  row = std::max(row, 0);
  offset = std::max<int64_t>(offset, 0);
  while (row < n) {
    const auto len = static_cast<int64_t>(RowView(row).size());
    const RowAttribute a = doc_->RowAttr(row);
    const int64_t span = len + (a == rowLineBreak ? 2 : a == rowTextEnd ? 1 : 0);
    if (offset < span || (row == n - 1 && a != rowLineBreak))
      return PointAtByte(row, static_cast<int>(std::min(offset, len)));
    offset -= span;
    ++row;
  }
  return {n, 0, 0};
}

int64_t EditorModel::OffsetOf(int row, int byte) const {
  const int n = doc_->Count();
  int64_t offset = 0;
  for (int r = 0; r < std::min(row, n); ++r)
    offset += static_cast<int64_t>(RowView(r).size()) + BreakBytes(doc_->RowAttr(r));
  if (row < n) offset += std::clamp(byte, 0, static_cast<int>(RowView(row).size()));
  return offset;
}

std::string EditorModel::TextBetween(const SelPoint& a, const SelPoint& b) const {
  const int n = doc_->Count();
  std::string out;
  if (a.row >= n || Before(b, a)) return out;
  const int last = std::min(b.row, n - 1);
  for (int r = a.row; r <= last; ++r) {
    std::string_view t = RowView(r);
    const size_t from = r == a.row ? static_cast<size_t>(std::min<int>(a.byte, static_cast<int>(t.size()))) : 0;
    if (r == b.row) {
      const size_t to = std::clamp<size_t>(static_cast<size_t>(std::max(b.byte, 0)), from, t.size());
      out.append(t.substr(from, to - from));
    } else {
      out.append(t.substr(from));
      if (doc_->RowAttr(r) == rowLineBreak) out.append("\r\n");
    }
  }
  return out;
}

std::pair<int, int> EditorModel::BoxBytes(int row, int left, int right) const {
  if (row < 0 || row >= doc_->Count() || left >= right) return {0, 0};
  // Characters whose first column lies inside [left, right) belong to the box.
  while (CodeAt(row, left) == kColTrail || CodeAt(row, left) == kColTabFill) ++left;
  while (CodeAt(row, right) == kColTrail || CodeAt(row, right) == kColTabFill) ++right;
  const int from = ByteAt(row, left);
  const int to = ByteAt(row, right);
  return {from, std::max(from, to)};
}

// ---- state -------------------------------------------------------------------------------------

std::pair<SelPoint, SelPoint> EditorModel::OrderedSelection() const {
  if (sel_box_) {
    SelPoint a{std::min(sel_anchor_.row, sel_caret_.row), 0, std::min(sel_anchor_.col, sel_caret_.col)};
    SelPoint b{std::max(sel_anchor_.row, sel_caret_.row), 0, std::max(sel_anchor_.col, sel_caret_.col)};
    a.byte = BoxBytes(a.row, a.col, b.col).first;
    b.byte = BoxBytes(b.row, a.col, b.col).second;
    return {a, b};
  }
  if (Before(sel_caret_, sel_anchor_)) return {sel_caret_, sel_anchor_};
  return {sel_anchor_, sel_caret_};
}

Position EditorModel::SelectionStart() const {
  if (!selected_) return CaretPos();
  const SelPoint a = OrderedSelection().first;
  return {a.row, a.col};
}

Position EditorModel::SelectionEnd() const {
  if (!selected_) return CaretPos();
  const SelPoint b = OrderedSelection().second;
  return {b.row, b.col};
}

void EditorModel::SetSelection(const SelPoint& anchor, const SelPoint& other, bool box) {
  DropComposition();
  const bool was = selected_;
  int old_first = 0, old_last = -1;
  if (was) {
    old_first = std::min(sel_anchor_.row, sel_caret_.row);
    old_last = std::max(sel_anchor_.row, sel_caret_.row);
  }
  const bool changed = !was || sel_box_ != box || sel_anchor_ != anchor || sel_caret_ != other;
  sel_anchor_ = anchor;
  sel_caret_ = other;
  sel_box_ = box;
  selected_ = true;
  hit_shown_ = false;
  if (!changed) return;
  int first = std::min(anchor.row, other.row);
  int last = std::max(anchor.row, other.row);
  if (was) {
    first = std::min(first, old_first);
    last = std::max(last, old_last);
  }
  InvalidateRows(first, last, kAreaText);
  if (viewport_ != nullptr) viewport_->OnSelectionChange(true);
}

void EditorModel::ClearSelection() {
  if (!selected_) return;
  DropComposition();  // it stood in for the selection
  selected_ = false;
  hit_shown_ = false;
  InvalidateRows(std::min(sel_anchor_.row, sel_caret_.row), std::max(sel_anchor_.row, sel_caret_.row), kAreaText);
  if (viewport_ != nullptr) viewport_->OnSelectionChange(false);
}

void EditorModel::Select(Position anchor, Position caret) {
  const int limit = std::max(0, doc_->CaretRowLimit());
  anchor.row = std::clamp(anchor.row, 0, limit);
  KeepState none;
  anchor.col = NormalizeColumn(anchor.row, anchor.col, -1, false, none);
  MoveCaret(caret.row, caret.col, 1, false);
  if (anchor == CaretPos()) {
    ClearSelection();
    return;
  }
  SetSelection(PointAt(anchor), PointAt(CaretPos()), box_);
}

void EditorModel::SelectBytes(const SelPoint& from, const SelPoint& to) {
  const SelPoint caret = to;
  MoveCaret(caret.row, std::min(caret.col, kMaxCaretCol), 1, false);
  if (from == to) {
    ClearSelection();
    return;
  }
  SetSelection(from, to, false);
}

void EditorModel::ExtendSelection(Position from) {
  const SelPoint anchor = selected_ ? sel_anchor_ : PointAt(from);
  const SelPoint caret = PointAt(CaretPos());
  if (!selected_ && anchor == caret) return;
  SetSelection(anchor, caret, box_);
}

void EditorModel::SelectAll() {
  const SelPoint end = TextEndPoint();
  SelectBytes(SelPoint{}, end);
}

void EditorModel::SetBoxSelection(bool box) {
  if (mouse_selecting_) return;
  if (box_ == box) return;
  box_ = box;
  if (selected_) {
    // The same ends, now read as the other kind.
    sel_box_ = box;
    sel_anchor_ = PointAt({sel_anchor_.row, sel_anchor_.col});
    sel_caret_ = PointAt({sel_caret_.row, sel_caret_.col});
    InvalidateRows(std::min(sel_anchor_.row, sel_caret_.row), std::max(sel_anchor_.row, sel_caret_.row), kAreaText);
    if (viewport_ != nullptr) viewport_->SetMouseCursor(caret_opt_.Cursors().DefaultCursor());
  }
  if (viewport_ != nullptr) viewport_->OnSelectionModeChange();
}

// ---- offsets -----------------------------------------------------------------------------------

int64_t EditorModel::SelStart() const {
  if (selected_) {
    const SelPoint a = OrderedSelection().first;
    return OffsetOf(a.row, a.byte);
  }
  return OffsetOf(row_, std::min<int>(CaretByte(), static_cast<int>(RowView(row_).size())));
}

void EditorModel::SetSelStart(int64_t offset) {
  ClearSelection();
  if (offset <= 0) {
    MoveCaret(0, 0, -1, false);
    return;
  }
  const SelPoint p = BytesAfter(0, offset);
  MoveCaret(p.row, std::min(p.col, kMaxCaretCol), -1, false);
}

int64_t EditorModel::SelLength() const {
  if (!selected_) return 0;
  const auto [a, b] = OrderedSelection();
  const int n = doc_->Count();
  if (sel_box_) {
    int64_t total = 0;
    for (int r = a.row; r <= b.row && r < n; ++r) {
      const auto [from, to] = BoxBytes(r, a.col, b.col);
      total += to - from + 2;
    }
    return total;
  }
  if (a.row >= n) return 0;
  if (a.row == b.row) return std::max(0, b.byte - a.byte);
  int64_t total = static_cast<int64_t>(RowView(a.row).size()) - a.byte + BreakBytes(doc_->RowAttr(a.row));
  for (int r = a.row + 1; r < b.row && r < n; ++r)
    total += static_cast<int64_t>(RowView(r).size()) + BreakBytes(doc_->RowAttr(r));
  if (b.row < n) total += b.byte;
  return total;
}

void EditorModel::SetSelLength(int64_t length) {
  if (box_) {
    box_ = false;
    if (viewport_ != nullptr) viewport_->OnSelectionModeChange();
  }
  SelPoint start;
  if (selected_) {
    start = OrderedSelection().first;
  } else {
    start = PointAtByte(row_, std::min<int>(CaretByte(), static_cast<int>(RowView(row_).size())));
    if (row_ >= doc_->Count()) start = {row_, 0, 0};
  }
  ClearSelection();
  if (length <= 0) {
    MoveCaret(start.row, std::min(start.col, kMaxCaretCol), -1, false);
    return;
  }
  const SelPoint end = BytesAfter(start.row, start.byte + length);
  MoveCaret(start.row, std::min(start.col, kMaxCaretCol), -1, false);
  SelectBytes(start, end);
}

std::string EditorModel::SelText() const {
  if (!selected_) return {};
  const auto [a, b] = OrderedSelection();
  if (!sel_box_) return TextBetween(a, b);
  std::string out;
  const int n = doc_->Count();
  for (int r = a.row; r <= b.row && r < n; ++r) {
    if (r > a.row) out.append("\r\n");
    const auto [from, to] = BoxBytes(r, a.col, b.col);
    out.append(RowView(r).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
  }
  return out;
}

// ---- per row -----------------------------------------------------------------------------------

RowSelection EditorModel::SelectionOnRow(int row) const {
  RowSelection s;
  if (!selected_) return s;
  const auto [a, b] = OrderedSelection();
  if (row < a.row || row > b.row) return s;
  if (sel_box_) {
    s.start_col = a.col;
    s.end_col = b.col;
    std::tie(s.start_byte, s.end_byte) = BoxBytes(row, a.col, b.col);
    s.any = a.col < b.col;
    return s;
  }
  const int len = static_cast<int>(RowView(row).size());
  s.start_byte = row == a.row ? std::min(a.byte, len) : 0;
  s.end_byte = row == b.row ? std::min(b.byte, len) : len;
  s.start_col = row == a.row ? a.col : 0;
  s.end_col = row == b.row ? b.col : std::max(RowWidth(row), s.start_col);
  s.includes_end = row < b.row && row < doc_->Count();
  s.any = s.start_byte < s.end_byte || s.includes_end;
  return s;
}

bool EditorModel::InSelection(Position p) const { return InSelectionAt(p, false); }

bool EditorModel::InSelectionAt(Position p, bool inclusive_end) const {
  if (!selected_) return false;
  const auto [a, b] = OrderedSelection();
  if (p.row < a.row || p.row > b.row) return false;
  if (sel_box_) return p.col >= a.col && (p.col < b.col || (inclusive_end && p.col == b.col));
  const SelPoint q = PointAt(p);
  if (Before(q, a) && !(q.row == a.row && q.byte == a.byte)) return false;
  if (q.row == a.row && q.byte == a.byte && p.col < a.col) return false;
  if (q.row < b.row) {
    // Beyond the end of a row whose line end is selected counts as inside.
    return true;
  }
  if (q.byte < b.byte) return true;
  return inclusive_end && q.byte == b.byte;
}

}  // namespace editor
