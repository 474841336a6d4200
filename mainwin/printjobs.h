// What the two print commands hand to the print dialog: the lines, and the item and group names
// its header and footer show (code page 932).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mainwin/mainform.h"

namespace mainwin {

struct PrintJob {
  std::vector<std::string> lines;
  std::string itemName;
  std::string groupName;
};

// Action_Print: the editor's lines as they are now, unsaved typing included.
PrintJob OpenItemPrintJob(MainFormCore& core);

// Action_PrintGroupItems: after the save question of FindWarning (nothing for Cancel) the open
// item is written back and reloaded; then every item's text of the open group in list order, the
// items following one another directly.
std::optional<PrintJob> GroupItemsPrintJob(MainFormCore& core);

}  // namespace mainwin
