// Row-based undo and redo of a document: every ReplaceRows records the rows it is about to
// replace as text; undoing puts that text back and keeps what it removed for redo.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "editor/rows.h"

namespace editor {

class TEditorScreenStrings;

struct TUndoData {
  int32_t CaretRow = 0;  // focused view's caret when the entry was made
  int32_t CaretCol = 0;
  int32_t Row = -1;                // first row the edit replaced
  int32_t RowCount = 0;            // rows the edit put in place
  uint8_t RowAttribute = rowNone;  // attribute of the last removed row; rowNone: nothing removed
  std::string Text;                // the removed rows, "\r\n" after each rowLineBreak row
  // How Text was cut into rows: length << 2 | attribute per row. Undo puts back exactly these
  // rows, so later entries still find their rows even where cutting afresh would differ (the
  // word-break and kinsoku rules look ahead into rows an edit does not rewrap). Empty: cut afresh.
  std::vector<uint32_t> Shape;

  friend bool operator==(const TUndoData&, const TUndoData&) = default;
};

// Newest last.
using TUndoDataList = std::deque<TUndoData>;

class TEditorUndoObj {
 public:
  static constexpr int kMinUndoListMax = 64;

  explicit TEditorUndoObj(TEditorScreenStrings& document) : document_(document) {}
  virtual ~TEditorUndoObj() = default;

  int UndoListMax() const { return undo_list_max_; }
  // Values below 64 become 64.
  void SetUndoListMax(int value);

  // A new entry for ReplaceRows to fill in; the caret comes from the focused view. Clears the
  // redo list unless a redo is replaying. The reference stays valid until the next entry.
  TUndoData& NewEntry();
  bool CanUndo() const { return !undo_list_.empty(); }
  bool CanRedo() const { return !redo_list_.empty(); }
  void Undo();
  void Redo();
  void Clear();
  bool Replaying() const { return replaying_; }

  const TUndoDataList& UndoList() const { return undo_list_; }
  const TUndoDataList& RedoList() const { return redo_list_; }

 private:
  enum class Direction { kUndo, kRedo };
  void Replay(Direction direction);

  TEditorScreenStrings& document_;
  TUndoDataList undo_list_;
  TUndoDataList redo_list_;
  int undo_list_max_ = kMinUndoListMax;
  bool replaying_ = false;
};

}  // namespace editor
