// The settings dialog's colour list: 14 fixed entries, then one per bracket pair. Each entry says
// what its text colour (FG), background (BG) and font style stand for in the editor's options, and
// which of the three the dialog lets the user change.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/fountain.h"
#include "store/colors.h"

namespace editor {
class EditorModel;
}

namespace editorsettings {

using store::TColor;

inline constexpr int kFixedColorEntries = 14;

enum ColorEntry : int {
  ceWhole,        // font colour / editor background
  ceSelect,       // Colors.Select
  ceRetMark,      // Marks.RetMark
  ceWrapMark,     // Marks.WrapMark
  ceEofMark,      // Marks.EofMark
  ceUnderline,    // Marks.Underline
  ceMail,         // Colors.Mail
  ceUrl,          // Colors.Url
  ceComment,      // Colors.Comment
  ceStr,          // Colors.Str
  ceRuler,        // Ruler.Color / BkColor
  ceRulerMarker,  // Ruler.MarkColor
  ceLeftbar,      // Leftbar.Color / BkColor
  ceReserve,      // Colors.Reserve
};

// Which of FG, BG and style an entry has; bracket entries (14 and above) have all three.
struct EntryControls {
  bool fg = false;
  bool bg = false;
  bool style = false;
  bool operator==(const EntryControls&) const = default;
};
EntryControls ControlsOf(int entry);

// The names of the 14 fixed entries, code page 932, in list order.
const std::vector<std::string>& FixedColorEntryNames();
// Opening refuses a name list that does not have one name per fixed entry: throws
// std::runtime_error("ColorList不一致").
void CheckColorEntryNames(const std::vector<std::string>& names);
// "強調表示(" + (n+1) + ")   " + left + " " + right, code page 932.
std::string BracketEntryName(int n, std::string_view left, std::string_view right);
// The whole list: the fixed names, then one line per pair.
std::vector<std::string> ColorListLines(const editor::TFountainBracketCollection& brackets);

struct ColorValue {
  TColor fg = store::clNone;
  TColor bg = store::clNone;
  uint8_t style = 0;  // store::FontStyle bits
  bool operator==(const ColorValue&) const = default;
};

// The 16 colours of the grid, row by row (4 x 4).
const std::array<TColor, 16>& GridColors();
// Position of a colour in the grid, -1 when it is not one of the 16.
int GridIndex(TColor c);

// The small tags of the two panels: "FG"/"BG" on "（色なし）" for a value without colour, and on
// "（その他の色）" for a colour outside the grid. Only controls the entry has carry a tag.
struct PanelTags {
  bool noneFg = false, noneBg = false;
  bool otherFg = false, otherBg = false;
  bool operator==(const PanelTags&) const = default;
};
PanelTags TagsOf(const ColorValue& v, EntryControls controls);

// The colour table: the 14 fixed entries' values; the bracket entries' values are the working
// bracket collection's item colours. Setters ignore a control the entry does not have.
class ColorTable {
 public:
  ColorTable();
  ColorTable(const ColorTable&) = delete;
  ColorTable& operator=(const ColorTable&) = delete;

  // Reads the 14 entries and a copy of the bracket pairs from an editor.
  void Load(const editor::EditorModel& editor);
  // Writes the 14 entries and the bracket pairs (with their colours) into an editor.
  void ApplyTo(editor::EditorModel& editor) const;

  int Count() const { return kFixedColorEntries + brackets_.ItemCount(); }
  ColorValue Get(int entry) const;
  // Each returns whether the table changed.
  bool SetFg(int entry, TColor c);
  bool SetBg(int entry, TColor c);
  bool SetStyleBit(int entry, uint8_t bit, bool on);

  editor::TEditorBracketCollection& Brackets() { return brackets_; }
  const editor::TEditorBracketCollection& Brackets() const { return brackets_; }

 private:
  std::array<ColorValue, kFixedColorEntries> fixed_{};
  editor::TEditorBracketCollection brackets_;
};

}  // namespace editorsettings
