// The document: the screen rows of one text, shared by the views attached to it. Every change of
// the text goes through ReplaceRows, which records undo, rewraps the touched wrap unit, keeps the
// bookmarks and has the colouring states recomputed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/rows.h"
#include "editor/rowstatesink.h"
#include "editor/viewhooks.h"
#include "editor/wrap.h"
#include "store/errors.h"

namespace editor {

class TEditorUndoObj;
class TEditorWrapOption;

// A file could not be opened, read or written; the message is UTF-8 for the user.
class EFileError : public store::Error {
 public:
  using store::Error::Error;
};

// Views share a document through std::shared_ptr; it is freed when the last one lets go.
class TEditorScreenStrings : public TEditorStringList {
 public:
  TEditorScreenStrings();
  ~TEditorScreenStrings() override;
  TEditorScreenStrings(const TEditorScreenStrings&) = delete;
  TEditorScreenStrings& operator=(const TEditorScreenStrings&) = delete;

  // --- views: the first attached is the primary view, whose settings govern wrapping.
  void AttachView(EditorViewHooks* view);
  void DetachView(EditorViewHooks* view);
  const std::vector<EditorViewHooks*>& Views() const { return views_; }
  EditorViewHooks* PrimaryView() const { return views_.empty() ? nullptr : views_.front(); }
  // The view with the input focus, else the primary view.
  EditorViewHooks* FocusedView() const;
  bool PrimaryLoading() const;
  void RefreshViews();
  // Count - 1 when the last row is rowTextEnd, otherwise Count (the empty position after a final
  // line break).
  int CaretRowLimit() const;

  // --- colouring
  void SetRowStateSink(RowStateSink* sink) { sink_ = sink; }
  RowStateSink* GetRowStateSink() const { return sink_; }
  // For the colouring engine: row `row` has a new state, every view repaints it.
  void NotifyRowStateChanged(int row);
  // Full recomputation (not while the primary view is loading).
  void RecomputeAllStates();

  // --- rows and logical lines
  int FirstRowOfLine(int row) const;
  int LastRowOfLine(int row) const;
  struct ReadResult {
    std::string Text;
    int Rows = 0;
    RowAttribute LastAttr = rowNone;
  };
  // n rows from `row`, or the rest of the logical line when n is -1.
  ReadResult ReadRows(int row, int n) const;
  // The editing primitive: rows row..row+n-1 become `s` (which may hold line breaks).
  void ReplaceRows(int row, int n, std::string_view s);

  // Logical lines (with word wrap off they are the rows).
  int LineCount() const;
  int LineToRow(int line) const;
  int RowToLine(int row) const;
  // The screen position `offset` bytes after the start of `row`: rowLineBreak rows count their
  // length + 2, rowTextEnd rows length + 1.
  std::pair<int, int> PositionAfter(int row, int64_t offset) const;
  // Display column of byte `index` of row `row`.
  int ColumnOfByte(int row, int index) const;

  std::string Text() const;
  // Clears, then builds the rows of `text` in one pass (wrapped when word wrap is on).
  void SetText(std::string_view text);
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  void Clear() override;

  // --- word wrap
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  TEditorWrapOption& WrapOption();
  // The cutting rules in force (wrap options, primary view's tab width and delimiters).
  WrapEngine& Engine();
  // Rewraps (or joins) all lines under the current settings: for when a primary view finishes
  // loading or its tab width changes.
  void Rewrap();
  // Wrap all logical lines / join all rows into logical lines, keeping bookmarks.
  void WrapLines();
  void JoinLines();

  // --- undo
  TEditorUndoObj& UndoObj();
  void Undo();
  void Redo();
  bool CanUndo();
  bool CanRedo();

  // --- bookmarks in use
  uint16_t MarksInUse() const { return marks_in_use_; }
  void SetMarksInUse(uint16_t bits) { marks_in_use_ |= bits; }
  void ClearMarksInUse(uint16_t bits) { marks_in_use_ &= static_cast<uint16_t>(~bits); }

  const LastChange& GetLastChange() const { return last_change_; }
  // Counts changes of the text, so that an edit bracket can tell whether it changed anything.
  uint64_t TextRevision() const { return text_revision_; }

  void EndUpdate() override;

 protected:
  virtual std::unique_ptr<TEditorUndoObj> CreateUndoObj();
  virtual std::unique_ptr<TEditorWrapOption> CreateWrapOption();
  void Changed() override;

 private:
  friend class TEditorUndoObj;

  // Puts the rows of `list` in place of `old` rows at `top`, keeping bookmarks.
  void MoveRows(int top, int old, TEditorStringList& list);
  // Deletes n rows at `row`; their bookmarks go to the row that takes their place.
  void DeleteRowsKeepMarks(int row, int n);
  void CutText(std::string_view text, TEditorStringList& out);
  // The shape (length << 2 | attribute) of n rows from `row`.
  std::vector<uint32_t> RowShapes(int row, int n) const;
  // Rebuilds rows from a text and the shape it was read with; false when they do not match.
  static bool RowsFromShape(std::string_view text, const std::vector<uint32_t>& shape, TEditorStringList& out);
  // Cuts `text` and gives the new last row `end_attr`.
  void CutRows(std::string_view text, RowAttribute end_attr, TEditorStringList& out);
  int UpdateStates(int row);
  void RecordChange(int row, int replaced, int inserted, int state_changed);
  void OnWrapOptionChanged();
  void RewrapAll();
  void BuildRows(std::string_view text);
  void PullBackViews();
  bool WrapActive() const;
  const std::vector<int>& LineStarts() const;

  std::vector<EditorViewHooks*> views_;
  std::unique_ptr<TEditorUndoObj> undo_;
  std::unique_ptr<TEditorWrapOption> wrap_option_;
  bool word_wrap_ = false;
  uint16_t marks_in_use_ = 0;
  LastChange last_change_;
  uint64_t text_revision_ = 0;
  RowStateSink* sink_ = nullptr;

  std::optional<WrapEngine> engine_;
  bool engine_dirty_ = true;

  // First row of every logical line, rebuilt when the layout revision moves on.
  mutable std::vector<int> line_starts_;
  mutable uint64_t line_starts_revision_ = ~uint64_t{0};
};

}  // namespace editor
