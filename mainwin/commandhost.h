// What every command module asks of the window: where the user is, and the message boxes. Each
// module's own host interface adds the little else it needs.
#pragma once

#include <string>

#include "mainwin/commands.h"

namespace mainwin {

class Session;

class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // The selected group and the selected item of its list, -1 for none.
  virtual int OpenGroup() const = 0;
  virtual int OpenItem() const = 0;
  // The standard error box (UTF-8, may hold "\r\n").
  virtual void ShowError(const std::string& text) = 0;
  // A message box that asks; true for OK (or Yes).
  virtual bool Ask(const Question& question) = 0;
};

// Before a command that reads the open group's item records: when FindWarning is on and the
// editor holds changes, asks `question` ("データ保存の確認", OK/Cancel), false for Cancel; then
// writes the editor back into the open item and loads it again.
bool StoreOpenItemAsking(Session& session, CommandHost& host, const std::string& question);

}  // namespace mainwin
