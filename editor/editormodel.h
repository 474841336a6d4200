// The editor control without a screen: caret, selection (stream and box), typing, keys, input
// method results, clipboard operations, bookmarks, search, token queries, the pop-up menu's state,
// the edit bracket and the geometry that follows from measured font metrics. A widget owns one
// model, forwards its events here and paints what the model reports; the model talks back through
// a Viewport. Positions are (screen row, display column); text is code page 932 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editorproperties.h"
#include "editor/editorstrings.h"
#include "editor/keys.h"
#include "editor/options.h"
#include "editor/rowstates.h"
#include "editor/screenstrings.h"
#include "editor/textfinder.h"
#include "editor/viewhooks.h"
#include "editor/viewinfo.h"
#include "editor/viewport.h"
#include "editor/wrap.h"
#include "editor/wrapoption.h"

namespace editor {

// A caret position: screen row and display column.
struct Position {
  int row = 0;
  int col = 0;
  friend bool operator==(const Position&, const Position&) = default;
  friend auto operator<=>(const Position&, const Position&) = default;
};

// A selection end: screen row, byte index in the row and display column (beyond the row's end
// the column says how far; the byte index stays at the row's length).
struct SelPoint {
  int row = 0;
  int byte = 0;
  int col = 0;
  friend bool operator==(const SelPoint&, const SelPoint&) = default;
};

// Pixel geometry, recomputed from the metrics, the size and the options.
struct EditorLayout {
  int width = 0, height = 0;             // client size
  int cell_width = 8, text_height = 16;  // as measured by the widget
  int digit_width = 8;                   // advance of a digit of the line-number bar
  int char_width = 8;                    // cell width + Margin.Character: every byte advances by it
  int row_pitch = 16;                    // text height + Margin.Line (+1 with the caret-row underline)
  int visible_rows = 1;                  // fully visible rows (at least 1)
  int visible_cols = 1;                  // fully visible columns (at least 1)
  int text_left = 0;                     // left edge of the text area
  int text_top = 0;                      // top of the first row
  int ruler_top = 0, ruler_height = 0;   // 0 height when the ruler is hidden
  int imagebar_left = 0, imagebar_width = 0;
  int leftbar_left = 0, leftbar_width = 0;
  bool vertical_bar = false, horizontal_bar = false;  // scroll bars shown
  int vertical_bar_width = 0, horizontal_bar_height = 0;
};

// What follows the text of a painted row.
enum class RowEndMark : uint8_t {
  None,
  Hide,    // the text runs past the 1000-column limit
  Eof,     // "[EOF]" after the last row
  Return,  // a line break follows
  Wrap,    // the line continues on the next row
};

// The selected part of one row.
struct RowSelection {
  bool any = false;
  int start_byte = 0, end_byte = 0;  // byte range of the row's text, end exclusive
  int start_col = 0, end_col = 0;    // display columns, end exclusive (box: the box's columns)
  bool includes_end = false;         // the row's end (its line-end or wrap mark) is selected
};

// Everything the painter needs about one row besides its tokens.
struct RowPaintInfo {
  int row = 0;
  int y = 0;              // top of the row in widget pixels
  std::string_view text;  // valid until the document changes
  RowAttribute attr = rowTextEnd;
  uint16_t marks = 0;  // bookmark bits
  RowSelection selection;
  bool hit = false;  // the selection is a search hit: draw it in Colors.Hit
  RowEndMark end_mark = RowEndMark::None;
  int end_col = 0;         // display column where the end mark is drawn
  bool caret_row = false;  // underline it when Marks.Underline is visible
  // The part of an input-method composition on this row: bytes [composition_start,
  // composition_end) of `text`, which are the composition's bytes from composition_offset on.
  int composition_start = 0, composition_end = 0, composition_offset = 0;
};

// The text around the caret that an input method may read: the caret's logical line (or a window
// of a long one) and the caret's and the selection anchor's byte offsets in it.
struct SurroundingText {
  std::string text;
  int cursor = 0;
  int anchor = 0;
};

// The built-in pop-up menu's commands.
enum class MenuAction : uint8_t {
  None,
  ToggleMark,  // argument: mark number
  GotoMark,    // argument: mark number
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  PasteBox,
  Delete,
  SelectAll,
  ToggleBoxSelection,
};

// One pop-up menu entry; captions and shortcut texts are UTF-8.
struct MenuItem {
  std::string caption;  // "-" for a separator
  std::string shortcut;
  bool enabled = true;
  bool checked = false;
  MenuAction action = MenuAction::None;
  int argument = 0;
  std::vector<MenuItem> items;  // a sub-menu
  bool IsSeparator() const { return caption == "-"; }
};

class EditorModel : public EditorViewHooks {
 public:
  static constexpr int kMaxCol = 1000;       // rows are measured and drawn this far
  static constexpr int kMaxCaretCol = 1001;  // a caret column never goes past this
  // A new model creates its own document; the second form shares one with other views.
  EditorModel();
  explicit EditorModel(std::shared_ptr<TEditorScreenStrings> document);
  ~EditorModel() override;
  EditorModel(const EditorModel&) = delete;
  EditorModel& operator=(const EditorModel&) = delete;

  // ---- window link
  // Sets (or with nullptr removes) the window; the model repaints everything through it.
  void SetViewport(Viewport* viewport);
  Viewport* GetViewport() const { return viewport_; }

  // ---- document and text
  TEditorScreenStrings& Document() { return *doc_; }
  const TEditorScreenStrings& Document() const { return *doc_; }
  std::shared_ptr<TEditorScreenStrings> SharedDocument() const { return doc_; }
  // The logical-line view (Text, Count, Get, Put, Add, Insert, Delete, Clear, files, updates).
  TEditorStrings& Lines() { return lines_; }
  // Lines.Clear.
  void Clear();
  // The whole text, "\r\n" after every line that ends with a break.
  std::string Text() const { return doc_->Text(); }
  // Replaces the whole text (Lines.Text set); the caret goes to (0, 0).
  void SetText(std::string_view text);

  // ---- rows
  int RowCount() const { return doc_->Count(); }
  // Empty for rows out of range.
  std::string RowText(int row) const;
  // A view of row `row` valid until the document changes; empty out of range.
  std::string_view RowView(int row) const;
  // rowTextEnd for rows out of range.
  RowAttribute RowAttributeOf(int row) const;
  // First row of logical line `line`; logical line of row `row` (identity without word wrap).
  int LineToRow(int line) const { return doc_->LineToRow(line); }
  int RowToLine(int row) const { return doc_->RowToLine(row); }
  // The last row the caret may stand on (row count, or the last row when it is rowTextEnd).
  int CaretRowLimit() const { return doc_->CaretRowLimit(); }

  // ---- caret
  int Row() const { return row_; }
  int Col() const { return col_; }
  Position CaretPos() const { return {row_, col_}; }
  // Clamps to 0..caret row limit and normalises the column.
  void SetRow(int row);
  // Clamps to 0..1001 and normalises the column in the direction of the move.
  void SetCol(int col);
  void SetRowCol(int row, int col);
  // Byte index in the caret row that the caret column stands for (may exceed the row length when
  // the caret is beyond its end: the difference is the padding an insertion adds).
  int CaretByte() const;
  // The caret in pixels and its shape.
  CaretInfo CaretRect() const;
  // Scrolls so that the caret is visible.
  void ScrollCaret();

  // ---- view
  int TopRow() const override { return top_row_; }
  // Scrolls so that `row` is the first visible row (clamped to 0..row count).
  void SetTopRow(int row);
  // First visible column (left scroll); the offset in pixels is TopCol() * char width.
  int TopCol() const { return top_col_; }
  void SetTopCol(int col);
  int LeftScrollPixels() const { return top_col_ * layout_.char_width; }
  // x of the text area's left edge.
  int TextLeft() const { return layout_.text_left; }

  // ---- metrics and layout
  // From the widget's font: half-width advance (without Margin.Character), font height plus
  // external leading, and the advance of a digit for the line-number bar (0: the cell width).
  void SetMetrics(int cell_width, int text_height, int digit_width = 0);
  // Client size in pixels.
  void Resize(int width, int height);
  // The platform's scroll-bar thickness (the bars themselves follow ScrollBars).
  void SetScrollBarExtents(int vertical_width, int horizontal_height);
  const EditorLayout& Layout() const { return layout_; }
  int VisibleRows() const { return layout_.visible_rows; }
  int VisibleCols() const { return layout_.visible_cols; }
  // Top pixel of a document row as shown now (may lie outside the window).
  int RowY(int row) const;
  // x of a display column in widget pixels (after the left scroll).
  int ColX(int col) const;
  // The position under a pixel: the row under y (clamped to the caret rows) and the column
  // nearest to x (clamped to 0..1001), normalised as a caret column.
  Position PosFromPoint(int x, int y) const;
  // The character cell under a pixel (not clamped to the text).
  Position CellFromPoint(int x, int y) const;
  // Italic mode: the font or a colour of the colouring definition has fsItalic.
  bool ItalicMode() const;

  // ---- selection
  bool Selected() const { return selected_; }
  // Ordered ends of the selection (start <= end); for a box the rows and the column edges.
  Position SelectionStart() const;
  Position SelectionEnd() const;
  // Byte offset of the selection start (or the caret): rowLineBreak rows count 2 more.
  int64_t SelStart() const;
  // Removes the selection and puts the caret at that byte offset.
  void SetSelStart(int64_t offset);
  // Bytes selected (box: each row's part + 2).
  int64_t SelLength() const;
  // Switches box mode off and selects `length` bytes from the selection start (or caret).
  void SetSelLength(int64_t length);
  std::string SelText() const;
  // Replaces the selection (if any) by text, as InsertText.
  void SetSelText(std::string_view text) { InsertText(text); }
  // Selects from anchor to the caret position given (stream or box by the current mode).
  void Select(Position anchor, Position caret);
  void SelectAll();
  // Removes the selection; the text stays.
  void ClearSelection() override;
  bool BoxSelection() const { return box_; }
  // Ignored while a mouse selection is in progress; fires OnSelectionModeChange.
  void SetBoxSelection(bool box);
  // The selected part of `row` (empty range when the row has none).
  RowSelection SelectionOnRow(int row) const;
  // Whether a position lies inside the selection.
  bool InSelection(Position p) const;

  // ---- editing (all ignored when read-only)
  // Replaces the selection or inserts at the caret (padding a short row); never overwrites.
  void InsertText(std::string_view text);
  // Typed text: one character, a double-byte pair or an input-method result; insert or overwrite.
  void TypeText(std::string_view text);
  void DeleteSelection();
  // Removes screen row `row`.
  void DeleteRow(int row);
  // Box paste of `text` at the caret (or the selection's top left).
  void PasteBox(std::string_view text);
  void CopyToClipboard();
  void CutToClipboard();
  // Box paste when the clipboard says box, otherwise InsertText.
  void PasteFromClipboard();
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;

  // ---- modes and properties
  bool ReadOnly() const { return props_.ReadOnly; }
  void SetReadOnly(bool on);
  bool Overwrite() const { return overwrite_; }
  void SetOverwrite(bool on);
  bool Modified() const { return modified_; }
  void SetModified(bool on);
  bool WordWrap() const { return doc_->WordWrap(); }
  void SetWordWrap(bool on);
  TEditorHitStyle HitStyle() const { return props_.HitStyle; }
  // Changing it removes the selection.
  void SetHitStyle(TEditorHitStyle style);
  TScrollStyle ScrollBars() const { return props_.ScrollBars; }
  void SetScrollBars(TScrollStyle style);
  bool WantReturns() const { return props_.WantReturns; }
  void SetWantReturns(bool on) { props_.WantReturns = on; }
  bool WantTabs() const { return props_.WantTabs; }
  void SetWantTabs(bool on) { props_.WantTabs = on; }
  int UndoListMax() const;
  void SetUndoListMax(int n);
  // The font record (the widget measures it and calls SetMetrics; the model reads its style).
  const store::TFont& Font() const { return props_.Font; }
  void SetFont(const store::TFont& font);
  TColor Color() const { return props_.Color; }
  void SetColor(TColor color);
  TBorderStyle BorderStyle() const { return props_.BorderStyle; }
  void SetBorderStyle(TBorderStyle style);
  const std::vector<std::string>& ReserveWordList() const { return props_.ReserveWordList; }
  void SetReserveWordList(const std::vector<std::string>& words);
  // The plain properties together; setting applies each as its own setter does.
  const EditorProperties& Properties() const { return props_; }
  void SetProperties(const EditorProperties& p);
  // The values of the main window's editor for every option object and property.
  void ApplyMainValues();

  // ---- option objects (owned; every change recomputes layout and repaints)
  TEditorCaret& Caret() { return caret_opt_; }
  TEditorMarks& Marks() { return marks_opt_; }
  TEditorMargin& Margin() { return margin_opt_; }
  TEditorRuler& Ruler() { return ruler_opt_; }
  TEditorLeftbar& Leftbar() { return leftbar_opt_; }
  TEditorImagebar& Imagebar() { return imagebar_opt_; }
  TEditorViewInfo& View() { return view_; }
  TEditorWrapOption& WrapOption() { return doc_->WrapOption(); }
  const TEditorCaret& Caret() const { return caret_opt_; }
  const TEditorMarks& Marks() const { return marks_opt_; }
  const TEditorMargin& Margin() const { return margin_opt_; }
  const TEditorRuler& Ruler() const { return ruler_opt_; }
  const TEditorLeftbar& Leftbar() const { return leftbar_opt_; }
  const TEditorImagebar& Imagebar() const { return imagebar_opt_; }
  const TEditorViewInfo& View() const { return view_; }
  // Speed has no notification of its own: set it through here.
  const TEditorSpeed& Speed() const { return speed_; }
  void SetSpeed(const TEditorSpeed& speed);
  // An external colouring definition replaces View's; nullptr goes back to View's.
  TFountain* Fountain() const { return external_fountain_; }
  void SetFountain(TFountain* fountain);
  // The definition in force and its colours (Select and Hit for the painter).
  TFountain& ActiveFountain();
  const TEditorColors& Colors() const;
  // The word-delimiter set (Ctrl+Left/Right, wrapping).
  const DelimiterSet& Delimiters() const { return delimiters_; }
  void SetDelimiters(const DelimiterSet& set);

  // ---- input from the widget
  // A key press; returns whether the model used it. Caret keys, Delete, BackSpace, Tab and Enter
  // are handled here (Tab and Enter only when WantTabs/WantReturns); send a key that returned
  // true no further, and the text of any other key to CharInput.
  bool KeyDown(KeyCode key, Modifiers mods, bool auto_repeat = false);
  // Character input as code page 932 bytes (typed text; also BackSpace 0x08, Tab 0x09 and Enter
  // 0x0D for platforms that deliver them as characters); a lead byte pairs with the byte after it.
  void CharInput(std::string_view cp932, Modifiers mods = kModNone);
  // An input-method result (already code page 932): inserted as typed text, one undo entry. With
  // `chars_follow` the platform will deliver the same text again as characters, which are skipped.
  void ImeCommit(std::string_view cp932, bool chars_follow = false);

  // ---- input-method composition
  // The text being composed (code page 932) is shown as if inserted at the caret, in place of a
  // stream selection (a box selection is deleted first), pushing the rest of the row right and
  // wrapping with the rows' rules; it stays out of the document, the undo list and Modified.
  // `cursor` is the input method's cursor as a byte offset in it. An empty text ends it. Ignored
  // when read-only. A change of the text, the caret or the selection by other means ends it.
  void SetComposition(std::string_view cp932, int cursor, bool cursor_visible = true);
  bool Composing() const { return compose_.active; }
  const std::string& CompositionText() const { return compose_.text; }
  // Ends the composition and puts `cp932` in its place as typed text, one undo entry with any
  // replacement: `replace_length` characters from `replace_start` characters after the caret are
  // replaced too, counted as the input method sees the text (a stream selection removed first).
  void CommitComposition(std::string_view cp932, int replace_start = 0, int replace_length = 0);
  // Ends the composition; the text stays as it is.
  void CancelComposition();
  // The caret's logical line for the input method; while composing, as it will read after the
  // commit with the composition left out.
  SurroundingText Surrounding() const;
  // The selection anchor in pixels (the caret while composing or without a selection).
  CaretInfo AnchorRect() const;
  void MouseDown(MouseButton button, Modifiers mods, int x, int y);
  void MouseMove(Modifiers mods, int x, int y);
  void MouseUp(MouseButton button, Modifiers mods, int x, int y);
  void DoubleClick(MouseButton button, Modifiers mods, int x, int y);
  // A mouse selection or in-editor drag is in progress (the widget then runs AutoScroll on a timer
  // while the mouse is outside the text area).
  bool MouseCaptured() const { return mouse_down_; }
  // One auto-scroll step towards the last mouse position during a mouse selection.
  void AutoScroll();
  // Wheel notches (positive: towards the top).
  void Wheel(int notches, Modifiers mods = kModNone);
  // The user moved a scroll bar to `pos`.
  void VerticalScrolled(int pos);
  void HorizontalScrolled(int pos);
  void FocusIn();
  void FocusOut();
  bool HasFocus() const override { return focused_; }
  // The mouse cursor for a point (AutoCursor and Caret.Cursors).
  TCursor CursorAt(int x, int y) const;

  // ---- drag and drop (text)
  // A drag enters or moves over the editor: the caret follows the point; returns the effect.
  DropEffect DragOver(int x, int y, Modifiers mods, bool from_self);
  // The drag left without a drop: the caret goes back where it was.
  void DragLeave();
  // Text dropped at a point (from_self: this editor's own selection being dragged).
  DropEffect Drop(int x, int y, Modifiers mods, std::string_view cp932, bool from_self);

  // ---- search
  // The next match of `finder` from the caret or selection in its direction, shown by HitStyle;
  // false when none.
  bool Search(const TextFinder& finder);
  // The current selection is a search hit (hsDraw/hsCaret draw it in Colors.Hit).
  bool SelectionIsHit() const { return hit_shown_; }
  int HitLength() const { return hit_length_; }

  // ---- bookmarks (0..15; the menus use 0..9)
  void SetMark(int row, int n);
  void DeleteMark(int row, int n);
  void GotoMark(int n);
  uint16_t RowMarks(int row) const;
  // Sets mark n on the caret row, or removes it when the caret row carries it.
  void ToggleMark(int n);
  bool MarkInUse(int n) const;

  // ---- tokens
  // Kind of the token under a pixel (tkUrl 21, tkMail 22 for links), tkEnd when none.
  int TokenAt(int x, int y);
  std::string TokenTextAt(int x, int y);
  // Selects the token at the caret (double click).
  void SelectTokenAtCaret();
  // The colouring of the rows (its token iteration for painting).
  RowColouring& Colouring() { return *colouring_; }

  // ---- painting
  // Rows as painted: the document's rows, except that while composing the rows of the composed
  // wrap unit take the place of the unit's rows and the rows below move by the difference.
  // Without a composition they are the document rows.
  int PaintTopRow() const;
  int PaintRowCount() const;
  int PaintRowY(int row) const { return layout_.text_top + (row - PaintTopRow()) * layout_.row_pitch; }
  RowPaintInfo PaintInfo(int row) const;
  // Tokens of a row from its stored state (computed first when needed); valid until the next call.
  TRowTokenIterator& PaintTokens(int row);
  // Text of the line-number bar for a row: empty for continuation rows in nmLine mode and when
  // ShowNumber is off; right-aligned in Column digits (ZeroLead pads with zeros).
  std::string LineNumberText(int row) const;

  // ---- pop-up menu
  // The built-in menu with enabling and check marks computed now.
  std::vector<MenuItem> PopupMenu() const;
  void ExecuteMenu(MenuAction action, int argument = 0);
  // Whether KeyDown handles the built-in menu's shortcuts (off when the host has its own menu).
  bool MenuShortcuts() const { return menu_shortcuts_; }
  void SetMenuShortcuts(bool on) { menu_shortcuts_ = on; }

  // ---- EditorViewHooks (the document's side)
  int CaretRow() const override { return row_; }
  int CaretCol() const override { return col_; }
  void SetCaretRow(int row) override { SetRow(row); }
  void SetCaretCol(int col) override { SetCol(col); }
  bool IsLoading() const override { return loading_; }
  int VisibleRowCount() const override { return layout_.visible_rows; }
  int TabSpaceCount() const override { return caret_opt_.TabSpaceCount(); }
  const DelimiterSet* WordDelimiters() const override { return &delimiters_; }
  // The edit bracket around every change of the text (nesting allowed).
  void BeginEdit() override;
  void EndEdit() override;
  void SetUpdating(bool updating) override;
  void RowsChanged(const LastChange& change) override;
  void Refresh() override;
  void RowStateChanged(int row) override;
  void PullBackTo(int limit) override;
  // While loading, wrapping and full recolouring wait; ending it rewraps and recolours.
  void SetLoading(bool loading);

 private:
  // Remembered column of vertical moves (Caret.KeepCaret).
  struct KeepState {
    int col = 0;
    bool valid = false;
  };
  // The edit bracket as a scope.
  class EditScope {
   public:
    explicit EditScope(EditorModel& m) : m_(m) { m_.BeginEdit(); }
    ~EditScope() { m_.EndEdit(); }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

   private:
    EditorModel& m_;
  };
  static constexpr int kColumnLimit = kMaxCaretCol + 2;

  // editormodel.cpp
  void Init();
  void WireOptions();
  void OptionsChanged();
  void CaretOptionsChanged();
  void RecolourAll();
  bool Relayout(bool repaint_if_moved);
  int LargestNumber() const;
  void Invalidate();
  void InvalidateRows(int first, int last, unsigned areas);
  void RepaintChange(const LastChange& change);
  void FinishEdit(bool changed);
  void UpdateScrollBars();

  // editormodel_caret.cpp
  int WrapColumns() const;
  const ColumnLayout& Cols(int row) const;
  int RowWidth(int row) const;
  char CodeAt(int row, int col) const;
  int ByteAt(int row, int col) const;
  int ColOfByte(int row, int byte) const;
  int CharEndCol(int row, int col) const;
  int CharStartCol(int row, int col) const;
  int StepOutOfCharacter(int row, int col, int direction) const;
  int NormalizeCol(int row, int col, int direction, bool vertical);
  int NormalizeColumn(int row, int col, int direction, bool vertical, KeepState& keep) const;
  void MoveCaret(int row, int col, int direction, bool vertical, bool scroll = true);
  void CaretMoved(int old_row, int old_col);
  void UpdateCaret();

  // editormodel_select.cpp
  SelPoint PointAt(Position p) const;
  SelPoint PointAtByte(int row, int byte) const;
  SelPoint TextEndPoint() const;
  SelPoint BytesAfter(int row, int64_t offset) const;
  int64_t OffsetOf(int row, int byte) const;
  std::string TextBetween(const SelPoint& a, const SelPoint& b) const;
  std::pair<int, int> BoxBytes(int row, int left, int right) const;
  std::pair<SelPoint, SelPoint> OrderedSelection() const;
  void SetSelection(const SelPoint& anchor, const SelPoint& other, bool box);
  void SelectBytes(const SelPoint& from, const SelPoint& to);
  void ExtendSelection(Position from);
  bool InSelectionAt(Position p, bool inclusive_end) const;

  // editormodel_edit.cpp
  // Text to insert with lone CR and LF made CR LF (in `buffer` when it changes), so that the caret
  // offsets counted in it match the rows.
  static std::string_view WithRowLineEnds(std::string_view text, std::string& buffer);
  void ReplaceRowsAt(int row, int count, std::string_view s, int64_t caret_offset);
  void ReplaceSpan(SelPoint a, SelPoint b, std::string_view text, int64_t caret_offset = -1);
  void ReplaceSelection(std::string_view text);
  std::string ReadRowsText(int first, int last) const;
  void InsertAtCaret(std::string_view text);
  void OverwriteText(std::string_view text);
  int IndentBytes(int row) const;
  int IndentWidth(int row) const;
  std::string IndentText(int width) const;
  int AutoIndentWidth() const;
  void Enter(bool shift);
  void TabKey(Modifiers mods);
  void DeleteKey();
  void BackSpace();
  void UnIndent();

  // editormodel_input.cpp
  bool MenuShortcut(KeyCode key, bool shift);
  void Navigate(KeyCode key, Modifiers mods, bool auto_repeat);
  void CaretLeft();
  void CaretRight();
  void CaretVertical(int direction, bool ctrl, bool auto_repeat);
  std::vector<int> WordStops(int row);
  void WordLeft();
  void WordRight();
  bool CanDragSelection() const;
  void SelectRowAt(int y);
  DropEffect DropOwnSelection(Position p, bool copy);

  // editormodel_compose.cpp
  // The composition and the rows it is laid out in.
  struct Composition {
    bool active = false;
    std::string text;  // code page 932
    int cursor = 0;    // the input method's cursor, bytes into text
    bool cursor_visible = true;
    SelPoint from, to;  // the document span it stands in for (a stream selection, else the caret)
    int pad = 0;        // spaces before it when the caret stands beyond the end of its row
    int top = 0;        // first document row of the wrap unit it is laid out in
    int replaced = 0;   // document rows of that unit
    std::string unit;   // the unit's text with the composition in place
    int start = 0;      // byte offset of the composition in `unit`
    std::vector<RowCut> rows;
    int caret_row = 0, caret_col = 0;  // the input method's cursor: composed row and column
    int line_delta = 0;                // logical lines gained by the unit (numbering below it)
    TEditorStringList coloured;        // the composed rows, for their colouring
  };
  void LayOutComposition();
  // Ends the composition without a word to the input method; repaints where it was.
  void DropComposition();
  // The rows a composition took and now takes, repainted (and the rows below when they moved).
  void RepaintComposition(bool was_active, int old_top, int old_rows, int old_replaced);
  void ScrollCompositionIntoView();
  int CompositionDelta() const { return static_cast<int>(compose_.rows.size()) - compose_.replaced; }
  // A painted row's source: a document row (composed < 0) or a composed row.
  struct PaintSource {
    int row = 0;
    int composed = -1;
  };
  PaintSource SourceOf(int paint_row) const;
  int PaintRowOf(int row) const;
  RowPaintInfo ComposedPaintInfo(int k) const;
  RowPaintInfo DocumentPaintInfo(int row) const;
  std::string FormatLineNumber(int number) const;
  // Rows first..last as one text, "\r\n" after each rowLineBreak row (after the last one only
  // with `last_break`).
  std::string LinesText(int first, int last, bool last_break) const;
  void InvalidatePaintRows(int first, int last, unsigned areas);

  // editormodel_query.cpp
  void ShowHit(int row, int byte, int length);
  int FindMark(int n) const;
  TTokenQuery TokenQueryAt(int x, int y);
  bool MenuEnabled(MenuAction action) const;

  std::shared_ptr<TEditorScreenStrings> doc_;
  TEditorStrings lines_;
  Viewport* viewport_ = nullptr;

  EditorProperties props_;
  TEditorCaret caret_opt_;
  TEditorMarks marks_opt_;
  TEditorMargin margin_opt_;
  TEditorRuler ruler_opt_;
  TEditorLeftbar leftbar_opt_;
  TEditorImagebar imagebar_opt_;
  TEditorSpeed speed_;
  TEditorViewInfo view_;
  TFountain* external_fountain_ = nullptr;
  int external_subscription_ = 0;
  std::unique_ptr<RowColouring> colouring_;
  DelimiterSet delimiters_ = DefaultDelimiters();
  int tab_width_ = 8;
  bool destroying_ = false;

  EditorLayout layout_;
  int scroll_bar_width_ = 16, scroll_bar_height_ = 16;
  int number_digits_ = 0;
  ScrollBarState last_vbar_, last_hbar_;

  // Columns of the row last asked for.
  mutable ColumnLayout cols_;
  mutable int cols_row_ = -1;
  mutable uint64_t cols_revision_ = 0;
  mutable const char* cols_data_ = nullptr;
  mutable size_t cols_size_ = 0;
  mutable int cols_tab_ = 0, cols_wrap_ = 0;
  mutable DelimiterSet cols_delimiters_;

  int row_ = 0, col_ = 0;
  int top_row_ = 0, top_col_ = 0;
  int keep_col_ = 0;
  bool keep_valid_ = false;

  bool selected_ = false;
  bool box_ = false;      // box mode
  bool sel_box_ = false;  // the current selection is a box
  SelPoint sel_anchor_;   // where the selection started
  SelPoint sel_caret_;    // its moving end

  bool overwrite_ = false;
  bool modified_ = false;
  bool focused_ = false;
  bool loading_ = false;
  bool updating_ = false;
  bool menu_shortcuts_ = true;

  // Edit bracket.
  int edit_depth_ = 0;
  uint64_t edit_revision_ = 0;
  bool pending_change_ = false;
  bool pending_many_ = false;
  LastChange pending_;

  // Search hit.
  bool hit_shown_ = false;
  int hit_length_ = 0;
  bool hit_caret_ = false;
  bool keep_hit_caret_ = false;

  // Input.
  int ime_skip_ = 0;
  Composition compose_;
  std::unique_ptr<RowColouring> compose_colouring_;
  bool mouse_down_ = false;
  bool mouse_selecting_ = false;
  bool mouse_drag_pending_ = false;  // pressed inside the selection (dmAutomatic)
  bool mouse_dragging_ = false;
  Position mouse_press_;
  Position mouse_anchor_;
  int mouse_x_ = 0, mouse_y_ = 0;
  Modifiers mouse_mods_ = 0;

  // Drag and drop.
  bool drag_from_self_ = false;
  bool dropped_in_self_ = false;
  bool drag_saved_valid_ = false;
  Position drag_saved_;
};

}  // namespace editor
