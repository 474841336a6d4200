// The commands on the main editor: select all, the clipboard, box paste, deleting a row, undo and
// redo, the insert/overwrite and read-only switches, and the three word-wrap modes.
#pragma once

#include "mainwin/commandtable.h"
#include "mainwin/session.h"

namespace mainwin {

// The window's display of the editor's modes.
class EditHost {
 public:
  virtual ~EditHost() = default;
  // Panel 2 and the insert action's check from the editor's overwrite mode.
  virtual void ShowInsertState() = 0;
  // Panel 3 and the read-only action's check.
  virtual void ShowReadOnlyState() = 0;
  // The wrap column, scroll bars and wrap buttons after the wrap mode changed.
  virtual void UpdateWrapState() = 0;
};

class EditCommands {
 public:
  EditCommands(Session& session, EditHost& host) : s_(session), host_(host) {}

  void Register(CommandTable& table);

  void ToggleInsert();
  void ToggleReadOnly();
  // WordWrap_Non/User/Width by their tags 48, 49, 50; other tags change nothing.
  void WordWrapExecute(int tag);

 private:
  Session& s_;
  EditHost& host_;
};

}  // namespace mainwin
