// What a document needs from the views attached to it. The document never reaches into a view
// otherwise; the editor model and the test fakes implement this.
#pragma once

#include "editor/wrap.h"

namespace editor {

// What the last change of the row list touched. Zeroed when an update bracket of the document
// ends and when the document is cleared.
struct LastChange {
  int Row = 0;           // first changed row
  int Replaced = 0;      // rows that were replaced
  int Inserted = 0;      // rows put in their place
  int StateChanged = 0;  // rows after them whose parser state changed
  bool Changed = false;

  friend bool operator==(const LastChange&, const LastChange&) = default;
};

class EditorViewHooks {
 public:
  virtual ~EditorViewHooks() = default;

  // Caret position in (screen row, display column). The setters clamp and normalise as the view
  // does for any caret move (row first, then column).
  virtual int CaretRow() const = 0;
  virtual int CaretCol() const = 0;
  virtual void SetCaretRow(int row) = 0;
  virtual void SetCaretCol(int col) = 0;
  virtual int TopRow() const = 0;

  virtual bool HasFocus() const = 0;
  // The view is still being created or streamed in: wrapping and full recolouring wait.
  virtual bool IsLoading() const = 0;
  // Rows of one screen (screen height div row pitch).
  virtual int VisibleRowCount() const = 0;
  // Caret.TabSpaceCount.
  virtual int TabSpaceCount() const = 0;
  // The view's word-delimiter set; nullptr means the default one.
  virtual const DelimiterSet* WordDelimiters() const { return nullptr; }

  // The edit bracket around every change of the text (nesting allowed).
  virtual void BeginEdit() = 0;
  virtual void EndEdit() = 0;
  // Lines.BeginUpdate/EndUpdate: the view stops drawing while true.
  virtual void SetUpdating(bool updating) = 0;
  // Removes the selection; the text stays.
  virtual void ClearSelection() = 0;

  // The rows changed outside an update bracket, or an update bracket ended: repaint what
  // `change` reports.
  virtual void RowsChanged(const LastChange& change) = 0;
  // The whole document changed: scroll ranges, caret limits, repaint.
  virtual void Refresh() = 0;
  // The colouring engine stored a new state in `row`: repaint it.
  virtual void RowStateChanged(int row) = 0;
  // The caret row or top row lies beyond the rows: pull it back to `limit` (the last caret row).
  virtual void PullBackTo(int limit) = 0;
};

}  // namespace editor
