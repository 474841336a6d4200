// Settings that rewrap the editor reach its modified flag, but they are no edit of the text: the
// flag is given back as it was when the scope ends.
#pragma once

#include "editor/editormodel.h"

namespace mainwin {

class KeepModified {
 public:
  explicit KeepModified(editor::EditorModel& e) : editor_(e), modified_(e.Modified()) {}
  ~KeepModified() {
    if (editor_.Modified() != modified_) editor_.SetModified(modified_);
  }
  KeepModified(const KeepModified&) = delete;
  KeepModified& operator=(const KeepModified&) = delete;

 private:
  editor::EditorModel& editor_;
  bool modified_;
};

}  // namespace mainwin
