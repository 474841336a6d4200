#include "mainwin/session.h"

#include <optional>

#include "mainwin/fileexchange.h"
#include "store/conflictcopies.h"
#include "store/errors.h"
#include "store/folderlock.h"

namespace mainwin {

using editorsettings::TEditorPropDat;

namespace {
constexpr const char* kGroupFile = "group.bin";

std::optional<int32_t> IdAt(store::TRootComponent& list, int position) {
  if (position < 0 || position >= list.Count()) return std::nullopt;
  return list.EntryAt(position).NameID;
}

// Where the entry with NameID `id` stands now; -1 when it is gone.
int PositionOf(store::TRootComponent& list, std::optional<int32_t> id) {
  if (!id) return -1;
  for (int p = 0; p < list.Count(); ++p)
    if (list.EntryAt(p).NameID == *id) return p;
  return -1;
}

store::MergeResult MergeLists(const store::ListPrint& base, store::TRootComponent_Item& ours,
                              store::TRootComponent_Item& theirs, const store::MergeOptions& options) {
  return store::MergeItems(base, ours, theirs, options);
}
store::MergeResult MergeLists(const store::ListPrint& base, store::TRootComponent_Group& ours,
                              store::TRootComponent_Group& theirs, const store::MergeOptions& options) {
  return store::MergeGroups(base, ours, theirs, options);
}

// The version on disk takes the place of the list in memory, which held nothing unsaved; the
// selection stays on the same entry.
void TakeWhole(store::TRootComponent& list, store::TRootComponent& theirs, store::ListPrint& base) {
  const std::optional<int32_t> selected = IdAt(list, list.SelIndex);
  std::swap(list.Collection, theirs.Collection);
  std::swap(list.OrderList, theirs.OrderList);
  std::swap(list.EditorSettings, theirs.EditorSettings);
  list.NameStrings.clear();
  list.Stamp = theirs.Stamp;
  list.SelIndex = PositionOf(list, selected);
  base = store::PrintOf(list);
}

// Merges the version on disk into a list holding unsaved work, without saving: the list then
// builds on that version.
template <class List>
store::MergeResult MergeTheirs(List& list, List& theirs, store::ListPrint& base, store::MergeOptions options) {
  store::ListPrint theirsPrint = store::PrintOf(theirs);
  const store::FileStamp stamp = theirs.Stamp;
  options.conflictTime = store::ConflictTimeText(stamp.mtimeSec);
  store::MergeResult r = MergeLists(base, list, theirs, options);
  base = std::move(theirsPrint);
  list.Stamp = stamp;
  return r;
}
}  // namespace

Session::Session(std::string dataFolder, editor::EditorModel& editor, SessionHost& host)
    : folder_(std::move(dataFolder)), editor_(editor), host_(host) {
  items_ = std::make_unique<store::TRootComponent_Item>(folder_, editorsettings::EditorSettingsFactory());
  groups_ = std::make_unique<store::TRootComponent_Group>(folder_, editorsettings::EditorSettingsFactory(), *items_);
}

Session::~Session() = default;

TEditorPropDat& Session::GlobalSettings() { return editorsettings::SettingsOf(*groups_); }
TEditorPropDat& Session::GroupSettings() { return editorsettings::SettingsOf(*items_); }
const TEditorPropDat& Session::GroupSettings() const { return editorsettings::SettingsOf(*items_); }
TEditorPropDat& Session::ActiveSettings() { return editorsettings::ActiveSettings(*groups_, *items_); }

std::string Session::GroupName(int g) const {
  return g >= 0 && g < groups_->Count() ? groups_->EntryAt(g).Name : std::string();
}

std::string Session::ItemName(int i) const {
  return i >= 0 && i < items_->Count() ? items_->EntryAt(i).Name : std::string();
}

// ---- record files

void Session::LoadFailed(const std::string& file, const std::exception& e) {
  if (damaged_.Note(file)) host_.ShowError(e.what());
}

template <class Fn>
bool Session::LoadReporting(const std::string& file, Fn fn) {
  try {
    fn();
    return true;
  } catch (const std::exception& e) {
    LoadFailed(file, e);
    return false;
  }
}

template <class Fn>
bool Session::SaveQuietly(const std::string& file, Fn fn, std::vector<std::string>& errors,
                          std::vector<std::string>& moved) {
  try {
    // A folder where the file belongs would fail every save: it goes aside, kept whole.
    const std::string kept = damaged_.MoveFolderAside(file);
    if (!kept.empty()) moved.push_back(FolderMovedAsideMessage(folder_.FilePath(file), folder_.FilePath(kept)));
    damaged_.KeepBeforeSave(file);
    fn();
    return true;
  } catch (const std::exception& e) {
    errors.push_back(e.what());
    return false;
  }
}

template <class Fn>
bool Session::SaveReporting(const std::string& file, Fn fn) {
  std::vector<std::string> errors, moved;
  const bool saved = SaveQuietly(file, fn, errors, moved);
  std::string text = moved.empty() ? std::string() : moved.front();
  if (!errors.empty()) text += (text.empty() ? "" : "\r\n\r\n") + errors.front();
  if (!text.empty()) host_.ShowError(text);
  return saved;
}

void Session::LoadRecords() {
  const bool mainRead = LoadReporting(store::TMainDataClass::kFileName, [&] { main_.Load(folder_); });
  if (!mainRead && folder_.Exists(store::TMainDataClass::kFileName)) {
    // A damaged main.bin would leave every setting it did not reach at zero (a list font of 0
    // points): take the defaults under whatever could be read.
    main_.SetDefaults();
    try {
      folder_.LoadComponentFile(main_, store::TMainDataClass::kFileName);
    } catch (const std::exception&) {
      // Reported above; what was read before the damage stays.
    }
  }
  LoadReporting(store::TListDataClass::kFileName, [&] { list_.Load(folder_); });
  LoadReporting(store::THistoryCollection::kFileName, [&] { history_.Load(folder_); });
  LoadReporting(kGroupFile, [&] { groups_->LoadFromFile(kGroupFile); });
  group_base_ = store::PrintOf(*groups_);
  held_[kGroupFile].Remember(group_base_);
}

void Session::CleanUpAtStart() {
  // Another process of the program could be writing a temporary file right now, unless this one
  // holds the folder.
  if (store::FolderLock::HeldInThisProcess(folder_.Path())) folder_.RemoveStaleTemporaryFiles();
  bool groups = false, items = false;
  ResolveConflictCopies({}, groups, items);
  FlushNotice();
}

void Session::SaveRecords() {
  SaveReporting(store::TMainDataClass::kFileName, [&] { main_.Save(folder_); });
  SaveReporting(store::TListDataClass::kFileName, [&] { list_.Save(folder_); });
  SaveReporting(store::THistoryCollection::kFileName, [&] { history_.Save(folder_); });
}

bool Session::SaveGroupList() {
  const bool saved = SaveReporting(kGroupFile, [&] { SaveGroupListMerged(); });
  FlushNotice();
  return saved;
}

bool Session::LoadItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  items_file_ = file;
  const bool loaded = LoadReporting(file, [&] { groups_->LoadItems(g); });
  items_base_ = store::PrintOf(*items_);
  held_[file].Remember(items_base_);
  return loaded;
}

bool Session::SaveItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  bool merged = false;
  const bool saved = SaveReporting(file, [&] { SaveItemsMerged(file, &merged); });
  FlushNotice();
  if (merged) host_.OpenItemsMerged();
  return saved;
}

// ---- merging saves

template <class List>
store::MergeResult Session::SaveListMerged(List& list, const std::string& name, store::ListPrint& base,
                                           store::MergeOptions options) {
  try {
    store::MergeResult r = store::SaveMerged(list, name, base, std::move(options));
    held_[name].Remember(base);
    return r;
  } catch (const store::StreamError&) {
    // A version on disk that cannot be read has nothing to merge: it is kept aside as damaged
    // and the list saved, so the user is not stuck with a save that fails for ever.
    const std::string path = folder_.FilePath(name);
    if (!store::ChangedOnDisk(list.Stamp, path) || !store::FileStamp::Of(path).exists) throw;
    bool readable = true;
    try {
      NewListLike(list)->LoadFromFile(name);
    } catch (const store::StreamError&) {
      readable = false;
    }
    if (readable) throw;  // the failure was the save's own
    damaged_.Note(name);
    const std::string kept = damaged_.KeepBeforeSave(name);
    list.SaveToFile(name);
    base = store::PrintOf(list);
    held_[name].Remember(base);
    set_aside_.push_back(folder_.FilePath(kept));
    return {};
  }
}

void Session::SaveGroupListMerged() {
  Note(store::GroupListTitle(), SaveListMerged(*groups_, kGroupFile, group_base_, GroupMergeOptions()));
}

void Session::SaveItemsMerged(const std::string& file, bool* merged) {
  if (file != items_file_) {
    // The items were not read from this file (a new group, one whose file failed to load): what
    // is there now is kept beside them.
    items_base_ = {};
    items_->Stamp = {};
    items_file_ = file;
  }
  const std::string path = folder_.FilePath(file);
  // Told before the save: a write that fails after the merge still leaves the items merged.
  if (merged) *merged = store::ChangedOnDisk(items_->Stamp, path) && store::FileStamp::Of(path).exists;
  Note(ItemListTitleOf(file), SaveListMerged(*items_, file, items_base_, {}));
}

store::MergeOptions Session::GroupMergeOptions() {
  store::MergeOptions options;
  options.groupItemsAtRisk = [this](int32_t id, bool deletedHere) {
    const std::string file = store::ItemFileNameOf(id);
    // Deleting a group here removed its file: one there now was written elsewhere.
    if (deletedHere) return folder_.Exists(file);
    // Deleted elsewhere while its items hold unsaved work here.
    return file == items_file_ && OpenItemsHoldChanges();
  };
  return options;
}

bool Session::OpenItemsHoldChanges() { return editor_.Modified() || store::HoldsChangesSince(*items_, items_base_); }

std::string Session::ItemListTitleOf(const std::string& file) {
  for (int g = 0; g < groups_->Count(); ++g)
    if (groups_->ItemFileName(g) == file) return store::ItemListTitle(groups_->EntryAt(g).Name);
  return store::ItemListTitle(file);
}

void Session::Note(const std::string& title, store::MergeResult result) {
  if (!result.notes.empty()) notes_.push_back({title, std::move(result)});
}

std::string Session::TakeNotice() {
  std::string text;
  if (!copies_removed_.empty()) {
    text = "同期ツールが残した競合コピーを取り込み、削除しました:\r\n";
    for (const std::string& name : copies_removed_) text += "・" + name + "\r\n";
  }
  if (!set_aside_.empty()) {
    text += (text.empty() ? "" : "\r\n") + std::string("ほかの場所で書かれた読み込めないファイルを残しました:\r\n");
    for (const std::string& path : set_aside_) text += "・" + path + "\r\n";
  }
  const std::string merged = store::MergeNotice(notes_);
  if (!merged.empty()) text += (text.empty() ? "" : "\r\n") + merged;
  notes_.clear();
  copies_removed_.clear();
  set_aside_.clear();
  return text;
}

void Session::FlushNotice() {
  const std::string text = TakeNotice();
  if (!text.empty()) host_.ShowMergeNotice(text);
}

// ---- changes made elsewhere

void Session::ResolveConflictCopies(const std::string& openFile, bool& groupsChanged, bool& itemsChanged) {
  for (const auto& [original, copies] : store::ConflictCopiesIn(folder_)) {
    const store::DataFileKind kind = store::KindOfDataFile(original);
    if (kind != store::DataFileKind::GroupList && kind != store::DataFileKind::ItemFile) continue;
    // One copy at a time, each saved before it goes: a failure leaves only the rest to do.
    for (const std::string& copy : copies) {
      if (copy_failures_.count(copy)) continue;
      try {
        if (kind == store::DataFileKind::GroupList) {
          store::MergeResult r = store::MergeGroupConflictCopy(copy, *groups_, GroupMergeOptions(), &held_[kGroupFile]);
          SaveGroupListMerged();
          Note(store::GroupListTitle(), std::move(r));
          groupsChanged = true;
        } else if (original == openFile && original == items_file_) {
          store::MergeResult r = store::MergeItemConflictCopy(copy, *items_, {}, &held_[original]);
          SaveItemsMerged(original);
          Note(ItemListTitleOf(original), std::move(r));
          itemsChanged = true;
        } else {
          Note(ItemListTitleOf(original),
               store::ResolveConflictCopiesOnDisk(folder_, original, {copy}, editorsettings::EditorSettingsFactory(),
                                                  &held_[original]));
        }
        folder_.Remove(copy);
        copies_removed_.push_back(copy);
      } catch (const std::exception& e) {
        // Kept where it is, and not tried again in this run.
        copy_failures_.insert(copy);
        host_.ShowError(e.what());
      }
    }
  }
}

template <class List>
bool Session::TakeVersionOnDisk(List& list, const std::string& name, store::ListPrint& base, bool unsaved,
                                const std::function<bool(List&)>& mustMerge, const store::MergeOptions& options,
                                const std::string& title, OutsideChanges& changes) {
  const std::string path = folder_.FilePath(name);
  // A file that vanished is written again whole at the next save: nothing to take.
  if (!store::ChangedOnDisk(list.Stamp, path) || !store::FileStamp::Of(path).exists) return false;
  std::unique_ptr<List> theirs = NewListLike(list);
  try {
    theirs->LoadFromFile(name);
  } catch (const std::exception& e) {
    // Kept aside at the next save; until the file changes again it is not read again.
    list.Stamp = store::FileStamp::Of(path);
    if (damaged_.Note(name)) host_.ShowError(e.what());
    return false;
  }
  if (!unsaved && !(mustMerge && mustMerge(*theirs))) {
    TakeWhole(list, *theirs, base);
    changes.reloaded.push_back(title);
  } else {
    Note(title, MergeTheirs(list, *theirs, base, options));
  }
  held_[name].Remember(base);
  return true;
}

std::unique_ptr<store::TRootComponent_Item> Session::NewListLike(store::TRootComponent_Item& list) {
  return std::make_unique<store::TRootComponent_Item>(folder_, list.Settings());
}

std::unique_ptr<store::TRootComponent_Group> Session::NewListLike(store::TRootComponent_Group& list) {
  return std::make_unique<store::TRootComponent_Group>(folder_, list.Settings(), *items_);
}

OutsideChanges Session::TakeOutsideChanges(int g, int i) {
  OutsideChanges changes;
  const std::optional<int32_t> groupId = IdAt(*groups_, g);
  const std::string openFile = groupId ? store::ItemFileNameOf(*groupId) : std::string();
  std::optional<int32_t> itemId;
  if (groupId && openFile == items_file_) {
    // What the editor holds counts as the item's.
    StoreEditorIntoItem(i, true);
    items_->SelIndex = i;
    itemId = IdAt(*items_, i);
  }
  ResolveConflictCopies(openFile, changes.groupsReplaced, changes.itemsReplaced);

  const bool openUnsaved = groupId && openFile == items_file_ && OpenItemsHoldChanges();
  // A group list read again whole must not lose the open group while its items hold unsaved work.
  const std::function<bool(store::TRootComponent_Group&)> losesOpenGroup = [&](store::TRootComponent_Group& theirs) {
    return openUnsaved && PositionOf(theirs, groupId) < 0;
  };
  if (TakeVersionOnDisk(*groups_, std::string(kGroupFile), group_base_, store::HoldsChangesSince(*groups_, group_base_),
                        losesOpenGroup, GroupMergeOptions(), store::GroupListTitle(), changes))
    changes.groupsReplaced = true;
  changes.group = PositionOf(*groups_, groupId);
  groups_->SelIndex = changes.group;

  if (groupId && changes.group < 0) {
    // The open group was deleted elsewhere, with nothing unsaved here.
    items_->ClearItems();
    items_file_.clear();
    items_base_ = {};
    ClearEditor();
    changes.itemsReplaced = true;
  } else if (groupId && openFile == items_file_) {
    if (TakeVersionOnDisk(*items_, openFile, items_base_,
                          store::HoldsChangesSince(*items_, items_base_) || editor_.Modified(), {}, {},
                          ItemListTitleOf(openFile), changes))
      changes.itemsReplaced = true;
    changes.item = PositionOf(*items_, itemId);
    items_->SelIndex = changes.item;
  }
  FlushNotice();
  return changes;
}

std::string Session::ReadItemFile(int g) { return ReadFileBytes(folder_.FilePath(groups_->ItemFileName(g))); }

void Session::WriteItemFile(int g, const std::string& bytes) {
  WriteFileBytes(folder_.FilePath(groups_->ItemFileName(g)), bytes);
}

void Session::DeleteGroup(int g) { groups_->Delete(g); }

int Session::CopyItemToGroup(int target, int i) {
  store::TRootComponent_Item list(folder_, groups_->Settings());
  groups_->LoadItems(target, &list);
  store::ListPrint base = store::PrintOf(list);
  const int copy = list.Count();
  items_->CopyItemTo(list, i);
  const std::optional<int32_t> id = IdAt(list, copy);
  const std::string file = groups_->ItemFileName(target);
  Note(store::ItemListTitle(groups_->EntryAt(target).Name), store::SaveMerged(list, file, base));
  FlushNotice();
  return PositionOf(list, id);
}

// ---- the item cycle

void Session::LoadItemIntoEditor(int i) {
  if (i < 0 || i >= items_->Count()) return;
  editor_.Clear();
  editor_.SetText(items_->ItemAt(i).ItemText);
  editor_.SetRow(editor_.LineToRow(items_->GetLine(i)));
  editor_.ScrollCaret();
  editor_.SetModified(false);
}

void Session::StoreEditorIntoItem(int i, bool keep) {
  if (i < 0 || i >= items_->Count() || store_held_) return;
  items_->SetLine(i, editor_.RowToLine(editor_.Row()));
  if (editor_.Modified()) {
    items_->SetText(editor_.Text(), i);
    if (!keep) ClearEditor();
  }
}

void Session::ClearEditor() {
  editor_.Clear();
  // A cleared editor holds nothing of the user's: nothing may be written back from it.
  editor_.SetModified(false);
}

bool Session::SaveGroup(int g, int i) {
  if (g < 0) return true;
  StoreEditorIntoItem(i, true);
  return SaveItemsOf(g);
}

bool Session::LeaveGroup(int g, int i) {
  items_->SelIndex = i;
  RecordHistoryPosition(g, i);
  StoreEditorIntoItem(i, false);
  if (SaveItemsOf(g)) return true;
  // A merge before the failed write may have moved the item: SelIndex followed it.
  LoadItemIntoEditor(items_->SelIndex);
  return false;
}

CloseReport Session::Close(int g, int i) {
  CloseReport report;
  const std::optional<int32_t> groupId = IdAt(*groups_, g);
  closed_ = true;
  // Merging group.bin may move the open group: its file is known before.
  report.groupListSaved = SaveQuietly(
      kGroupFile, [&] { SaveGroupListMerged(); }, report.failures, report.others);
  if (groupId) {
    const std::string file = store::ItemFileNameOf(*groupId);
    items_->SelIndex = i;
    StoreEditorIntoItem(i, true);
    report.openGroupSaved = SaveQuietly(
        file, [&] { SaveItemsMerged(file); }, report.failures, report.others);
    report.openGroup = PositionOf(*groups_, groupId);
    report.openItem = items_->SelIndex;
  }
  SaveQuietly(
      store::TMainDataClass::kFileName, [&] { main_.Save(folder_); }, report.others, report.others);
  SaveQuietly(
      store::TListDataClass::kFileName, [&] { list_.Save(folder_); }, report.others, report.others);
  SaveQuietly(
      store::THistoryCollection::kFileName, [&] { history_.Save(folder_); }, report.others, report.others);
  report.notice = TakeNotice();
  return report;
}

// ---- history

void Session::RecordHistoryPosition(int g, int i) {
  if (g == -1 || i == -1 || HistoryHeld()) return;
  history_.PushBack(g, i);
  host_.HistoryChanged();
}

void Session::RecordHistoryInsert(int g, int i) {
  if (g == -1 || i == -1 || HistoryHeld()) return;
  history_.RecordPosition(g, i);
  host_.HistoryChanged();
}

}  // namespace mainwin
