// Where the text that could not be saved goes when closing cannot ask the user (a termination
// signal, the end of the desktop session): exchange files (".sted", the format the group import
// reads) in a folder of their own under $XDG_STATE_HOME/sorametext/recovery/, which the next start
// announces once.
#pragma once

#include <string>
#include <vector>

#include "editorsettings/timestamp.h"
#include "mainwin/fileexchange.h"
#include "store/datafolder.h"
#include "store/entries.h"

namespace mainwin {

// "$XDG_STATE_HOME/sorametext/recovery/" (XDG_STATE_HOME defaults to ~/.local/state), ending
// with "/". The arguments are the environment's values (may be empty).
std::string RecoveryRoot(const std::string& xdgStateHome, const std::string& home);

// A group as an exchange file holds it: its name, colour and item file, here from the items in
// memory.
ExchangeGroup ExchangeGroupOf(const std::string& nameCp932, store::TColor colour, store::TRootComponent_Item& items);

// The groups a close that could not save would lose. `openGroupSaved`: the open group's item
// file was written; otherwise the open group comes from memory (the editor's text must already be
// in its item). `groupListSaved`: group.bin was written; otherwise every group the group.bin on
// disk does not list comes with its item file from disk, since nothing else leads to that file.
std::vector<ExchangeGroup> UnsavedGroups(store::TRootComponent_Group& groups, int openGroup, bool openGroupSaved,
                                         bool groupListSaved);

struct RecoveryWritten {
  std::string folder;               // with "/"
  std::vector<std::string> files;   // the exchange files written, full paths
  std::vector<std::string> errors;  // one message per group that could not be written
};
// Writes each group as "<group name>.sted" into `folder` (which exists), under a name no file
// there has yet. A group that cannot be written does not stop the others.
RecoveryWritten WriteExchangeFiles(const std::string& folder, const std::vector<ExchangeGroup>& groups);
// Writes each group as "<group name>.sted" (a free name) into a new folder
// "<root><yyyy-mm-dd_hh-mm-ss>/", private to the user. A group that cannot be written does not
// stop the others. Throws store::Error when the folder itself cannot be made.
RecoveryWritten WriteRecovery(const std::string& root, const editorsettings::DateTime& now,
                              const std::vector<ExchangeGroup>& groups);

// Recovery folders holding exchange files the user has not been told about, oldest first.
std::vector<std::string> UnannouncedRecoveries(const std::string& root);
// After the notice: the next start stays silent about the folder.
void MarkAnnounced(const std::string& folder);
// The start-up notice naming the folders (UTF-8); empty for none.
std::string RecoveryNotice(const std::vector<std::string>& folders);

}  // namespace mainwin
