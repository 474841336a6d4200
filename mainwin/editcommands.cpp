#include "mainwin/editcommands.h"

#include "mainwin/keepmodified.h"

namespace mainwin {

namespace {
constexpr int kWrapNonTag = 48;
constexpr int kWrapUserTag = 49;
constexpr int kWrapWidthTag = 50;
}  // namespace

void EditCommands::Register(CommandTable& t) {
  editor::EditorModel& e = s_.Editor();
  t.Register(ActionId::SelectAll, [&e] { e.SelectAll(); });
  t.Register(ActionId::Copy, [&e] { e.CopyToClipboard(); });
  t.Register(ActionId::Cut, [&e] { e.CutToClipboard(); });
  t.Register(ActionId::Paste, [&e] { e.PasteFromClipboard(); });
  // Box paste of the clipboard's text at the caret, whatever format it carries.
  t.Register(ActionId::PasteBox, [&e] { e.ExecuteMenu(editor::MenuAction::PasteBox); });
  t.Register(ActionId::DelLine, [&e] { e.DeleteRow(e.Row()); });
  t.Register(ActionId::Undo, [&e] { e.Undo(); });
  t.Register(ActionId::Redo, [&e] { e.Redo(); });
  t.Register(ActionId::insert, [this] { ToggleInsert(); });
  t.Register(ActionId::ReadOnly, [this] { ToggleReadOnly(); });
  for (ActionId id : {ActionId::WordWrap_Non, ActionId::WordWrap_User, ActionId::WordWrap_Width})
    t.Register(id, [this, id] { WordWrapExecute(Spec(id).tag); });
}

void EditCommands::ToggleInsert() {
  editor::EditorModel& e = s_.Editor();
  e.SetOverwrite(!e.Overwrite());
  host_.ShowInsertState();
}

void EditCommands::ToggleReadOnly() {
  editor::EditorModel& e = s_.Editor();
  e.SetReadOnly(!e.ReadOnly());
  host_.ShowReadOnlyState();
}

void EditCommands::WordWrapExecute(int tag) {
  editor::EditorModel& e = s_.Editor();
  const KeepModified keep(e);
  editorsettings::TEditorPropDat& s = s_.ActiveSettings();
  switch (tag) {
    case kWrapNonTag:
      s.DWordWrap = false;
      e.SetWordWrap(false);
      break;
    case kWrapUserTag:
      s.DWordWrap = true;
      s.WidthWordWrap = false;
      e.SetWordWrap(true);
      break;
    case kWrapWidthTag:
      s.DWordWrap = true;
      s.WidthWordWrap = true;
      e.SetWordWrap(true);
      break;
    default: return;
  }
  host_.UpdateWrapState();
}

}  // namespace mainwin
