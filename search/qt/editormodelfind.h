// The main editor's model as the find commands see it (TEditor::Model() of the main window).
// Needs no Qt itself; it lives here because only the window, which links the editor, uses it.
#pragma once

#include "editor/editormodel.h"
#include "search/bufferfinder.h"
#include "search/findcommands.h"

namespace search::qt {

class EditorModelFind final : public FindEditor {
 public:
  explicit EditorModelFind(editor::EditorModel& model) : model_(model) {}

  std::string SelText() const override { return model_.SelText(); }
  std::int64_t SelStart() const override { return model_.SelStart(); }
  void SetSelStart(std::int64_t offset) override { model_.SetSelStart(offset); }
  void SetSelLength(std::int64_t length) override { model_.SetSelLength(length); }
  bool Search(std::string_view pattern, TSearchOptions options) override {
    return model_.Search(BufferFinder(pattern, options));
  }
  void ReplaceSelection(std::string_view text) override {
    // InsertText ignores an empty text, which would leave the match standing.
    if (text.empty()) {
      model_.DeleteSelection();
    } else {
      model_.InsertText(text);
    }
  }
  void ScrollCaret() override { model_.ScrollCaret(); }
  bool Modified() const override { return model_.Modified(); }
  bool ReadOnly() const override { return model_.ReadOnly(); }

 private:
  editor::EditorModel& model_;
};

}  // namespace search::qt
