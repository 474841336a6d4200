// A Viewport that records what the model asks of its window, with an in-memory clipboard, and a
// model set up on it with fixed metrics.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editormodel.h"
#include "editor/undo.h"
#include "editor/viewport.h"

namespace editor::testing {

class FakeViewport : public Viewport {
 public:
  struct Rows {
    int first, last;
    unsigned areas;
  };
  struct Scroll {
    int from, delta;
    unsigned areas;
  };
  std::vector<Rows> invalidated;
  std::vector<Scroll> scrolled;
  int invalidate_all = 0;
  int scrolled_x = 0;
  ScrollBarState vbar, hbar;
  CaretInfo caret;
  TCursor cursor = 0;

  ClipboardContent clipboard;
  std::string drag_text;
  int drags = 0;
  // Runs inside StartDrag, as the platform's drag loop would deliver drops.
  std::function<void()> during_drag;

  int changes = 0, caret_moves = 0, selection_changes = 0, mode_changes = 0, top_row_changes = 0, top_col_changes = 0;
  bool last_selected = false;

  void InvalidateRows(int first, int last, unsigned areas) override {
    invalidated.push_back({first, last, areas});
    if (screen_model != nullptr && (areas & kAreaText))
      for (int r = first; r <= last; ++r) MarkDirty(r - screen_model->PaintTopRow());
  }
  void InvalidateAll() override {
    ++invalidate_all;
    std::fill(dirty.begin(), dirty.end(), true);
  }
  void ScrollRows(int from, int delta, unsigned areas) override {
    scrolled.push_back({from, delta, areas});
    if (screen_model != nullptr && (areas & kAreaText)) ScrollScreen(from - screen_model->PaintTopRow(), delta);
  }
  void ScrollHorizontally(int dx) override { scrolled_x += dx; }
  void UpdateScrollBars(const ScrollBarState& v, const ScrollBarState& h) override {
    vbar = v;
    hbar = h;
  }
  void UpdateCaret(const CaretInfo& c) override { caret = c; }
  void SetMouseCursor(TCursor c) override { cursor = c; }
  ClipboardContent GetClipboard() override { return clipboard; }
  bool ClipboardHasText() override { return clipboard.has_text; }
  void SetClipboard(std::string_view text, bool box) override {
    clipboard.has_text = true;
    clipboard.text.assign(text);
    clipboard.box = box;
  }
  DropEffect StartDrag(std::string_view text) override {
    ++drags;
    drag_text.assign(text);
    if (during_drag) during_drag();
    return DropEffect::None;
  }
  void OnChange() override { ++changes; }
  void OnCaretMoved() override { ++caret_moves; }
  void OnSelectionChange(bool selected) override {
    ++selection_changes;
    last_selected = selected;
  }
  void OnSelectionModeChange() override { ++mode_changes; }
  void OnTopRowChange() override { ++top_row_changes; }
  void OnTopColChange() override { ++top_col_changes; }

  // ---- a screen of painted rows, following the requests as the widget's window does: a scroll
  // moves painted rows (and repaints not yet done) and repaints what it uncovers; Flush paints
  // what is pending from the model, as the next paint event would.
  const EditorModel* screen_model = nullptr;
  std::vector<std::string> screen;
  std::vector<bool> dirty;

  // What a row slot shows: the text of the row there and how it ends, or nothing below the text.
  static std::string Shown(const EditorModel& m, int slot) {
    const RowPaintInfo info = m.PaintInfo(m.PaintTopRow() + slot);
    if (info.attr == rowNone) return {};
    return std::string(info.text) + (info.attr == rowLineBreak ? "|" : info.attr == rowWrapped ? ">" : "$");
  }
  void ShowScreen(const EditorModel& m) {
    screen_model = &m;
    screen.assign(static_cast<size_t>(m.VisibleRows()) + 1, {});
    dirty.assign(screen.size(), true);
    Flush();
  }
  void Flush() {
    for (size_t i = 0; i < screen.size(); ++i)
      if (dirty[i]) screen[i] = Shown(*screen_model, static_cast<int>(i));
    std::fill(dirty.begin(), dirty.end(), false);
  }
  // The screen as a fresh paint of the model would show it.
  std::vector<std::string> FreshScreen() const {
    std::vector<std::string> s(screen.size());
    for (size_t i = 0; i < s.size(); ++i) s[i] = Shown(*screen_model, static_cast<int>(i));
    return s;
  }
  void MarkDirty(int slot) {
    if (slot >= 0 && slot < static_cast<int>(dirty.size())) dirty[static_cast<size_t>(slot)] = true;
  }
  void ScrollScreen(int from_slot, int delta) {
    const int n = static_cast<int>(screen.size());
    const int s0 = std::max(0, from_slot);
    std::vector<std::string> moved(screen);
    std::vector<bool> moved_dirty(dirty);
    for (int i = s0; i < n; ++i) {
      const int src = i - delta;
      const bool inside = src >= s0 && src < n;
      moved[static_cast<size_t>(i)] = inside ? screen[static_cast<size_t>(src)] : std::string();
      moved_dirty[static_cast<size_t>(i)] = inside ? dirty[static_cast<size_t>(src)] : true;
    }
    screen.swap(moved);
    dirty.swap(moved_dirty);
  }

  void Forget() {
    invalidated.clear();
    scrolled.clear();
    invalidate_all = 0;
  }
};

// Cells of 8 x 16 pixels, 40 visible rows and 80 visible columns with the default options.
inline constexpr int kCell = 8;
inline constexpr int kTextHeight = 16;

struct Editor {
  FakeViewport view;
  EditorModel model;

  explicit Editor(std::string_view text = {}, int rows = 40) {
    model.SetViewport(&view);
    model.SetMetrics(kCell, kTextHeight);
    SetVisibleRows(rows);
    model.FocusIn();
    if (!text.empty()) model.SetText(text);
    model.SetModified(false);
    view.changes = 0;
  }
  // Height for `rows` visible rows under the current options.
  void SetVisibleRows(int rows) {
    const EditorLayout& l = model.Layout();
    const int width = l.text_left + 80 * l.char_width + l.char_width / 2;
    model.Resize(width, l.text_top + 5 + rows * l.row_pitch);
  }
  // Pixel at the left edge of a column and the middle of a row.
  int X(int col) const { return model.ColX(col); }
  int Y(int row) const { return model.RowY(row) + model.Layout().row_pitch / 2; }
  void Key(KeyCode k, Modifiers m = kModNone, bool repeat = false) { model.KeyDown(k, m, repeat); }
  void Type(std::string_view s) { model.CharInput(s); }
  std::string Text() const { return model.Text(); }
  Position Caret() const { return model.CaretPos(); }
  size_t UndoEntries() { return model.Document().UndoObj().UndoList().size(); }
};

}  // namespace editor::testing
