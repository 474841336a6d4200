// The editor model's input-method composition: where the text being composed sits, the rows of
// its wrap unit laid out with it as if it were inserted, the rows as painted around them, the
// commit with the input method's replacement of surrounding text, and the text it may read.
#include <algorithm>
#include <climits>

#include "codec/cp932.h"
#include "editor/editormodel.h"

namespace editor {

namespace {

// An input method reads at most this much text around the caret of a very long line.
constexpr int kSurroundingHalf = 2048;

// Byte offsets of the character starts of `text`, and its end.
std::vector<int> CharStarts(std::string_view text) {
  std::vector<int> starts;
  starts.reserve(text.size() + 1);
  size_t i = 0;
  while (i < text.size()) {
    starts.push_back(static_cast<int>(i));
    i += static_cast<size_t>(std::max(1, codec::DecodeChar(text, i).length));
  }
  starts.push_back(static_cast<int>(text.size()));
  return starts;
}

}  // namespace

// ---- text around the caret ---------------------------------------------------------------------

std::string EditorModel::LinesText(int first, int last, bool last_break) const {
  std::string out;
  const int n = doc_->Count();
  for (int r = std::max(first, 0); r <= last && r < n; ++r) {
    out.append(RowView(r));
    if (doc_->RowAttr(r) == rowLineBreak && (r < last || last_break)) out.append("\r\n");
  }
  return out;
}

SurroundingText EditorModel::Surrounding() const {
  SurroundingText s;
  const int n = doc_->Count();
  const SelPoint caret = compose_.active ? compose_.from : PointAt(CaretPos());
  if (caret.row >= n) return s;
  const int first = doc_->FirstRowOfLine(caret.row);
  // Offsets of points in the text of rows first.. (the rows of one line have nothing between).
  auto offset = [&](const SelPoint& p) {
    int64_t off = 0;
    for (int r = first; r < std::min(p.row, n); ++r)
      off += static_cast<int64_t>(RowView(r).size()) + (doc_->RowAttr(r) == rowLineBreak ? 2 : 0);
    if (p.row < n) off += std::clamp(p.byte, 0, static_cast<int>(RowView(p.row).size()));
    return off;
  };
  if (compose_.active) {
    // As the text will read after the commit: the span the composition replaces left out.
    const int last = doc_->LastRowOfLine(std::min(compose_.to.row, n - 1));
    s.text = LinesText(first, last, compose_.to.row > last);
    const auto a = static_cast<size_t>(offset(compose_.from));
    const size_t b = std::min(s.text.size(), static_cast<size_t>(offset(compose_.to)));
    s.text.erase(a, b - a);
    s.cursor = s.anchor = static_cast<int>(a);
    if (s.text.size() >= 2 && s.text.compare(s.text.size() - 2, 2, "\r\n") == 0) s.text.resize(s.text.size() - 2);
  } else {
    s.text = LinesText(first, doc_->LastRowOfLine(caret.row), false);
    s.cursor = static_cast<int>(offset(caret));
    s.anchor = s.cursor;
    if (selected_ && !sel_box_) {
      s.anchor = sel_anchor_.row < first ? 0 : static_cast<int>(std::min<int64_t>(offset(sel_anchor_), s.text.size()));
    }
  }
  const int size = static_cast<int>(s.text.size());
  if (size > 2 * kSurroundingHalf) {
    // A window of whole characters around the caret.
    const std::vector<int> starts = CharStarts(s.text);
    const int from = *(std::upper_bound(starts.begin(), starts.end(), std::max(0, s.cursor - kSurroundingHalf)) - 1);
    const int to = *std::lower_bound(starts.begin(), starts.end(), std::min(size, s.cursor + kSurroundingHalf));
    s.text = s.text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    s.cursor -= from;
    s.anchor = std::clamp(s.anchor - from, 0, to - from);
  }
  return s;
}

// ---- composing ---------------------------------------------------------------------------------

void EditorModel::SetComposition(std::string_view cp932, int cursor, bool cursor_visible) {
  if (cp932.empty()) {
    DropComposition();
    return;
  }
  if (ReadOnly()) return;
  const bool was = compose_.active;
  const int old_paint_top = PaintTopRow();
  const int old_top = compose_.top;
  const int old_rows = static_cast<int>(compose_.rows.size());
  const int old_replaced = compose_.replaced;
  if (!was) {
    // A box cannot stand in one place: it goes first, as its own edit.
    if (selected_ && sel_box_) DeleteSelection();
    const int n = doc_->Count();
    compose_.pad = 0;
    if (selected_) {
      const auto [a, b] = OrderedSelection();
      compose_.from = a;
      compose_.to = b;
    } else {
      compose_.from = compose_.to = PointAt(CaretPos());
      if (row_ >= n) {
        compose_.pad = col_;
      } else if (col_ > RowWidth(row_)) {
        compose_.pad = col_ - RowWidth(row_);
      }
    }
    compose_.active = true;
  }
  compose_.text.assign(cp932);
  compose_.cursor = std::clamp(cursor, 0, static_cast<int>(compose_.text.size()));
  compose_.cursor_visible = cursor_visible;
  LayOutComposition();
  if (PaintTopRow() != old_paint_top) {
    Invalidate();
  } else {
    RepaintComposition(was, old_top, old_rows, old_replaced);
  }
  ScrollCompositionIntoView();
  UpdateCaret();
}

void EditorModel::LayOutComposition() {
  Composition& c = compose_;
  const int n = doc_->Count();
  const SelPoint& a = c.from;
  const SelPoint& b = c.to;
  // The unit an insertion there would re-cut: whole logical lines, from the row before when it
  // continues the same line (the line-breaking rules may pull a character back onto it).
  int tail = n - 1;
  if (a.row >= n) {
    c.top = n;
  } else {
    c.top = std::max(doc_->FirstRowOfLine(a.row), a.row - 1);
    tail = doc_->LastRowOfLine(std::min(b.row, n - 1));
  }
  c.replaced = std::max(0, tail - c.top + 1);
  const std::string old = c.replaced > 0 ? LinesText(c.top, tail, true) : std::string();
  auto offset = [&](const SelPoint& p) {
    if (p.row >= n) return old.size();
    size_t off = 0;
    for (int r = c.top; r < p.row; ++r) off += RowView(r).size() + (doc_->RowAttr(r) == rowLineBreak ? 2 : 0);
    return off + std::min(static_cast<size_t>(std::max(p.byte, 0)), RowView(p.row).size());
  };
  const size_t a_off = offset(a);
  const size_t b_off = std::max(a_off, offset(b));
  c.unit.assign(old, 0, a_off);
  c.unit.append(static_cast<size_t>(c.pad), ' ');
  c.start = static_cast<int>(c.unit.size());
  c.unit.append(c.text);
  c.unit.append(old, b_off, std::string::npos);

  c.rows.clear();
  WrapEngine& engine = doc_->Engine();
  ForEachRawLine(c.unit, [&](std::string_view line) {
    const size_t first = c.rows.size();
    engine.CutLine(line, c.rows);
    const auto at = static_cast<uint32_t>(line.data() - c.unit.data());
    for (size_t i = first; i < c.rows.size(); ++i) c.rows[i].offset += at;
  });
  c.rows.back().attr = b.row >= n ? rowTextEnd : doc_->RowAttr(tail);

  // The input method's cursor.
  const int x = c.start + c.cursor;
  const int k_count = static_cast<int>(c.rows.size());
  const int tab = caret_opt_.TabSpaceCount();
  for (int k = 0; k < k_count; ++k) {
    const RowCut& r = c.rows[k];
    const int end = static_cast<int>(r.offset + r.length);
    if (x < end || (x == end && r.attr != rowWrapped) || k == k_count - 1) {
      c.caret_row = k;
      const int in_row = std::clamp(x - static_cast<int>(r.offset), 0, static_cast<int>(r.length));
      c.caret_col =
          DisplayWidth(std::string_view(c.unit).substr(r.offset, static_cast<size_t>(in_row)), tab, WrapColumns());
      break;
    }
  }

  int lines = 0;
  for (const RowCut& r : c.rows) lines += r.attr != rowWrapped ? 1 : 0;
  for (int r = c.top; r <= tail && r < n; ++r) lines -= doc_->RowAttr(r) != rowWrapped ? 1 : 0;
  c.line_delta = lines;

  c.coloured.Clear();
  for (const RowCut& r : c.rows) c.coloured.AddRow(std::string_view(c.unit).substr(r.offset, r.length), r.attr);
  if (compose_colouring_ == nullptr) {
    compose_colouring_ = std::make_unique<RowColouring>(&ActiveFountain());
  } else if (compose_colouring_->Fountain() != &ActiveFountain()) {
    compose_colouring_->SetFountain(&ActiveFountain());
  }
  compose_colouring_->RecomputeAll(c.coloured);
}

void EditorModel::DropComposition() {
  if (!compose_.active) return;
  const int old_paint_top = PaintTopRow();
  const int old_top = compose_.top;
  const int old_rows = static_cast<int>(compose_.rows.size());
  const int old_replaced = compose_.replaced;
  compose_.active = false;
  compose_.text.clear();
  compose_.unit.clear();
  compose_.rows.clear();
  compose_.coloured.Clear();
  if (PaintTopRow() != old_paint_top) {
    Invalidate();
  } else {
    RepaintComposition(true, old_top, old_rows, old_replaced);
  }
  UpdateCaret();
}

void EditorModel::CancelComposition() { DropComposition(); }

void EditorModel::RepaintComposition(bool was_active, int old_top, int old_rows, int old_replaced) {
  int first = INT_MAX / 2, last = -1;
  int old_delta = 0, new_delta = 0;
  if (was_active) {
    first = old_top;
    last = old_top + std::max(old_rows, old_replaced) - 1;
    old_delta = old_rows - old_replaced;
  }
  if (compose_.active) {
    first = std::min(first, compose_.top);
    last = std::max(last, compose_.top + std::max(static_cast<int>(compose_.rows.size()), compose_.replaced) - 1);
    new_delta = CompositionDelta();
  }
  // Rows below move when the composed unit grows or shrinks.
  if (old_delta != new_delta || (was_active && compose_.active && old_top != compose_.top)) last = INT_MAX / 2;
  InvalidatePaintRows(first, last, kAreaRows);
}

void EditorModel::ScrollCompositionIntoView() {
  const Composition& c = compose_;
  const int vis = layout_.visible_rows;
  const int caret = c.top + c.caret_row;
  const int top = PaintTopRow();
  int want = top;
  if (caret < top) {
    want = caret;
  } else if (caret > top + vis - 1) {
    want = caret - vis + 1;
  }
  if (want != top) {
    // The document row that puts `want` at the top; the rows the composition adds cannot start
    // the view, so the nearest one above does.
    const int unit_end = c.top + std::max(c.replaced, 1);
    int row = want;
    if (want >= unit_end) row = want - CompositionDelta() >= unit_end ? want - CompositionDelta() : unit_end - 1;
    SetTopRow(row);
  }
  const int cols = layout_.visible_cols;
  if (c.caret_col < top_col_) {
    SetTopCol(c.caret_col);
  } else if (c.caret_col > top_col_ + cols - 1) {
    SetTopCol(c.caret_col - cols + 1);
  }
}

void EditorModel::CommitComposition(std::string_view cp932, int replace_start, int replace_length) {
  DropComposition();
  if (ReadOnly()) return;
  if (replace_start == 0 && replace_length <= 0) {
    if (!cp932.empty()) TypeText(cp932);
    return;
  }
  std::string buffer;
  cp932 = WithRowLineEnds(cp932, buffer);
  EditScope edit(*this);
  if (selected_ && sel_box_) DeleteSelection();
  const int n = doc_->Count();
  SelPoint a = PointAt(CaretPos());
  SelPoint b = a;
  if (selected_) std::tie(a, b) = OrderedSelection();
  if (a.row >= n) {
    // Nothing to replace on the empty row after the text.
    if (!cp932.empty()) InsertText(cp932);
    return;
  }
  // Qt's rule: the selection goes first, then the replacement counts from where the caret is.
  const int first = doc_->FirstRowOfLine(a.row);
  const int last = doc_->LastRowOfLine(std::min(b.row, n - 1));
  const bool last_break = b.row > last;
  const std::string whole = LinesText(first, last, true);
  auto offset = [&](const SelPoint& p) {
    if (p.row > last) return static_cast<int>(whole.size());
    int off = 0;
    for (int r = first; r < p.row; ++r)
      off += static_cast<int>(RowView(r).size()) + (doc_->RowAttr(r) == rowLineBreak ? 2 : 0);
    return off + std::clamp(p.byte, 0, static_cast<int>(RowView(p.row).size()));
  };
  const int a_off = offset(a);
  const int b_off = std::max(a_off, offset(b));
  std::string rest = whole.substr(0, static_cast<size_t>(a_off)) + whole.substr(static_cast<size_t>(b_off));
  // The line as the input method read it ends before its line break.
  const int break_bytes = doc_->RowAttr(last) == rowLineBreak && !last_break ? 2 : 0;
  const std::vector<int> starts =
      CharStarts(std::string_view(rest).substr(0, rest.size() - static_cast<size_t>(break_bytes)));
  const int at = static_cast<int>(std::lower_bound(starts.begin(), starts.end(), a_off) - starts.begin());
  const int count = static_cast<int>(starts.size()) - 1;
  const int from_index = std::clamp(at + replace_start, 0, count);
  const int to_index = std::clamp(from_index + std::max(replace_length, 0), from_index, count);
  const int rs = starts[static_cast<size_t>(from_index)];
  const int re = starts[static_cast<size_t>(to_index)];
  const std::string result =
      rest.substr(0, static_cast<size_t>(rs)) + std::string(cp932) + rest.substr(static_cast<size_t>(re));
  // The edit is the span from the first changed byte to the last, in the line before and after.
  const int lo = std::min(a_off, rs);
  const int suffix = static_cast<int>(rest.size()) - std::max(re, a_off);
  const int hi = static_cast<int>(whole.size()) - suffix;
  const std::string replacement =
      result.substr(static_cast<size_t>(lo), result.size() - static_cast<size_t>(suffix) - lo);
  ClearSelection();
  ReplaceSpan(BytesAfter(first, lo), BytesAfter(first, hi), replacement,
              static_cast<int64_t>(rs) + static_cast<int64_t>(cp932.size()) - lo);
}

// ---- rows as painted ---------------------------------------------------------------------------

int EditorModel::PaintTopRow() const {
  if (!compose_.active) return top_row_;
  const int unit_end = compose_.top + std::max(compose_.replaced, 1);
  return top_row_ < unit_end ? top_row_ : top_row_ + CompositionDelta();
}

int EditorModel::PaintRowCount() const { return doc_->Count() + (compose_.active ? CompositionDelta() : 0); }

EditorModel::PaintSource EditorModel::SourceOf(int paint_row) const {
  if (!compose_.active || paint_row < compose_.top) return {paint_row, -1};
  const int k = paint_row - compose_.top;
  if (k < static_cast<int>(compose_.rows.size())) return {compose_.top, k};
  return {paint_row - CompositionDelta(), -1};
}

int EditorModel::PaintRowOf(int row) const {
  if (!compose_.active || row < compose_.top) return row;
  if (row >= compose_.top + compose_.replaced) return row + CompositionDelta();
  return compose_.top + std::min(row - compose_.top, static_cast<int>(compose_.rows.size()) - 1);
}

RowPaintInfo EditorModel::PaintInfo(int row) const {
  if (!compose_.active) return DocumentPaintInfo(row);
  const PaintSource src = SourceOf(row);
  RowPaintInfo p = src.composed >= 0 ? ComposedPaintInfo(src.composed) : DocumentPaintInfo(src.row);
  if (src.composed < 0) p.caret_row = false;
  p.row = row;
  p.y = PaintRowY(row);
  return p;
}

RowPaintInfo EditorModel::ComposedPaintInfo(int k) const {
  const Composition& c = compose_;
  const RowCut& r = c.rows[static_cast<size_t>(k)];
  RowPaintInfo p;
  p.text = std::string_view(c.unit).substr(r.offset, r.length);
  p.attr = r.attr;
  p.marks = k < c.replaced ? RowMarks(c.top + k) : 0;
  p.caret_row = k == c.caret_row;
  const int width = DisplayWidth(p.text, caret_opt_.TabSpaceCount(), WrapColumns());
  p.end_col = std::min(width, kMaxCol);
  const bool last_of_text = k == static_cast<int>(c.rows.size()) - 1 && c.top + c.replaced >= doc_->Count();
  if (width > kMaxCol && marks_opt_.HideMark().Visible()) {
    p.end_mark = RowEndMark::Hide;
  } else if (marks_opt_.EofMark().Visible() && last_of_text && p.attr == rowTextEnd) {
    p.end_mark = RowEndMark::Eof;
  } else if (marks_opt_.RetMark().Visible() && p.attr == rowLineBreak) {
    p.end_mark = RowEndMark::Return;
  } else if (marks_opt_.WrapMark().Visible() && p.attr == rowWrapped) {
    p.end_mark = RowEndMark::Wrap;
  }
  const int from = std::clamp(c.start - static_cast<int>(r.offset), 0, static_cast<int>(r.length));
  const int to =
      std::clamp(c.start + static_cast<int>(c.text.size()) - static_cast<int>(r.offset), 0, static_cast<int>(r.length));
  if (to > from) {
    p.composition_start = from;
    p.composition_end = to;
    p.composition_offset = static_cast<int>(r.offset) + from - c.start;
  }
  return p;
}

TRowTokenIterator& EditorModel::PaintTokens(int row) {
  const PaintSource src = SourceOf(row);
  if (src.composed >= 0) return compose_colouring_->PaintRow(compose_.coloured, src.composed, doc_->WordWrap());
  return colouring_->PaintRow(*doc_, src.row, doc_->WordWrap());
}

std::string EditorModel::LineNumberText(int row) const {
  if (!leftbar_opt_.ShowNumber()) return {};
  const int n = doc_->Count();
  const bool line_mode = leftbar_opt_.ShowNumberMode() == nmLine;
  if (!compose_.active) {
    if (row < 0 || row > doc_->CaretRowLimit()) return {};
    if (!line_mode) return FormatLineNumber(row);
    if (row > 0 && row - 1 < n && doc_->RowAttr(row - 1) == rowWrapped) return {};
    return FormatLineNumber(doc_->RowToLine(row));
  }
  const PaintSource src = SourceOf(row);
  if (row < 0) return {};
  if (src.composed >= 0) {
    if (!line_mode) return FormatLineNumber(row);
    const Composition& c = compose_;
    const bool continued = src.composed > 0 ? c.rows[static_cast<size_t>(src.composed) - 1].attr == rowWrapped
                                            : c.top > 0 && c.top - 1 < n && doc_->RowAttr(c.top - 1) == rowWrapped;
    if (continued) return {};
    int line = doc_->RowToLine(c.top);
    for (int k = 0; k < src.composed; ++k) line += c.rows[static_cast<size_t>(k)].attr != rowWrapped ? 1 : 0;
    return FormatLineNumber(line);
  }
  if (src.row > doc_->CaretRowLimit()) return {};
  if (src.row < compose_.top) {
    if (!line_mode) return FormatLineNumber(row);
    if (src.row > 0 && doc_->RowAttr(src.row - 1) == rowWrapped) return {};
    return FormatLineNumber(doc_->RowToLine(src.row));
  }
  // Below the unit.
  if (src.row >= n && compose_.top + compose_.replaced >= n) return {};
  if (!line_mode) return FormatLineNumber(row);
  if (src.row > 0 && src.row - 1 < n && doc_->RowAttr(src.row - 1) == rowWrapped) return {};
  return FormatLineNumber(doc_->RowToLine(src.row) + compose_.line_delta);
}

void EditorModel::InvalidatePaintRows(int first, int last, unsigned areas) {
  if (viewport_ == nullptr || updating_) return;
  const int top = PaintTopRow();
  first = std::max(first, top);
  last = std::min(last, top + layout_.visible_rows);  // the partly visible row too
  if (first > last) return;
  viewport_->InvalidateRows(first, last, areas);
}

}  // namespace editor
