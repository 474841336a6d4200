// The editor's Lines.
#include "editor/editorstrings.h"

#include <algorithm>

#include "editor/updatescope.h"

namespace editor {

void TEditorStrings::CheckLine(int i, int count) const {
  if (i < 0 || i >= count) throw EListError(i);
}

std::string TEditorStrings::Get(int i) const {
  CheckLine(i, Count());
  if (!doc_.WordWrap()) return doc_.Get(i);
  std::string s = doc_.ReadRows(doc_.LineToRow(i), -1).Text;
  while (s.size() >= 2 && s[s.size() - 2] == '\r' && s.back() == '\n') s.resize(s.size() - 2);
  return s;
}

void TEditorStrings::Mutate(int row, int n, std::string_view s, size_t caret_offset) {
  if (view_ != nullptr) {
    view_->ClearSelection();
    view_->BeginEdit();
  }
  struct EndEdit {
    EditorViewHooks* v;
    ~EndEdit() {
      if (v != nullptr) v->EndEdit();
    }
  } end_edit{view_};
  doc_.ReplaceRows(row, n, s);
  if (view_ != nullptr) {
    const auto [r, c] = doc_.PositionAfter(row, static_cast<int64_t>(caret_offset));
    view_->SetCaretRow(r);
    view_->SetCaretCol(c);
  }
}

void TEditorStrings::Put(int i, std::string_view s) {
  CheckLine(i, Count());
  const int first = doc_.LineToRow(i);
  const int last = doc_.LastRowOfLine(first);
  std::string text(s);
  if (doc_.RowAttr(last) == rowLineBreak) text.append("\r\n");
  Mutate(first, last - first + 1, text, text.size());
}

void TEditorStrings::Insert(int i, std::string_view s) {
  const int count = Count();
  if (i == count) {
    Add(s);
    return;
  }
  if (i < 0 || i > count) throw EListError(i);
  std::string text(s);
  text.append("\r\n");
  Mutate(doc_.LineToRow(i), 0, text, text.size());
}

int TEditorStrings::Add(std::string_view s) {
  const int before = Count();
  const int n = doc_.Count();
  if (n > 0 && doc_.RowAttr(n - 1) != rowLineBreak) {
    // The last line has no line break: it gets one, and s becomes the new unterminated last line.
    const int first = doc_.FirstRowOfLine(n - 1);
    std::string text = doc_.ReadRows(first, n - first).Text;
    text.append("\r\n");
    text.append(s);
    Mutate(first, n - first, text, text.size());
  } else {
    std::string text(s);
    text.append("\r\n");
    Mutate(n, 0, text, text.size());
  }
  return before;
}

void TEditorStrings::Delete(int i) {
  CheckLine(i, Count());
  const int first = doc_.LineToRow(i);
  const int last = doc_.LastRowOfLine(first);
  Mutate(first, last - first + 1, {}, 0);
}

void TEditorStrings::Clear() { doc_.Clear(); }

void TEditorStrings::SetText(std::string_view text) {
  UpdateScope update(*this);
  doc_.SetText(text);
}

void TEditorStrings::PutCaretOnLastRow() {
  if (view_ == nullptr) return;
  view_->SetCaretRow(std::min(doc_.Count(), doc_.CaretRowLimit()));
  view_->SetCaretCol(0);
}

void TEditorStrings::Assign(const TEditorStrings& source) {
  if (&source == this) return;
  SetText(source.Text());
  PutCaretOnLastRow();
}

void TEditorStrings::Assign(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& l : lines) size += l.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& l : lines) {
    text.append(l);
    text.append("\r\n");
  }
  SetText(text);
  PutCaretOnLastRow();
}

void TEditorStrings::LoadFromFile(const std::string& path) {
  UpdateScope update(*this);
  doc_.LoadFromFile(path);
}

void TEditorStrings::BeginUpdate() {
  if (update_count_++ == 0 && view_ != nullptr) view_->SetUpdating(true);
  doc_.BeginUpdate();
  if (view_ != nullptr) view_->BeginEdit();
}

void TEditorStrings::EndUpdate() {
  if (update_count_ == 0) return;
  if (view_ != nullptr) view_->EndEdit();
  doc_.EndUpdate();
  if (--update_count_ == 0) {
    if (view_ != nullptr) view_->SetUpdating(false);
    doc_.RefreshViews();
  }
}

std::vector<std::string> TEditorStrings::StoredStrings() const {
  std::vector<std::string> out;
  const int n = doc_.Count();
  std::string line;
  for (int i = 0; i < n; ++i) {
    line.append(doc_.GetView(i));
    if (doc_.RowAttr(i) == rowLineBreak || i == n - 1) {
      out.push_back(std::move(line));
      line.clear();
    }
  }
  return out;
}

void TEditorStrings::ReadStoredStrings(const std::vector<std::string>& strings) {
  for (const std::string& s : strings) doc_.Add(s);
}

}  // namespace editor
