// Every command of the main window in one table: the command modules built on the session and
// the window's rules, each handed the narrow host it needs, and their handlers registered by
// action. The Qt window binds each of its actions to Table() and does nothing else with commands.
#pragma once

#include <memory>
#include <string>

#include "mainwin/commandtable.h"
#include "mainwin/editcommands.h"
#include "mainwin/entrycommands.h"
#include "mainwin/filecommands.h"
#include "mainwin/historycommands.h"
#include "mainwin/mainform.h"
#include "mainwin/printjobs.h"
#include "mainwin/settingscommands.h"

namespace search {
class FindCommands;
}

namespace mainwin {

// What only the platform's window does for a command.
class WindowCommandHost {
 public:
  virtual ~WindowCommandHost() = default;
  // The print dialog on `job` (Print, PrintGroupItems).
  virtual void RunPrint(const PrintJob& job) = 0;
  // Closes the window the normal way (Close).
  virtual void CloseWindow() = 0;
};

class MainCommands {
 public:
  // `outsideEditorFile` is the path of "$temp.txt". Without `find` (tests with no find windows)
  // the four find commands stay out of the table. Everything given outlives the commands.
  MainCommands(MainFormCore& core, WindowCommandHost& window, FileExchangeHost& files, std::string outsideEditorFile,
               search::FindCommands* find = nullptr);
  ~MainCommands();
  MainCommands(const MainCommands&) = delete;
  MainCommands& operator=(const MainCommands&) = delete;

  const CommandTable& Table() const { return table_; }
  // Runs the handler of `id`; false when it has none.
  bool Run(ActionId id) const { return table_.Run(id); }

  EntryCommands& Entries() { return entries_; }
  HistoryCommands& History() { return history_; }
  EditCommands& Editing() { return editing_; }
  SettingsCommands& Settings() { return settings_; }
  FileCommands& Files() { return files_; }
  PrintCommands& Printing() { return printing_; }

 private:
  class FileWindow;
  class PrintWindow;

  EntryCommands entries_;
  HistoryCommands history_;
  EditCommands editing_;
  SettingsCommands settings_;
  std::unique_ptr<FileWindow> file_window_;
  std::unique_ptr<PrintWindow> print_window_;
  FileCommands files_;
  PrintCommands printing_;
  CommandTable table_;
};

}  // namespace mainwin
