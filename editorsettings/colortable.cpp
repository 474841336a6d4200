// The settings dialog's colour list and colour table.
#include "editorsettings/colortable.h"

#include <stdexcept>

#include "editor/editormodel.h"
#include "editor/updatescope.h"

namespace editorsettings {

namespace {

constexpr uint8_t kStyleBits = store::fsBold | store::fsItalic | store::fsUnderline | store::fsStrikeOut;

}  // namespace

EntryControls ControlsOf(int entry) {
  switch (entry) {
    case ceWhole: return {true, true, false};
    case ceSelect: return {true, true, false};
    case ceRetMark:
    case ceWrapMark:
    case ceEofMark:
    case ceUnderline: return {true, false, false};
    case ceMail:
    case ceUrl:
    case ceComment:
    case ceStr: return {true, true, true};
    case ceRuler: return {true, true, false};
    case ceRulerMarker: return {true, false, false};
    case ceLeftbar: return {true, true, false};
    case ceReserve: return {true, true, true};
    default: return entry >= kFixedColorEntries ? EntryControls{true, true, true} : EntryControls{};
  }
}

const std::vector<std::string>& FixedColorEntryNames() {
  static const std::vector<std::string> names = {
      "\x91\x53\x91\xCC",                                          // 全体
      "\x91\x49\x91\xF0\x97\xCC\x88\xE6",                          // 選択領域
      "\x89\xFC\x8D\x73\x95\xB6\x8E\x9A",                          // 改行文字
      "\x90\xDC\x82\xE8\x95\xD4\x82\xB5\x95\x5C\x8E\xA6",          // 折り返し表示
      "\x95\xB6\x96\x96\x95\x5C\x8E\xA6",                          // 文末表示
      "\x89\xBA\x90\xFC\x95\x5C\x8E\xA6",                          // 下線表示
      "\x83\x81\x81\x5B\x83\x8B\x83\x41\x83\x68\x83\x8C\x83\x58",  // メールアドレス
      "\x82\x74\x82\x71\x82\x6B",                                  // ＵＲＬ
      "\x83\x52\x83\x81\x83\x93\x83\x67\x8D\x73",                  // コメント行
      "\x88\xF8\x97\x70\x95\x84\x82\xC5\x88\xCD\x82\xDC\x82\xEA\x82\xBD\x95\xB6\x8E\x9A\x97\xF1",  // 引用符で囲まれた文字列
      "\x83\x8B\x81\x5B\x83\x89\x81\x5B",                                                          // ルーラー
      "\x83\x8B\x81\x5B\x83\x89\x81\x5B\x82\xCC\x83\x7D\x81\x5B\x83\x4A\x81\x5B",  // ルーラーのマーカー
      "\x8D\x73\x90\x94\x95\x5C\x8E\xA6",                                          // 行数表示
      "\x97\x5C\x96\xF1\x8C\xEA",                                                  // 予約語
  };
  return names;
}

void CheckColorEntryNames(const std::vector<std::string>& names) {
  if (names.size() != static_cast<size_t>(kFixedColorEntries)) throw std::runtime_error("ColorList不一致");
}

std::string BracketEntryName(int n, std::string_view left, std::string_view right) {
  // 強調表示(
  std::string s = "\x8B\xAD\x92\xB2\x95\x5C\x8E\xA6(";
  s += std::to_string(n + 1);
  s += ")   ";
  s += left;
  s += ' ';
  s += right;
  return s;
}

std::vector<std::string> ColorListLines(const editor::TFountainBracketCollection& brackets) {
  std::vector<std::string> lines = FixedColorEntryNames();
  for (int n = 0; n < brackets.ItemCount(); ++n)
    lines.push_back(BracketEntryName(n, brackets[n].LeftBracket(), brackets[n].RightBracket()));
  return lines;
}

const std::array<TColor, 16>& GridColors() {
  static const std::array<TColor, 16> colors = {
      store::clBlack, store::clMaroon,  store::clGreen,  store::clOlive, store::clNavy, store::clPurple,
      store::clTeal,  store::clGray,    store::clSilver, store::clRed,   store::clLime, store::clYellow,
      store::clBlue,  store::clFuchsia, store::clAqua,   store::clWhite,
  };
  return colors;
}

int GridIndex(TColor c) {
  const auto& colors = GridColors();
  for (size_t i = 0; i < colors.size(); ++i)
    if (colors[i] == c) return static_cast<int>(i);
  return -1;
}

PanelTags TagsOf(const ColorValue& v, EntryControls controls) {
  PanelTags t;
  if (controls.fg) {
    t.noneFg = v.fg == store::clNone;
    t.otherFg = !t.noneFg && GridIndex(v.fg) < 0;
  }
  if (controls.bg) {
    t.noneBg = v.bg == store::clNone;
    t.otherBg = !t.noneBg && GridIndex(v.bg) < 0;
  }
  return t;
}

// ---- the table

ColorTable::ColorTable() = default;

namespace {

ColorValue Of(const editor::TFountainColor& c) { return {c.Color(), c.BkColor(), c.Style()}; }

void Put(editor::TFountainColor& dst, const ColorValue& v) {
  editor::UpdateScope update(dst);
  dst.SetColor(v.fg);
  dst.SetBkColor(v.bg);
  dst.SetStyle(v.style);
}

}  // namespace

void ColorTable::Load(const editor::EditorModel& editor) {
  const editor::TEditorColors& colors = editor.View().Colors();
  const editor::TEditorMarks& marks = editor.Marks();
  fixed_[ceWhole] = {editor.Font().Color, editor.Color(), 0};
  fixed_[ceSelect] = {colors.Select.Color(), colors.Select.BkColor(), 0};
  fixed_[ceRetMark] = {marks.RetMark().Color(), store::clNone, 0};
  fixed_[ceWrapMark] = {marks.WrapMark().Color(), store::clNone, 0};
  fixed_[ceEofMark] = {marks.EofMark().Color(), store::clNone, 0};
  fixed_[ceUnderline] = {marks.Underline().Color(), store::clNone, 0};
  fixed_[ceMail] = Of(colors.Mail);
  fixed_[ceUrl] = Of(colors.Url);
  fixed_[ceComment] = Of(colors.Comment);
  fixed_[ceStr] = Of(colors.Str);
  fixed_[ceRuler] = {editor.Ruler().Color(), editor.Ruler().BkColor(), 0};
  fixed_[ceRulerMarker] = {editor.Ruler().MarkColor(), store::clNone, 0};
  fixed_[ceLeftbar] = {editor.Leftbar().Color(), editor.Leftbar().BkColor(), 0};
  fixed_[ceReserve] = Of(colors.Reserve());
  brackets_.Assign(editor.View().Brackets());
}

void ColorTable::ApplyTo(editor::EditorModel& editor) const {
  store::TFont font = editor.Font();
  font.Color = fixed_[ceWhole].fg;
  editor.SetFont(font);
  editor.SetColor(fixed_[ceWhole].bg);

  {
    editor::TEditorViewInfo& view = editor.View();
    editor::UpdateScope viewUpdate(view);
    editor::UpdateScope fountainUpdate(view.Fountain());
    {
      editor::TEditorColors& colors = view.Colors();
      editor::UpdateScope colorsUpdate(colors);
      colors.Select.SetColor(fixed_[ceSelect].fg);
      colors.Select.SetBkColor(fixed_[ceSelect].bg);
      Put(colors.Mail, fixed_[ceMail]);
      Put(colors.Url, fixed_[ceUrl]);
      Put(colors.Comment, fixed_[ceComment]);
      Put(colors.Str, fixed_[ceStr]);
      Put(colors.Reserve(), fixed_[ceReserve]);
    }
    view.Brackets().Assign(brackets_);
  }
  {
    editor::TEditorMarks& marks = editor.Marks();
    editor::UpdateScope marksUpdate(marks);
    marks.RetMark().SetColor(fixed_[ceRetMark].fg);
    marks.WrapMark().SetColor(fixed_[ceWrapMark].fg);
    marks.EofMark().SetColor(fixed_[ceEofMark].fg);
    marks.Underline().SetColor(fixed_[ceUnderline].fg);
  }
  {
    editor::TEditorRuler& ruler = editor.Ruler();
    editor::UpdateScope rulerUpdate(ruler);
    ruler.SetColor(fixed_[ceRuler].fg);
    ruler.SetBkColor(fixed_[ceRuler].bg);
    ruler.SetMarkColor(fixed_[ceRulerMarker].fg);
  }

  editor::TEditorLeftbar& bar = editor.Leftbar();
  editor::UpdateScope barUpdate(bar);
  bar.SetColor(fixed_[ceLeftbar].fg);
  bar.SetBkColor(fixed_[ceLeftbar].bg);
}

ColorValue ColorTable::Get(int entry) const {
  if (entry >= 0 && entry < kFixedColorEntries) return fixed_[static_cast<size_t>(entry)];
  const int n = entry - kFixedColorEntries;
  if (n >= 0 && n < brackets_.ItemCount()) return Of(brackets_[n].ItemColor);
  return {};
}

bool ColorTable::SetFg(int entry, TColor c) {
  if (!ControlsOf(entry).fg || entry >= Count()) return false;
  if (entry < kFixedColorEntries) {
    ColorValue& v = fixed_[static_cast<size_t>(entry)];
    if (v.fg == c) return false;
    v.fg = c;
    return true;
  }
  editor::TFountainColor& ic = brackets_[entry - kFixedColorEntries].ItemColor;
  if (ic.Color() == c) return false;
  ic.SetColor(c);
  return true;
}

bool ColorTable::SetBg(int entry, TColor c) {
  if (!ControlsOf(entry).bg || entry >= Count()) return false;
  if (entry < kFixedColorEntries) {
    ColorValue& v = fixed_[static_cast<size_t>(entry)];
    if (v.bg == c) return false;
    v.bg = c;
    return true;
  }
  editor::TFountainColor& ic = brackets_[entry - kFixedColorEntries].ItemColor;
  if (ic.BkColor() == c) return false;
  ic.SetBkColor(c);
  return true;
}

bool ColorTable::SetStyleBit(int entry, uint8_t bit, bool on) {
  if (!ControlsOf(entry).style || entry >= Count() || (bit & kStyleBits) == 0) return false;
  const uint8_t old = Get(entry).style;
  const uint8_t now = on ? static_cast<uint8_t>(old | bit) : static_cast<uint8_t>(old & ~bit);
  if (now == old) return false;
  if (entry < kFixedColorEntries) {
    fixed_[static_cast<size_t>(entry)].style = now;
  } else {
    brackets_[entry - kFixedColorEntries].ItemColor.SetStyle(now);
  }
  return true;
}

}  // namespace editorsettings
