// The document's link to the colouring engine: the row list calls it after every change of rows so
// that the parser states stored in the rows stay valid. Tests and documents without colouring leave
// it unset.
#pragma once

namespace editor {

class TRowAttributeStringList;

class RowStateSink {
 public:
  virtual ~RowStateSink() = default;
  // Rows from `row` on were replaced: recompute their stored parser states incrementally (stop at
  // the first row whose state is unchanged, at most two screens ahead). Returns the number of rows
  // whose stored state changed.
  virtual int UpdateFrom(TRowAttributeStringList& rows, int row) = 0;
  // The whole text was set, loaded, wrapped or joined, or the colouring definition changed.
  virtual void RecomputeAll(TRowAttributeStringList& rows) = 0;
};

}  // namespace editor
