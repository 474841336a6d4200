// The editor's Lines: the logical-line view of a document, computed from its rows on every call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/screenstrings.h"

namespace editor {

class TEditorStrings {
 public:
  // `view` is the editor these lines belong to (its caret, selection and edit bracket); it may
  // be null for a document without a view.
  TEditorStrings(TEditorScreenStrings& document, EditorViewHooks* view) : doc_(document), view_(view) {}

  TEditorScreenStrings& Document() const { return doc_; }

  int Count() const { return doc_.LineCount(); }
  std::string Get(int i) const;
  std::string operator[](int i) const { return Get(i); }
  void Put(int i, std::string_view s);
  void Insert(int i, std::string_view s);
  // Returns the line count before the call.
  int Add(std::string_view s);
  void Delete(int i);
  void Clear();

  std::string Text() const { return doc_.Text(); }
  void SetText(std::string_view text);
  void Assign(const TEditorStrings& source);
  // From any list of lines: each becomes a line ended by a line break.
  void Assign(const std::vector<std::string>& lines);
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const { doc_.SaveToFile(path); }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  // The stored "Strings" list: one string per logical line.
  std::vector<std::string> StoredStrings() const;
  // Reading the stored list appends each string as one row.
  void ReadStoredStrings(const std::vector<std::string>& strings);

 private:
  void CheckLine(int i, int count) const;
  // One Lines mutation: selection removed, ReplaceRows inside the view's edit bracket, then the
  // caret `caret_offset` bytes after the start of `row`.
  void Mutate(int row, int n, std::string_view s, size_t caret_offset);
  void PutCaretOnLastRow();

  TEditorScreenStrings& doc_;
  EditorViewHooks* view_;
  int update_count_ = 0;
};

}  // namespace editor
