// What the settings dialog's three editor pages edit, without a screen: the plain values of the
// pages (font, wrapping, caret, margins, marks, reserved words, comment leader, quotation), the
// colour table with its working bracket pairs, and the rules of the bracket and reserved-word
// fields. The dialog loads them from its preview editor and applies them back to it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editorsettings/colortable.h"

namespace editor {
class EditorModel;
}

namespace editorsettings {

// Field ranges of the pages.
inline constexpr int kMinFontSize = 6;
inline constexpr int kMaxFontSize = 999;
inline constexpr int kDefaultFontSize = 12;
inline constexpr int kDefaultWrapByte = 70;
inline constexpr int kMaxMargin = 100;
// "タブ文字の長さ": the lengths offered; any other length shows as the last.
inline constexpr std::array<int, 4> kTabLengths = {2, 4, 6, 8};
int TabLengthIndex(int length);

// The check boxes of "エディタ設定２", each applied to the preview as it is ticked.
enum class MarkBox : int {
  RetMark,       // "改行文字表示"
  WrapMark,      // "折り返し表示"
  EofMark,       // "文末表示"
  Mail,          // "メールアドレス強調表示"
  Url,           // "ＵＲＬ強調表示"
  Underline,     // "キャレットのある行を下線表示"
  Ruler,         // "ルーラー表示"
  Leftbar,       // "行数表示"
  ZeroBase,      // "ゼロから数える"
  LogicalLines,  // "論理行で表示": ticked counts logical lines
};
inline constexpr int kMarkBoxCount = 10;
bool MarkOf(const editor::EditorModel& editor, MarkBox box);
void ApplyMark(editor::EditorModel& editor, MarkBox box, bool on);

struct EditorPageValues {
  // "エディタ設定１"
  std::string fontName;  // code page 932
  int fontSize = kDefaultFontSize;
  bool wordWrap = false;
  int wrapByte = kDefaultWrapByte;
  bool wordBreak = false;
  std::string followStr, leadStr, punctuationStr;  // code page 932
  int tabLength = 8;
  bool freeCaret = false, keepCaret = false, autoIndent = false, tabIndent = false;
  bool backSpaceUnIndent = false, softTab = false;
  int marginLeft = 0, marginTop = 0, marginCharacter = 0, marginLine = 0;
  // "エディタ設定２"
  std::array<bool, kMarkBoxCount> marks{};
  // "エディタ設定３" (code page 932)
  std::vector<std::string> reserveWords;
  std::string commenter;
  std::string quotation;

  bool Mark(MarkBox b) const { return marks[static_cast<size_t>(b)]; }
  void SetMark(MarkBox b, bool on) { marks[static_cast<size_t>(b)] = on; }

  // Not const: the editor hands out its wrap option only for change.
  void Load(editor::EditorModel& editor);
  // Everything but the colours; the font keeps the editor's colour, charset and style.
  void ApplyTo(editor::EditorModel& editor) const;
};

// The pages' working state: the values and the colour table.
struct EditorPagesState {
  EditorPageValues values;
  ColorTable colors;

  void Load(editor::EditorModel& editor);
  // All editor settings of the dialog into the editor (activating "エディタ設定２", and "登録").
  void ApplyAll(editor::EditorModel& editor) const;
};

// ---- the preview's text

// "コメント", a mail address, a web address, an empty line and "（ここに書き込めます）" (CR LF).
std::string PreviewText();
// The first line as it is rewritten on every page change: the comment leader, then "コメント".
std::string PreviewFirstLine(std::string_view commenter);

// ---- reserved words and the quotation field

// The reserved-word editor's text (lines separated by CR LF or LF) as words: one per non-empty line.
std::vector<std::string> ReserveWordsFromText(std::string_view cp932);
std::string ReserveWordsText(const std::vector<std::string>& words);
// "文字列引用符" takes one single-byte character: the first byte, or nothing when the text starts
// with a double-byte character (half of one would be a broken character).
std::string QuotationOf(std::string_view cp932);

// ---- bracket pairs

// "開始文字" and "終了文字" without surrounding spaces and control bytes.
std::string TrimBracketText(std::string_view cp932);
// "強調表示(n)" shows a pair as left + " " + right.
std::string BracketPairLine(std::string_view left, std::string_view right);

struct BracketButtons {
  bool add = false, change = false, del = false;
  bool operator==(const BracketButtons&) const = default;
};
// "追加" and "変更" need two texts that are not empty and differ; "追加" also needs room for
// another pair (the colouring keeps at most 14), "変更" and "削除" a selected pair.
BracketButtons BracketButtonsFor(std::string_view left, std::string_view right, int selected, int count);

// Each returns whether the pairs changed. A new pair has no colour of its own for text and
// background; "変更" keeps the pair's colours.
bool AddBracket(ColorTable& table, std::string_view left, std::string_view right);
bool ChangeBracket(ColorTable& table, int index, std::string_view left, std::string_view right);
bool DeleteBracket(ColorTable& table, int index);

}  // namespace editorsettings
