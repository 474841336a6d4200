#include "mainwin/settingscommands.h"

namespace mainwin {

void SettingsCommands::Register(CommandTable& t) {
  t.Register(ActionId::EditEditor, [this] { EditGlobal(kSettingsDefaultPage); });
  t.Register(ActionId::EditEditor_TimeOpen, [this] { EditGlobal(kSettingsTimeStampPage); });
  t.Register(ActionId::EditorEdit_Group, [this] { EditGroup(); });
}

void SettingsCommands::EditGlobal(int page) {
  const store::TColor oldGroup = s_.MainData().GroupFontColor;
  const store::TColor oldItem = s_.MainData().ItemFontColor;
  if (host_.RunEditorSettings(page, false)) ReplaceListColors(oldGroup, oldItem);
}

void SettingsCommands::EditGroup() {
  if (host_.OpenGroup() < 0) return;
  host_.RunEditorSettings(kSettingsDefaultPage, true);
  host_.UpdateWrapState();
}

void SettingsCommands::ReplaceListColors(store::TColor oldGroupColour, store::TColor oldItemColour) {
  s_.Groups().ReplaceColor(oldGroupColour, s_.MainData().GroupFontColor);
  s_.Items().ReplaceColor(oldItemColour, s_.MainData().ItemFontColor);
  host_.RepaintLists();
}

}  // namespace mainwin
