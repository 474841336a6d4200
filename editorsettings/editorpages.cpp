// The settings dialog's editor pages without a screen.
#include "editorsettings/editorpages.h"

#include <algorithm>

#include "codec/cp932.h"
#include "editor/editormodel.h"
#include "editor/updatescope.h"

namespace editorsettings {

int TabLengthIndex(int length) {
  for (size_t i = 0; i < kTabLengths.size(); ++i)
    if (kTabLengths[i] == length) return static_cast<int>(i);
  return static_cast<int>(kTabLengths.size()) - 1;
}

bool MarkOf(const editor::EditorModel& e, MarkBox box) {
  switch (box) {
    case MarkBox::RetMark: return e.Marks().RetMark().Visible();
    case MarkBox::WrapMark: return e.Marks().WrapMark().Visible();
    case MarkBox::EofMark: return e.Marks().EofMark().Visible();
    case MarkBox::Mail: return e.View().Mail();
    case MarkBox::Url: return e.View().Url();
    case MarkBox::Underline: return e.Marks().Underline().Visible();
    case MarkBox::Ruler: return e.Ruler().Visible();
    case MarkBox::Leftbar: return e.Leftbar().Visible();
    case MarkBox::ZeroBase: return e.Leftbar().ZeroBase();
    case MarkBox::LogicalLines: return e.Leftbar().ShowNumberMode() == editor::nmLine;
  }
  return false;
}

void ApplyMark(editor::EditorModel& e, MarkBox box, bool on) {
  switch (box) {
    case MarkBox::RetMark: e.Marks().RetMark().SetVisible(on); break;
    case MarkBox::WrapMark: e.Marks().WrapMark().SetVisible(on); break;
    case MarkBox::EofMark: e.Marks().EofMark().SetVisible(on); break;
    case MarkBox::Mail: e.View().SetMail(on); break;
    case MarkBox::Url: e.View().SetUrl(on); break;
    case MarkBox::Underline: e.Marks().Underline().SetVisible(on); break;
    case MarkBox::Ruler: e.Ruler().SetVisible(on); break;
    case MarkBox::Leftbar: e.Leftbar().SetVisible(on); break;
    case MarkBox::ZeroBase: e.Leftbar().SetZeroBase(on); break;
    case MarkBox::LogicalLines: e.Leftbar().SetShowNumberMode(on ? editor::nmLine : editor::nmRow); break;
  }
}

void EditorPageValues::Load(editor::EditorModel& e) {
  fontName = e.Font().Name;
  fontSize = e.Font().Size();
  wordWrap = e.WordWrap();
  const editor::TEditorWrapOption& w = e.WrapOption();
  wrapByte = w.WrapByte();
  wordBreak = w.WordBreak();
  followStr = w.FollowStr();
  leadStr = w.LeadStr();
  punctuationStr = w.PunctuationStr();
  const editor::TEditorCaret& c = e.Caret();
  tabLength = kTabLengths[static_cast<size_t>(TabLengthIndex(c.TabSpaceCount()))];
  freeCaret = c.FreeCaret();
  keepCaret = c.KeepCaret();
  autoIndent = c.AutoIndent();
  tabIndent = c.TabIndent();
  backSpaceUnIndent = c.BackSpaceUnIndent();
  softTab = c.SoftTab();
  const editor::TEditorMargin& m = e.Margin();
  marginLeft = m.Left();
  marginTop = m.Top();
  marginCharacter = m.Character();
  marginLine = m.Line();
  for (int k = 0; k < kMarkBoxCount; ++k) marks[static_cast<size_t>(k)] = MarkOf(e, static_cast<MarkBox>(k));
  reserveWords = e.ReserveWordList();
  commenter = e.View().Commenter();
  quotation = e.View().Quotation();
}

void EditorPageValues::ApplyTo(editor::EditorModel& e) const {
  store::TFont font = e.Font();
  font.Name = fontName;
  font.SetSize(std::clamp(fontSize, kMinFontSize, kMaxFontSize));
  e.SetFont(font);
  e.SetWordWrap(wordWrap);

  editor::TEditorWrapOption w;
  w.Assign(e.WrapOption());
  w.SetWrapByte(wrapByte);
  w.SetWordBreak(wordBreak);
  w.SetFollowStr(followStr);
  w.SetLeadStr(leadStr);
  w.SetPunctuationStr(punctuationStr);
  if (!(w == e.WrapOption())) e.WrapOption().Assign(w);

  {
    editor::TEditorCaret& c = e.Caret();
    editor::UpdateScope update(c);
    c.SetTabSpaceCount(tabLength);
    c.SetFreeCaret(freeCaret);
    c.SetKeepCaret(keepCaret);
    c.SetAutoIndent(autoIndent);
    c.SetTabIndent(tabIndent);
    c.SetBackSpaceUnIndent(backSpaceUnIndent);
    c.SetSoftTab(softTab);
  }
  {
    editor::TEditorMargin& m = e.Margin();
    editor::UpdateScope update(m);
    m.SetLeft(marginLeft);
    m.SetTop(marginTop);
    m.SetCharacter(marginCharacter);
    m.SetLine(marginLine);
  }

  for (int k = 0; k < kMarkBoxCount; ++k) ApplyMark(e, static_cast<MarkBox>(k), marks[static_cast<size_t>(k)]);

  e.SetReserveWordList(reserveWords);
  e.View().SetCommenter(commenter);
  e.View().SetQuotation(QuotationOf(quotation));
}

void EditorPagesState::Load(editor::EditorModel& editor) {
  values.Load(editor);
  colors.Load(editor);
}

void EditorPagesState::ApplyAll(editor::EditorModel& editor) const {
  values.ApplyTo(editor);
  colors.ApplyTo(editor);
}

// ---- the preview's text

std::string PreviewText() {
  // コメント / the two links / empty / （ここに書き込めます）
  return "\x83\x52\x83\x81\x83\x93\x83\x67\r\n"
         "sorame@example.jp\r\n"
         "http://www.example.jp/\r\n"
         "\r\n"
         "\x81\x69\x82\xB1\x82\xB1\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB7\x81\x6A";
}

std::string PreviewFirstLine(std::string_view commenter) {
  return std::string(commenter) + "\x83\x52\x83\x81\x83\x93\x83\x67";  // コメント
}

// ---- reserved words and quotation

std::vector<std::string> ReserveWordsFromText(std::string_view text) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) words.emplace_back(line);
    start = end + 1;
  }
  return words;
}

std::string ReserveWordsText(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i) text += "\r\n";
    text += words[i];
  }
  return text;
}

std::string QuotationOf(std::string_view cp932) {
  if (cp932.empty() || codec::IsLeadByte(static_cast<unsigned char>(cp932[0]))) return {};
  return std::string(cp932.substr(0, 1));
}

// ---- bracket pairs

std::string TrimBracketText(std::string_view s) {
  // Trail bytes of code page 932 are never 0x20 or below, so trimming bytes never cuts a character.
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20) --e;
  return std::string(s.substr(b, e - b));
}

std::string BracketPairLine(std::string_view left, std::string_view right) {
  return std::string(left) + " " + std::string(right);
}

BracketButtons BracketButtonsFor(std::string_view left, std::string_view right, int selected, int count) {
  const bool texts = !left.empty() && !right.empty() && left != right;
  const bool has = selected >= 0 && selected < count;
  return {texts && count < editor::TFountainBracketCollection::kMaxItems, texts && has, has};
}

bool AddBracket(ColorTable& table, std::string_view left, std::string_view right) {
  if (!BracketButtonsFor(left, right, -1, table.Brackets().ItemCount()).add) return false;
  editor::TFountainBracketItem& item = table.Brackets().Add(std::string(left), std::string(right));
  item.ItemColor.SetColor(store::clNone);
  item.ItemColor.SetBkColor(store::clNone);
  return true;
}

bool ChangeBracket(ColorTable& table, int index, std::string_view left, std::string_view right) {
  if (!BracketButtonsFor(left, right, index, table.Brackets().ItemCount()).change) return false;
  editor::TFountainBracketItem& item = table.Brackets()[index];
  item.SetLeftBracket(std::string(left));
  item.SetRightBracket(std::string(right));
  return true;
}

bool DeleteBracket(ColorTable& table, int index) {
  if (!BracketButtonsFor({}, {}, index, table.Brackets().ItemCount()).del) return false;
  table.Brackets().Delete(index);
  return true;
}

}  // namespace editorsettings
