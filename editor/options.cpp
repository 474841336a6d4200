// The editor's option objects: clamping setters, Assign, main-window values and stored schedules.
#include "editor/options.h"

#include <algorithm>
#include <limits>

#include "editor/updatescope.h"

namespace editor {
namespace {

using store::PropertyVisitor;

template <class T>
T Clamp(int64_t v, int64_t lo, int64_t hi) {
  return static_cast<T>(std::clamp(v, lo, hi));
}

// Schedule bindings: a getter/setter pair of an option object as a stored property. The setter
// runs, so values read from a file are clamped and notified like any other.
template <class C>
void Bool(PropertyVisitor& v, std::string_view name, C& obj, bool (C::*get)() const, void (C::*set)(bool)) {
  auto g = [&] { return (obj.*get)() ? 1 : 0; };
  auto s = [&](int64_t x) { (obj.*set)(x != 0); };
  v.Boolean(name, store::IntRef(g, s));
}

template <class C>
void Colour(PropertyVisitor& v, std::string_view name, C& obj, TColor (C::*get)() const, void (C::*set)(TColor)) {
  auto g = [&] { return (obj.*get)(); };
  auto s = [&](int64_t x) { (obj.*set)(static_cast<TColor>(x)); };
  v.Colour(name, store::IntRef(g, s));
}

// Integers; a value beyond the setter's parameter type is first clamped to that type.
template <class C, class R, class A>
void Int(PropertyVisitor& v, std::string_view name, C& obj, R (C::*get)() const, void (C::*set)(A)) {
  auto g = [&] { return static_cast<int64_t>((obj.*get)()); };
  auto s = [&](int64_t x) { (obj.*set)(Clamp<A>(x, std::numeric_limits<A>::min(), std::numeric_limits<A>::max())); };
  v.Integer(name, store::IntRef(g, s));
}

template <class C, class E, size_t N>
void Enum(PropertyVisitor& v, std::string_view name, C& obj, E (C::*get)() const, void (C::*set)(E),
          const std::string_view (&names)[N]) {
  auto g = [&] { return static_cast<int64_t>((obj.*get)()); };
  auto s = [&](int64_t x) {
    if (x >= 0 && x < static_cast<int64_t>(N)) (obj.*set)(static_cast<E>(x));
  };
  v.Enum(name, store::IntRef(g, s), names);
}

}  // namespace

// ---- TEditorCursors

void TEditorCursors::Assign(const TEditorCursors& src) {
  UpdateScope update(*this);
  default_ = src.default_;
  drag_sel_ = src.drag_sel_;
  drag_sel_copy_ = src.drag_sel_copy_;
  in_sel_ = src.in_sel_;
  left_margin_ = src.left_margin_;
  top_margin_ = src.top_margin_;
}

void TEditorCursors::SetMainValues() {
  UpdateScope update(*this);
  SetDefaultCursor(crIBeam);
  SetDragSelCursor(crDrag);
  SetDragSelCopyCursor(crDragSelCopy);
  SetInSelCursor(crDefault);
  SetLeftMarginCursor(crRightArrow);
  SetTopMarginCursor(crDefault);
}

void TEditorCursors::Describe(PropertyVisitor& v) {
  using C = TEditorCursors;
  Int(v, "DefaultCursor", *this, &C::DefaultCursor, &C::SetDefaultCursor);
  Int(v, "DragSelCursor", *this, &C::DragSelCursor, &C::SetDragSelCursor);
  Int(v, "DragSelCopyCursor", *this, &C::DragSelCopyCursor, &C::SetDragSelCopyCursor);
  Int(v, "InSelCursor", *this, &C::InSelCursor, &C::SetInSelCursor);
  Int(v, "LeftMarginCursor", *this, &C::LeftMarginCursor, &C::SetLeftMarginCursor);
  Int(v, "TopMarginCursor", *this, &C::TopMarginCursor, &C::SetTopMarginCursor);
}

bool operator==(const TEditorCursors& a, const TEditorCursors& b) {
  return a.default_ == b.default_ && a.drag_sel_ == b.drag_sel_ && a.drag_sel_copy_ == b.drag_sel_copy_ &&
         a.in_sel_ == b.in_sel_ && a.left_margin_ == b.left_margin_ && a.top_margin_ == b.top_margin_;
}

// ---- TEditorCaret

TEditorCaret::TEditorCaret() {
  cursors_.OnChange = [this] { Changed(); };
}

void TEditorCaret::SetTabSpaceCount(int64_t n) {
  SetValue(tab_space_count_, Clamp<int>(n, kMinTabSpaceCount, kMaxTabSpaceCount) & ~1);
}

void TEditorCaret::Assign(const TEditorCaret& src) {
  UpdateScope update(*this);
  auto_cursor_ = src.auto_cursor_;
  auto_indent_ = src.auto_indent_;
  back_space_un_indent_ = src.back_space_un_indent_;
  cursors_.Assign(src.cursors_);
  free_caret_ = src.free_caret_;
  free_row_ = src.free_row_;
  in_tab_ = src.in_tab_;
  keep_caret_ = src.keep_caret_;
  lock_scroll_ = src.lock_scroll_;
  next_line_ = src.next_line_;
  prev_space_indent_ = src.prev_space_indent_;
  row_select_ = src.row_select_;
  sel_drag_mode_ = src.sel_drag_mode_;
  sel_move_ = src.sel_move_;
  soft_tab_ = src.soft_tab_;
  style_ = src.style_;
  tab_indent_ = src.tab_indent_;
  tab_space_count_ = src.tab_space_count_;
}

void TEditorCaret::SetMainValues() {
  UpdateScope update(*this);
  SetAutoCursor(true);
  SetAutoIndent(false);
  SetBackSpaceUnIndent(false);
  cursors_.SetMainValues();
  SetFreeCaret(false);
  SetFreeRow(false);
  SetInTab(false);
  SetKeepCaret(false);
  SetLockScroll(false);
  SetNextLine(false);
  SetPrevSpaceIndent(false);
  SetRowSelect(true);
  SetSelDragMode(dmAutomatic);
  SetSelMove(true);
  SetSoftTab(false);
  SetStyle(csDefault);
  SetTabIndent(false);
  SetTabSpaceCount(8);
}

void TEditorCaret::Describe(PropertyVisitor& v) {
  using C = TEditorCaret;
  Bool(v, "AutoCursor", *this, &C::AutoCursor, &C::SetAutoCursor);
  Bool(v, "AutoIndent", *this, &C::AutoIndent, &C::SetAutoIndent);
  Bool(v, "BackSpaceUnIndent", *this, &C::BackSpaceUnIndent, &C::SetBackSpaceUnIndent);
  v.Object("Cursors", cursors_);
  Bool(v, "FreeCaret", *this, &C::FreeCaret, &C::SetFreeCaret);
  Bool(v, "FreeRow", *this, &C::FreeRow, &C::SetFreeRow);
  Bool(v, "InTab", *this, &C::InTab, &C::SetInTab);
  Bool(v, "KeepCaret", *this, &C::KeepCaret, &C::SetKeepCaret);
  Bool(v, "LockScroll", *this, &C::LockScroll, &C::SetLockScroll);
  Bool(v, "NextLine", *this, &C::NextLine, &C::SetNextLine);
  Bool(v, "PrevSpaceIndent", *this, &C::PrevSpaceIndent, &C::SetPrevSpaceIndent);
  Bool(v, "RowSelect", *this, &C::RowSelect, &C::SetRowSelect);
  Enum(v, "SelDragMode", *this, &C::SelDragMode, &C::SetSelDragMode, kDragModeNames);
  Bool(v, "SelMove", *this, &C::SelMove, &C::SetSelMove);
  Bool(v, "SoftTab", *this, &C::SoftTab, &C::SetSoftTab);
  Enum(v, "Style", *this, &C::Style, &C::SetStyle, kEditorCaretStyleNames);
  Bool(v, "TabIndent", *this, &C::TabIndent, &C::SetTabIndent);
  Int(v, "TabSpaceCount", *this, &C::TabSpaceCount, &C::SetTabSpaceCount);
}

bool operator==(const TEditorCaret& a, const TEditorCaret& b) {
  return a.auto_cursor_ == b.auto_cursor_ && a.auto_indent_ == b.auto_indent_ &&
         a.back_space_un_indent_ == b.back_space_un_indent_ && a.cursors_ == b.cursors_ &&
         a.free_caret_ == b.free_caret_ && a.free_row_ == b.free_row_ && a.in_tab_ == b.in_tab_ &&
         a.keep_caret_ == b.keep_caret_ && a.lock_scroll_ == b.lock_scroll_ && a.next_line_ == b.next_line_ &&
         a.prev_space_indent_ == b.prev_space_indent_ && a.row_select_ == b.row_select_ &&
         a.sel_drag_mode_ == b.sel_drag_mode_ && a.sel_move_ == b.sel_move_ && a.soft_tab_ == b.soft_tab_ &&
         a.style_ == b.style_ && a.tab_indent_ == b.tab_indent_ && a.tab_space_count_ == b.tab_space_count_;
}

// ---- TEditorMark, TEditorMarks

void TEditorMark::Assign(const TEditorMark& src) {
  UpdateScope update(*this);
  color_ = src.color_;
  visible_ = src.visible_;
}

void TEditorMark::Describe(PropertyVisitor& v) {
  Colour(v, "Color", *this, &TEditorMark::Color, &TEditorMark::SetColor);
  Bool(v, "Visible", *this, &TEditorMark::Visible, &TEditorMark::SetVisible);
}

bool operator==(const TEditorMark& a, const TEditorMark& b) { return a.color_ == b.color_ && a.visible_ == b.visible_; }

TEditorMarks::TEditorMarks() {
  for (TEditorMark* m : {&eof_, &ret_, &wrap_, &hide_, &underline_}) m->OnChange = [this] { Changed(); };
}

void TEditorMarks::Assign(const TEditorMarks& src) {
  UpdateScope update(*this);
  eof_.Assign(src.eof_);
  ret_.Assign(src.ret_);
  wrap_.Assign(src.wrap_);
  hide_.Assign(src.hide_);
  underline_.Assign(src.underline_);
}

void TEditorMarks::SetMainValues() {
  struct Main {
    TEditorMark& mark;
    TColor color;
    bool visible;
  };
  UpdateScope update(*this);
  for (const Main& m :
       {Main{eof_, store::clOlive, false}, Main{ret_, store::clGray, true}, Main{wrap_, store::clGray, true},
        Main{hide_, store::clRed, true}, Main{underline_, store::clGray, true}}) {
    m.mark.SetColor(m.color);
    m.mark.SetVisible(m.visible);
  }
}

void TEditorMarks::Describe(PropertyVisitor& v) {
  v.Object("EofMark", eof_);
  v.Object("RetMark", ret_);
  v.Object("WrapMark", wrap_);
  v.Object("HideMark", hide_);
  v.Object("Underline", underline_);
}

bool operator==(const TEditorMarks& a, const TEditorMarks& b) {
  return a.eof_ == b.eof_ && a.ret_ == b.ret_ && a.wrap_ == b.wrap_ && a.hide_ == b.hide_ &&
         a.underline_ == b.underline_;
}

// ---- TEditorMargin

void TEditorMargin::SetCharacter(int64_t n) { SetValue(character_, Clamp<int>(n, 0, kMax)); }
void TEditorMargin::SetLeft(int64_t n) { SetValue(left_, Clamp<int>(n, 0, kMax)); }
void TEditorMargin::SetLine(int64_t n) { SetValue(line_, Clamp<int>(n, 0, kMax)); }
void TEditorMargin::SetTop(int64_t n) { SetValue(top_, Clamp<int>(n, 0, kMax)); }

void TEditorMargin::Assign(const TEditorMargin& src) {
  UpdateScope update(*this);
  character_ = src.character_;
  left_ = src.left_;
  line_ = src.line_;
  top_ = src.top_;
}

void TEditorMargin::SetMainValues() {
  UpdateScope update(*this);
  SetCharacter(0);
  SetLeft(12);
  SetLine(0);
  SetTop(8);
}

void TEditorMargin::Describe(PropertyVisitor& v) {
  using C = TEditorMargin;
  Int(v, "Character", *this, &C::Character, &C::SetCharacter);
  Int(v, "Left", *this, &C::Left, &C::SetLeft);
  Int(v, "Line", *this, &C::Line, &C::SetLine);
  Int(v, "Top", *this, &C::Top, &C::SetTop);
}

bool operator==(const TEditorMargin& a, const TEditorMargin& b) {
  return a.character_ == b.character_ && a.left_ == b.left_ && a.line_ == b.line_ && a.top_ == b.top_;
}

// ---- TEditorRuler

void TEditorRuler::SetGaugeRange(int64_t n) { SetValue(gauge_range_, Clamp<int>(n, 8, 10) & ~1); }

void TEditorRuler::Assign(const TEditorRuler& src) {
  UpdateScope update(*this);
  bk_color_ = src.bk_color_;
  color_ = src.color_;
  edge_ = src.edge_;
  gauge_range_ = src.gauge_range_;
  mark_color_ = src.mark_color_;
  visible_ = src.visible_;
}

void TEditorRuler::SetMainValues() {
  UpdateScope update(*this);
  SetBkColor(store::clSilver);
  SetColor(store::clBlack);
  SetEdge(true);
  SetGaugeRange(10);
  SetMarkColor(store::clBlack);
  SetVisible(true);
}

void TEditorRuler::Describe(PropertyVisitor& v) {
  using C = TEditorRuler;
  Colour(v, "BkColor", *this, &C::BkColor, &C::SetBkColor);
  Colour(v, "Color", *this, &C::Color, &C::SetColor);
  Bool(v, "Edge", *this, &C::Edge, &C::SetEdge);
  Int(v, "GaugeRange", *this, &C::GaugeRange, &C::SetGaugeRange);
  Colour(v, "MarkColor", *this, &C::MarkColor, &C::SetMarkColor);
  Bool(v, "Visible", *this, &C::Visible, &C::SetVisible);
}

bool operator==(const TEditorRuler& a, const TEditorRuler& b) {
  return a.bk_color_ == b.bk_color_ && a.color_ == b.color_ && a.edge_ == b.edge_ && a.gauge_range_ == b.gauge_range_ &&
         a.mark_color_ == b.mark_color_ && a.visible_ == b.visible_;
}

// ---- TEditorLeftbar

void TEditorLeftbar::SetColumn(int64_t n) { SetValue(column_, Clamp<int>(n, kMinColumn, kMaxColumn)); }
void TEditorLeftbar::SetLeftMargin(int64_t n) { SetValue(left_margin_, Clamp<int>(n, 0, kMaxMargin)); }
void TEditorLeftbar::SetRightMargin(int64_t n) { SetValue(right_margin_, Clamp<int>(n, 0, kMaxMargin)); }

void TEditorLeftbar::Assign(const TEditorLeftbar& src) {
  UpdateScope update(*this);
  bk_color_ = src.bk_color_;
  color_ = src.color_;
  column_ = src.column_;
  edge_ = src.edge_;
  left_margin_ = src.left_margin_;
  right_margin_ = src.right_margin_;
  show_number_ = src.show_number_;
  show_number_mode_ = src.show_number_mode_;
  visible_ = src.visible_;
  zero_base_ = src.zero_base_;
  zero_lead_ = src.zero_lead_;
}

void TEditorLeftbar::SetMainValues() {
  UpdateScope update(*this);
  SetBkColor(store::clSilver);
  SetColor(store::clBlack);
  SetColumn(3);
  SetEdge(true);
  SetLeftMargin(1);
  SetRightMargin(4);
  SetShowNumber(true);
  SetShowNumberMode(nmRow);
  SetVisible(false);
  SetZeroBase(false);
  SetZeroLead(false);
}

void TEditorLeftbar::Describe(PropertyVisitor& v) {
  using C = TEditorLeftbar;
  Colour(v, "BkColor", *this, &C::BkColor, &C::SetBkColor);
  Colour(v, "Color", *this, &C::Color, &C::SetColor);
  Int(v, "Column", *this, &C::Column, &C::SetColumn);
  Bool(v, "Edge", *this, &C::Edge, &C::SetEdge);
  Int(v, "LeftMargin", *this, &C::LeftMargin, &C::SetLeftMargin);
  Int(v, "RightMargin", *this, &C::RightMargin, &C::SetRightMargin);
  Bool(v, "ShowNumber", *this, &C::ShowNumber, &C::SetShowNumber);
  Enum(v, "ShowNumberMode", *this, &C::ShowNumberMode, &C::SetShowNumberMode, kEditorShowNumberModeNames);
  Bool(v, "Visible", *this, &C::Visible, &C::SetVisible);
  Bool(v, "ZeroBase", *this, &C::ZeroBase, &C::SetZeroBase);
  Bool(v, "ZeroLead", *this, &C::ZeroLead, &C::SetZeroLead);
}

bool operator==(const TEditorLeftbar& a, const TEditorLeftbar& b) {
  return a.bk_color_ == b.bk_color_ && a.color_ == b.color_ && a.column_ == b.column_ && a.edge_ == b.edge_ &&
         a.left_margin_ == b.left_margin_ && a.right_margin_ == b.right_margin_ && a.show_number_ == b.show_number_ &&
         a.show_number_mode_ == b.show_number_mode_ && a.visible_ == b.visible_ && a.zero_base_ == b.zero_base_ &&
         a.zero_lead_ == b.zero_lead_;
}

// ---- TEditorImagebar

void TEditorImagebar::SetDigitWidth(int64_t n) { SetValue(digit_width_, Clamp<int>(n, 0, kMax)); }
void TEditorImagebar::SetLeftMargin(int64_t n) { SetValue(left_margin_, Clamp<int>(n, 0, kMax)); }
void TEditorImagebar::SetMarkWidth(int64_t n) { SetValue(mark_width_, Clamp<int>(n, 0, kMax)); }
void TEditorImagebar::SetRightMargin(int64_t n) { SetValue(right_margin_, Clamp<int>(n, 0, kMax)); }

void TEditorImagebar::Assign(const TEditorImagebar& src) {
  UpdateScope update(*this);
  digit_width_ = src.digit_width_;
  left_margin_ = src.left_margin_;
  mark_width_ = src.mark_width_;
  right_margin_ = src.right_margin_;
  visible_ = src.visible_;
}

void TEditorImagebar::SetMainValues() {
  UpdateScope update(*this);
  SetDigitWidth(8);
  SetLeftMargin(2);
  SetMarkWidth(0);
  SetRightMargin(2);
  SetVisible(false);
}

void TEditorImagebar::Describe(PropertyVisitor& v) {
  using C = TEditorImagebar;
  Int(v, "DigitWidth", *this, &C::DigitWidth, &C::SetDigitWidth);
  Int(v, "LeftMargin", *this, &C::LeftMargin, &C::SetLeftMargin);
  Int(v, "MarkWidth", *this, &C::MarkWidth, &C::SetMarkWidth);
  Int(v, "RightMargin", *this, &C::RightMargin, &C::SetRightMargin);
  Bool(v, "Visible", *this, &C::Visible, &C::SetVisible);
}

bool operator==(const TEditorImagebar& a, const TEditorImagebar& b) {
  return a.digit_width_ == b.digit_width_ && a.left_margin_ == b.left_margin_ && a.mark_width_ == b.mark_width_ &&
         a.right_margin_ == b.right_margin_ && a.visible_ == b.visible_;
}

// ---- TEditorSpeed

void TEditorSpeed::SetCaretVerticalAc(int64_t n) { caret_vertical_ac_ = Clamp<uint8_t>(n, kMinRange, kMaxRange); }
void TEditorSpeed::SetPageVerticalRange(int64_t n) { page_vertical_range_ = Clamp<uint8_t>(n, kMinRange, kMaxRange); }
void TEditorSpeed::SetPageVerticalRangeAc(int64_t n) {
  page_vertical_range_ac_ = Clamp<uint8_t>(n, kMinRange, kMaxRange);
}

void TEditorSpeed::SetMainValues() {
  SetCaretVerticalAc(2);
  SetInitBracketsFull(true);
  SetPageVerticalRange(2);
  SetPageVerticalRangeAc(2);
}

void TEditorSpeed::Describe(PropertyVisitor& v) {
  using C = TEditorSpeed;
  Int(v, "CaretVerticalAc", *this, &C::CaretVerticalAc, &C::SetCaretVerticalAc);
  Bool(v, "InitBracketsFull", *this, &C::InitBracketsFull, &C::SetInitBracketsFull);
  Int(v, "PageVerticalRange", *this, &C::PageVerticalRange, &C::SetPageVerticalRange);
  Int(v, "PageVerticalRangeAc", *this, &C::PageVerticalRangeAc, &C::SetPageVerticalRangeAc);
}

bool operator==(const TEditorSpeed& a, const TEditorSpeed& b) {
  return a.caret_vertical_ac_ == b.caret_vertical_ac_ && a.init_brackets_full_ == b.init_brackets_full_ &&
         a.page_vertical_range_ == b.page_vertical_range_ && a.page_vertical_range_ac_ == b.page_vertical_range_ac_;
}

// ---- Geometry

int NumberDigits(int64_t largest) {
  int digits = 1;
  for (int64_t n = largest < 0 ? 0 : largest; n >= 10; n /= 10) ++digits;
  return digits;
}

int LeftbarWidth(const TEditorLeftbar& bar, int digitWidth, int numberDigits) {
  return bar.LeftMargin() + std::max(bar.Column(), numberDigits) * digitWidth + bar.RightMargin();
}

int ImagebarWidth(const TEditorImagebar& bar) {
  return bar.LeftMargin() + bar.DigitWidth() + bar.MarkWidth() + bar.RightMargin();
}

int TextAreaLeft(const TEditorMargin& margin, const TEditorImagebar& imagebar, const TEditorLeftbar& leftbar,
                 int digitWidth, int numberDigits) {
  return margin.Left() + (imagebar.Visible() ? ImagebarWidth(imagebar) : 0) +
         (leftbar.Visible() ? LeftbarWidth(leftbar, digitWidth, numberDigits) : 0);
}

}  // namespace editor
