// The editor control's plain properties that are kept with its options: border, colour, font, hit
// style, modes, reserved words, scroll bars and undo depth.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/options.h"
#include "store/font.h"

namespace editor {

struct EditorProperties {
  static constexpr int kMinUndoListMax = 64;

  // The control's own defaults.
  EditorProperties();
  // The values the main window's editor starts from.
  static EditorProperties Main();

  TBorderStyle BorderStyle = bsSingle;
  TColor Color = store::clWhite;
  store::TFont Font;
  TEditorHitStyle HitStyle = hsSelect;
  bool ReadOnly = false;
  std::vector<std::string> ReserveWordList;  // code page 932, one word a line
  TScrollStyle ScrollBars = ssNone;
  bool WantReturns = true;
  bool WantTabs = true;
  bool WordWrap = false;

  int UndoListMax() const { return undo_list_max_; }
  // Values below 64 become 64: undo must always reach back a little.
  void SetUndoListMax(int64_t n);

  bool operator==(const EditorProperties& o) const = default;

 private:
  int undo_list_max_ = kMinUndoListMax;
};

}  // namespace editor
