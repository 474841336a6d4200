// The editor model's keyboard and mouse: caret keys, word moves, shortcuts of the built-in menu,
// mouse selection, in-editor dragging of the selection, drag and drop of text.
#include <algorithm>

#include "editor/editormodel.h"
#include "editor/parser.h"

namespace editor {

// ---- keys --------------------------------------------------------------------------------------

bool EditorModel::KeyDown(KeyCode key, Modifiers mods, bool auto_repeat) {
  const bool shift = (mods & kModShift) != 0;
  const bool ctrl = (mods & kModCtrl) != 0;
  const bool alt = (mods & kModAlt) != 0;
  if (ctrl && !alt && menu_shortcuts_ && MenuShortcut(key, shift)) return true;
  switch (key) {
    case keys::kPageUp:
    case keys::kPageDown:
    case keys::kHome:
    case keys::kEnd:
    case keys::kLeft:
    case keys::kRight:
    case keys::kUp:
    case keys::kDown:
      if (alt) return false;
      Navigate(key, mods, auto_repeat);
      return true;
    case keys::kDelete:
      if (ctrl || alt) return false;
      DeleteKey();
      return true;
    case keys::kBackspace:
      if (ctrl || alt) return false;
      BackSpace();
      return true;
    case keys::kTab:
      if (shift || ctrl || alt || !props_.WantTabs) return false;
      TabKey(mods);
      return true;
    case keys::kReturn:
      if (ctrl || alt || !props_.WantReturns) return false;
      Enter(shift);
      return true;
    default: return false;
  }
}

bool EditorModel::MenuShortcut(KeyCode key, bool shift) {
  if (key >= '0' && key <= '9') {
    const int n = key - '0';
    if (shift) {
      ToggleMark(n);
    } else {
      GotoMark(n);
    }
    return true;
  }
  if (shift) return false;
  MenuAction action = MenuAction::None;
  switch (key) {
    case 'Z': action = MenuAction::Undo; break;
    case 'A': action = MenuAction::Redo; break;
    case 'X': action = MenuAction::Cut; break;
    case 'C': action = MenuAction::Copy; break;
    case 'V': action = MenuAction::Paste; break;
    case 'B': action = MenuAction::PasteBox; break;
    case 'K': action = MenuAction::ToggleBoxSelection; break;
    default: return false;
  }
  if (!MenuEnabled(action)) return false;
  ExecuteMenu(action);
  return true;
}

void EditorModel::Navigate(KeyCode key, Modifiers mods, bool auto_repeat) {
  const bool shift = (mods & kModShift) != 0;
  const bool ctrl = (mods & kModCtrl) != 0;
  const Position before = CaretPos();
  if (!shift) ClearSelection();
  switch (key) {
    case keys::kPageUp:
    case keys::kPageDown: {
      const int range = auto_repeat ? speed_.PageVerticalRangeAc() : speed_.PageVerticalRange();
      const int step = std::max(1, (layout_.visible_rows - 1) / 2 * range) * (key == keys::kPageUp ? -1 : 1);
      SetTopRow(top_row_ + step);
      MoveCaret(row_ + step, col_, -1, true);
      break;
    }
    case keys::kHome: MoveCaret(ctrl ? 0 : row_, 0, -1, false); break;
    case keys::kEnd: {
      const int row = ctrl ? doc_->CaretRowLimit() : row_;
      MoveCaret(row, RowWidth(row), 1, false);
      break;
    }
    case keys::kLeft:
      if (ctrl) {
        WordLeft();
      } else {
        CaretLeft();
      }
      break;
    case keys::kRight:
      if (ctrl) {
        WordRight();
      } else {
        CaretRight();
      }
      break;
    case keys::kUp:
    case keys::kDown: CaretVertical(key == keys::kUp ? -1 : 1, ctrl, auto_repeat); break;
    default: break;
  }
  if (shift) ExtendSelection(before);
}

void EditorModel::CaretLeft() {
  if (col_ == 0) {
    if (row_ > 0 && (caret_opt_.NextLine() || doc_->RowAttr(row_ - 1) == rowWrapped)) {
      const int prev = row_ - 1;
      int col = RowWidth(prev);
      // The end of a wrapped row is where we stand: step over its last character.
      if (doc_->RowAttr(prev) == rowWrapped) col = CharStartCol(prev, col);
      MoveCaret(prev, col, -1, false);
    }
    return;
  }
  const int width = RowWidth(row_);
  MoveCaret(row_, col_ > width ? col_ - 1 : CharStartCol(row_, col_), -1, false);
}

void EditorModel::CaretRight() {
  const int n = doc_->Count();
  const int width = RowWidth(row_);
  const RowAttribute attr = row_ < n ? doc_->RowAttr(row_) : rowTextEnd;
  if (col_ >= width) {
    if (attr != rowTextEnd && row_ + 1 <= doc_->CaretRowLimit() && (caret_opt_.NextLine() || attr == rowWrapped)) {
      MoveCaret(row_ + 1, 0, 1, false);
    } else if (caret_opt_.FreeCaret()) {
      MoveCaret(row_, col_ + 1, 1, false);
    }
    return;
  }
  const int next = CharEndCol(row_, col_);
  if (attr == rowWrapped && next >= width) {
    MoveCaret(row_ + 1, 0, 1, false);
    return;
  }
  MoveCaret(row_, next, 1, false);
}

void EditorModel::CaretVertical(int direction, bool ctrl, bool auto_repeat) {
  const int n = doc_->Count();
  const int vis = layout_.visible_rows;
  const bool on_edge = direction < 0 ? row_ == top_row_ : row_ == top_row_ + vis - 1;
  const int step = (auto_repeat && on_edge ? speed_.CaretVerticalAc() : 1) * direction;
  if (ctrl) {
    SetTopRow(top_row_ + step);
    if (row_ < top_row_) {
      MoveCaret(top_row_, col_, -1, true, false);
    } else if (row_ > top_row_ + vis - 1) {
      MoveCaret(top_row_ + vis - 1, col_, -1, true, false);
    }
    return;
  }
  if (direction > 0 && (row_ >= doc_->CaretRowLimit() || (row_ < n && doc_->RowAttr(row_) == rowTextEnd))) return;
  if (direction < 0 && row_ == 0) return;
  MoveCaret(row_ + step, col_, -1, true);
}

// ---- word moves --------------------------------------------------------------------------------

std::vector<int> EditorModel::WordStops(int row) {
  std::vector<int> stops;
  if (row < 0 || row >= doc_->Count()) return stops;
  const std::string_view text = RowView(row);
  TFountainParser& parser = colouring_->Parser();
  const bool brackets = parser.BracketDetection();
  parser.SetBracketDetection(false);
  TRowAttributeData empty;
  empty.BracketIndex = -1;
  parser.SetState(text, empty);
  std::vector<int> bytes;
  while (parser.NextToken() != tkEnd) {
    const int kind = parser.Token();
    if (kind == tkSymbol || kind == tkTab) continue;
    bytes.push_back(parser.TokenStart());
  }
  parser.SetBracketDetection(brackets);
  stops.reserve(bytes.size());
  for (const int b : bytes) stops.push_back(ColOfByte(row, b));
  return stops;
}

void EditorModel::WordRight() {
  int row = row_;
  int col = col_;
  const int n = doc_->Count();
  if (row >= n) return;
  if (col >= RowWidth(row)) {
    if (row + 1 > doc_->CaretRowLimit() || doc_->RowAttr(row) == rowTextEnd) return;
    ++row;
    col = -1;
  }
  for (const int stop : WordStops(row)) {
    if (stop > col) {
      MoveCaret(row, stop, 1, false);
      return;
    }
  }
  if (row < n && doc_->RowAttr(row) == rowWrapped) {
    MoveCaret(row + 1, 0, 1, false);
  } else {
    MoveCaret(row, RowWidth(row), 1, false);
  }
}

void EditorModel::WordLeft() {
  int row = row_;
  int col = col_;
  if (col == 0) {
    if (row == 0) return;
    --row;
    col = RowWidth(row);
    if (doc_->RowAttr(row) == rowLineBreak) {
      MoveCaret(row, col, -1, false);
      return;
    }
  }
  const std::vector<int> stops = WordStops(row);
  for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
    if (*it < col) {
      MoveCaret(row, *it, -1, false);
      return;
    }
  }
  if (row == 0) {
    MoveCaret(0, 0, -1, false);
  } else {
    MoveCaret(row - 1, RowWidth(row - 1), -1, false);
  }
}

// ---- mouse -------------------------------------------------------------------------------------

bool EditorModel::CanDragSelection() const {
  return caret_opt_.SelMove() && selected_ && !ReadOnly() && !box_ && !sel_box_;
}

void EditorModel::MouseDown(MouseButton button, Modifiers mods, int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  mouse_mods_ = mods;
  if (button != MouseButton::Left) return;
  const EditorLayout& l = layout_;
  if (x < l.text_left && y >= l.text_top && caret_opt_.RowSelect()) {
    SelectRowAt(y);
    return;
  }
  const Position p = PosFromPoint(x, y);
  if ((mods & kModShift) != 0) {
    const Position before = CaretPos();
    MoveCaret(p.row, p.col, 1, false);
    ExtendSelection(before);
    mouse_down_ = mouse_selecting_ = true;
    return;
  }
  if (CanDragSelection() && InSelection(CellFromPoint(x, y))) {
    if (caret_opt_.SelDragMode() == dmAutomatic) {
      mouse_down_ = true;
      mouse_drag_pending_ = true;
      mouse_press_ = p;
      return;
    }
    // A drag through the platform; drops into this editor come back through Drop.
    const Position saved = CaretPos();
    drag_from_self_ = true;
    dropped_in_self_ = false;
    if (viewport_ != nullptr) viewport_->StartDrag(SelText());
    drag_from_self_ = false;
    drag_saved_valid_ = false;
    if (!dropped_in_self_) MoveCaret(saved.row, saved.col, -1, false);
    return;
  }
  ClearSelection();
  MoveCaret(p.row, p.col, 1, false);
  mouse_anchor_ = CaretPos();
  mouse_down_ = mouse_selecting_ = true;
}

void EditorModel::SelectRowAt(int y) {
  const Position p = PosFromPoint(layout_.text_left, y);
  const int n = doc_->Count();
  if (p.row >= n) {
    ClearSelection();
    MoveCaret(p.row, 0, -1, false);
    return;
  }
  const SelPoint from = PointAtByte(p.row, 0);
  SelPoint to;
  if (p.row + 1 < n || doc_->RowAttr(p.row) == rowLineBreak) {
    to = SelPoint{p.row + 1, 0, 0};
  } else {
    to = PointAtByte(p.row, static_cast<int>(RowView(p.row).size()));
  }
  if (from == to) {
    ClearSelection();
    MoveCaret(p.row, 0, -1, false);
    return;
  }
  SelectBytes(from, to);
}

void EditorModel::MouseMove(Modifiers mods, int x, int y) {
  mouse_x_ = x;
  mouse_y_ = y;
  mouse_mods_ = mods;
  if (mouse_drag_pending_) {
    const Position p = PosFromPoint(x, y);
    if (!mouse_dragging_ && p != mouse_press_) mouse_dragging_ = true;
    if (mouse_dragging_) {
      // The caret shows where the text would go; the selection stays.
      MoveCaret(p.row, p.col, 1, false);
      if (viewport_ != nullptr)
        viewport_->SetMouseCursor((mods & kModCtrl) != 0 ? caret_opt_.Cursors().DragSelCopyCursor()
                                                         : caret_opt_.Cursors().DragSelCursor());
    }
    return;
  }
  if (mouse_selecting_) {
    const Position p = PosFromPoint(x, y);
    MoveCaret(p.row, p.col, 1, false);
    const SelPoint anchor = selected_ ? sel_anchor_ : PointAt(mouse_anchor_);
    if (CaretPos() == Position{anchor.row, anchor.col}) {
      ClearSelection();
    } else {
      SetSelection(anchor, PointAt(CaretPos()), box_);
    }
    return;
  }
  if (viewport_ != nullptr && caret_opt_.AutoCursor()) viewport_->SetMouseCursor(CursorAt(x, y));
}

void EditorModel::MouseUp(MouseButton button, Modifiers mods, int x, int y) {
  if (button != MouseButton::Left) return;
  const bool dragging = mouse_dragging_;
  const bool pending = mouse_drag_pending_;
  mouse_down_ = mouse_selecting_ = mouse_drag_pending_ = mouse_dragging_ = false;
  if (dragging) {
    DropOwnSelection(PosFromPoint(x, y), (mods & kModCtrl) != 0);
  } else if (pending) {
    // A click inside the selection without moving: an ordinary click.
    ClearSelection();
    const Position p = PosFromPoint(x, y);
    MoveCaret(p.row, p.col, 1, false);
  }
  if (viewport_ != nullptr && caret_opt_.AutoCursor()) viewport_->SetMouseCursor(CursorAt(x, y));
}

void EditorModel::DoubleClick(MouseButton button, Modifiers mods, int x, int y) {
  if (button != MouseButton::Left) return;
  mouse_down_ = mouse_selecting_ = mouse_drag_pending_ = mouse_dragging_ = false;
  const EditorLayout& l = layout_;
  if (x < l.text_left || y < l.text_top) return;
  // The character under the mouse, not the nearest boundary.
  const Position cell = CellFromPoint(x, y);
  const int limit = std::max(0, doc_->CaretRowLimit());
  ClearSelection();
  MoveCaret(std::clamp(cell.row, 0, limit), std::max(cell.col, 0), -1, false);
  SelectTokenAtCaret();
}

void EditorModel::AutoScroll() {
  if (!mouse_selecting_ && !mouse_dragging_) return;
  MouseMove(mouse_mods_, mouse_x_, mouse_y_);
}

TCursor EditorModel::CursorAt(int x, int y) const {
  const TEditorCursors& c = caret_opt_.Cursors();
  if (!caret_opt_.AutoCursor()) return c.DefaultCursor();
  const EditorLayout& l = layout_;
  if (y < l.text_top) return c.TopMarginCursor();
  if (x < l.text_left) return c.LeftMarginCursor();
  if (selected_ && InSelection(CellFromPoint(x, y))) return c.InSelCursor();
  return c.DefaultCursor();
}

// ---- drag and drop -----------------------------------------------------------------------------

DropEffect EditorModel::DragOver(int x, int y, Modifiers mods, bool from_self) {
  FocusIn();
  if (!from_self && !drag_saved_valid_) {
    drag_saved_ = CaretPos();
    drag_saved_valid_ = true;
  }
  const Position p = PosFromPoint(x, y);
  MoveCaret(p.row, p.col, 1, false);
  // A read-only editor takes nothing: a source told "moved" would delete its text.
  if (ReadOnly()) return DropEffect::None;
  return !from_self || (mods & kModCtrl) != 0 ? DropEffect::Copy : DropEffect::Move;
}

void EditorModel::DragLeave() {
  if (!drag_saved_valid_) return;
  drag_saved_valid_ = false;
  MoveCaret(drag_saved_.row, drag_saved_.col, -1, false);
}

DropEffect EditorModel::Drop(int x, int y, Modifiers mods, std::string_view cp932, bool from_self) {
  drag_saved_valid_ = false;
  if (from_self) dropped_in_self_ = true;
  const Position p = PosFromPoint(x, y);
  if (ReadOnly()) return DropEffect::None;
  const bool copy = (mods & kModCtrl) != 0;
  if (from_self) return DropOwnSelection(p, copy);
  ClearSelection();
  MoveCaret(p.row, p.col, 1, false);
  InsertText(cp932);
  return DropEffect::Copy;
}

DropEffect EditorModel::DropOwnSelection(Position p, bool copy) {
  if (ReadOnly() || !selected_) return DropEffect::None;
  if (InSelectionAt(p, true)) {
    // Dropped onto itself: only the highlight goes.
    ClearSelection();
    MoveCaret(p.row, p.col, 1, false);
    return DropEffect::None;
  }
  const auto [a, b] = OrderedSelection();
  const std::string moved = TextBetween(a, b);
  if (copy) {
    ClearSelection();
    MoveCaret(p.row, p.col, 1, false);
    InsertText(moved);
    return DropEffect::Copy;
  }
  // Move: one edit over the span from the nearer end to the drop point.
  EditScope edit(*this);
  const int n = doc_->Count();
  SelPoint d = PointAt(p);
  std::string pad;
  if (p.row < n && p.col > RowWidth(p.row)) pad.assign(static_cast<size_t>(p.col - RowWidth(p.row)), ' ');
  if (p.row >= n) pad.assign(static_cast<size_t>(p.col), ' ');
  ClearSelection();
  if (d.row < a.row || (d.row == a.row && d.byte < a.byte)) {
    const std::string between = TextBetween(d, a);
    ReplaceSpan(d, b, pad + moved + between, static_cast<int64_t>(pad.size() + moved.size()));
  } else {
    const std::string between = TextBetween(b, d);
    ReplaceSpan(a, d, between + pad + moved);
  }
  // The moved text ends at the caret; select it.
  const int64_t end = OffsetOf(row_, std::min<int>(CaretByte(), static_cast<int>(RowView(row_).size())));
  SelectBytes(BytesAfter(0, end - static_cast<int64_t>(moved.size())), PointAt(CaretPos()));
  return DropEffect::Move;
}

}  // namespace editor
