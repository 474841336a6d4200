#include "editorsettings/editorpropdat.h"

#include <stdexcept>

#include "editor/editormodel.h"

namespace editorsettings {

TEditorProperty::TEditorProperty() = default;

void TEditorProperty::Describe(store::PropertyVisitor& v) {
  Component::Describe(v);
  v.Colour("DColor", DColor);
  v.Object("DFont", DFont);
  v.Boolean("DWordWrap", DWordWrap);
  v.Object("DEditorWrapOption", DEditorWrapOption);
  v.Object("DEditorCaret", DEditorCaret);
  v.Object("DEditorMarks", DEditorMarks);
  v.Object("DEditorRuler", DEditorRuler);
  v.Object("DEditorLeftbar", DEditorLeftbar);
  v.StringList("DReserveWordList", DReserveWordList);
  v.Object("DEditorViewInfo", DEditorViewInfo);
  v.Object("DEditorMargin", DEditorMargin);
}

void TEditorProperty::CopyFromEditor(editor::EditorModel& editor) {
  DColor = editor.Color();
  DFont = editor.Font();
  DWordWrap = editor.WordWrap();
  DEditorWrapOption.Assign(editor.WrapOption());
  DEditorCaret.Assign(editor.Caret());
  DEditorMarks.Assign(editor.Marks());
  DEditorRuler.Assign(editor.Ruler());
  DEditorLeftbar.Assign(editor.Leftbar());
  DReserveWordList = editor.ReserveWordList();
  DEditorViewInfo.Assign(editor.View());
  DEditorMargin.Assign(editor.Margin());
}

void TEditorProperty::ApplyToEditor(editor::EditorModel& editor) const {
  editor.SetColor(DColor);
  editor.SetFont(DFont);
  editor.SetWordWrap(DWordWrap);
  editor.WrapOption().Assign(DEditorWrapOption);
  editor.Caret().Assign(DEditorCaret);
  editor.Marks().Assign(DEditorMarks);
  editor.Ruler().Assign(DEditorRuler);
  editor.Leftbar().Assign(DEditorLeftbar);
  editor.SetReserveWordList(DReserveWordList);
  editor.View().Assign(DEditorViewInfo);
  editor.Margin().Assign(DEditorMargin);
}

void TEditorProperty::AssignValues(const TEditorProperty& other) {
  DColor = other.DColor;
  DFont = other.DFont;
  DWordWrap = other.DWordWrap;
  DEditorWrapOption.Assign(other.DEditorWrapOption);
  DEditorCaret.Assign(other.DEditorCaret);
  DEditorMarks.Assign(other.DEditorMarks);
  DEditorRuler.Assign(other.DEditorRuler);
  DEditorLeftbar.Assign(other.DEditorLeftbar);
  DReserveWordList = other.DReserveWordList;
  DEditorViewInfo.Assign(other.DEditorViewInfo);
  DEditorMargin.Assign(other.DEditorMargin);
}

void TEditorPropDat::Describe(store::PropertyVisitor& v) {
  TEditorProperty::Describe(v);
  v.Boolean("Enabled", Enabled);
  v.Boolean("WidthWordWrap", WidthWordWrap);
}

store::SettingsFactory EditorSettingsFactory() {
  return [] { return std::make_unique<TEditorPropDat>(); };
}

TEditorPropDat& SettingsOf(store::TRootComponent& list) {
  auto* record = dynamic_cast<TEditorPropDat*>(list.EditorSettings.get());
  if (!record) throw std::logic_error("the list was created without EditorSettingsFactory");
  return *record;
}

TEditorPropDat& ActiveSettings(store::TRootComponent_Group& groups, store::TRootComponent_Item& items) {
  TEditorPropDat& own = SettingsOf(items);
  return own.Enabled ? own : SettingsOf(groups);
}

}  // namespace editorsettings
