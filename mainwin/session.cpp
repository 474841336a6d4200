#include "mainwin/session.h"

#include "mainwin/fileexchange.h"
#include "store/errors.h"

namespace mainwin {

using editorsettings::TEditorPropDat;

namespace {
constexpr const char* kGroupFile = "group.bin";
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
bool Session::SaveReporting(const std::string& file, Fn fn) {
  std::string moved;
  try {
    // A folder where the file belongs would fail every save: it goes aside, kept whole.
    const std::string kept = damaged_.MoveFolderAside(file);
    if (!kept.empty()) moved = FolderMovedAsideMessage(folder_.FilePath(file), folder_.FilePath(kept));
    damaged_.KeepBeforeSave(file);
    fn();
  } catch (const std::exception& e) {
    host_.ShowError(moved.empty() ? std::string(e.what()) : moved + "\r\n\r\n" + e.what());
    return false;
  }
  if (!moved.empty()) host_.ShowError(moved);
  return true;
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
}

void Session::SaveRecords() {
  SaveReporting(store::TMainDataClass::kFileName, [&] { main_.Save(folder_); });
  SaveReporting(store::TListDataClass::kFileName, [&] { list_.Save(folder_); });
  SaveReporting(store::THistoryCollection::kFileName, [&] { history_.Save(folder_); });
}

bool Session::SaveGroupList() {
  return SaveReporting(kGroupFile, [&] { groups_->SaveToFile(kGroupFile); });
}

bool Session::LoadItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  return LoadReporting(file, [&] { groups_->LoadItems(g); });
}

bool Session::SaveItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  return SaveReporting(file, [&] { groups_->SaveItems(g); });
}

std::string Session::ReadItemFile(int g) { return ReadFileBytes(folder_.FilePath(groups_->ItemFileName(g))); }

void Session::WriteItemFile(int g, const std::string& bytes) {
  WriteFileBytes(folder_.FilePath(groups_->ItemFileName(g)), bytes);
}

void Session::DeleteGroup(int g) { groups_->Delete(g); }

int Session::CopyItemToGroup(int target, int i) { return groups_->CopyItemToGroup(target, i); }

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
  LoadItemIntoEditor(i);
  return false;
}

void Session::Close(int g, int i) {
  SaveGroupList();
  if (g == -1) return;
  closed_ = true;
  StoreEditorIntoItem(i, false);
  SaveItemsOf(g);
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
