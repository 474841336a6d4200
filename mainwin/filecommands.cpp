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

FileCommands::FileCommands(Session& session, FileCommandsHost& window, FileExchangeHost& files,
                           std::string outsideEditorFile)
    : s_(session), window_(window), files_(files), outside_editor_file_(std::move(outsideEditorFile)) {}

void FileCommands::Register(CommandTable& t) {
  t.Register(ActionId::AddFile, [this] { Action_AddFileExecute(); });
  t.Register(ActionId::SaveToFile, [this] { Action_SaveToFileExecute(); });
  t.Register(ActionId::SaveToFile_GroupItems, [this] { Action_SaveToFile_GroupItemsExecute(); });
  t.Register(ActionId::GroupExport, [this] { Action_GroupExportExecute(); });
  t.Register(ActionId::GroupImport, [this] { Action_GroupImportExecute(); });
  t.Register(ActionId::OpenFormEditor, [this] { Action_OpenFormEditorExecute(); });
  t.Register(ActionId::OpenFormEditor_GroupItems, [this] { Action_OpenFormEditor_GroupItemsExecute(); });
}

// ---- adding files

bool FileCommands::AskEachName(size_t count) {
  if (count <= 1) return true;
  return !window_.Ask({"自動処理確認",
                       "複数のファイルを取り込みました\r\nファイル名をアイテム名として自動処理しますか？",
                       BoxIcon::Question, true, true});
}

void FileCommands::Action_AddFileExecute() {
  const std::vector<std::string> paths = files_.OpenTextFiles();
  if (paths.empty()) return;
  AddFiles(paths);
}

void FileCommands::Panel_Drop_ItemDropFiles(const std::vector<std::string>& paths) {
  if (window_.OpenGroup() < 0) {
    window_.Ask({kKanata, "グループを選択してからドロップしてください", BoxIcon::None, false});
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
  const int g = window_.OpenGroup();
  if (g < 0) {
    window_.Ask({kKanata, "グループが選択されていません", BoxIcon::None, false});
    return false;
  }
  // The file is read before anything changes, so an unreadable one adds no empty item.
  ItemTextFromFile content;
  try {
    content = TextForItem(ReadFileBytes(path));
  } catch (const std::exception& e) {
    window_.ShowError(e.what());
    return false;
  }
  const ItemNameFromFile name = ItemNameForFile(path);
  s_.RecordHistoryPosition(g, window_.OpenItem());
  store::TRootComponent_Item& items = s_.Items();
  if (!window_.AddItem(ask, items.Count(), name.name)) return false;
  const int added = window_.OpenItem();
  editor::EditorModel& editor = s_.Editor();
  editor.SetText(content.text);
  editor.SetModified(true);
  items.SelIndex = added;
  s_.StoreEditorIntoItem(added, false);
  s_.LoadItemIntoEditor(added);
  replaced_ += content.replaced + name.replaced;
  return true;
}

void FileCommands::ReportReplaced() {
  if (replaced_ > 0)
    window_.Ask({kResult, std::to_string(replaced_) + " 文字は Shift-JIS で表せないため「?」に置き換えて取り込みました",
                 BoxIcon::Information, false});
  replaced_ = 0;
}

// ---- saving text files

bool FileCommands::WriteReporting(const std::string& path, const std::string& bytes) {
  try {
    WriteFileBytes(path, bytes);
    return true;
  } catch (const std::exception& e) {
    window_.ShowError(e.what());
    return false;
  }
}

void FileCommands::Action_SaveToFileExecute() {
  if (window_.OpenItem() < 0) return;
  save_name_ = FileNameForItem(s_.ItemName(window_.OpenItem()));
  const std::string path = files_.SaveTextFile(save_name_);
  if (path.empty()) return;
  save_name_ = path;
  editor::TEditorStrings& lines = s_.Editor().Lines();
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) all.push_back(lines.Get(i));
  WriteReporting(path, JoinLines(all));
}

std::vector<std::string> FileCommands::GroupItemTexts() {
  store::TRootComponent_Item& items = s_.Items();
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(items.Count()));
  for (int i = 0; i < items.Count(); ++i) texts.push_back(items.ItemAt(i).ItemText);
  return texts;
}

void FileCommands::Action_SaveToFile_GroupItemsExecute() {
  if (window_.OpenGroup() < 0) return;
  if (!StoreOpenItemAsking(s_, window_, "ファイル作成する前に開いているアイテムを保存します")) return;
  const std::string path = files_.SaveTextFile(save_name_);
  if (path.empty()) return;
  save_name_ = path;
  WriteReporting(path, JoinLines(GroupItemTexts()));
}

// ---- the outside editor

void FileCommands::OpenInOutsideEditor(const std::string& bytes) {
  // A one-way copy: nothing is read back from it.
  if (!WriteReporting(outside_editor_file_, bytes)) return;
  if (!files_.OpenWithDesktop(outside_editor_file_)) window_.ShowError(store::CannotOpenMessage(outside_editor_file_));
}

void FileCommands::Action_OpenFormEditorExecute() {
  if (window_.OpenItem() < 0) return;
  editor::TEditorStrings& lines = s_.Editor().Lines();
  std::vector<std::string> all;
  all.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) all.push_back(lines.Get(i));
  OpenInOutsideEditor(JoinLines(all));
}

void FileCommands::Action_OpenFormEditor_GroupItemsExecute() {
  if (window_.OpenGroup() < 0) return;
  // The texts as stored: typing not yet written back stays out.
  OpenInOutsideEditor(JoinLines(GroupItemTexts()));
}

// ---- exchange files

void FileCommands::ExportGroup(int g) {
  store::TRootComponent_Group& groups = s_.Groups();
  if (g < 0 || g >= groups.Count()) return;
  if (s_.Editor().Modified() &&
      !window_.Ask({"保存確認", "エクスポートする前に開いているグループを保存します", BoxIcon::Warning}))
    return;
  if (!s_.SaveGroup(window_.OpenGroup(), window_.OpenItem())) return;
  const std::string itemFile = groups.ItemFileName(g);
  const std::string chosen = files_.SaveExportFile(itemFile);
  if (chosen.empty()) return;
  const std::string target = ExchangeFilePath(chosen);
  try {
    const store::TRootCollectionItem& entry = groups.EntryAt(g);
    std::string bytes = ExchangeHeader(entry.Name, entry.ListTxtColor);
    bytes += s_.ReadItemFile(g);
    WriteFileBytes(target, bytes);
  } catch (const std::exception& e) {
    // A failed export must not pass for a finished one.
    window_.ShowError(e.what());
    return;
  }
  window_.Ask({kResult, "エクスポートに成功しました", BoxIcon::None, false});
}

void FileCommands::ImportGroup() {
  const std::string path = files_.OpenExportFile();
  if (path.empty()) return;
  // The whole file is read and checked first: a damaged one adds no group.
  ExchangeGroup imported;
  try {
    imported = ReadExchangeFile(path);
  } catch (const std::exception& e) {
    window_.ShowError(e.what());
    return;
  }
  store::TRootComponent_Group& groups = s_.Groups();
  const int before = groups.SelIndex;
  const int position = groups.Count();
  int s = -1;
  try {
    s = groups.Add(position, window_.OpenGroup(), 0, imported.colour, imported.name);
  } catch (const std::exception& e) {
    window_.ShowError(e.what());
    return;
  }
  if (s < 0) return;
  const int added = groups.DisplayIndexOf(s);
  try {
    s_.WriteItemFile(added, imported.itemFile);
  } catch (const std::exception& e) {
    // Without its file the new group would open empty: take it away again. The base class's
    // Delete leaves the open group's items in memory alone.
    groups.TRootComponent::Delete(added);
    groups.SelIndex = before;
    window_.ShowError(e.what());
    return;
  }
  s_.RecordHistoryInsert(added, kWholeGroup);
  window_.Ask({kResult, "インポートに成功しました", BoxIcon::None, false});
  window_.RefreshGroupList(-1);
}

}  // namespace mainwin
