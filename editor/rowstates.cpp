// Incremental and lazy recomputation of the row states, painting tokens, token queries.
#include "editor/rowstates.h"

#include <algorithm>

#include "editor/fountain.h"

namespace editor {

namespace {

std::unique_ptr<TFountainParser> MakeParser(TFountain* f) {
  if (f) return f->CreateParser();
  return std::make_unique<TTokenParser>();
}

// The state before the first row.
TRowAttributeData EmptyState() {
  TRowAttributeData s;
  s.BracketIndex = -1;
  return s;
}

// Everything but the row's own attribute and the element text.
bool SameStoredState(const TRowAttributeData& a, const TRowAttributeData& b) {
  return a.PrevRowAttribute == b.PrevRowAttribute && a.BracketIndex == b.BracketIndex &&
         a.ElementState == b.ElementState && a.RemainLength == b.RemainLength && a.StateC == b.StateC &&
         a.ContinuedKind == b.ContinuedKind && a.StateE == b.StateE;
}

}  // namespace

// ---- Painting tokens

void TRowTokenIterator::Begin(const TRowAttributeStringList& rows, int row, bool word_wrap) {
  done_ = row < 0 || row >= rows.Count();
  row_length_ = 0;
  if (done_) return;
  const std::string_view text = rows.GetView(row);
  const bool joined = word_wrap && rows.RowAttr(row) == rowWrapped && row + 1 < rows.Count();
  parser_->SetState(text, joined ? rows.GetView(row + 1) : std::string_view(), rows.RowData(row));
  row_length_ = static_cast<int>(text.size());
}

bool TRowTokenIterator::Next(TPaintToken& token) {
  if (done_) return false;
  if (parser_->NextToken() == tkEnd || parser_->TokenStart() >= row_length_) {
    done_ = true;
    return false;
  }
  token.start = parser_->TokenStart();
  token.length = parser_->TokenLength();
  token.kind = parser_->Token();
  token.color = parser_->TokenColor();
  return true;
}

// ---- RowColouring

RowColouring::RowColouring(TFountain* fountain)
    : plain_parser_(std::make_unique<TTokenParser>()), paint_iterator_(*plain_parser_) {
  SetFountain(fountain);
}

RowColouring::~RowColouring() {
  if (fountain_) fountain_->Unsubscribe(subscription_);
}

void RowColouring::SetFountain(TFountain* fountain) {
  if (fountain_) fountain_->Unsubscribe(subscription_);
  fountain_ = fountain;
  subscription_ = 0;
  if (fountain_)
    subscription_ = fountain_->Subscribe([this](FountainEvent e) {
      if (e != FountainEvent::Destroying) return;
      SetFountain(nullptr);
      if (FountainDestroyed) FountainDestroyed();
    });
  parser_ = MakeParser(fountain);
  paint_parser_ = MakeParser(fountain);
  paint_iterator_.SetParser(*paint_parser_);
}

int RowColouring::Visible() const { return VisibleRows ? std::max(0, VisibleRows()) : 0; }

void RowColouring::Observe(const TRowAttributeStringList& rows) {
  const int n = rows.Count();
  if (&rows != seen_rows_) {
    seen_rows_ = &rows;
    computed_end_ = n;
  } else if (n > seen_count_) {
    computed_end_ += n - seen_count_;
  }
  seen_count_ = n;
  computed_end_ = std::min(computed_end_, n);
}

void RowColouring::MarkNotComputed(TRowAttributeStringList& rows, int from) {
  from = std::max(0, from);
  const int n = std::min(rows.Count(), computed_end_);
  computed_end_ = std::min(computed_end_, from);
  for (int j = from; j < n; ++j) {
    // Keep the row's own attribute and its bookmarks; everything else goes to zero (bracket -2).
    const uint32_t w = rows.StateWord(j);
    if ((w & ~3u) != 0) rows.SetStateWord(j, w & 3u);
    const uint32_t m = rows.MarkWord(j);
    if ((m & 0xFFFFu) != 0) rows.SetMarkWord(j, m & 0xFFFF0000u);
    if (!rows.Item(j).ElementText.empty()) rows.SetElementText(j, {});
  }
}

int RowColouring::UpdateFrom(TRowAttributeStringList& rows, int row) { return UpdateRows(rows, row, true); }

int RowColouring::UpdateRows(TRowAttributeStringList& rows, int row, bool notify) {
  Observe(rows);
  const int count = rows.Count();
  if (row < 0) row = 0;
  if (row >= count) return 0;
  const int limit = std::min(count - 1, row + 2 * Visible());

  int start = row - 1;
  while (start >= 0 && rows.BracketIndex(start) == -2) --start;
  TRowAttributeData state;
  int i;
  if (start < 0) {
    state = EmptyState();
    i = 0;
  } else {
    state = rows.RowData(start);
    parser_->ComputeRowEnd(start, rows, state);
    i = start + 1;
  }

  int changed = 0;
  for (; i <= limit; ++i) {
    state.RowAttribute = rows.RowAttr(i);
    state.PrevRowAttribute = i > 0 ? rows.RowAttr(i - 1) : rowLineBreak;
    const bool same = rows.BracketIndex(i) != -2 && SameStoredState(rows.RowData(i), state);
    if (same) {
      // Rows up to the edited one were replaced themselves; from the next one on an equal state
      // means the rest is still valid.
      if (i > row) return changed;
    } else {
      rows.SetRowData(i, state);
      computed_end_ = std::max(computed_end_, i + 1);
      ++changed;
      if (notify && RowChanged) RowChanged(i);
    }
    parser_->ComputeRowEnd(i, rows, state);
  }
  MarkNotComputed(rows, limit + 1);
  return changed;
}

void RowColouring::RecomputeAll(TRowAttributeStringList& rows) {
  Observe(rows);
  if (Suspended && Suspended()) return;
  const int count = rows.Count();
  if (count == 0) return;
  int limit = count - 1;
  if (!InitBracketsFull) {
    const int top = TopRow ? std::max(0, TopRow()) : 0;
    limit = std::min(limit, 2 * Visible() + top);
  }
  MarkNotComputed(rows, limit + 1);
  TRowAttributeData state = EmptyState();
  for (int i = 0; i <= limit; ++i) {
    state.RowAttribute = rows.RowAttr(i);
    state.PrevRowAttribute = i > 0 ? rows.RowAttr(i - 1) : rowLineBreak;
    rows.SetRowData(i, state);
    parser_->ComputeRowEnd(i, rows, state);
  }
  computed_end_ = std::max(computed_end_, limit + 1);
}

bool RowColouring::EnsureComputed(TRowAttributeStringList& rows, int row) {
  Observe(rows);
  if (row < 0 || row >= rows.Count() || rows.BracketIndex(row) != -2) return false;
  // Rows computed here are being painted or are not on screen yet: no repaint requests.
  UpdateRows(rows, row, false);
  return true;
}

TRowTokenIterator& RowColouring::PaintRow(TRowAttributeStringList& rows, int row, bool word_wrap) {
  EnsureComputed(rows, row);
  paint_iterator_.Begin(rows, row, word_wrap);
  return paint_iterator_;
}

TTokenQuery RowColouring::TokenAt(TRowAttributeStringList& rows, int row, int offset, TokenQueryMode mode) {
  TTokenQuery result;
  if (row < 0 || row >= rows.Count() || offset < 0) return result;
  int first = row;
  while (first > 0 && rows.RowAttr(first - 1) == rowWrapped) --first;
  int last = row;
  while (last + 1 < rows.Count() && rows.RowAttr(last) == rowWrapped) ++last;

  line_.clear();
  int line_offset = offset;
  for (int i = first; i <= last; ++i) {
    if (i < row) line_offset += static_cast<int>(rows.GetView(i).size());
    line_.append(rows.GetView(i));
  }
  result.first_row = first;

  TFountainParser* parser = plain_parser_.get();
  TRowAttributeData state = EmptyState();
  if (mode != TokenQueryMode::Plain && fountain_) {
    EnsureComputed(rows, first);
    parser = parser_.get();
    state = rows.RowData(first);
    state.ContinuedKind = 0;
    state.RemainLength = 0;
  }
  const bool brackets = parser->BracketDetection();
  parser->SetBracketDetection(mode == TokenQueryMode::DefinitionWithBrackets);
  parser->SetState(line_, state);
  while (parser->NextToken() != tkEnd) {
    const int s = parser->TokenStart();
    if (s > line_offset) break;
    if (line_offset < s + parser->TokenLength()) {
      result.kind = parser->Token();
      result.text.assign(parser->TokenString());
      result.start = s;
      result.length = parser->TokenLength();
      break;
    }
  }
  parser->SetBracketDetection(brackets);
  return result;
}

}  // namespace editor
