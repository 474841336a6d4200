// What the editor model needs from the window that shows it: repaint and scroll requests, the
// caret, scroll bars, mouse cursor, clipboard, dragging, and the events the host listens to.
// The Qt widget implements it; tests use a recording fake. Row numbers are rows as painted (the
// document rows unless an input-method composition is laid out); the window maps them through the
// model's geometry (EditorModel::PaintRowY) and ignores rows off screen.
#pragma once

#include <string>
#include <string_view>

#include "editor/options.h"

namespace editor {

// Parts of the window a repaint or scroll request covers.
enum ViewArea : unsigned {
  kAreaText = 1,      // the text area
  kAreaImagebar = 2,  // the bookmark image bar
  kAreaLeftbar = 4,   // the line-number bar
  kAreaRuler = 8,     // the ruler above the text
  kAreaRows = kAreaText | kAreaImagebar | kAreaLeftbar,
  kAreaAll = kAreaRows | kAreaRuler,
};

// One scroll bar: range min..max, page size and position, in rows or columns.
struct ScrollBarState {
  bool visible = false;
  int min = 0;
  int max = 0;
  int page = 1;
  int pos = 0;
  friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

enum class CaretShape : uint8_t {
  Bar,        // insert mode, csDefault: a thin vertical bar
  Underline,  // insert mode, csBrief: a flat bar under the character
  Block,      // overwrite mode: the character cell
  Hit,        // a search hit shown by hsCaret: as wide as the hit, one row high
};

// The caret in widget pixels; the same rectangle tells the input method where to compose.
struct CaretInfo {
  bool visible = false;  // false without focus or when off the text area
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  CaretShape shape = CaretShape::Bar;
  friend bool operator==(const CaretInfo&, const CaretInfo&) = default;
};

// Clipboard content as the model exchanges it. `text` is code page 932: the widget keeps the exact
// bytes beside the Unicode text it publishes, so a copy and paste inside the program never changes
// a character; `replaced` counts characters from outside that code page 932 cannot hold ("?").
struct ClipboardContent {
  bool has_text = false;
  std::string text;
  bool box = false;  // the "TEditor Box Type" format is present
  int replaced = 0;
};

// Effect of a drop, as reported to the drag source.
enum class DropEffect : uint8_t { None = 0, Copy = 1, Move = 2 };

class Viewport {
 public:
  virtual ~Viewport() = default;

  // Repaint rows first..last (document rows, inclusive) in the given areas.
  virtual void InvalidateRows(int first, int last, unsigned areas) = 0;
  // Repaint everything.
  virtual void InvalidateAll() = 0;
  // Shift what is shown from the top of row `fromRow` (placed by the current top row) to the
  // bottom down by `delta` rows (up when negative) in the given areas without redrawing it; pixels
  // stay inside that region and the window repaints what the shift uncovers. `fromRow` may lie
  // above the top row (a change above the view): then the whole area shifts.
  virtual void ScrollRows(int fromRow, int delta, unsigned areas) = 0;
  // The left scroll offset changed by `dxPixels` (content moves left when positive).
  virtual void ScrollHorizontally(int dxPixels) = 0;
  virtual void UpdateScrollBars(const ScrollBarState& vertical, const ScrollBarState& horizontal) = 0;
  // Place and shape the caret and tell the input method where it is.
  virtual void UpdateCaret(const CaretInfo& caret) = 0;
  virtual void SetMouseCursor(TCursor cursor) = 0;

  virtual ClipboardContent GetClipboard() = 0;
  // Whether the clipboard holds text (asked for the pop-up menu's enabling; must be cheap).
  virtual bool ClipboardHasText() = 0;
  virtual void SetClipboard(std::string_view cp932, bool box) = 0;

  // Runs a drag of `cp932` with copy and move allowed and returns when it is over; drops into this
  // editor arrive meanwhile through EditorModel::DragOver/Drop with from_self set. The model moves
  // its own text on such a drop; a drop into another program never removes text here.
  virtual DropEffect StartDrag(std::string_view cp932) = 0;

  // Events for the host.
  virtual void OnChange() {}
  virtual void OnCaretMoved() {}
  virtual void OnSelectionChange(bool selected) {}
  virtual void OnSelectionModeChange() {}
  virtual void OnTopRowChange() {}
  virtual void OnTopColChange() {}
  // ReadOnly changed: the window tells the input method whether it may compose here.
  virtual void OnReadOnlyChange() {}
};

}  // namespace editor
