// Row-based undo and redo.
#include "editor/undo.h"

#include <algorithm>

#include "editor/screenstrings.h"
#include "editor/updatescope.h"

namespace editor {

void TEditorUndoObj::SetUndoListMax(int value) {
  undo_list_max_ = std::max(kMinUndoListMax, value);
  // A lowered limit applies at once rather than one entry per edit.
  while (static_cast<int>(undo_list_.size()) > undo_list_max_) undo_list_.pop_front();
}

TUndoData& TEditorUndoObj::NewEntry() {
  TUndoData entry;
  if (const EditorViewHooks* v = document_.FocusedView()) {
    entry.CaretRow = v->CaretRow();
    entry.CaretCol = v->CaretCol();
  }
  undo_list_.push_back(std::move(entry));
  while (static_cast<int>(undo_list_.size()) > undo_list_max_) undo_list_.pop_front();
  if (!replaying_) redo_list_.clear();
  return undo_list_.back();
}

void TEditorUndoObj::Clear() {
  undo_list_.clear();
  redo_list_.clear();
}

void TEditorUndoObj::Undo() { Replay(Direction::kUndo); }
void TEditorUndoObj::Redo() { Replay(Direction::kRedo); }

void TEditorUndoObj::Replay(Direction direction) {
  TUndoDataList& from = direction == Direction::kUndo ? undo_list_ : redo_list_;
  if (from.empty()) return;
  // Work on a copy: a redo's NewEntry may drop the oldest undo entries.
  TUndoData u = from.back();
  from.pop_back();

  TEditorScreenStrings& doc = document_;
  EditorViewHooks* view = doc.FocusedView();
  if (view != nullptr) view->BeginEdit();
  {
    UpdateScope update(doc);
    ++doc.text_revision_;

    // What the edit produced.
    TEditorScreenStrings::ReadResult produced;
    std::vector<uint32_t> produced_shape;
    if (u.RowCount > 0) {
      produced = doc.ReadRows(u.Row, u.RowCount);
      produced_shape = doc.RowShapes(u.Row, produced.Rows);
    }
    const int n = produced.Rows;

    // Put back what it removed.
    int k = 0;
    if (u.RowAttribute == rowNone) {
      if (n > 0) doc.DeleteRowsKeepMarks(u.Row, n);
    } else {
      TEditorStringList rows;
      if (!TEditorScreenStrings::RowsFromShape(u.Text, u.Shape, rows)) {
        rows.Clear();
        doc.CutRows(u.Text, static_cast<RowAttribute>(u.RowAttribute), rows);
        if (u.RowAttribute == rowWrapped && rows.Count() > 1 && rows.GetView(rows.Count() - 1).empty()) {
          rows.Delete(rows.Count() - 1);
          rows.SetRowAttr(rows.Count() - 1, rowWrapped);
        }
      }
      k = rows.Count();
      doc.MoveRows(u.Row, n, rows);
    }
    const int changed = doc.UpdateStates(u.Row);
    doc.RecordChange(u.Row, n, k, changed);

    // The inverse entry.
    TUndoData inverse = u;
    inverse.RowCount = k;
    inverse.RowAttribute = produced.LastAttr;
    inverse.Text = std::move(produced.Text);
    inverse.Shape = std::move(produced_shape);
    if (direction == Direction::kUndo) {
      if (view != nullptr) {
        inverse.CaretRow = view->CaretRow();
        inverse.CaretCol = view->CaretCol();
      }
      redo_list_.push_back(std::move(inverse));
    } else {
      replaying_ = true;
      TUndoData& e = NewEntry();
      replaying_ = false;
      e.Row = inverse.Row;
      e.RowCount = inverse.RowCount;
      e.RowAttribute = inverse.RowAttribute;
      e.Text = std::move(inverse.Text);
      e.Shape = std::move(inverse.Shape);
    }
  }

  if (view != nullptr) {
    view->SetCaretRow(u.CaretRow);
    view->SetCaretCol(u.CaretCol);
    view->EndEdit();
  }
}

}  // namespace editor
