// Every option object under one record root, as the editor's form stores them, with a change
// counter on each notifying object.
#pragma once

#include <string>

#include "editor/editorproperties.h"
#include "editor/options.h"
#include "store/bytestream.h"
#include "store/stream.h"

namespace optiontest {

class OptionSet final : public store::Component {
 public:
  editor::TEditorCaret Caret;
  editor::TEditorMarks Marks;
  editor::TEditorMargin Margin;
  editor::TEditorRuler Ruler;
  editor::TEditorLeftbar Leftbar;
  editor::TEditorImagebar Imagebar;
  editor::TEditorSpeed Speed;
  editor::EditorProperties Props;
  int changes = 0;

  OptionSet() {
    for (editor::TNotifyPersistent* o : Notifying()) o->OnChange = [this] { ++changes; };
  }

  std::vector<editor::TNotifyPersistent*> Notifying() { return {&Caret, &Marks, &Margin, &Ruler, &Leftbar, &Imagebar}; }

  void SetMainValues() {
    for (editor::TNotifyPersistent* o : Notifying()) o->BeginUpdate();
    Caret.SetMainValues();
    Marks.SetMainValues();
    Margin.SetMainValues();
    Ruler.SetMainValues();
    Leftbar.SetMainValues();
    Imagebar.SetMainValues();
    Speed.SetMainValues();
    Props = editor::EditorProperties::Main();
    for (editor::TNotifyPersistent* o : Notifying()) o->EndUpdate();
    changes = 0;
  }

  std::string_view ClassName() const override { return "TOptionSet"; }
  void Describe(store::PropertyVisitor& v) override {
    Component::Describe(v);
    v.Object("Caret", Caret);
    v.Object("Imagebar", Imagebar);
    v.Object("Leftbar", Leftbar);
    v.Object("Margin", Margin);
    v.Object("Marks", Marks);
    v.Object("Ruler", Ruler);
    v.Object("Speed", Speed);
  }
};

inline std::string Write(store::Component& c) {
  store::StringOutput out;
  store::WriteComponent(out, c);
  return out.Bytes();
}

inline void Read(const std::string& bytes, store::Component& c) {
  store::MemoryInput in(bytes);
  store::ReadComponent(in, c);
}

}  // namespace optiontest
