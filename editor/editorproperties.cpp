// The editor control's plain properties.
#include "editor/editorproperties.h"

#include <algorithm>
#include <limits>

namespace editor {

EditorProperties::EditorProperties() {
  Font.Name = "FixedSys";
  Font.Color = store::clBlack;
}

EditorProperties EditorProperties::Main() {
  EditorProperties p;
  p.Font.Name = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック
  p.Font.Height = -16;
  p.Font.Charset = store::SHIFTJIS_CHARSET;
  p.Font.Color = store::clBlack;
  p.ScrollBars = ssBoth;
  p.WordWrap = true;
  return p;
}

void EditorProperties::SetUndoListMax(int64_t n) {
  undo_list_max_ = static_cast<int>(std::clamp<int64_t>(n, kMinUndoListMax, std::numeric_limits<int32_t>::max()));
}

}  // namespace editor
