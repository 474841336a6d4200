// The editor model's search, bookmarks, token queries, painting queries and pop-up menu.
#include <algorithm>

#include "editor/editormodel.h"

namespace editor {

// ---- search ------------------------------------------------------------------------------------

namespace {

// Windows of rows are searched at about this size, so a search never copies the whole text.
constexpr size_t kSearchWindow = 8192;

}  // namespace

bool EditorModel::Search(const TextFinder& finder) {
  const int n = doc_->Count();
  if (n == 0 || !finder.CanMatch()) return false;
  const bool forward = finder.Forward();
  std::string buffer;
  std::vector<int64_t> starts;  // offset of each window row in the buffer
  auto add_row = [&](int r) {
    starts.push_back(static_cast<int64_t>(buffer.size()));
    buffer.append(RowView(r));
    if (doc_->RowAttr(r) == rowLineBreak) buffer.append("\r\n");
  };
  struct Position {
    int32_t Start;
    int32_t Length;
  };
  auto hit_at = [&](int first_row, const Position& pos) {
    const auto at = static_cast<int64_t>(pos.Start);
    int k = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
    k = std::max(k, 0);
    ShowHit(first_row + k, static_cast<int>(at - starts[k]), pos.Length);
    return true;
  };

  if (forward) {
    SelPoint from;
    int length = 0;
    if (hit_caret_ && props_.HitStyle == hsCaret) {
      // The caret stands at the previous hit: step over it.
      from = PointAtByte(row_, CaretByte());
      length = hit_length_;
    } else if (selected_) {
      from = OrderedSelection().second;
    } else {
      from = row_ >= n ? SelPoint{n, 0, 0} : PointAtByte(row_, CaretByte());
    }
    if (from.row >= n) return false;
    int row = from.row;
    int start = std::min(from.byte, static_cast<int>(RowView(row).size()));
    for (;;) {
      buffer.clear();
      starts.clear();
      int r = row;
      while (r < n && (r == row || buffer.size() < kSearchWindow)) add_row(r++);
      Position pos{start, length};
      if (pos.Start + pos.Length > static_cast<int32_t>(buffer.size())) pos.Length = 0;
      if (finder.Find(buffer, pos.Start, pos.Length)) return hit_at(row, pos);
      if (r >= n) return false;
      const int rows = r - row;
      // One row of overlap, so that a match across the window's end is found in the next one.
      row = rows >= 2 ? r - 1 : r;
      start = 0;
      length = 0;
    }
  }

  // Backward.
  SelPoint to;
  if (selected_) {
    to = OrderedSelection().first;
  } else if (row_ >= n) {
    to = TextEndPoint();
  } else {
    to = PointAtByte(row_, CaretByte());
  }
  int last;
  int64_t end_in_last;  // bytes of the last row that belong to the window
  if (to.row >= n) {
    last = n - 1;
    end_in_last = static_cast<int64_t>(RowView(last).size()) + (doc_->RowAttr(last) == rowLineBreak ? 2 : 0);
  } else {
    last = to.row;
    end_in_last = to.byte;
  }
  for (;;) {
    buffer.clear();
    starts.clear();
    int first = last;
    // Rows above are prepended while the window is at most 8191 bytes.
    int64_t size = end_in_last;
    while (first > 0 && size < static_cast<int64_t>(kSearchWindow)) {
      const int r = first - 1;
      size += static_cast<int64_t>(RowView(r).size()) + (doc_->RowAttr(r) == rowLineBreak ? 2 : 0);
      first = r;
    }
    for (int r = first; r <= last; ++r) add_row(r);
    const int64_t window_end = starts.back() + end_in_last;
    buffer.resize(static_cast<size_t>(std::min<int64_t>(window_end, static_cast<int64_t>(buffer.size()))));
    Position pos{static_cast<int32_t>(buffer.size()), 0};
    if (finder.Find(buffer, pos.Start, pos.Length)) return hit_at(first, pos);
    if (first == 0) return false;
    const int rows = last - first + 1;
    last = rows >= 2 ? first : first - 1;
    end_in_last = static_cast<int64_t>(RowView(last).size()) + (doc_->RowAttr(last) == rowLineBreak ? 2 : 0);
  }
}

void EditorModel::ShowHit(int row, int byte, int length) {
  const int n = doc_->Count();
  // A hit may start in the line break after a row.
  const SelPoint start = byte > static_cast<int>(RowView(row).size()) ? BytesAfter(row, byte) : PointAtByte(row, byte);
  const SelPoint end = BytesAfter(start.row, start.byte + static_cast<int64_t>(length));
  ClearSelection();
  hit_length_ = length;
  MoveCaret(start.row, std::min(start.col, kMaxCaretCol), -1, false, false);
  SelectBytes(start, end.row > n ? SelPoint{n, 0, 0} : end);
  if (props_.HitStyle != hsSelect && selected_) {
    hit_shown_ = true;
    InvalidateRows(start.row, end.row, kAreaText);
  }
  if (props_.HitStyle == hsCaret && focused_) {
    // The caret goes back to the hit's start as a block as wide as the hit.
    keep_hit_caret_ = true;
    MoveCaret(start.row, std::min(start.col, kMaxCaretCol), -1, false, false);
    hit_caret_ = true;
    keep_hit_caret_ = false;
    UpdateCaret();
  }
  ScrollCaret();
}

// ---- bookmarks ---------------------------------------------------------------------------------

void EditorModel::SetMark(int row, int n) {
  if (n < 0 || n > 15 || row < 0 || row >= doc_->Count()) return;
  const auto bit = static_cast<uint16_t>(1u << n);
  if (n < 10) {
    // Marks 0..9 stand on one row only.
    const int count = doc_->Count();
    for (int r = 0; r < count; ++r) {
      if (doc_->Marks(r) & bit) {
        doc_->SetMarks(r, static_cast<uint16_t>(doc_->Marks(r) & ~bit));
        InvalidateRows(r, r, kAreaRows);
        break;
      }
    }
  }
  doc_->SetMarks(row, static_cast<uint16_t>(doc_->Marks(row) | bit));
  doc_->SetMarksInUse(bit);
  InvalidateRows(row, row, kAreaRows);
}

void EditorModel::DeleteMark(int row, int n) {
  if (n < 0 || n > 15 || row < 0 || row >= doc_->Count()) return;
  const auto bit = static_cast<uint16_t>(1u << n);
  if ((doc_->Marks(row) & bit) == 0) return;
  doc_->SetMarks(row, static_cast<uint16_t>(doc_->Marks(row) & ~bit));
  if (FindMark(n) < 0) doc_->ClearMarksInUse(bit);
  InvalidateRows(row, row, kAreaRows);
}

int EditorModel::FindMark(int n) const {
  if (n < 0 || n > 15) return -1;
  const auto bit = static_cast<uint16_t>(1u << n);
  const int count = doc_->Count();
  for (int r = 0; r < count; ++r)
    if (doc_->Marks(r) & bit) return r;
  return -1;
}

void EditorModel::GotoMark(int n) {
  if (!MarkInUse(n)) return;
  const int row = FindMark(n);
  if (row < 0) return;
  const int vis = layout_.visible_rows;
  if (row < top_row_ || row >= top_row_ + vis) SetTopRow(row - vis / 2);
  ClearSelection();
  SetRow(row);
}

uint16_t EditorModel::RowMarks(int row) const {
  if (row < 0 || row >= doc_->Count()) return 0;
  return doc_->Marks(row);
}

void EditorModel::ToggleMark(int n) {
  if (row_ >= doc_->Count()) return;
  if (RowMarks(row_) & (1u << n)) {
    DeleteMark(row_, n);
  } else {
    SetMark(row_, n);
  }
}

bool EditorModel::MarkInUse(int n) const { return n >= 0 && n <= 15 && (doc_->MarksInUse() & (1u << n)) != 0; }

// ---- tokens ------------------------------------------------------------------------------------

TTokenQuery EditorModel::TokenQueryAt(int x, int y) {
  const Position cell = CellFromPoint(x, y);
  if (cell.row < 0 || cell.row >= doc_->Count() || cell.col < 0 || cell.col >= RowWidth(cell.row)) return {};
  int col = cell.col;
  while (col > 0 && CodeAt(cell.row, col) == kColTrail) --col;
  return colouring_->TokenAt(*doc_, cell.row, ByteAt(cell.row, col));
}

int EditorModel::TokenAt(int x, int y) { return TokenQueryAt(x, y).kind; }

std::string EditorModel::TokenTextAt(int x, int y) { return TokenQueryAt(x, y).text; }

void EditorModel::SelectTokenAtCaret() {
  const int n = doc_->Count();
  if (row_ >= n) return;
  const int len = static_cast<int>(RowView(row_).size());
  const int byte = std::min(CaretByte(), len);
  const TTokenQuery q = colouring_->TokenAt(*doc_, row_, byte);
  if (q.kind == tkEnd || q.length <= 0) return;
  const SelPoint from = BytesAfter(q.first_row, q.start);
  SelPoint to = BytesAfter(q.first_row, q.start + static_cast<int64_t>(q.length));
  ClearSelection();
  MoveCaret(from.row, std::min(from.col, kMaxCaretCol), -1, false);
  SelectBytes(from, to);
}

// ---- painting ----------------------------------------------------------------------------------

RowPaintInfo EditorModel::DocumentPaintInfo(int row) const {
  RowPaintInfo p;
  p.row = row;
  p.y = RowY(row);
  p.text = RowView(row);
  const int n = doc_->Count();
  p.attr = row >= 0 && row < n ? doc_->RowAttr(row) : rowNone;
  p.marks = RowMarks(row);
  p.selection = SelectionOnRow(row);
  p.hit = hit_shown_ && p.selection.any;
  p.caret_row = row == row_;
  if (row < 0 || row >= n) return p;
  const int width = RowWidth(row);
  p.end_col = std::min(width, kMaxCol);
  if (width > kMaxCol && marks_opt_.HideMark().Visible()) {
    p.end_mark = RowEndMark::Hide;
  } else if (marks_opt_.EofMark().Visible() && row == n - 1 && p.attr == rowTextEnd) {
    p.end_mark = RowEndMark::Eof;
  } else if (marks_opt_.RetMark().Visible() && p.attr == rowLineBreak) {
    p.end_mark = RowEndMark::Return;
  } else if (marks_opt_.WrapMark().Visible() && p.attr == rowWrapped) {
    p.end_mark = RowEndMark::Wrap;
  }
  return p;
}

std::string EditorModel::FormatLineNumber(int number) const {
  if (!leftbar_opt_.ZeroBase()) ++number;
  std::string digits = std::to_string(number);
  const auto column = static_cast<size_t>(leftbar_opt_.Column());
  if (digits.size() < column) digits.insert(0, column - digits.size(), leftbar_opt_.ZeroLead() ? '0' : ' ');
  return digits;
}

// ---- pop-up menu -------------------------------------------------------------------------------

bool EditorModel::MenuEnabled(MenuAction action) const {
  const bool editable = !ReadOnly();
  switch (action) {
    case MenuAction::Undo: return CanUndo() && editable;
    case MenuAction::Redo: return CanRedo() && editable;
    case MenuAction::Cut:
    case MenuAction::Delete: return SelLength() > 0 && editable;
    case MenuAction::Copy: return SelLength() > 0;
    case MenuAction::Paste:
    case MenuAction::PasteBox: return editable && viewport_ != nullptr && viewport_->ClipboardHasText();
    case MenuAction::SelectAll: {
      const int n = doc_->Count();
      return n > 1 || (n == 1 && (!RowView(0).empty() || doc_->RowAttr(0) == rowLineBreak));
    }
    default: return true;
  }
}

std::vector<MenuItem> EditorModel::PopupMenu() const {
  std::vector<MenuItem> menu;
  auto item = [this](const char* caption, const char* shortcut, MenuAction action) {
    MenuItem m;
    m.caption = caption;
    m.shortcut = shortcut;
    m.action = action;
    m.enabled = MenuEnabled(action);
    return m;
  };
  auto separator = [] {
    MenuItem m;
    m.caption = "-";
    return m;
  };
  MenuItem set_mark;
  set_mark.caption = "マーク設定";
  MenuItem goto_mark;
  goto_mark.caption = "マークジャンプ";
  for (int d = 0; d <= 9; ++d) {
    const std::string digit(1, static_cast<char>('0' + d));
    MenuItem s;
    s.caption = digit;
    s.shortcut = "Shift+Ctrl+" + digit;
    s.checked = MarkInUse(d);
    s.action = MenuAction::ToggleMark;
    s.argument = d;
    set_mark.items.push_back(s);
    MenuItem g;
    g.caption = digit;
    g.shortcut = "Ctrl+" + digit;
    g.checked = MarkInUse(d);
    g.action = MenuAction::GotoMark;
    g.argument = d;
    goto_mark.items.push_back(g);
  }
  menu.push_back(set_mark);
  menu.push_back(goto_mark);
  menu.push_back(separator());
  menu.push_back(item("元に戻す(&U)", "Ctrl+Z", MenuAction::Undo));
  menu.push_back(item("やり直し(&R)", "Ctrl+A", MenuAction::Redo));
  menu.push_back(separator());
  menu.push_back(item("切り取り(&T)", "Ctrl+X", MenuAction::Cut));
  menu.push_back(item("コピー(&C)", "Ctrl+C", MenuAction::Copy));
  menu.push_back(item("貼り付け(&P)", "Ctrl+V", MenuAction::Paste));
  menu.push_back(item("Box貼り付け(&B)", "Ctrl+B", MenuAction::PasteBox));
  menu.push_back(item("削除(&D)", "", MenuAction::Delete));
  menu.push_back(separator());
  menu.push_back(item("すべて選択(&A)", "", MenuAction::SelectAll));
  menu.push_back(separator());
  MenuItem box = item("Box選択モード(&K)", "Ctrl+K", MenuAction::ToggleBoxSelection);
  box.checked = box_;
  menu.push_back(box);
  return menu;
}

void EditorModel::ExecuteMenu(MenuAction action, int argument) {
  switch (action) {
    case MenuAction::ToggleMark: ToggleMark(argument); break;
    case MenuAction::GotoMark: GotoMark(argument); break;
    case MenuAction::Undo: Undo(); break;
    case MenuAction::Redo: Redo(); break;
    case MenuAction::Cut: CutToClipboard(); break;
    case MenuAction::Copy: CopyToClipboard(); break;
    case MenuAction::Paste: PasteFromClipboard(); break;
    case MenuAction::PasteBox:
      if (viewport_ != nullptr && !ReadOnly()) {
        const ClipboardContent c = viewport_->GetClipboard();
        if (c.has_text) PasteBox(c.text);
      }
      break;
    case MenuAction::Delete: DeleteSelection(); break;
    case MenuAction::SelectAll: SelectAll(); break;
    case MenuAction::ToggleBoxSelection: SetBoxSelection(!box_); break;
    case MenuAction::None: break;
  }
}

}  // namespace editor
