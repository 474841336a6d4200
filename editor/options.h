// The editor's option objects: caret and cursors, row-end marks, margins, ruler, line-number bar,
// image bar and speeds, with their stored schedules and the pixel geometry that follows from them.
//
// Every setter clamps silently and notifies only when the value changes; `Assign` copies everything
// and notifies exactly once, so an owner can rely on one repaint per dialog OK. A new object holds
// the control's defaults; `SetMainValues` gives the values the main window's editor starts from.
// Owned sub-objects (Caret.Cursors, the five marks) report their changes through their owner, which
// sets their OnChange: do not replace it.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/notifypersistent.h"
#include "store/colors.h"
#include "store/persistent.h"

namespace editor {

using store::TColor;

// Mouse cursor numbers: the platform's stock cursors are negative, the editor's own positive.
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crRightArrow = 1;   // registered as "RightArrow"
inline constexpr TCursor crDragSelCopy = 2;  // registered as "DragSelCopy"
inline constexpr std::string_view kRightArrowCursorName = "RightArrow";
inline constexpr std::string_view kDragSelCopyCursorName = "DragSelCopy";

enum TDragMode : int32_t { dmManual, dmAutomatic };
inline constexpr std::string_view kDragModeNames[] = {"dmManual", "dmAutomatic"};

enum TEditorCaretStyle : int32_t { csDefault, csBrief };
inline constexpr std::string_view kEditorCaretStyleNames[] = {"csDefault", "csBrief"};

enum TEditorShowNumberMode : int32_t { nmRow, nmLine };
inline constexpr std::string_view kEditorShowNumberModeNames[] = {"nmRow", "nmLine"};

enum TEditorHitStyle : int32_t { hsSelect, hsDraw, hsCaret };
inline constexpr std::string_view kEditorHitStyleNames[] = {"hsSelect", "hsDraw", "hsCaret"};

enum TScrollStyle : int32_t { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr std::string_view kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

enum TBorderStyle : int32_t { bsNone, bsSingle };
inline constexpr std::string_view kBorderStyleNames[] = {"bsNone", "bsSingle"};

// ---- Caret

// Mouse cursors per area of the control (inside `Caret`).
class TEditorCursors : public TNotifyPersistent {
 public:
  TEditorCursors() = default;
  TEditorCursors(const TEditorCursors&) = delete;
  TEditorCursors& operator=(const TEditorCursors&) = delete;

  TCursor DefaultCursor() const { return default_; }
  TCursor DragSelCursor() const { return drag_sel_; }
  TCursor DragSelCopyCursor() const { return drag_sel_copy_; }
  TCursor InSelCursor() const { return in_sel_; }
  TCursor LeftMarginCursor() const { return left_margin_; }
  TCursor TopMarginCursor() const { return top_margin_; }
  void SetDefaultCursor(TCursor c) { SetValue(default_, c); }
  void SetDragSelCursor(TCursor c) { SetValue(drag_sel_, c); }
  void SetDragSelCopyCursor(TCursor c) { SetValue(drag_sel_copy_, c); }
  void SetInSelCursor(TCursor c) { SetValue(in_sel_, c); }
  void SetLeftMarginCursor(TCursor c) { SetValue(left_margin_, c); }
  void SetTopMarginCursor(TCursor c) { SetValue(top_margin_, c); }

  void Assign(const TEditorCursors& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorCursors"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorCursors& a, const TEditorCursors& b);

 private:
  TCursor default_ = crIBeam;
  TCursor drag_sel_ = crDrag;
  TCursor drag_sel_copy_ = crDragSelCopy;
  TCursor in_sel_ = crDefault;
  TCursor left_margin_ = crRightArrow;
  TCursor top_margin_ = crDefault;
};

// Caret movement and editing behaviour (`Caret`).
class TEditorCaret : public TNotifyPersistent {
 public:
  static constexpr int kMinTabSpaceCount = 2;
  static constexpr int kMaxTabSpaceCount = 8;

  TEditorCaret();
  TEditorCaret(const TEditorCaret&) = delete;
  TEditorCaret& operator=(const TEditorCaret&) = delete;

  bool AutoCursor() const { return auto_cursor_; }
  bool AutoIndent() const { return auto_indent_; }
  bool BackSpaceUnIndent() const { return back_space_un_indent_; }
  TEditorCursors& Cursors() { return cursors_; }
  const TEditorCursors& Cursors() const { return cursors_; }
  bool FreeCaret() const { return free_caret_; }
  bool FreeRow() const { return free_row_; }
  bool InTab() const { return in_tab_; }
  bool KeepCaret() const { return keep_caret_; }
  bool LockScroll() const { return lock_scroll_; }
  bool NextLine() const { return next_line_; }
  bool PrevSpaceIndent() const { return prev_space_indent_; }
  bool RowSelect() const { return row_select_; }
  TDragMode SelDragMode() const { return sel_drag_mode_; }
  bool SelMove() const { return sel_move_; }
  bool SoftTab() const { return soft_tab_; }
  TEditorCaretStyle Style() const { return style_; }
  bool TabIndent() const { return tab_indent_; }
  int TabSpaceCount() const { return tab_space_count_; }

  void SetAutoCursor(bool b) { SetValue(auto_cursor_, b); }
  void SetAutoIndent(bool b) { SetValue(auto_indent_, b); }
  void SetBackSpaceUnIndent(bool b) { SetValue(back_space_un_indent_, b); }
  void SetCursors(const TEditorCursors& c) { cursors_.Assign(c); }
  void SetFreeCaret(bool b) { SetValue(free_caret_, b); }
  void SetFreeRow(bool b) { SetValue(free_row_, b); }
  void SetInTab(bool b) { SetValue(in_tab_, b); }
  void SetKeepCaret(bool b) { SetValue(keep_caret_, b); }
  void SetLockScroll(bool b) { SetValue(lock_scroll_, b); }
  void SetNextLine(bool b) { SetValue(next_line_, b); }
  void SetPrevSpaceIndent(bool b) { SetValue(prev_space_indent_, b); }
  void SetRowSelect(bool b) { SetValue(row_select_, b); }
  void SetSelDragMode(TDragMode m) { SetValue(sel_drag_mode_, m); }
  void SetSelMove(bool b) { SetValue(sel_move_, b); }
  void SetSoftTab(bool b) { SetValue(soft_tab_, b); }
  void SetStyle(TEditorCaretStyle s) { SetValue(style_, s); }
  void SetTabIndent(bool b) { SetValue(tab_indent_, b); }
  // Clamps to 2..8, then rounds down to even: only 2, 4, 6 and 8 occur.
  void SetTabSpaceCount(int64_t n);

  void Assign(const TEditorCaret& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorCaret"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorCaret& a, const TEditorCaret& b);

 private:
  bool auto_cursor_ = true;
  bool auto_indent_ = true;
  bool back_space_un_indent_ = true;
  TEditorCursors cursors_;
  bool free_caret_ = true;
  bool free_row_ = false;
  bool in_tab_ = false;
  bool keep_caret_ = false;
  bool lock_scroll_ = false;
  bool next_line_ = false;
  bool prev_space_indent_ = false;
  bool row_select_ = true;
  TDragMode sel_drag_mode_ = dmAutomatic;
  bool sel_move_ = true;
  bool soft_tab_ = false;
  TEditorCaretStyle style_ = csDefault;
  bool tab_indent_ = false;
  int tab_space_count_ = 8;
};

// ---- Marks

// One row-end or caret-row mark.
class TEditorMark : public TNotifyPersistent {
 public:
  TEditorMark() = default;
  TEditorMark(const TEditorMark&) = delete;
  TEditorMark& operator=(const TEditorMark&) = delete;

  TColor Color() const { return color_; }
  bool Visible() const { return visible_; }
  void SetColor(TColor c) { SetValue(color_, c); }
  void SetVisible(bool b) { SetValue(visible_, b); }

  void Assign(const TEditorMark& src);
  std::string_view ClassName() const override { return "TEditorMark"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorMark& a, const TEditorMark& b);

 private:
  TColor color_ = store::clGray;
  bool visible_ = false;
};

// The five marks (`Marks`).
class TEditorMarks : public TNotifyPersistent {
 public:
  TEditorMarks();
  TEditorMarks(const TEditorMarks&) = delete;
  TEditorMarks& operator=(const TEditorMarks&) = delete;

  TEditorMark& EofMark() { return eof_; }
  TEditorMark& RetMark() { return ret_; }
  TEditorMark& WrapMark() { return wrap_; }
  TEditorMark& HideMark() { return hide_; }
  TEditorMark& Underline() { return underline_; }
  const TEditorMark& EofMark() const { return eof_; }
  const TEditorMark& RetMark() const { return ret_; }
  const TEditorMark& WrapMark() const { return wrap_; }
  const TEditorMark& HideMark() const { return hide_; }
  const TEditorMark& Underline() const { return underline_; }
  void SetEofMark(const TEditorMark& m) { eof_.Assign(m); }
  void SetRetMark(const TEditorMark& m) { ret_.Assign(m); }
  void SetWrapMark(const TEditorMark& m) { wrap_.Assign(m); }
  void SetHideMark(const TEditorMark& m) { hide_.Assign(m); }
  void SetUnderline(const TEditorMark& m) { underline_.Assign(m); }

  void Assign(const TEditorMarks& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorMarks"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorMarks& a, const TEditorMarks& b);

 private:
  TEditorMark eof_, ret_, wrap_, hide_, underline_;
};

// ---- Margin, ruler, bars

// Pixel margins around the text (`Margin`); each 0..100.
class TEditorMargin : public TNotifyPersistent {
 public:
  static constexpr int kMax = 100;

  TEditorMargin() = default;
  TEditorMargin(const TEditorMargin&) = delete;
  TEditorMargin& operator=(const TEditorMargin&) = delete;

  int Character() const { return character_; }
  int Left() const { return left_; }
  int Line() const { return line_; }
  int Top() const { return top_; }
  void SetCharacter(int64_t n);
  void SetLeft(int64_t n);
  void SetLine(int64_t n);
  void SetTop(int64_t n);

  void Assign(const TEditorMargin& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorMargin"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorMargin& a, const TEditorMargin& b);

 private:
  int character_ = 0;
  int left_ = 19;
  int line_ = 0;
  int top_ = 2;
};

// The column ruler above the text (`Ruler`).
class TEditorRuler : public TNotifyPersistent {
 public:
  TEditorRuler() = default;
  TEditorRuler(const TEditorRuler&) = delete;
  TEditorRuler& operator=(const TEditorRuler&) = delete;

  TColor BkColor() const { return bk_color_; }
  TColor Color() const { return color_; }
  bool Edge() const { return edge_; }
  int GaugeRange() const { return gauge_range_; }
  TColor MarkColor() const { return mark_color_; }
  bool Visible() const { return visible_; }
  void SetBkColor(TColor c) { SetValue(bk_color_, c); }
  void SetColor(TColor c) { SetValue(color_, c); }
  void SetEdge(bool b) { SetValue(edge_, b); }
  // Clamps to 8..10, then rounds down to even: 8 or 10.
  void SetGaugeRange(int64_t n);
  void SetMarkColor(TColor c) { SetValue(mark_color_, c); }
  void SetVisible(bool b) { SetValue(visible_, b); }

  void Assign(const TEditorRuler& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorRuler"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorRuler& a, const TEditorRuler& b);

 private:
  TColor bk_color_ = store::clSilver;
  TColor color_ = store::clBlack;
  bool edge_ = true;
  int gauge_range_ = 10;
  TColor mark_color_ = store::clBlack;
  bool visible_ = false;
};

// The row-number bar at the left (`Leftbar`).
class TEditorLeftbar : public TNotifyPersistent {
 public:
  static constexpr int kMinColumn = 1;
  static constexpr int kMaxColumn = 8;
  static constexpr int kMaxMargin = 100;

  TEditorLeftbar() = default;
  TEditorLeftbar(const TEditorLeftbar&) = delete;
  TEditorLeftbar& operator=(const TEditorLeftbar&) = delete;

  TColor BkColor() const { return bk_color_; }
  TColor Color() const { return color_; }
  int Column() const { return column_; }
  bool Edge() const { return edge_; }
  int LeftMargin() const { return left_margin_; }
  int RightMargin() const { return right_margin_; }
  bool ShowNumber() const { return show_number_; }
  TEditorShowNumberMode ShowNumberMode() const { return show_number_mode_; }
  bool Visible() const { return visible_; }
  bool ZeroBase() const { return zero_base_; }
  bool ZeroLead() const { return zero_lead_; }
  void SetBkColor(TColor c) { SetValue(bk_color_, c); }
  void SetColor(TColor c) { SetValue(color_, c); }
  // Clamps to 1..8.
  void SetColumn(int64_t n);
  void SetEdge(bool b) { SetValue(edge_, b); }
  // Margins clamp to 0..100.
  void SetLeftMargin(int64_t n);
  void SetRightMargin(int64_t n);
  void SetShowNumber(bool b) { SetValue(show_number_, b); }
  void SetShowNumberMode(TEditorShowNumberMode m) { SetValue(show_number_mode_, m); }
  void SetVisible(bool b) { SetValue(visible_, b); }
  void SetZeroBase(bool b) { SetValue(zero_base_, b); }
  void SetZeroLead(bool b) { SetValue(zero_lead_, b); }

  void Assign(const TEditorLeftbar& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorLeftbar"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorLeftbar& a, const TEditorLeftbar& b);

 private:
  TColor bk_color_ = store::clSilver;
  TColor color_ = store::clBlack;
  int column_ = 4;
  bool edge_ = true;
  int left_margin_ = 8;
  int right_margin_ = 4;
  bool show_number_ = true;
  TEditorShowNumberMode show_number_mode_ = nmRow;
  bool visible_ = false;
  bool zero_base_ = false;
  bool zero_lead_ = false;
};

// The bar of bookmark and mark images left of the text (`Imagebar`); widths 0..100.
class TEditorImagebar : public TNotifyPersistent {
 public:
  static constexpr int kMax = 100;

  TEditorImagebar() = default;
  TEditorImagebar(const TEditorImagebar&) = delete;
  TEditorImagebar& operator=(const TEditorImagebar&) = delete;

  int DigitWidth() const { return digit_width_; }
  int LeftMargin() const { return left_margin_; }
  int MarkWidth() const { return mark_width_; }
  int RightMargin() const { return right_margin_; }
  bool Visible() const { return visible_; }
  void SetDigitWidth(int64_t n);
  void SetLeftMargin(int64_t n);
  void SetMarkWidth(int64_t n);
  void SetRightMargin(int64_t n);
  void SetVisible(bool b) { SetValue(visible_, b); }

  void Assign(const TEditorImagebar& src);
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorImagebar"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorImagebar& a, const TEditorImagebar& b);

 private:
  int digit_width_ = 8;
  int left_margin_ = 2;
  int mark_width_ = 0;
  int right_margin_ = 2;
  bool visible_ = true;
};

// ---- Speed

// Scrolling speeds (`Speed`): a plain persistent object, no notification. The three ranges hold
// 1..4; their setters clamp values outside it, like every other option setter.
class TEditorSpeed : public store::Persistent {
 public:
  static constexpr int kMinRange = 1;
  static constexpr int kMaxRange = 4;

  uint8_t CaretVerticalAc() const { return caret_vertical_ac_; }
  bool InitBracketsFull() const { return init_brackets_full_; }
  uint8_t PageVerticalRange() const { return page_vertical_range_; }
  uint8_t PageVerticalRangeAc() const { return page_vertical_range_ac_; }
  void SetCaretVerticalAc(int64_t n);
  void SetInitBracketsFull(bool b) { init_brackets_full_ = b; }
  void SetPageVerticalRange(int64_t n);
  void SetPageVerticalRangeAc(int64_t n);

  void Assign(const TEditorSpeed& src) { *this = src; }
  void SetMainValues();
  std::string_view ClassName() const override { return "TEditorSpeed"; }
  void Describe(store::PropertyVisitor& v) override;
  friend bool operator==(const TEditorSpeed& a, const TEditorSpeed& b);

 private:
  uint8_t caret_vertical_ac_ = 2;
  bool init_brackets_full_ = false;
  uint8_t page_vertical_range_ = 2;
  uint8_t page_vertical_range_ac_ = 2;
};

// ---- Geometry that follows from the options alone (pixels).

// The ruler's height when shown: the edge line takes one pixel.
inline int RulerHeight(const TEditorRuler& ruler) { return ruler.Edge() ? 11 : 10; }
// Top of the text area: the top margin below the ruler, when it is shown.
inline int TextAreaTop(const TEditorMargin& margin, const TEditorRuler& ruler) {
  return margin.Top() + (ruler.Visible() ? RulerHeight(ruler) : 0);
}
// Distance between rows for a font whose text height (height plus external leading) is given;
// the caret-row underline needs a pixel line of its own.
inline int RowPitch(int textHeight, const TEditorMargin& margin, const TEditorMarks& marks) {
  return textHeight + margin.Line() + (marks.Underline().Visible() ? 1 : 0);
}
// Advance of every byte for a font whose half-width cell is given.
inline int CharacterWidth(int cellWidth, const TEditorMargin& margin) { return cellWidth + margin.Character(); }

// Decimal digits of the largest number the bar shows (at least 1).
int NumberDigits(int64_t largest);
// Width of the line-number bar: its margins around Column digit cells, widened when the numbers
// shown need more digits than Column.
int LeftbarWidth(const TEditorLeftbar& bar, int digitWidth, int numberDigits = 0);
// Width of the image bar: a bookmark digit image and a mark image side by side, between margins.
int ImagebarWidth(const TEditorImagebar& bar);
// Left edge of the text area: the left margin plus whichever bars are shown.
int TextAreaLeft(const TEditorMargin& margin, const TEditorImagebar& imagebar, const TEditorLeftbar& leftbar,
                 int digitWidth, int numberDigits = 0);

}  // namespace editor
