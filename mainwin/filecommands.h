// The file commands of the main window: adding text files as items (open dialog, files dropped on
// the item list), saving the open item or all items of the group as a text file, exporting a group
// into an exchange file and importing one as a new group, and handing the open item or the whole
// group to the desktop's program for text files through "$temp.txt".
#pragma once

#include <string>
#include <vector>

#include "mainwin/commandhost.h"
#include "mainwin/commandtable.h"
#include "mainwin/session.h"

namespace mainwin {

// The file dialogs and the desktop, as the file commands need them. Paths are the platform's
// bytes; an empty result means the user cancelled.
class FileExchangeHost {
 public:
  virtual ~FileExchangeHost() = default;
  // OpenDialog1 ("全てのファイル"): existing files, several allowed, in the dialog's order.
  virtual std::vector<std::string> OpenTextFiles() = 0;
  // SaveDialog1 ("デフォルト(.txt)", "その他"; ".txt" added to a name without extension) proposing
  // `fileName`; it asks before overwriting.
  virtual std::string SaveTextFile(const std::string& fileName) = 0;
  // SaveDialog_Export ("エクポートデータ(*.sted)") proposing `fileName`.
  virtual std::string SaveExportFile(const std::string& fileName) = 0;
  // OpenDialog_Inport: one existing exchange file.
  virtual std::string OpenExportFile() = 0;
  // Opens the file with the desktop's program for it; false when nothing could.
  virtual bool OpenWithDesktop(const std::string& path) = 0;
};

// The window's side of the file commands.
class FileCommandsHost : public CommandHost {
 public:
  // The entry command that adds an item at `position` of the open group (with the entry dialog
  // when `ask`) and opens it; false when nothing was added.
  virtual bool AddItem(bool ask, int position, const std::string& defaultName) = 0;
  virtual void RefreshGroupList(int sel) = 0;
};

class FileCommands {
 public:
  // `outsideEditorFile` is the path of "$temp.txt" (see OutsideEditorFile).
  FileCommands(Session& session, FileCommandsHost& window, FileExchangeHost& files, std::string outsideEditorFile);

  void Register(CommandTable& table);

  void Action_AddFileExecute();
  // The drop panel's OnDropFiles: folders, missing paths and shortcuts are skipped.
  void Panel_Drop_ItemDropFiles(const std::vector<std::string>& paths);
  // Adds one file as a new item at the end of the open group, with the entry dialog when `ask`.
  // False when nothing was added (no group, cancelled, unreadable file). Characters that became
  // "?" are counted into ReplacedCharacters until the command reports them.
  bool AddFileAsItem(const std::string& path, bool ask);
  void Action_SaveToFileExecute();
  void Action_SaveToFile_GroupItemsExecute();
  void Action_GroupExportExecute() { ExportGroup(window_.OpenGroup()); }
  void Action_GroupImportExecute() { ImportGroup(); }
  void ExportGroup(int g);
  void ImportGroup();
  void Action_OpenFormEditorExecute();
  void Action_OpenFormEditor_GroupItemsExecute();

  const std::string& OutsideEditorPath() const { return outside_editor_file_; }

 private:
  // "自動処理確認" for several files: true when each file needs its entry dialog.
  bool AskEachName(size_t count);
  void AddFiles(const std::vector<std::string>& paths);
  void ReportReplaced();
  // Writes `bytes` to `path`; false after the error box.
  bool WriteReporting(const std::string& path, const std::string& bytes);
  void OpenInOutsideEditor(const std::string& bytes);
  std::vector<std::string> GroupItemTexts();

  Session& s_;
  FileCommandsHost& window_;
  FileExchangeHost& files_;
  std::string outside_editor_file_;
  // SaveDialog1 keeps its last file name, "NewFile" at first.
  std::string save_name_ = "NewFile";
  int replaced_ = 0;
};

}  // namespace mainwin
