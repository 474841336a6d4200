#include "mainwin/filecommands.h"

#include <exception>

#include "mainwin/fileexchange.h"
#include "store/errors.h"

namespace mainwin {

namespace {
constexpr const char* kKanata = "KANATA";
constexpr const char* kResult = "処理結果";
constexpr int kWholeGroup = store::THistoryCollection::kWholeGroup;
}  // namespace

FileCommands::FileCommands(MainFormCore& core, FileExchangeHost& host, std::string outsideEditorFile)
    : core_(core), host_(host), outside_editor_file_(std::move(outsideEditorFile)) {}

bool FileCommands::Handles(ActionId id) {
  switch (id) {
    case ActionId::AddFile:
    case ActionId::SaveToFile:
    case ActionId::SaveToFile_GroupItems:
    case ActionId::GroupExport:
    case ActionId::GroupImport:
    case ActionId::OpenFormEditor:
    case ActionId::OpenFormEditor_GroupItems: return true;
    default: return false;
  }
}

bool FileCommands::Execute(ActionId id) {
  switch (id) {
    case ActionId::AddFile: Action_AddFileExecute(); break;
    case ActionId::SaveToFile: Action_SaveToFileExecute(); break;
    case ActionId::SaveToFile_GroupItems: Action_SaveToFile_GroupItemsExecute(); break;
    case ActionId::GroupExport: Action_GroupExportExecute(); break;
    case ActionId::GroupImport: Action_GroupImportExecute(); break;
    case ActionId::OpenFormEditor: Action_OpenFormEditorExecute(); break;
    case ActionId::OpenFormEditor_GroupItems: Action_OpenFormEditor_GroupItemsExecute(); break;
    default: return false;
  }
  return true;
}

// ---- adding files

bool FileCommands::AskEachName(size_t count) {
  if (count <= 1) return true;
  return !core_.Host().Ask({"自動処理確認",
                            "複数のファイルを取り込みました\r\nファイル名をアイテム名として自動処理しますか？",
                            BoxIcon::Question, true, true});
}

void FileCommands::Action_AddFileExecute() {
  const std::vector<std::string> paths = host_.OpenTextFiles();
  if (paths.empty()) return;
  AddFiles(paths);
}

void FileCommands::Panel_Drop_ItemDropFiles(const std::vector<std::string>& paths) {
  if (core_.GroupList().ItemIndex() < 0) {
    core_.Host().Ask({kKanata, "グループを選択してからドロップしてください", BoxIcon::None, false});
    return;
  }
  std::vector<std::string> files;
  for (const std::string& p : paths)
    if (IsFile(p) && !IsShortcut(p)) files.push_back(p);
  // The question counts every dropped path, as the user sees the drop.
  const bool ask = AskEachName(paths.size());
  replaced_ = 0;
  for (const std::string& p : files) AddFileAsItem(p, ask);
  ReportReplaced();
}

void FileCommands::AddFiles(const std::vector<std::string>& paths) {
  const bool ask = AskEachName(paths.size());
  replaced_ = 0;
  for (const std::string& p : paths) AddFileAsItem(p, ask);
  ReportReplaced();
}

bool FileCommands::AddFileAsItem(const std::string& path, bool ask) {
  const int g = core_.GroupList().ItemIndex();
  if (g < 0) {
    core_.Host().Ask({kKanata, "グループが選択されていません", BoxIcon::None, false});
    return false;
  }
  // The file is read before anything changes, so an unreadable one adds no empty item.
  ItemTextFromFile content;
  try {
    content = TextForItem(ReadFileBytes(path));
  } catch (const std::exception& e) {
    core_.Host().ShowError(e.what());
    return false;
  }
  const ItemNameFromFile name = ItemNameForFile(path);
  core_.RecordHistoryPosition(g, core_.ItemList().ItemIndex());
  store::TRootComponent_Item& items = core_.Items();
  if (!core_.AddItemEntry(ask, items.Count(), name.name)) return false;
  const int added = core_.ItemList().ItemIndex();
  editor::EditorModel& editor = core_.Editor();
  editor.SetText(content.text);
  editor.SetModified(true);
  items.SelIndex = added;
  core_.StoreEditorIntoItem(added, false);
  core_.LoadItemIntoEditor(added);
  replaced_ += content.replaced + name.replaced;
  return true;
}

void FileCommands::ReportReplaced() {
  if (replaced_ > 0)
    core_.Host().Ask({kResult,
                      std::to_string(replaced_) + " 文字は Shift-JIS で表せないため「?」に置き換えて取り込みました",
                      BoxIcon::Information, false});
  replaced_ = 0;
}

// ---- saving text files

bool FileCommands::WriteReporting(const std::string& path, const std::string& bytes) {
  try {
    WriteFileBytes(path, bytes);
    return true;
  } catch (const std::exception& e) {
    core_.Host().ShowError(e.what());
    return false;
  }
}

void FileCommands::Action_SaveToFileExecute() {
  if (core_.ItemList().ItemIndex() < 0) return;
  save_name_ = FileNameForItem(core_.SelectedItemName());
  const std::string path = host_.SaveTextFile(save_name_);
  if (path.empty()) return;
  save_name_ = path;
  editor::TEditorStrings& lines = core_.Editor().Lines();
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) all.push_back(lines.Get(i));
  WriteReporting(path, JoinLines(all));
}

std::vector<std::string> FileCommands::GroupItemTexts() {
  store::TRootComponent_Item& items = core_.Items();
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(items.Count()));
  for (int i = 0; i < items.Count(); ++i) texts.push_back(items.ItemAt(i).ItemText);
  return texts;
}

void FileCommands::Action_SaveToFile_GroupItemsExecute() {
  if (core_.GroupList().ItemIndex() < 0) return;
  if (!core_.StoreOpenItemAsking("ファイル作成する前に開いているアイテムを保存します")) return;
  const std::string path = host_.SaveTextFile(save_name_);
  if (path.empty()) return;
  save_name_ = path;
  WriteReporting(path, JoinLines(GroupItemTexts()));
}

// ---- the outside editor

void FileCommands::OpenInOutsideEditor(const std::string& bytes) {
  // A one-way copy: nothing is read back from it.
  if (!WriteReporting(outside_editor_file_, bytes)) return;
  if (!host_.OpenWithDesktop(outside_editor_file_))
    core_.Host().ShowError(store::CannotOpenMessage(outside_editor_file_));
}

void FileCommands::Action_OpenFormEditorExecute() {
  if (core_.ItemList().ItemIndex() < 0) return;
  editor::TEditorStrings& lines = core_.Editor().Lines();
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) all.push_back(lines.Get(i));
  OpenInOutsideEditor(JoinLines(all));
}

void FileCommands::Action_OpenFormEditor_GroupItemsExecute() {
  if (core_.GroupList().ItemIndex() < 0) return;
  // The texts as stored: typing not yet written back stays out.
  OpenInOutsideEditor(JoinLines(GroupItemTexts()));
}

// ---- exchange files

void FileCommands::ExportGroup(int g) {
  store::TRootComponent_Group& groups = core_.Groups();
  if (g < 0 || g >= groups.Count()) return;
  if (core_.Editor().Modified() &&
      !core_.Host().Ask({"保存確認", "エクスポートする前に開いているグループを保存します", BoxIcon::Warning}))
    return;
  if (!core_.SaveOpenGroup()) return;
  const std::string itemFile = groups.ItemFileName(g);
  const std::string chosen = host_.SaveExportFile(itemFile);
  if (chosen.empty()) return;
  const std::string target = ExchangeFilePath(chosen);
  try {
    const store::TRootCollectionItem& entry = groups.EntryAt(g);
    std::string bytes = ExchangeHeader(entry.Name, entry.ListTxtColor);
    bytes += ReadFileBytes(core_.Folder().FilePath(itemFile));
    WriteFileBytes(target, bytes);
  } catch (const std::exception& e) {
    // A failed export must not pass for a finished one.
    core_.Host().ShowError(e.what());
    return;
  }
  core_.Host().Ask({kResult, "エクスポートに成功しました", BoxIcon::None, false});
}

void FileCommands::ImportGroup() {
  const std::string path = host_.OpenExportFile();
  if (path.empty()) return;
  // The whole file is read and checked first: a damaged one adds no group.
  ExchangeGroup imported;
  try {
    imported = ReadExchangeFile(path);
  } catch (const std::exception& e) {
    core_.Host().ShowError(e.what());
    return;
  }
  store::TRootComponent_Group& groups = core_.Groups();
  const int before = groups.SelIndex;
  const int position = groups.Count();
  int s = -1;
  try {
    s = groups.Add(position, core_.GroupList().ItemIndex(), 0, imported.colour, imported.name);
  } catch (const std::exception& e) {
    core_.Host().ShowError(e.what());
    return;
  }
  if (s < 0) return;
  const int added = groups.DisplayIndexOf(s);
  try {
    WriteFileBytes(core_.Folder().FilePath(groups.ItemFileName(added)), imported.itemFile);
  } catch (const std::exception& e) {
    // Without its file the new group would open empty: take it away again. The base class's
    // Delete leaves the open group's items in memory alone.
    groups.TRootComponent::Delete(added);
    groups.SelIndex = before;
    core_.Host().ShowError(e.what());
    return;
  }
  core_.RecordHistoryInsert(added, kWholeGroup);
  core_.Host().Ask({kResult, "インポートに成功しました", BoxIcon::None, false});
  core_.RefreshGroupList(-1);
}

}  // namespace mainwin
