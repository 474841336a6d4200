// Keeping the parser state stored in every row valid: incremental recomputation after an edit
// (never more than two screens ahead), full recomputation, lazy computation of rows reached by
// painting, the token iteration the painter draws from, and the token query under the mouse.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "editor/parser.h"
#include "editor/rows.h"
#include "editor/rowstatesink.h"

namespace editor {

class TFountain;

// One token of a painted row: byte offset and length within the row's text (a token cut by the
// wrap may run past the row's end; the painter clips), its kind and its colour (null: defaults).
struct TPaintToken {
  int start = 0;
  int length = 0;
  int kind = tkEnd;
  const TFountainColor* color = nullptr;
};

// Yields the tokens that start inside one row, from the row's stored state.
class TRowTokenIterator {
 public:
  explicit TRowTokenIterator(TFountainParser& parser) : parser_(&parser) {}
  void SetParser(TFountainParser& parser) { parser_ = &parser; }
  // The row's state must be computed. With word wrap on and the row wrapped, the next row's text
  // is read too, so that a token cut by the wrap is read whole.
  void Begin(const TRowAttributeStringList& rows, int row, bool word_wrap);
  bool Next(TPaintToken& token);

 private:
  TFountainParser* parser_;
  int row_length_ = 0;
  bool done_ = true;
};

// The token covering a position, for double clicks and the link under the mouse.
struct TTokenQuery {
  int kind = tkEnd;  // tkEnd when no token covers the position (a blank)
  std::string text;
  int first_row = -1;  // first row of the logical line
  int start = 0;       // offset of the token within the logical line's text
  int length = 0;
};

enum class TokenQueryMode {
  Definition,              // the definition's tokenizer from the line's stored state, brackets off
  DefinitionWithBrackets,  // the same with bracket detection on
  Plain,                   // the plain tokenizer from an empty state
};

class RowColouring : public RowStateSink {
 public:
  // `fountain` may be null: then only the plain tokenizer runs and no token has a colour. A
  // definition destroyed while bound is let go of (the plain tokenizer takes over) and
  // FountainDestroyed tells the owner, which binds its own definition again and recomputes.
  explicit RowColouring(TFountain* fountain);
  ~RowColouring() override;

  void SetFountain(TFountain* fountain);
  TFountain* Fountain() const { return fountain_; }
  TFountainParser& Parser() { return *parser_; }

  // The view's geometry and state, asked when needed (the defaults suit a view-less document).
  std::function<int()> VisibleRows;         // screen height div row pitch
  std::function<int()> TopRow;              // the primary view's top row
  std::function<bool()> Suspended;          // primary view loading or being destroyed
  std::function<void(int row)> RowChanged;  // a row's stored state changed: repaint it
  std::function<void()> FountainDestroyed;
  bool InitBracketsFull = false;  // Speed.InitBracketsFull

  // RowStateSink
  int UpdateFrom(TRowAttributeStringList& rows, int row) override;
  void RecomputeAll(TRowAttributeStringList& rows) override;

  // Computes the row's state when it is not computed yet (a row reached by painting); returns
  // whether anything was computed.
  bool EnsureComputed(TRowAttributeStringList& rows, int row);

  // Tokens of one row for painting, computing its state first when needed. The iterator is valid
  // until the next call into this object or a change of the rows.
  TRowTokenIterator& PaintRow(TRowAttributeStringList& rows, int row, bool word_wrap);

  // The token covering byte `offset` of `row`, cut from the start of the row's logical line.
  TTokenQuery TokenAt(TRowAttributeStringList& rows, int row, int offset,
                      TokenQueryMode mode = TokenQueryMode::Definition);

 private:
  int Visible() const;
  int UpdateRows(TRowAttributeStringList& rows, int row, bool notify);
  // Marks rows from `from` on not computed; rows at or after computed_end_ already are.
  void MarkNotComputed(TRowAttributeStringList& rows, int from);
  // Keeps computed_end_ an upper bound across changes of the rows since the last call: an edit
  // inserts or removes rows once before it asks for an update, so no computed row moves further
  // down than the growth of the row count.
  void Observe(const TRowAttributeStringList& rows);

  TFountain* fountain_ = nullptr;
  int subscription_ = 0;
  std::unique_ptr<TFountainParser> parser_;
  std::unique_ptr<TFountainParser> paint_parser_;
  std::unique_ptr<TTokenParser> plain_parser_;
  TRowTokenIterator paint_iterator_;
  std::string line_;
  // No row at or after this index is computed, so that marking after an edit costs the rows that
  // were computed, not the length of the document.
  int computed_end_ = 0;
  const TRowAttributeStringList* seen_rows_ = nullptr;
  int seen_count_ = 0;
};

}  // namespace editor
