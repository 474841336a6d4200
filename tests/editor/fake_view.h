// Test doubles for the document's views and its colouring link.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "editor/rowstatesink.h"
#include "editor/screenstrings.h"
#include "editor/viewhooks.h"

namespace editor::testing {

// A view that keeps a caret clamped like the editor does and records what the document told it.
class FakeView : public EditorViewHooks {
 public:
  explicit FakeView(TEditorScreenStrings& doc) : doc_(doc) { doc_.AttachView(this); }
  ~FakeView() override { doc_.DetachView(this); }

  int row = 0, col = 0, top = 0;
  bool focus = false, loading = false, updating = false;
  int visible = 20, tab = 8;
  int edit_depth = 0, edits = 0, refreshes = 0, selections_cleared = 0;
  std::vector<LastChange> changes;
  std::vector<int> state_rows;

  int CaretRow() const override { return row; }
  int CaretCol() const override { return col; }
  void SetCaretRow(int r) override { row = std::clamp(r, 0, doc_.CaretRowLimit()); }
  void SetCaretCol(int c) override { col = std::clamp(c, 0, 1000); }
  int TopRow() const override { return top; }
  bool HasFocus() const override { return focus; }
  bool IsLoading() const override { return loading; }
  int VisibleRowCount() const override { return visible; }
  int TabSpaceCount() const override { return tab; }
  void BeginEdit() override {
    ++edit_depth;
    ++edits;
  }
  void EndEdit() override { --edit_depth; }
  void SetUpdating(bool u) override { updating = u; }
  void ClearSelection() override { ++selections_cleared; }
  void RowsChanged(const LastChange& c) override { changes.push_back(c); }
  void Refresh() override { ++refreshes; }
  void RowStateChanged(int r) override { state_rows.push_back(r); }
  void PullBackTo(int limit) override {
    row = std::min(row, limit);
    top = std::min(top, limit);
  }

 private:
  TEditorScreenStrings& doc_;
};

// A colouring link that records its calls and reports a fixed number of changed rows.
class FakeSink : public RowStateSink {
 public:
  int changed_rows = 0;
  std::vector<int> update_rows;
  int recompute_all = 0;

  int UpdateFrom(TRowAttributeStringList& rows, int row) override {
    update_rows.push_back(row);
    return changed_rows;
  }
  void RecomputeAll(TRowAttributeStringList& rows) override { ++recompute_all; }
};

// Rows and their attributes as one readable string: "a|b~c$" means row "a" rowLineBreak, row
// "b" rowWrapped, row "c" rowTextEnd ('|' line break, '~' wrapped, '$' text end).
inline std::string Layout(const TRowAttributeStringList& rows) {
  std::string s;
  for (int i = 0; i < rows.Count(); ++i) {
    s += rows.Get(i);
    switch (rows.RowAttr(i)) {
      case rowLineBreak: s += '|'; break;
      case rowWrapped: s += '~'; break;
      case rowTextEnd: s += '$'; break;
      default: s += '?'; break;
    }
  }
  return s;
}

}  // namespace editor::testing
