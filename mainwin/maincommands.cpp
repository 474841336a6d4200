#include "mainwin/maincommands.h"

#include "search/findcommands.h"

namespace mainwin {

// The window's part of the file and print commands: the core, with an item added by the entry
// commands and a job printed by the platform's window.
class MainCommands::FileWindow final : public FileCommandsHost {
 public:
  FileWindow(MainFormCore& core, EntryCommands& entries) : core_(core), entries_(entries) {}
  int OpenGroup() const override { return core_.OpenGroup(); }
  int OpenItem() const override { return core_.OpenItem(); }
  void ShowError(const std::string& text) override { core_.ShowError(text); }
  bool Ask(const Question& question) override { return core_.Ask(question); }
  bool AddItem(bool ask, int position, const std::string& defaultName) override {
    return entries_.AddItemEntry(ask, position, defaultName);
  }
  void RefreshGroupList(int sel) override { core_.RefreshGroupList(sel); }

 private:
  MainFormCore& core_;
  EntryCommands& entries_;
};

class MainCommands::PrintWindow final : public PrintHost {
 public:
  PrintWindow(MainFormCore& core, WindowCommandHost& window) : core_(core), window_(window) {}
  int OpenGroup() const override { return core_.OpenGroup(); }
  int OpenItem() const override { return core_.OpenItem(); }
  void ShowError(const std::string& text) override { core_.ShowError(text); }
  bool Ask(const Question& question) override { return core_.Ask(question); }
  void RunPrint(const PrintJob& job) override { window_.RunPrint(job); }

 private:
  MainFormCore& core_;
  WindowCommandHost& window_;
};

MainCommands::MainCommands(MainFormCore& core, WindowCommandHost& window, FileExchangeHost& files,
                           std::string outsideEditorFile, search::FindCommands* find)
    : entries_(core.Data(), core),
      history_(core.Data(), core),
      editing_(core.Data(), core),
      settings_(core.Data(), core),
      file_window_(std::make_unique<FileWindow>(core, entries_)),
      print_window_(std::make_unique<PrintWindow>(core, window)),
      files_(core.Data(), *file_window_, files, std::move(outsideEditorFile)),
      printing_(core.Data(), *print_window_) {
  editing_.Register(table_);
  entries_.Register(table_);
  history_.Register(table_);
  settings_.Register(table_);
  files_.Register(table_);
  printing_.Register(table_);
  if (find) {
    table_.Register(ActionId::Find, [find] { find->Find(); });
    table_.Register(ActionId::FindFw, [find] { find->FindNext(true); });
    table_.Register(ActionId::FindBk, [find] { find->FindNext(false); });
    table_.Register(ActionId::Replace, [find] { find->Replace(); });
  }
  table_.Register(ActionId::Close, [&window] { window.CloseWindow(); });
}

MainCommands::~MainCommands() = default;

}  // namespace mainwin
