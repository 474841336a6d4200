// The three runs of the editor settings dialog: the application's settings, opened on its first
// page or on the time stamps, and the open group's own editor settings.
#pragma once

#include "mainwin/commandhost.h"
#include "mainwin/commandtable.h"
#include "mainwin/session.h"

namespace mainwin {

class SettingsRunHost : public CommandHost {
 public:
  // The dialog on the main editor, opened on `page` (kSettingsDefaultPage or a page number plus
  // one), for the open group's own settings when `perGroup`; true for OK.
  virtual bool RunEditorSettings(int page, bool perGroup) = 0;
  virtual void RepaintLists() = 0;
  virtual void UpdateWrapState() = 0;
};

class SettingsCommands {
 public:
  SettingsCommands(Session& session, SettingsRunHost& host) : s_(session), host_(host) {}

  void Register(CommandTable& table);

  void EditGlobal(int page);
  void EditGroup();

 private:
  // After a global run closed with OK: entries drawn in a list's old default colour follow the
  // new one (the open group's items only), and both lists repaint.
  void ReplaceListColors(store::TColor oldGroupColour, store::TColor oldItemColour);

  Session& s_;
  SettingsRunHost& host_;
};

}  // namespace mainwin
