// The editor model: construction, option objects, geometry, the document's view hooks, the edit
// bracket and scrolling.
#include "editor/editormodel.h"

#include <algorithm>
#include <cstdlib>

#include "editor/undo.h"

namespace editor {

EditorModel::EditorModel() : EditorModel(std::make_shared<TEditorScreenStrings>()) {}

EditorModel::EditorModel(std::shared_ptr<TEditorScreenStrings> document)
    : doc_(document ? std::move(document) : std::make_shared<TEditorScreenStrings>()), lines_(*doc_, this) {
  Init();
}

EditorModel::~EditorModel() {
  destroying_ = true;
  if (external_fountain_ != nullptr) external_fountain_->Unsubscribe(external_subscription_);
  if (doc_->GetRowStateSink() == colouring_.get()) doc_->SetRowStateSink(nullptr);
  doc_->DetachView(this);
  view_.OnChange = nullptr;
}

void EditorModel::Init() {
  colouring_ = std::make_unique<RowColouring>(&view_.Fountain());
  colouring_->VisibleRows = [this] { return layout_.visible_rows; };
  colouring_->TopRow = [this] {
    const EditorViewHooks* primary = doc_->PrimaryView();
    return primary != nullptr ? primary->TopRow() : top_row_;
  };
  colouring_->Suspended = [this] { return destroying_ || doc_->PrimaryLoading(); };
  colouring_->RowChanged = [this](int row) { doc_->NotifyRowStateChanged(row); };
  colouring_->FountainDestroyed = [this] {
    // The external definition is gone: our own takes over.
    external_fountain_ = nullptr;
    external_subscription_ = 0;
    colouring_->SetFountain(&view_.Fountain());
    RecolourAll();
  };
  colouring_->InitBracketsFull = speed_.InitBracketsFull();

  doc_->AttachView(this);
  if (doc_->GetRowStateSink() == nullptr) doc_->SetRowStateSink(colouring_.get());
  doc_->UndoObj().SetUndoListMax(props_.UndoListMax());
  WireOptions();
  Relayout(false);
  doc_->RecomputeAllStates();
}

void EditorModel::WireOptions() {
  caret_opt_.OnChange = [this] { CaretOptionsChanged(); };
  tab_width_ = caret_opt_.TabSpaceCount();
  auto layout_changed = [this] { OptionsChanged(); };
  marks_opt_.OnChange = layout_changed;
  margin_opt_.OnChange = layout_changed;
  ruler_opt_.OnChange = layout_changed;
  leftbar_opt_.OnChange = layout_changed;
  imagebar_opt_.OnChange = layout_changed;
  view_.OnChange = [this] { RecolourAll(); };
}

void EditorModel::SetViewport(Viewport* viewport) {
  viewport_ = viewport;
  if (viewport_ == nullptr) return;
  Relayout(false);
  viewport_->InvalidateAll();
  UpdateScrollBars();
  UpdateCaret();
}

// ---- option changes ----------------------------------------------------------------------------

void EditorModel::OptionsChanged() {
  Relayout(false);
  Invalidate();
  UpdateScrollBars();
  UpdateCaret();
}

void EditorModel::CaretOptionsChanged() {
  if (caret_opt_.TabSpaceCount() != tab_width_) {
    tab_width_ = caret_opt_.TabSpaceCount();
    // Tab stops decide where rows wrap; only the primary view's tab width governs the document.
    if (doc_->PrimaryView() == this && doc_->WordWrap() && !loading_) doc_->Rewrap();
    Invalidate();
  }
  if (!caret_opt_.KeepCaret()) keep_valid_ = false;
  // The caret may now stand where the new rules do not allow it.
  const int old_row = row_, old_col = col_;
  col_ = NormalizeCol(row_, col_, -1, false);
  CaretMoved(old_row, old_col);
}

void EditorModel::RecolourAll() {
  if (doc_->GetRowStateSink() == colouring_.get()) doc_->RecomputeAllStates();
  Invalidate();
}

void EditorModel::SetSpeed(const TEditorSpeed& speed) {
  speed_.Assign(speed);
  colouring_->InitBracketsFull = speed_.InitBracketsFull();
}

void EditorModel::SetFountain(TFountain* fountain) {
  if (fountain == external_fountain_) return;
  if (external_fountain_ != nullptr) external_fountain_->Unsubscribe(external_subscription_);
  external_fountain_ = fountain;
  external_subscription_ = 0;
  if (fountain != nullptr) {
    external_subscription_ = fountain->Subscribe([this](FountainEvent e) {
      if (e == FountainEvent::Changed && !destroying_) RecolourAll();
    });
  }
  colouring_->SetFountain(fountain != nullptr ? fountain : &view_.Fountain());
  RecolourAll();
}

TFountain& EditorModel::ActiveFountain() {
  return external_fountain_ != nullptr ? *external_fountain_ : static_cast<TFountain&>(view_.Fountain());
}

const TEditorColors& EditorModel::Colors() const {
  if (const auto* f = dynamic_cast<const TEditorFountain*>(external_fountain_)) return f->Colors();
  return view_.Colors();
}

bool EditorModel::ItalicMode() const {
  if (props_.Font.Style & store::fsItalic) return true;
  const TFountain* f = external_fountain_ != nullptr ? external_fountain_ : &view_.Fountain();
  return f->HasItalicFontStyle();
}

void EditorModel::SetDelimiters(const DelimiterSet& set) {
  if (set == delimiters_) return;
  delimiters_ = set;
  if (doc_->PrimaryView() == this && doc_->WordWrap() && !loading_) doc_->Rewrap();
  Invalidate();
}

// ---- properties --------------------------------------------------------------------------------

void EditorModel::SetReadOnly(bool on) {
  if (on == props_.ReadOnly) return;
  props_.ReadOnly = on;
  if (on) DropComposition();
  if (viewport_ != nullptr) viewport_->OnReadOnlyChange();
}

void EditorModel::SetOverwrite(bool on) {
  if (overwrite_ == on) return;
  overwrite_ = on;
  UpdateCaret();
}

void EditorModel::SetModified(bool on) { modified_ = on; }

void EditorModel::SetWordWrap(bool on) {
  props_.WordWrap = on;
  doc_->SetWordWrap(on);
}

void EditorModel::SetHitStyle(TEditorHitStyle style) {
  if (props_.HitStyle == style) return;
  props_.HitStyle = style;
  ClearSelection();
  hit_caret_ = false;
  UpdateCaret();
}

void EditorModel::SetScrollBars(TScrollStyle style) {
  if (props_.ScrollBars == style) return;
  props_.ScrollBars = style;
  OptionsChanged();
}

int EditorModel::UndoListMax() const { return props_.UndoListMax(); }

void EditorModel::SetUndoListMax(int n) {
  props_.SetUndoListMax(n);
  doc_->UndoObj().SetUndoListMax(props_.UndoListMax());
}

void EditorModel::SetFont(const store::TFont& font) {
  props_.Font = font;
  Invalidate();
}

void EditorModel::SetColor(TColor color) {
  props_.Color = color;
  Invalidate();
}

void EditorModel::SetBorderStyle(TBorderStyle style) { props_.BorderStyle = style; }

void EditorModel::SetReserveWordList(const std::vector<std::string>& words) {
  props_.ReserveWordList = words;
  view_.Fountain().SetReserveWordList(words);
}

void EditorModel::SetProperties(const EditorProperties& p) {
  SetBorderStyle(p.BorderStyle);
  SetColor(p.Color);
  SetFont(p.Font);
  SetHitStyle(p.HitStyle);
  SetReadOnly(p.ReadOnly);
  SetReserveWordList(p.ReserveWordList);
  SetScrollBars(p.ScrollBars);
  SetUndoListMax(p.UndoListMax());
  SetWantReturns(p.WantReturns);
  SetWantTabs(p.WantTabs);
  SetWordWrap(p.WordWrap);
}

void EditorModel::ApplyMainValues() {
  caret_opt_.SetMainValues();
  marks_opt_.SetMainValues();
  margin_opt_.SetMainValues();
  ruler_opt_.SetMainValues();
  leftbar_opt_.SetMainValues();
  imagebar_opt_.SetMainValues();
  TEditorSpeed speed;
  speed.SetMainValues();
  SetSpeed(speed);
  view_.SetMainValues();
  TEditorWrapOption& w = doc_->WrapOption();
  TEditorWrapOption main;
  main.SetWrapByte(60);
  main.SetWordBreak(true);
  main.SetFollowPunctuation(true);
  main.SetFollowRetMark(true);
  main.SetLeading(false);
  w.Assign(main);
  SetProperties(EditorProperties::Main());
}

// ---- geometry ----------------------------------------------------------------------------------

void EditorModel::SetMetrics(int cell_width, int text_height, int digit_width) {
  layout_.cell_width = std::max(1, cell_width);
  layout_.text_height = std::max(1, text_height);
  layout_.digit_width = digit_width > 0 ? digit_width : layout_.cell_width;
  OptionsChanged();
}

void EditorModel::Resize(int width, int height) {
  if (width == layout_.width && height == layout_.height) return;
  layout_.width = std::max(0, width);
  layout_.height = std::max(0, height);
  Relayout(false);
  UpdateScrollBars();
  UpdateCaret();
}

void EditorModel::SetScrollBarExtents(int vertical_width, int horizontal_height) {
  scroll_bar_width_ = std::max(0, vertical_width);
  scroll_bar_height_ = std::max(0, horizontal_height);
  OptionsChanged();
}

int EditorModel::LargestNumber() const {
  const int base = leftbar_opt_.ZeroBase() ? 0 : 1;
  // The position after a final line break is numbered too.
  if (leftbar_opt_.ShowNumberMode() == nmLine) {
    const int n = doc_->Count();
    const int last_line = doc_->LineCount() - (n > 0 && doc_->RowAttr(n - 1) != rowLineBreak ? 1 : 0);
    return std::max(0, last_line) + base;
  }
  return doc_->CaretRowLimit() + base;
}

bool EditorModel::Relayout(bool repaint_if_moved) {
  EditorLayout l = layout_;
  l.char_width = std::max(1, CharacterWidth(l.cell_width, margin_opt_));
  l.row_pitch = std::max(1, RowPitch(l.text_height, margin_opt_, marks_opt_));
  l.vertical_bar = props_.ScrollBars == ssVertical || props_.ScrollBars == ssBoth;
  l.horizontal_bar = props_.ScrollBars == ssHorizontal || props_.ScrollBars == ssBoth;
  l.vertical_bar_width = l.vertical_bar ? scroll_bar_width_ : 0;
  l.horizontal_bar_height = l.horizontal_bar ? scroll_bar_height_ : 0;
  l.ruler_top = 0;
  l.ruler_height = ruler_opt_.Visible() ? RulerHeight(ruler_opt_) : 0;
  l.text_top = TextAreaTop(margin_opt_, ruler_opt_);
  int digits = 0;
  if (leftbar_opt_.Visible()) digits = NumberDigits(LargestNumber());
  number_digits_ = digits;
  l.leftbar_left = 0;
  l.leftbar_width = leftbar_opt_.Visible() ? LeftbarWidth(leftbar_opt_, l.digit_width, digits) : 0;
  l.imagebar_left = l.leftbar_left + l.leftbar_width;
  l.imagebar_width = imagebar_opt_.Visible() ? ImagebarWidth(imagebar_opt_) : 0;
  l.text_left = TextAreaLeft(margin_opt_, imagebar_opt_, leftbar_opt_, l.digit_width, digits);
  l.visible_rows = std::max(1, (l.height - l.text_top - 5 - l.horizontal_bar_height) / l.row_pitch);
  l.visible_cols = std::max(1, (l.width - l.text_left - l.char_width / 2 - l.vertical_bar_width) / l.char_width);
  const bool moved = l.text_left != layout_.text_left || l.row_pitch != layout_.row_pitch ||
                     l.char_width != layout_.char_width || l.text_top != layout_.text_top;
  layout_ = l;
  if (moved && repaint_if_moved) Invalidate();
  return moved;
}

int EditorModel::RowY(int row) const { return layout_.text_top + (row - top_row_) * layout_.row_pitch; }

int EditorModel::ColX(int col) const { return layout_.text_left + (col - top_col_) * layout_.char_width; }

// ---- repainting --------------------------------------------------------------------------------

void EditorModel::Invalidate() {
  if (viewport_ != nullptr && !updating_) viewport_->InvalidateAll();
}

void EditorModel::InvalidateRows(int first, int last, unsigned areas) {
  // Document rows to rows as painted (they differ while composing).
  if (compose_.active) {
    const bool first_inside = first >= compose_.top && first < compose_.top + compose_.replaced;
    first = first_inside ? compose_.top : PaintRowOf(first);
    last = PaintRowOf(last);
    if (last >= compose_.top && last < compose_.top + static_cast<int>(compose_.rows.size()))
      last = compose_.top + static_cast<int>(compose_.rows.size()) - 1;
  }
  InvalidatePaintRows(first, last, areas);
}

void EditorModel::RepaintChange(const LastChange& change) {
  if (viewport_ == nullptr || updating_) return;
  if (!change.Changed) {
    viewport_->InvalidateAll();
    return;
  }
  const int delta = change.Inserted - change.Replaced;
  if (std::abs(delta) > layout_.visible_rows) {
    viewport_->InvalidateAll();
    return;
  }
  const unsigned moved_areas = kAreaText | kAreaImagebar;
  // The rows after the change move to just after its new rows; the shifted region starts at the
  // higher of the two places, so that rows moving up land inside it.
  if (delta != 0 && change.Row + change.Replaced <= top_row_ + layout_.visible_rows)
    viewport_->ScrollRows(change.Row + std::min(change.Replaced, change.Inserted), delta, moved_areas);
  // The recoloured rows are counted from the first changed row, the new rows among them.
  const int last = change.Row + std::max({change.Inserted, change.StateChanged, 1}) - 1;
  InvalidateRows(change.Row, last, moved_areas);
  // Numbers below the change shift when rows come or go (and logical line numbers on any change).
  if (leftbar_opt_.Visible() && (delta != 0 || leftbar_opt_.ShowNumberMode() == nmLine))
    InvalidateRows(change.Row, top_row_ + layout_.visible_rows, kAreaLeftbar);
}

// ---- document hooks ----------------------------------------------------------------------------

void EditorModel::BeginEdit() {
  if (edit_depth_++ == 0) {
    DropComposition();  // laid out on rows about to change
    edit_revision_ = doc_->TextRevision();
    pending_change_ = false;
    pending_many_ = false;
  }
}

void EditorModel::EndEdit() {
  if (edit_depth_ == 0) return;
  if (--edit_depth_ > 0) return;
  FinishEdit(doc_->TextRevision() != edit_revision_);
}

void EditorModel::FinishEdit(bool changed) {
  if (pending_change_) {
    if (pending_many_) {
      InvalidateRows(pending_.Row, top_row_ + layout_.visible_rows, kAreaRows);
    } else {
      RepaintChange(pending_);
    }
    pending_change_ = false;
  }
  Relayout(true);
  const int limit = doc_->CaretRowLimit();
  if (row_ > limit || top_row_ > limit) PullBackTo(limit);
  UpdateScrollBars();
  UpdateCaret();
  if (changed) {
    modified_ = true;
    if (viewport_ != nullptr) viewport_->OnChange();
  }
}

void EditorModel::RowsChanged(const LastChange& change) {
  DropComposition();
  if (edit_depth_ > 0) {
    if (!pending_change_) {
      pending_ = change;
      pending_change_ = true;
    } else {
      pending_many_ = true;
      pending_.Row = std::min(pending_.Row, change.Row);
    }
    if (!change.Changed) {
      pending_many_ = true;
      pending_.Row = 0;
    }
    return;
  }
  // A change outside our bracket (another view of the document, Lines.Clear).
  pending_ = change;
  pending_change_ = true;
  pending_many_ = !change.Changed;
  if (pending_many_) pending_.Row = 0;
  FinishEdit(true);
}

void EditorModel::Refresh() {
  DropComposition();
  Relayout(false);
  Invalidate();
  const int limit = std::max(0, doc_->CaretRowLimit());
  if (top_row_ > limit) {
    top_row_ = limit;
    if (viewport_ != nullptr) viewport_->OnTopRowChange();
  }
  const int old_row = row_, old_col = col_;
  row_ = std::min(row_, limit);
  col_ = NormalizeCol(row_, col_, -1, false);
  CaretMoved(old_row, old_col);
  UpdateScrollBars();
}

void EditorModel::RowStateChanged(int row) { InvalidateRows(row, row, kAreaText); }

void EditorModel::PullBackTo(int limit) {
  limit = std::max(0, limit);
  if (top_row_ > limit) {
    top_row_ = limit;
    Invalidate();
    if (viewport_ != nullptr) viewport_->OnTopRowChange();
  }
  if (row_ > limit) {
    const int old_row = row_, old_col = col_;
    row_ = limit;
    col_ = NormalizeCol(row_, col_, -1, true);
    CaretMoved(old_row, old_col);
  }
}

void EditorModel::SetUpdating(bool updating) {
  if (updating) DropComposition();
  updating_ = updating;
  if (!updating) Invalidate();
}

void EditorModel::SetLoading(bool loading) {
  if (loading_ == loading) return;
  loading_ = loading;
  if (!loading_ && doc_->PrimaryView() == this) {
    // Wrapping and colouring waited for the settings to arrive.
    doc_->Rewrap();
  }
}

// ---- text --------------------------------------------------------------------------------------

void EditorModel::Clear() { lines_.Clear(); }

void EditorModel::SetText(std::string_view text) {
  ClearSelection();
  lines_.SetText(text);
  MoveCaret(0, 0, -1, false);
}

std::string EditorModel::RowText(int row) const { return std::string(RowView(row)); }

std::string_view EditorModel::RowView(int row) const {
  if (row < 0 || row >= doc_->Count()) return {};
  return doc_->GetView(row);
}

RowAttribute EditorModel::RowAttributeOf(int row) const {
  if (row < 0 || row >= doc_->Count()) return rowTextEnd;
  return doc_->RowAttr(row);
}

// ---- scrolling ---------------------------------------------------------------------------------

void EditorModel::SetTopRow(int row) {
  row = std::clamp(row, 0, std::max(0, doc_->Count()));
  if (row == top_row_) return;
  const int old_paint_top = PaintTopRow();
  top_row_ = row;
  // While composing the rows as painted may move by more than the document rows.
  const int delta = old_paint_top - PaintTopRow();
  if (viewport_ != nullptr && !updating_) {
    if (std::abs(delta) < layout_.visible_rows) {
      viewport_->ScrollRows(PaintTopRow(), delta, kAreaRows);  // the whole text area shifts
    } else {
      viewport_->InvalidateAll();
    }
  }
  UpdateScrollBars();
  UpdateCaret();
  if (viewport_ != nullptr) viewport_->OnTopRowChange();
}

void EditorModel::SetTopCol(int col) {
  col = std::clamp(col, 0, kMaxCaretCol);
  if (col == top_col_) return;
  const int dx = (col - top_col_) * layout_.char_width;
  top_col_ = col;
  if (viewport_ != nullptr && !updating_) {
    viewport_->ScrollHorizontally(dx);
    viewport_->InvalidateRows(top_row_, top_row_ + layout_.visible_rows, kAreaRuler);
  }
  UpdateScrollBars();
  UpdateCaret();
  if (viewport_ != nullptr) viewport_->OnTopColChange();
}

void EditorModel::ScrollCaret() {
  const int vis = layout_.visible_rows;
  if (row_ < top_row_) {
    SetTopRow(row_);
  } else if (row_ > top_row_ + vis - 1) {
    SetTopRow(row_ - vis + 1);
  }
  const int cols = layout_.visible_cols;
  if (col_ < top_col_) {
    SetTopCol(col_);
  } else if (col_ > top_col_ + cols - 1) {
    SetTopCol(col_ - cols + 1);
  }
}

void EditorModel::UpdateScrollBars() {
  if (viewport_ == nullptr || updating_) return;
  ScrollBarState v;
  v.visible = layout_.vertical_bar;
  v.max = std::max(0, doc_->Count());
  v.page = layout_.visible_rows;
  v.pos = top_row_;
  ScrollBarState h;
  h.visible = layout_.horizontal_bar;
  h.max = kMaxCaretCol;
  h.page = layout_.visible_cols;
  h.pos = top_col_;
  if (v == last_vbar_ && h == last_hbar_) return;
  last_vbar_ = v;
  last_hbar_ = h;
  viewport_->UpdateScrollBars(v, h);
}

void EditorModel::VerticalScrolled(int pos) {
  const int old_top = top_row_;
  SetTopRow(pos);
  const int delta = top_row_ - old_top;
  if (delta != 0 && caret_opt_.LockScroll()) MoveCaret(row_ + delta, col_, -1, true, false);
}

void EditorModel::HorizontalScrolled(int pos) { SetTopCol(pos); }

void EditorModel::Wheel(int notches, Modifiers mods) {
  constexpr int kRowsPerNotch = 3;
  SetTopRow(top_row_ - notches * kRowsPerNotch);
}

void EditorModel::FocusIn() {
  if (focused_) return;
  focused_ = true;
  UpdateCaret();
}

void EditorModel::FocusOut() {
  if (!focused_) return;
  focused_ = false;
  // The input method decides what becomes of its text (fcitx5 commits it right after).
  DropComposition();
  mouse_down_ = mouse_selecting_ = mouse_drag_pending_ = mouse_dragging_ = false;
  UpdateCaret();
}

}  // namespace editor
