// The editor model's editing: typed text, insert and overwrite, deletions, BackSpace with
// un-indent, Tab, Enter with auto-indent, box paste, clipboard, undo. Every change goes through
// one ReplaceRows inside the edit bracket, so each is one undo entry.
#include <algorithm>

#include "codec/cp932.h"
#include "editor/editormodel.h"

namespace editor {

namespace {

std::string Spaces(int n) { return std::string(static_cast<size_t>(std::max(n, 0)), ' '); }

}  // namespace

// ---- the primitive -----------------------------------------------------------------------------

void EditorModel::ReplaceRowsAt(int row, int count, std::string_view s, int64_t caret_offset) {
  const int n = doc_->Count();
  // The document re-cuts from the previous row when it continues the same line; offsets after the
  // edit are counted from there, since rows before it stay as they are.
  int top = row;
  int64_t base = 0;
  if (row > 0 && row - 1 < n && doc_->RowAttr(row - 1) == rowWrapped) {
    top = row - 1;
    base = static_cast<int64_t>(RowView(top).size());
  }
  doc_->ReplaceRows(row, count, s);
  const SelPoint p = BytesAfter(top, base + caret_offset);
  MoveCaret(p.row, std::min(p.col, kMaxCaretCol), 1, false);
}

void EditorModel::ReplaceSpan(SelPoint a, SelPoint b, std::string_view text, int64_t caret_offset) {
  const int n = doc_->Count();
  if (caret_offset < 0) caret_offset = static_cast<int64_t>(text.size());
  if (a.row >= n) {
    if (!text.empty()) ReplaceRowsAt(n, 0, text, caret_offset);
    return;
  }
  if (b.row < a.row || (b.row == a.row && b.byte < a.byte)) b = a;
  const int r2 = std::min(b.row, n - 1);
  const std::string_view first = RowView(a.row);
  const size_t from = std::min(static_cast<size_t>(std::max(a.byte, 0)), first.size());
  if (b.row == a.row && b.byte == a.byte && text.empty()) return;
  std::string s;
  s.reserve(from + text.size() + (b.row < n ? RowView(r2).size() + 2 : 0));
  s.append(first.substr(0, from));
  s.append(text);
  if (b.row < n) {
    const std::string_view last = RowView(r2);
    s.append(last.substr(std::min(static_cast<size_t>(std::max(b.byte, 0)), last.size())));
    if (doc_->RowAttr(r2) == rowLineBreak) s.append("\r\n");
  }
  ReplaceRowsAt(a.row, r2 - a.row + 1, s, static_cast<int64_t>(from) + caret_offset);
}

void EditorModel::ReplaceSelection(std::string_view text) {
  const auto [a, b] = OrderedSelection();
  const bool box = sel_box_;
  ClearSelection();
  if (!box) {
    ReplaceSpan(a, b, text);
    return;
  }
  // Box: every row loses its columns of the box; the text goes where the box's first row began.
  const int n = doc_->Count();
  if (a.row >= n) {
    const SelPoint end{n, 0, 0};
    ReplaceSpan(end, end, Spaces(a.col) + std::string(text));
    return;
  }
  const int r2 = std::min(b.row, n - 1);
  std::string s;
  int64_t caret = 0;
  for (int r = a.row; r <= r2; ++r) {
    const std::string_view t = RowView(r);
    const auto [from, to] = BoxBytes(r, a.col, b.col);
    s.append(t.substr(0, static_cast<size_t>(from)));
    if (r == a.row) {
      const int width = RowWidth(r);
      if (a.col > width && !text.empty()) s.append(Spaces(a.col - width));
      s.append(text);
      caret = static_cast<int64_t>(s.size());
    }
    s.append(t.substr(static_cast<size_t>(to)));
    if (doc_->RowAttr(r) == rowLineBreak) s.append("\r\n");
  }
  if (s == ReadRowsText(a.row, r2)) {
    MoveCaret(a.row, a.col, -1, false);
    return;
  }
  ReplaceRowsAt(a.row, r2 - a.row + 1, s, caret);
}

std::string EditorModel::ReadRowsText(int first, int last) const {
  return doc_->ReadRows(first, last - first + 1).Text;
}

// ---- typing ------------------------------------------------------------------------------------

std::string_view EditorModel::WithRowLineEnds(std::string_view text, std::string& buffer) {
  if (text.find_first_of("\r\n") == std::string_view::npos) return text;
  buffer = CrLfLineEnds(text);
  return buffer;
}

void EditorModel::InsertText(std::string_view text) {
  if (ReadOnly() || text.empty()) return;
  std::string buffer;
  text = WithRowLineEnds(text, buffer);
  EditScope edit(*this);
  if (selected_) {
    ReplaceSelection(text);
    return;
  }
  InsertAtCaret(text);
}

void EditorModel::InsertAtCaret(std::string_view text) {
  const int n = doc_->Count();
  if (row_ >= n) {
    // After a final line break (or in an empty text): the caret column is padded.
    const SelPoint end{n, 0, 0};
    ReplaceSpan(end, end, Spaces(col_) + std::string(text));
    return;
  }
  const int width = RowWidth(row_);
  if (col_ > width) {
    const SelPoint end = PointAtByte(row_, static_cast<int>(RowView(row_).size()));
    ReplaceSpan(end, end, Spaces(col_ - width) + std::string(text));
    return;
  }
  const SelPoint p = PointAt(CaretPos());
  ReplaceSpan(p, p, text);
}

void EditorModel::TypeText(std::string_view text) {
  if (ReadOnly() || text.empty()) return;
  std::string buffer;
  text = WithRowLineEnds(text, buffer);
  EditScope edit(*this);
  if (selected_) {
    ReplaceSelection(text);
    return;
  }
  if (overwrite_ && row_ < doc_->Count() && col_ < RowWidth(row_)) {
    OverwriteText(text);
    return;
  }
  InsertAtCaret(text);
}

void EditorModel::OverwriteText(std::string_view text) {
  const int n = doc_->Count();
  const int start_byte = ByteAt(row_, col_);
  int remaining = DisplayWidth(text, caret_opt_.TabSpaceCount(), 0);
  int row = row_;
  int col = col_;
  int end_byte = 0;
  bool half = false;
  for (;;) {
    const int width = RowWidth(row);
    const int end = col + remaining;
    if (end < width) {
      const char code = CodeAt(row, end);
      if (code == kColTrail) {
        // The span ends on a first half: the second half becomes a space.
        half = true;
        end_byte = ByteAt(row, end + 1);
      } else {
        end_byte = ByteAt(row, end);
      }
      break;
    }
    if (end == width || doc_->RowAttr(row) != rowWrapped || row + 1 >= n) {
      end_byte = static_cast<int>(RowView(row).size());
      break;
    }
    // Continue into the wrapped continuation.
    remaining -= width - col;
    ++row;
    col = 0;
  }
  std::string s(RowView(row_).substr(0, static_cast<size_t>(start_byte)));
  s.append(text);
  if (half) s.push_back(' ');
  s.append(RowView(row).substr(static_cast<size_t>(end_byte)));
  if (doc_->RowAttr(row) == rowLineBreak) s.append("\r\n");
  ReplaceRowsAt(row_, row - row_ + 1, s, start_byte + static_cast<int64_t>(text.size()));
}

void EditorModel::ImeCommit(std::string_view cp932, bool chars_follow) {
  if (ReadOnly() || cp932.empty()) return;
  CommitComposition(cp932);
  if (chars_follow) ime_skip_ = static_cast<int>(cp932.size());
}

void EditorModel::CharInput(std::string_view cp932, Modifiers mods) {
  const size_t n = cp932.size();
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (ime_skip_ > 0) {
      // The same text again as characters, after an input-method result took it.
      --ime_skip_;
      continue;
    }
    if (codec::IsLeadByte(c)) {
      if (i + 1 < n && static_cast<unsigned char>(cp932[i + 1]) >= 0x40) {
        if (!ReadOnly()) TypeText(cp932.substr(i, 2));
        ++i;
      }
      // A lead byte without its trail is dropped.
      continue;
    }
    switch (c) {
      case 0x08:
        // Ctrl+BackSpace is a delete character on other platforms, which the editor ignores.
        if ((mods & kModCtrl) == 0) BackSpace();
        break;
      case 0x09: TabKey(mods); break;
      case 0x0D:
        // Ctrl+Enter is a line feed character on other platforms, which the editor ignores.
        if ((mods & kModCtrl) == 0 && props_.WantReturns) Enter((mods & kModShift) != 0);
        break;
      default:
        if ((c >= 0x20 && c <= 0x7E) || c >= 0xA0) {
          if (!ReadOnly()) TypeText(cp932.substr(i, 1));
        }
        break;
    }
  }
}

// ---- indentation -------------------------------------------------------------------------------

int EditorModel::IndentBytes(int row) const {
  const std::string_view t = RowView(row);
  size_t i = 0;
  while (i < t.size()) {
    if (t[i] == ' ' || t[i] == '\t') {
      ++i;
    } else if (i + 1 < t.size() && static_cast<unsigned char>(t[i]) == 0x81 &&
               static_cast<unsigned char>(t[i + 1]) == 0x40) {
      i += 2;  // full-width space
    } else {
      break;
    }
  }
  return static_cast<int>(i);
}

int EditorModel::IndentWidth(int row) const { return ColOfByte(row, IndentBytes(row)); }

std::string EditorModel::IndentText(int width) const {
  if (width <= 0) return {};
  if (caret_opt_.TabIndent()) {
    const int tab = caret_opt_.TabSpaceCount();
    return std::string(static_cast<size_t>(width / tab), '\t') + Spaces(width % tab);
  }
  return Spaces(width);
}

int EditorModel::AutoIndentWidth() const {
  const int n = doc_->Count();
  if (row_ >= n) return 0;
  const int first = doc_->FirstRowOfLine(row_);
  int width = IndentWidth(first);
  if (row_ == first) width = std::min(width, col_);
  if (width == 0 && row_ == first && RowView(row_).empty() && caret_opt_.PrevSpaceIndent()) {
    // The nearest earlier line with any text lends its indentation.
    for (int r = first - 1; r >= 0;) {
      const int line = doc_->FirstRowOfLine(r);
      bool empty = true;
      for (int k = line; k <= r; ++k)
        if (!RowView(k).empty()) empty = false;
      if (!empty) {
        width = IndentWidth(line);
        break;
      }
      r = line - 1;
    }
  }
  return width;
}

// ---- keys that edit ----------------------------------------------------------------------------

void EditorModel::Enter(bool shift) {
  if (ReadOnly()) return;
  if (selected_ && shift) return;
  EditScope edit(*this);
  if (selected_) ReplaceSelection({});
  const int n = doc_->Count();
  if (shift) {
    const int first = row_ >= n ? n : doc_->FirstRowOfLine(row_);
    const std::string indent = first < n ? IndentText(IndentWidth(first)) : std::string();
    const SelPoint p{first, 0, 0};
    ReplaceSpan(p, p, indent + "\r\n", static_cast<int64_t>(indent.size()));
    return;
  }
  if (row_ >= n) {
    const SelPoint end{n, 0, 0};
    ReplaceSpan(end, end, "\r\n");
    return;
  }
  if (overwrite_) {
    if (row_ + 1 <= doc_->CaretRowLimit()) MoveCaret(row_ + 1, 0, -1, false);
    return;
  }
  const std::string indent = caret_opt_.AutoIndent() ? IndentText(AutoIndentWidth()) : std::string();
  const int width = RowWidth(row_);
  const SelPoint p = col_ > width ? PointAtByte(row_, static_cast<int>(RowView(row_).size())) : PointAt(CaretPos());
  ReplaceSpan(p, p, "\r\n" + indent);
}

void EditorModel::TabKey(Modifiers mods) {
  if ((mods & (kModShift | kModCtrl)) != 0 || !props_.WantTabs || ReadOnly()) return;
  const int tab = caret_opt_.TabSpaceCount();
  int d = tab - col_ % tab;
  if (doc_->WordWrap()) {
    const int wrap = doc_->WrapOption().WrapByte();
    d = std::min(d, wrap - col_ % wrap);
  }
  if (overwrite_) {
    MoveCaret(row_, col_ + d, 1, false);
    return;
  }
  TypeText(caret_opt_.SoftTab() ? Spaces(d) : std::string("\t"));
}

void EditorModel::DeleteKey() {
  if (ReadOnly()) return;
  if (selected_) {
    DeleteSelection();
    return;
  }
  const int n = doc_->Count();
  if (row_ >= n) return;
  EditScope edit(*this);
  const int width = RowWidth(row_);
  if (col_ < width) {
    const SelPoint a = PointAt(CaretPos());
    const SelPoint b = PointAt({row_, CharEndCol(row_, col_)});
    ReplaceSpan(a, b, {}, 0);
    return;
  }
  const RowAttribute attr = doc_->RowAttr(row_);
  if (attr == rowTextEnd) return;
  const int len = static_cast<int>(RowView(row_).size());
  const SelPoint a = PointAtByte(row_, len);
  if (attr == rowWrapped) {
    // The row's end is the next row's start: delete the character there.
    const SelPoint b = PointAt({row_ + 1, CharEndCol(row_ + 1, 0)});
    const SelPoint from{row_ + 1, 0, 0};
    ReplaceSpan(from, b, {}, 0);
    return;
  }
  const std::string pad = Spaces(col_ - width);
  const SelPoint next{row_ + 1, 0, 0};
  ReplaceSpan(a, next, pad, static_cast<int64_t>(pad.size()));
}

void EditorModel::BackSpace() {
  if (ReadOnly()) return;
  if (selected_) {
    DeleteSelection();
    return;
  }
  EditScope edit(*this);
  const int n = doc_->Count();
  if (col_ == 0) {
    if (row_ == 0) return;
    const int prev = row_ - 1;
    const int len = static_cast<int>(RowView(prev).size());
    if (prev < n && doc_->RowAttr(prev) == rowWrapped) {
      const int from = ByteAt(prev, CharStartCol(prev, RowWidth(prev)));
      ReplaceSpan(PointAtByte(prev, from), PointAtByte(prev, len), {}, 0);
    } else {
      const SelPoint here = row_ >= n ? SelPoint{n, 0, 0} : SelPoint{row_, 0, 0};
      ReplaceSpan(PointAtByte(prev, len), here, {}, 0);
    }
    return;
  }
  const int width = RowWidth(row_);
  if (caret_opt_.BackSpaceUnIndent()) {
    const int indent_bytes = row_ < n ? IndentBytes(row_) : 0;
    const bool blank = indent_bytes == static_cast<int>(RowView(row_).size());
    if (blank || col_ == IndentWidth(row_)) {
      UnIndent();
      return;
    }
  }
  if (col_ > width) {
    MoveCaret(row_, col_ - 1, -1, false);
    return;
  }
  const int start = CharStartCol(row_, col_);
  ReplaceSpan(PointAt({row_, start}), PointAt(CaretPos()), {}, 0);
}

void EditorModel::UnIndent() {
  const int n = doc_->Count();
  int target = 0;
  for (int r = row_ - 1; r >= 0; --r) {
    const int width = IndentWidth(r);
    // Continuation rows without indentation say nothing about the line's indentation.
    if (width == 0 && r > 0 && doc_->RowAttr(r - 1) == rowWrapped) continue;
    if (width < col_) {
      target = width;
      break;
    }
  }
  if (row_ >= n) {
    MoveCaret(row_, target, -1, false);
    return;
  }
  // Remove the white space from the target column to the caret; a tab that straddles the target
  // leaves spaces up to it.
  const int width = RowWidth(row_);
  const int caret_col = std::min(col_, width);
  int from_col = target;
  std::string pad;
  if (CodeAt(row_, from_col) == kColTabFill || CodeAt(row_, from_col) == kColTrail) {
    int start = from_col;
    while (start > 0 && (CodeAt(row_, start) == kColTabFill || CodeAt(row_, start) == kColTrail)) --start;
    pad = Spaces(target - start);
    from_col = start;
  }
  const SelPoint a = PointAt({row_, from_col});
  const SelPoint b = PointAt({row_, caret_col});
  if (b.byte <= a.byte && pad.empty()) {
    MoveCaret(row_, target, -1, false);
    return;
  }
  ReplaceSpan(a, b, pad);
}

// ---- operations --------------------------------------------------------------------------------

void EditorModel::DeleteSelection() {
  if (ReadOnly() || !selected_) return;
  EditScope edit(*this);
  ReplaceSelection({});
}

void EditorModel::DeleteRow(int row) {
  if (ReadOnly() || row < 0 || row >= doc_->Count()) return;
  EditScope edit(*this);
  ClearSelection();
  doc_->ReplaceRows(row, 1, {});
  const int n = doc_->Count();
  if (row == n && n > 0 && doc_->RowAttr(n - 1) == rowTextEnd) {
    MoveCaret(n - 1, RowWidth(n - 1), 1, false);
  } else {
    MoveCaret(row, 0, -1, false);
  }
}

void EditorModel::PasteBox(std::string_view text) {
  if (ReadOnly() || text.empty()) return;
  EditScope edit(*this);
  Position start = CaretPos();
  if (selected_) {
    const SelPoint a = OrderedSelection().first;
    ReplaceSelection({});
    start = {a.row, a.col};
  }
  std::vector<std::string_view> lines;
  ForEachRawLine(text, [&](std::string_view line) { lines.push_back(line); });
  const int n = doc_->Count();
  const int r1 = start.row;
  const int col = start.col;
  const bool ends_with_break = n > 0 && doc_->RowAttr(n - 1) == rowLineBreak;
  std::string s;
  const int k_count = static_cast<int>(lines.size());
  int last_existing = r1 - 1;
  for (int k = 0; k < k_count; ++k) {
    const int r = r1 + k;
    const std::string_view line = lines[k];
    if (r < n) {
      last_existing = r;
      const std::string_view t = RowView(r);
      const int width = RowWidth(r);
      if (col > width) {
        s.append(t);
        s.append(Spaces(col - width));
        s.append(line);
      } else {
        // Never between the two bytes of a character: a split character keeps its place.
        const int c = CodeAt(r, col) == kColTrail ? col + 1 : col;
        const auto b = static_cast<size_t>(ByteAt(r, c));
        s.append(t.substr(0, b));
        s.append(line);
        s.append(t.substr(b));
      }
      if (doc_->RowAttr(r) == rowLineBreak) s.append("\r\n");
    } else {
      if (!ends_with_break && (k > 0 || n > 0)) s.append("\r\n");
      s.append(Spaces(col));
      s.append(line);
      if (ends_with_break) s.append("\r\n");
    }
  }
  const int last_line_width = DisplayWidth(lines.back(), caret_opt_.TabSpaceCount(), 0);
  if (r1 < n) {
    doc_->ReplaceRows(r1, last_existing - r1 + 1, s);
  } else {
    doc_->ReplaceRows(n, 0, s);
  }
  MoveCaret(r1 + k_count - 1, col + last_line_width, 1, false);
}

void EditorModel::CopyToClipboard() {
  if (!selected_ || viewport_ == nullptr) return;
  viewport_->SetClipboard(SelText(), sel_box_);
}

void EditorModel::CutToClipboard() {
  if (ReadOnly() || !selected_) return;
  CopyToClipboard();
  DeleteSelection();
}

void EditorModel::PasteFromClipboard() {
  if (ReadOnly() || viewport_ == nullptr) return;
  const ClipboardContent c = viewport_->GetClipboard();
  if (!c.has_text) return;
  if (c.box) {
    PasteBox(c.text);
  } else {
    InsertText(c.text);
  }
}

void EditorModel::Undo() {
  if (ReadOnly() || !doc_->CanUndo()) return;
  EditScope edit(*this);
  ClearSelection();
  doc_->Undo();
}

void EditorModel::Redo() {
  if (ReadOnly() || !doc_->CanRedo()) return;
  EditScope edit(*this);
  ClearSelection();
  doc_->Redo();
}

bool EditorModel::CanUndo() const { return doc_->CanUndo(); }
bool EditorModel::CanRedo() const { return doc_->CanRedo(); }

}  // namespace editor
