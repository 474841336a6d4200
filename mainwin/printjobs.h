// The two print commands: what they hand to the print dialog (the lines, and the item and group
// names its header and footer show, code page 932).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mainwin/commandhost.h"
#include "mainwin/commandtable.h"
#include "mainwin/session.h"

namespace mainwin {

struct PrintJob {
  std::vector<std::string> lines;
  std::string itemName;
  std::string groupName;
};

class PrintHost : public CommandHost {
 public:
  // The print dialog, and printing, on `job`.
  virtual void RunPrint(const PrintJob& job) = 0;
};

class PrintCommands {
 public:
  PrintCommands(Session& session, PrintHost& host) : s_(session), host_(host) {}

  void Register(CommandTable& table);

  // Action_Print: the editor's lines as they are now, unsaved typing included.
  PrintJob OpenItemJob();
  // Action_PrintGroupItems: after the save question of FindWarning (nothing for Cancel) the open
  // item is written back and reloaded; then every item's text of the open group in list order,
  // the items following one another directly.
  std::optional<PrintJob> GroupItemsJob();

 private:
  Session& s_;
  PrintHost& host_;
};

}  // namespace mainwin
