// Editor settings records: everything that shapes the editor (colour, font, wrap, caret, marks,
// ruler, line-number bar, reserved words, colouring, margins), copied from and applied to an editor
// model. The group list's record holds the global settings, each item list's record its group's own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/options.h"
#include "editor/viewinfo.h"
#include "editor/wrapoption.h"
#include "store/entries.h"
#include "store/font.h"
#include "store/persistent.h"

namespace editor {
class EditorModel;
}

namespace editorsettings {

class TEditorProperty : public store::Component {
 public:
  TEditorProperty();
  TEditorProperty(const TEditorProperty&) = delete;
  TEditorProperty& operator=(const TEditorProperty&) = delete;

  store::TColor DColor = 0;
  store::TFont DFont;
  bool DWordWrap = false;
  editor::TEditorWrapOption DEditorWrapOption;
  editor::TEditorCaret DEditorCaret;
  editor::TEditorMarks DEditorMarks;
  editor::TEditorRuler DEditorRuler;
  editor::TEditorLeftbar DEditorLeftbar;
  std::vector<std::string> DReserveWordList;  // code page 932, one word a line
  editor::TEditorViewInfo DEditorViewInfo;
  editor::TEditorMargin DEditorMargin;

  std::string_view ClassName() const override { return "TEditorProperty"; }
  void Describe(store::PropertyVisitor& v) override;

  // The eleven values, in stored order, from the editor and back to it.
  void CopyFromEditor(editor::EditorModel& editor);
  void ApplyToEditor(editor::EditorModel& editor) const;
  // Copies the eleven values of another record.
  void AssignValues(const TEditorProperty& other);
};

class TEditorPropDat final : public TEditorProperty {
 public:
  // For a group's record: the group uses its own settings. For the global record: captured.
  bool Enabled = false;
  // With word wrap on, wrap at the editor's right edge instead of at DEditorWrapOption.WrapByte.
  bool WidthWordWrap = false;

  std::string_view ClassName() const override { return "TEditorPropDat"; }
  void Describe(store::PropertyVisitor& v) override;
};

struct SettingsHost;
class SettingsDialog;

// Carries one run of the settings dialog.
class TEditDelivery final : public TEditorProperty {
 public:
  std::string_view ClassName() const override { return "TEditDelivery"; }

  // Runs the dialog made by `create` on the main editor `editor` (settingsrun.h): the preview
  // gets the record in force for the mode; `firstPage` is 0 for the default page or a page number
  // plus one. On "登録" the preview's settings go into the target record (the global one, or the
  // open group's own when `perGroup`), which is enabled and, unless a global change would hide
  // the group's own settings, applied to `editor`. Returns whether the dialog closed with "登録".
  bool EditSettings(editor::EditorModel& editor, int firstPage, bool perGroup, SettingsHost& host,
                    const std::function<std::unique_ptr<SettingsDialog>()>& create);
};

// What every entry collection owns as its settings record.
store::SettingsFactory EditorSettingsFactory();

// The record a list owns (the lists are created with EditorSettingsFactory).
TEditorPropDat& SettingsOf(store::TRootComponent& list);

// The settings in force: the open group's own when enabled, else the global record.
TEditorPropDat& ActiveSettings(store::TRootComponent_Group& groups, store::TRootComponent_Item& items);

}  // namespace editorsettings
