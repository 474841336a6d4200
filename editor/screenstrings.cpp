// The document's rows: the editing primitive, wrapping of the whole text, files.
#include "editor/screenstrings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "editor/undo.h"
#include "editor/updatescope.h"
#include "editor/wrapoption.h"
#include "store/bytestream.h"
#include "store/errors.h"

namespace editor {

namespace {

constexpr int kDefaultTabWidth = 8;
constexpr size_t kFileBlock = 8192;
constexpr char kCtrlZ = 26;

}  // namespace

TEditorScreenStrings::TEditorScreenStrings() = default;

TEditorScreenStrings::~TEditorScreenStrings() = default;

// --- views ------------------------------------------------------------------------------------

void TEditorScreenStrings::AttachView(EditorViewHooks* view) {
  if (view == nullptr || std::find(views_.begin(), views_.end(), view) != views_.end()) return;
  views_.push_back(view);
  if (views_.size() == 1) engine_dirty_ = true;
}

void TEditorScreenStrings::DetachView(EditorViewHooks* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it == views_.end()) return;
  if (it == views_.begin()) engine_dirty_ = true;
  views_.erase(it);
}

EditorViewHooks* TEditorScreenStrings::FocusedView() const {
  for (EditorViewHooks* v : views_)
    if (v->HasFocus()) return v;
  return PrimaryView();
}

bool TEditorScreenStrings::PrimaryLoading() const {
  const EditorViewHooks* v = PrimaryView();
  return v != nullptr && v->IsLoading();
}

void TEditorScreenStrings::RefreshViews() {
  for (EditorViewHooks* v : views_) v->Refresh();
}

int TEditorScreenStrings::CaretRowLimit() const {
  const int n = Count();
  return n > 0 && RowAttr(n - 1) == rowTextEnd ? n - 1 : n;
}

void TEditorScreenStrings::PullBackViews() {
  const int limit = CaretRowLimit();
  for (EditorViewHooks* v : views_)
    if (v->CaretRow() > limit || v->TopRow() > limit) v->PullBackTo(limit);
}

// --- colouring --------------------------------------------------------------------------------

void TEditorScreenStrings::NotifyRowStateChanged(int row) {
  for (EditorViewHooks* v : views_) v->RowStateChanged(row);
}

void TEditorScreenStrings::RecomputeAllStates() {
  if (sink_ != nullptr && !PrimaryLoading()) sink_->RecomputeAll(*this);
}

int TEditorScreenStrings::UpdateStates(int row) { return sink_ != nullptr ? sink_->UpdateFrom(*this, row) : 0; }

// --- rows and lines ---------------------------------------------------------------------------

int TEditorScreenStrings::FirstRowOfLine(int row) const {
  if (row <= 0) return row;
  const TheStringItem* rows = Rows();
  const int n = Count();
  while (row > 0 && row - 1 < n && (rows[row - 1].StateWord & 3u) == rowWrapped) --row;
  return row;
}

int TEditorScreenStrings::LastRowOfLine(int row) const {
  const int n = Count();
  if (row < 0 || row >= n) return row;
  const TheStringItem* rows = Rows();
  while (row < n - 1 && (rows[row].StateWord & 3u) == rowWrapped) ++row;
  return row;
}

TEditorScreenStrings::ReadResult TEditorScreenStrings::ReadRows(int row, int n) const {
  ReadResult r;
  const int count = Count();
  if (row < 0 || row >= count) return r;
  const int last = n < 0 ? LastRowOfLine(row) : std::min(count, row + n) - 1;
  if (last < row) return r;
  const TheStringItem* rows = Rows();
  size_t size = 0;
  for (int i = row; i <= last; ++i) size += rows[i].Text.size() + ((rows[i].StateWord & 3u) == rowLineBreak ? 2 : 0);
  r.Text.reserve(size);
  for (int i = row; i <= last; ++i) {
    r.Text.append(rows[i].Text.view());
    if ((rows[i].StateWord & 3u) == rowLineBreak) r.Text.append("\r\n");
  }
  r.Rows = last - row + 1;
  r.LastAttr = static_cast<RowAttribute>(rows[last].StateWord & 3u);
  return r;
}

void TEditorScreenStrings::RecordChange(int row, int replaced, int inserted, int state_changed) {
  last_change_ = LastChange{row, replaced, inserted, state_changed, true};
}

void TEditorScreenStrings::ReplaceRows(int row, int n, std::string_view s) {
  const int count = Count();
  if (row < 0 || n < 0 || row + n - 1 > count - 1 || (n == 0 && s.empty())) return;
  ++text_revision_;

  // Widen to whole wrap units: the previous row joins when it belongs to the same line.
  int top = std::max(FirstRowOfLine(row), row - 1);
  if (row == count && count > 0 && RowAttr(count - 1) != rowLineBreak) {
    // Text appended after a last row without line break continues that row's line.
    top = count - 1;
  }
  const int last = row + n - 1;
  int tail = LastRowOfLine(last);

  if (row == top && tail == last && s.empty() && n > 0) {
    // Whole lines deleted.
    ReadResult old = ReadRows(row, n);
    TUndoData& u = UndoObj().NewEntry();
    u.Row = row;
    u.Text = std::move(old.Text);
    u.RowAttribute = old.LastAttr;
    u.RowCount = 0;
    u.Shape = RowShapes(row, n);
    DeleteRowsKeepMarks(row, n);
    const int changed = UpdateStates(row);
    RecordChange(row, n, 0, changed);
    Changed();
    return;
  }

  RowAttribute end_attr;
  if (last < tail && tail < count) {
    end_attr = RowAttr(tail);
  } else if (tail < count - 1) {
    // The range ends a line: the next line joins, since `s` may not end with a line break.
    tail = LastRowOfLine(tail + 1);
    end_attr = RowAttr(tail);
  } else {
    const bool ends_with_break = !s.empty() && (s.back() == '\n' || s.back() == '\r');
    end_attr = ends_with_break ? rowLineBreak : rowTextEnd;
  }

  ReadResult old = ReadRows(top, tail - top + 1);
  TUndoData& u = UndoObj().NewEntry();
  u.Row = top;
  u.RowAttribute = old.LastAttr;
  u.Shape = RowShapes(top, tail - top + 1);

  std::string text;
  {
    const TheStringItem* rows = Rows();
    size_t size = s.size();
    for (int i = top; i < row; ++i) size += rows[i].Text.size() + 2;
    for (int i = last + 1; i <= tail; ++i) size += rows[i].Text.size() + 2;
    text.reserve(size);
    auto append_row = [&](int i) {
      text.append(rows[i].Text.view());
      if ((rows[i].StateWord & 3u) == rowLineBreak) text.append("\r\n");
    };
    for (int i = top; i < row; ++i) append_row(i);
    text.append(s);
    for (int i = last + 1; i <= tail; ++i) append_row(i);
  }
  u.Text = std::move(old.Text);

  TEditorStringList list;
  CutRows(text, end_attr, list);
  u.RowCount = list.Count();

  const int replaced = tail - top + 1;
  MoveRows(top, replaced, list);
  const int changed = UpdateStates(top);
  RecordChange(top, replaced, list.Count(), changed);
  Changed();
}

std::vector<uint32_t> TEditorScreenStrings::RowShapes(int row, int n) const {
  std::vector<uint32_t> shape;
  const int end = std::min(Count(), row + n);
  if (row < 0 || end <= row) return shape;
  shape.reserve(static_cast<size_t>(end - row));
  const TheStringItem* rows = Rows();
  for (int i = row; i < end; ++i)
    shape.push_back(static_cast<uint32_t>(rows[i].Text.size()) << 2 | (rows[i].StateWord & 3u));
  return shape;
}

bool TEditorScreenStrings::RowsFromShape(std::string_view text, const std::vector<uint32_t>& shape,
                                         TEditorStringList& out) {
  if (shape.empty()) return false;
  size_t pos = 0;
  for (const uint32_t s : shape) {
    const size_t len = s >> 2;
    const auto attr = static_cast<RowAttribute>(s & 3u);
    if (pos + len > text.size()) return false;
    const std::string_view row = text.substr(pos, len);
    if (row.find_first_of("\r\n") != std::string_view::npos) return false;
    pos += len;
    if (attr == rowLineBreak) {
      if (text.compare(pos, 2, "\r\n") != 0) return false;
      pos += 2;
    }
    out.AddRow(row, attr);
  }
  return pos == text.size();
}

void TEditorScreenStrings::MoveRows(int top, int old, TEditorStringList& list) {
  const int k = list.Count();
  std::vector<uint16_t> marks(static_cast<size_t>(k), 0);
  TheStringItem* rows = Rows();
  auto marks_of = [&](int i) { return static_cast<uint16_t>(rows[i].MarkWord >> 16); };

  if (k < old) {
    uint16_t lost = 0;
    for (int i = 0; i < old - k; ++i) lost |= marks_of(top + i);
    RemoveRows(top, old - k);
    rows = Rows();
    for (int i = 0; i < k; ++i) marks[i] = marks_of(top + i);
    if (k == 0) {
      ClearMarksInUse(lost);
    } else {
      marks[0] |= lost;
    }
  } else if (k > old) {
    const int added = k - old;
    const uint16_t first = old > 0 ? marks_of(top) : 0;
    InsertBlank(top, added);
    rows = Rows();
    for (int i = 1; i < old; ++i) marks[added + i] = marks_of(top + added + i);
    if (old > 0) {
      const EditorViewHooks* v = FocusedView();
      const bool inside_row = v != nullptr && v->CaretCol() != 0;
      marks[inside_row ? 0 : added] |= first;
    }
  } else {
    for (int i = 0; i < k; ++i) marks[i] = marks_of(top + i);
  }

  TheStringItem* src = list.Rows();
  for (int i = 0; i < k; ++i) {
    TheStringItem& dst = rows[top + i];
    dst.Text = std::move(src[i].Text);
    dst.ElementText = std::move(src[i].ElementText);
    dst.Tag = src[i].Tag;
    dst.StateWord = src[i].StateWord;
    dst.MarkWord = (src[i].MarkWord & 0xFFFFu) | (static_cast<uint32_t>(marks[i]) << 16);
  }
  TouchLayout();
}

void TEditorScreenStrings::DeleteRowsKeepMarks(int row, int n) {
  uint16_t bits = 0;
  for (int i = row; i < row + n; ++i) bits |= static_cast<uint16_t>(Rows()[i].MarkWord >> 16);
  RemoveRows(row, n);
  if (Count() > 0) {
    Rows()[std::min(row, Count() - 1)].MarkWord |= static_cast<uint32_t>(bits) << 16;
  } else {
    ClearMarksInUse(bits);
  }
}

const std::vector<int>& TEditorScreenStrings::LineStarts() const {
  if (line_starts_revision_ != LayoutRevision()) {
    line_starts_.clear();
    const TheStringItem* rows = Rows();
    const int n = Count();
    if (n > 0) line_starts_.push_back(0);
    for (int i = 0; i + 1 < n; ++i)
      if ((rows[i].StateWord & 3u) != rowWrapped) line_starts_.push_back(i + 1);
    line_starts_revision_ = LayoutRevision();
  }
  return line_starts_;
}

int TEditorScreenStrings::LineCount() const {
  if (!word_wrap_) return Count();
  return static_cast<int>(LineStarts().size());
}

int TEditorScreenStrings::LineToRow(int line) const {
  if (!word_wrap_) return line;
  const std::vector<int>& starts = LineStarts();
  if (line < 0) return line;
  if (line >= static_cast<int>(starts.size())) return Count() + (line - static_cast<int>(starts.size()));
  return starts[line];
}

int TEditorScreenStrings::RowToLine(int row) const {
  if (!word_wrap_ || row <= 0) return row;
  const std::vector<int>& starts = LineStarts();
  if (row >= Count()) return static_cast<int>(starts.size()) + (row - Count());
  return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), row) - starts.begin()) - 1;
}

int TEditorScreenStrings::ColumnOfByte(int row, int index) const {
  if (row < 0 || row >= Count()) return 0;
  std::string_view t = Rows()[row].Text.view();
  index = std::clamp(index, 0, static_cast<int>(t.size()));
  const EditorViewHooks* v = PrimaryView();
  const int tab = v != nullptr ? v->TabSpaceCount() : kDefaultTabWidth;
  const int wrap = !word_wrap_ ? 0 : wrap_option_ ? wrap_option_->WrapByte() : TEditorWrapOption::kDefaultWrapByte;
  return DisplayWidth(t.substr(0, static_cast<size_t>(index)), tab, wrap);
}

std::pair<int, int> TEditorScreenStrings::PositionAfter(int row, int64_t offset) const {
  const int n = Count();
  row = std::max(row, 0);
  offset = std::max<int64_t>(offset, 0);
  while (row < n) {
    const auto len = static_cast<int64_t>(Rows()[row].Text.size());
    const RowAttribute a = static_cast<RowAttribute>(Rows()[row].StateWord & 3u);
    const int64_t span = len + (a == rowLineBreak ? 2 : a == rowTextEnd ? 1 : 0);
    if (offset < span || (row == n - 1 && a != rowLineBreak)) {
      return {row, ColumnOfByte(row, static_cast<int>(std::min(offset, len)))};
    }
    offset -= span;
    ++row;
  }
  return {n, 0};
}

// --- whole text -------------------------------------------------------------------------------

std::string TEditorScreenStrings::Text() const {
  const TheStringItem* rows = Rows();
  const int n = Count();
  size_t size = 0;
  for (int i = 0; i < n; ++i) size += rows[i].Text.size() + ((rows[i].StateWord & 3u) == rowLineBreak ? 2 : 0);
  std::string text;
  text.resize(size);
  char* out = text.data();
  for (int i = 0; i < n; ++i) {
    const std::string_view t = rows[i].Text.view();
    std::memcpy(out, t.data(), t.size());
    out += t.size();
    if ((rows[i].StateWord & 3u) == rowLineBreak) {
      *out++ = '\r';
      *out++ = '\n';
    }
  }
  return text;
}

bool TEditorScreenStrings::WrapActive() const { return word_wrap_ && !PrimaryLoading(); }

void TEditorScreenStrings::BuildRows(std::string_view text) {
  if (text.empty()) return;
  WrapEngine& engine = Engine();
  const bool wrap = WrapActive();
  // Pre-size: one row per line, plus the rows long lines will need.
  size_t lines = 1;
  for (const char* p = text.data(); (p = static_cast<const char*>(std::memchr(p, '\n', text.data() + text.size() - p)));
       ++p)
    ++lines;
  size_t estimate = lines;
  if (wrap) estimate += text.size() / static_cast<size_t>(engine.Rules().WrapByte);
  Reserve(static_cast<int>(std::min<size_t>(estimate, static_cast<size_t>(INT32_MAX / 2))));

  if (!wrap) {
    ForEachRawLine(text, [&](std::string_view line) { AddRow(line, rowLineBreak); });
  } else {
    engine.WrapText(text, *this);
  }
  const char lastc = text.back();
  if (lastc != '\n' && lastc != '\r') SetRowAttr(Count() - 1, rowTextEnd);
}

void TEditorScreenStrings::SetText(std::string_view text) {
  UpdateScope update(*this);
  Clear();
  BuildRows(text);
  ++text_revision_;
  RecordChange(0, 0, Count(), 0);
  RecomputeAllStates();
}

void TEditorScreenStrings::Clear() {
  UndoObj().Clear();
  ++text_revision_;
  RecordChange(0, Count(), 0, 0);
  TEditorStringList::Clear();
  last_change_ = LastChange{};
  marks_in_use_ = 0;
  for (EditorViewHooks* v : views_) {
    v->SetCaretRow(0);
    v->SetCaretCol(0);
  }
}

void TEditorScreenStrings::LoadFromFile(const std::string& path) {
  UpdateScope update(*this);
  Clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw EFileError(store::CannotOpenMessage(path) + " (" + store::IoErrorMessage(errno) + ")");
  std::string data;
  std::vector<char> block(kFileBlock);
  for (;;) {
    const size_t got = std::fread(block.data(), 1, block.size(), f);
    if (got > 0) {
      const void* z = std::memchr(block.data(), kCtrlZ, got);
      if (z != nullptr) {
        // Ctrl-Z ends the text.
        data.append(block.data(), static_cast<const char*>(z) - block.data());
        break;
      }
      data.append(block.data(), got);
    }
    if (got < block.size()) {
      if (std::ferror(f)) {
        const int err = errno;
        std::fclose(f);
        throw EFileError("ファイル " + path + " を読み込めません (" + store::IoErrorMessage(err) + ")");
      }
      break;
    }
  }
  std::fclose(f);
  BuildRows(data);
  ++text_revision_;
  RecordChange(0, 0, Count(), 0);
  RecomputeAllStates();
  RefreshViews();
}

void TEditorScreenStrings::SaveToFile(const std::string& path) const {
  // The old file stays whole until the new one is on disk.
  try {
    store::AtomicFileOutput out(path);
    out.Write(Text());
    out.Commit();
  } catch (const store::StreamError& e) {
    const std::string cause = e.what();
    if (cause.find(path) != std::string::npos) throw EFileError(cause);
    throw EFileError("ファイル " + path + " に書き込めません (" + cause + ")");
  }
}

// --- word wrap --------------------------------------------------------------------------------

TEditorWrapOption& TEditorScreenStrings::WrapOption() {
  if (!wrap_option_) {
    wrap_option_ = CreateWrapOption();
    wrap_option_->OnChange = [this] { OnWrapOptionChanged(); };
  }
  return *wrap_option_;
}

std::unique_ptr<TEditorWrapOption> TEditorScreenStrings::CreateWrapOption() {
  return std::make_unique<TEditorWrapOption>();
}

WrapEngine& TEditorScreenStrings::Engine() {
  static const DelimiterSet kDefaultDelimiters = DefaultDelimiters();
  const EditorViewHooks* v = PrimaryView();
  const int tab = v != nullptr ? v->TabSpaceCount() : kDefaultTabWidth;
  const DelimiterSet* own = v != nullptr ? v->WordDelimiters() : nullptr;
  const DelimiterSet& delimiters = own != nullptr ? *own : kDefaultDelimiters;
  const bool wrap = WrapActive();
  if (engine_dirty_ || !engine_ || engine_->Rules().TabWidth != tab || engine_->Rules().WordWrap != wrap ||
      engine_->Rules().Delimiters != delimiters) {
    engine_.emplace(WrapRules::From(WrapOption(), wrap, tab, delimiters));
    engine_dirty_ = false;
  }
  return *engine_;
}

void TEditorScreenStrings::CutText(std::string_view text, TEditorStringList& out) { Engine().WrapText(text, out); }

void TEditorScreenStrings::CutRows(std::string_view text, RowAttribute end_attr, TEditorStringList& out) {
  CutText(text, out);
  // A text that ends with a line break ends its last row with it, whatever followed the range:
  // an empty rowTextEnd row after it would only repeat the line end.
  const bool ends_with_break = !text.empty() && (text.back() == '\n' || text.back() == '\r');
  out.SetRowAttr(out.Count() - 1, ends_with_break ? rowLineBreak : end_attr);
}

void TEditorScreenStrings::OnWrapOptionChanged() {
  engine_dirty_ = true;
  if (word_wrap_ && !PrimaryLoading()) RewrapAll();
}

void TEditorScreenStrings::SetWordWrap(bool on) {
  if (on == word_wrap_) return;
  word_wrap_ = on;
  engine_dirty_ = true;
  if (!PrimaryLoading()) RewrapAll();
}

void TEditorScreenStrings::RewrapAll() {
  UndoObj().Clear();
  Rewrap();
  for (EditorViewHooks* v : views_) v->SetCaretCol(0);
}

void TEditorScreenStrings::Rewrap() {
  if (word_wrap_) {
    WrapLines();
  } else {
    JoinLines();
  }
  RecomputeAllStates();
  RefreshViews();
  PullBackViews();
}

void TEditorScreenStrings::WrapLines() {
  if (Count() == 0 || PrimaryLoading()) return;
  UpdateScope update(*this);
  WrapEngine& engine = Engine();
  const int n = Count();
  const RowAttribute last_attr = RowAttr(n - 1);
  TEditorStringList fresh;
  fresh.Reserve(n + n / 4 + 16);
  std::vector<RowCut> cuts;
  std::string joined;
  const TheStringItem* rows = Rows();
  for (int a = 0; a < n;) {
    const int b = LastRowOfLine(a);
    std::string_view line;
    if (a == b) {
      line = rows[a].Text.view();
    } else {
      joined.clear();
      for (int i = a; i <= b; ++i) joined.append(rows[i].Text.view());
      line = joined;
    }
    cuts.clear();
    engine.CutLine(line, cuts);
    const int k = static_cast<int>(cuts.size());
    const int first_new = fresh.Count();
    for (const RowCut& c : cuts) fresh.AddRow(line.substr(c.offset, c.length), c.attr);
    // Bookmarks: old row i to new row i; the surplus old rows onto the last new row.
    TheStringItem* out = fresh.Rows();
    for (int i = 0; i <= b - a; ++i) {
      const uint32_t bits = rows[a + i].MarkWord & 0xFFFF0000u;
      out[first_new + std::min(i, k - 1)].MarkWord |= bits;
    }
    a = b + 1;
  }
  fresh.SetRowAttr(fresh.Count() - 1, last_attr);
  TakeRows(std::move(fresh));
}

void TEditorScreenStrings::JoinLines() {
  if (Count() == 0) return;
  UpdateScope update(*this);
  const int n = Count();
  const RowAttribute old_last = RowAttr(n - 1);
  TEditorStringList fresh;
  fresh.Reserve(LineCount());
  const TheStringItem* rows = Rows();
  std::string joined;
  for (int a = 0; a < n;) {
    const int b = LastRowOfLine(a);
    uint32_t bits = 0;
    joined.clear();
    for (int i = a; i <= b; ++i) {
      joined.append(rows[i].Text.view());
      bits |= rows[i].MarkWord & 0xFFFF0000u;
    }
    fresh.AddRow(joined, rowLineBreak);
    fresh.Rows()[fresh.Count() - 1].MarkWord = bits;
    a = b + 1;
  }
  fresh.SetRowAttr(fresh.Count() - 1, old_last == rowWrapped ? rowTextEnd : old_last);
  TakeRows(std::move(fresh));
}

// --- undo -------------------------------------------------------------------------------------

std::unique_ptr<TEditorUndoObj> TEditorScreenStrings::CreateUndoObj() {
  return std::make_unique<TEditorUndoObj>(*this);
}

TEditorUndoObj& TEditorScreenStrings::UndoObj() {
  if (!undo_) undo_ = CreateUndoObj();
  return *undo_;
}

void TEditorScreenStrings::Undo() { UndoObj().Undo(); }
void TEditorScreenStrings::Redo() { UndoObj().Redo(); }
bool TEditorScreenStrings::CanUndo() { return UndoObj().CanUndo(); }
bool TEditorScreenStrings::CanRedo() { return UndoObj().CanRedo(); }

// --- notification -----------------------------------------------------------------------------

void TEditorScreenStrings::Changed() {
  if (UpdateCount() != 0) return;
  TEditorStringList::Changed();
  for (EditorViewHooks* v : views_) v->RowsChanged(last_change_);
}

void TEditorScreenStrings::EndUpdate() {
  TEditorStringList::EndUpdate();
  if (UpdateCount() == 0) {
    last_change_ = LastChange{};
    PullBackViews();
  }
}

}  // namespace editor
