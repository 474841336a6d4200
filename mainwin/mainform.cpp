#include "mainwin/mainform.h"

#include <cstdio>

#include "editor/parser.h"
#include "store/errors.h"

namespace mainwin {

using editorsettings::TEditorPropDat;

namespace {
constexpr const char* kGroupFile = "group.bin";
constexpr int kWrapNonTag = 48;
constexpr int kWrapUserTag = 49;
constexpr int kWrapWidthTag = 50;
}  // namespace

std::string CaretStatusText(int row, int col) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%5d 行:%4d 桁", row, col);
  return buf;
}

int WidthWrapByte(int editorWidth, int gutterWidth, int charWidth, int verticalArrow) {
  if (charWidth == 0) return -1;
  return (editorWidth - gutterWidth - charWidth / 2 - verticalArrow) / charWidth;
}

MainFormCore::MainFormCore(std::string dataFolder, editor::EditorModel& editor, MainFormHost& host)
    : folder_(std::move(dataFolder)), editor_(editor), host_(host) {
  items_ = std::make_unique<store::TRootComponent_Item>(folder_, editorsettings::EditorSettingsFactory());
  groups_ = std::make_unique<store::TRootComponent_Group>(folder_, editorsettings::EditorSettingsFactory(), *items_);
  group_list_.OnClick = [this] { GroupClick(); };
  item_list_.OnClick = [this] { ItemClick(); };
}

MainFormCore::~MainFormCore() = default;

TEditorPropDat& MainFormCore::GlobalSettings() { return editorsettings::SettingsOf(*groups_); }
TEditorPropDat& MainFormCore::GroupSettings() { return editorsettings::SettingsOf(*items_); }
TEditorPropDat& MainFormCore::ActiveSettings() { return editorsettings::ActiveSettings(*groups_, *items_); }

// ---- loading and saving with reports

void MainFormCore::LoadFailed(const std::string& file, const std::exception& e) {
  if (damaged_.Note(file)) host_.ShowError(e.what());
}

template <class Fn>
bool MainFormCore::LoadReporting(const std::string& file, Fn fn) {
  try {
    fn();
    return true;
  } catch (const std::exception& e) {
    LoadFailed(file, e);
    return false;
  }
}

template <class Fn>
bool MainFormCore::SaveReporting(const std::string& file, Fn fn) {
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

bool MainFormCore::LoadItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  return LoadReporting(file, [&] { groups_->LoadItems(g); });
}

bool MainFormCore::SaveItemsOf(int g) {
  if (g < 0 || g >= groups_->Count()) return false;
  const std::string file = groups_->ItemFileName(g);
  return SaveReporting(file, [&] { groups_->SaveItems(g); });
}

bool MainFormCore::SaveOpenGroup() {
  const int g = group_list_.ItemIndex();
  if (g < 0) return true;
  StoreEditorIntoItem(item_list_.ItemIndex(), true);
  return SaveItemsOf(g);
}

bool MainFormCore::StoreOpenItemAsking(const std::string& question) {
  if (main_.FindWarning && editor_.Modified() && !host_.Ask({"データ保存の確認", question, BoxIcon::None}))
    return false;
  const int i = item_list_.ItemIndex();
  StoreEditorIntoItem(i, false);
  LoadItemIntoEditor(i);
  return true;
}

std::string MainFormCore::SelectedGroupName() {
  const int g = group_list_.ItemIndex();
  return g >= 0 && g < groups_->Count() ? groups_->EntryAt(g).Name : std::string();
}

std::string MainFormCore::SelectedItemName() {
  const int i = item_list_.ItemIndex();
  return i >= 0 && i < items_->Count() ? items_->EntryAt(i).Name : std::string();
}

// ---- lifecycle

void MainFormCore::FormCreate() {
  bool mainRead = LoadReporting(store::TMainDataClass::kFileName, [&] { main_.Load(folder_); });
  if (!mainRead && folder_.Exists(store::TMainDataClass::kFileName)) {
    // A damaged main.bin would leave every setting it did not reach at zero (a list font of 0
    // points): take the defaults under whatever could be read.
    main_.SetDefaults();
    try {
      folder_.LoadComponentFile(main_, store::TMainDataClass::kFileName);
    } catch (...) {}
  }
  LoadReporting(store::TListDataClass::kFileName, [&] { list_.Load(folder_); });
  LoadReporting(store::THistoryCollection::kFileName, [&] { history_.Load(folder_); });
  LoadReporting(kGroupFile, [&] { groups_->LoadFromFile(kGroupFile); });
}

void MainFormCore::FormShow() {
  RefreshGroupList(-1);
  ApplyEditorSettings();
  ShowInsertState();
  UpdateHistoryActions();
}

void MainFormCore::FormClose(const WindowGeometry& window, SplitSizes splits) {
  StoreWindowGeometry(main_, window, splits);
  SaveReporting(kGroupFile, [&] { groups_->SaveToFile(kGroupFile); });
  const int g = group_list_.ItemIndex();
  if (g == -1) return;
  SuppressHistory = true;
  StoreEditorIntoItem(item_list_.ItemIndex(), false);
  SaveItemsOf(g);
}

void MainFormCore::FormDestroy() {
  SaveReporting(store::TMainDataClass::kFileName, [&] { main_.Save(folder_); });
  SaveReporting(store::TListDataClass::kFileName, [&] { list_.Save(folder_); });
  SaveReporting(store::THistoryCollection::kFileName, [&] { history_.Save(folder_); });
}

// ---- lists

void MainFormCore::RefreshGroupList(int sel) {
  if (sel != -1) groups_->SelIndex = sel;
  group_list_.SetItems(groups_->RefreshNameStrings());
  try {
    group_list_.SetItemIndex(groups_->SelIndex);
    group_list_.MakeTopVisible(groups_->SelIndex);
  } catch (...) {
    // A stored selection that no longer exists: nothing is selected, without a message.
    group_list_.DropSelection();
    groups_->SelIndex = -1;
  }
}

void MainFormCore::ReloadItemList(int sel) {
  if (sel < -1 || sel >= items_->Count()) sel = -1;  // a stale stored selection selects nothing
  item_list_.Clear();
  item_list_.SetItems(items_->RefreshNameStrings());
  item_list_.SetItemIndex(sel);
}

void MainFormCore::RefillItemList(int sel) {
  if (sel < -1 || sel >= items_->Count()) sel = -1;
  item_list_.SetItems(items_->RefreshNameStrings());
  item_list_.SetItemIndex(sel);
}

void MainFormCore::GroupClick() {
  if (SuppressGroupClick) {
    SuppressGroupClick = false;
    return;
  }
  groups_->SelIndex = group_list_.ItemIndex();
  SwitchGroup(group_list_.ItemIndex(), -2);
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

void MainFormCore::ItemClick() {
  if (SuppressItemClick) {
    SuppressItemClick = false;
    return;
  }
  items_->SelIndex = item_list_.ItemIndex();
  StoreEditorIntoItem(item_list_.PrevIndex(), false);
  RecordHistoryPosition(group_list_.ItemIndex(), item_list_.PrevIndex());
  LoadItemIntoEditor(item_list_.ItemIndex());
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

// ---- item editing

bool MainFormCore::SwitchGroup(int g, int sel) {
  const int prev = group_list_.PrevIndex();
  if (prev != -1) {
    const int item = item_list_.ItemIndex();
    items_->SelIndex = item;
    RecordHistoryPosition(prev, item);
    StoreEditorIntoItem(item, false);
    if (!SaveItemsOf(prev)) {
      // The items in memory are the only copy of the group being left: stay on it.
      SuppressGroupClick = true;
      group_list_.SetItemIndex(prev);
      SuppressGroupClick = false;
      groups_->SelIndex = prev;
      LoadItemIntoEditor(item);
      return false;
    }
  }
  ClearEditor();
  if (g == -1) return true;
  LoadItemsOf(g);
  if (sel == -2) sel = items_->SelIndex;
  ReloadItemList(sel);
  item_list_.MakeTopVisible(item_list_.ItemIndex());
  ApplyEditorSettings();
  return true;
}

void MainFormCore::ClearEditor() {
  editor_.Clear();
  // A cleared editor holds nothing of the user's: nothing may be written back from it.
  editor_.SetModified(false);
}

void MainFormCore::LoadItemIntoEditor(int i) {
  if (i < 0 || i >= items_->Count()) return;
  editor_.Clear();
  editor_.SetText(items_->ItemAt(i).ItemText);
  editor_.SetRow(editor_.LineToRow(items_->GetLine(i)));
  editor_.ScrollCaret();
  editor_.SetModified(false);
}

void MainFormCore::StoreEditorIntoItem(int i, bool keep) {
  if (i < 0 || i >= items_->Count() || SuppressStore) return;
  items_->SetLine(i, editor_.RowToLine(editor_.Row()));
  if (editor_.Modified()) {
    items_->SetText(editor_.Text(), i);
    if (!keep) ClearEditor();
  }
}

void MainFormCore::RecordHistoryPosition(int g, int i) {
  if (g == -1 || i == -1 || SuppressHistory) return;
  history_.PushBack(g, i);
  UpdateHistoryActions();
}

void MainFormCore::RecordHistoryInsert(int g, int i) {
  if (g == -1 || i == -1 || SuppressHistory) return;
  history_.RecordPosition(g, i);
  UpdateHistoryActions();
}

void MainFormCore::UpdateHistoryActions() {
  host_.SetActionEnabled(ActionId::HistoryBk, history_.CanBack());
  host_.SetActionEnabled(ActionId::HistoryFw, history_.CanForward());
}

namespace {
// Rewrapping reaches the editor's modified flag, but settings are not an edit of the text.
class KeepModified {
 public:
  explicit KeepModified(editor::EditorModel& e) : editor_(e), modified_(e.Modified()) {}
  ~KeepModified() {
    if (editor_.Modified() != modified_) editor_.SetModified(modified_);
  }

 private:
  editor::EditorModel& editor_;
  bool modified_;
};
}  // namespace

void MainFormCore::ApplyEditorSettings() {
  KeepModified keep(editor_);
  TEditorPropDat& own = GroupSettings();
  TEditorPropDat& global = GlobalSettings();
  if (own.Enabled) {
    own.ApplyToEditor(editor_);
  } else if (global.Enabled) {
    global.ApplyToEditor(editor_);
  } else {
    editor_.WrapOption().SetWrapByte(60);
    global.CopyFromEditor(editor_);
    global.Enabled = true;
  }
  UpdateWrapState();
}

void MainFormCore::UpdateWrapState() {
  KeepModified keep(editor_);
  if (!editor_.WordWrap()) {
    host_.ShowWrapMode(WrapMode::None);
    editor_.SetScrollBars(editor::ssBoth);
    return;
  }
  host_.ShowWrapMode(WrapMode::User);
  TEditorPropDat& s = ActiveSettings();
  if (!s.WidthWordWrap) {
    editor_.WrapOption().SetWrapByte(s.DEditorWrapOption.WrapByte());
    editor_.SetScrollBars(editor::ssBoth);
    return;
  }
  const int c = editor_.Layout().char_width;
  if (c != 0) {
    const int v = host_.EditorVerticalBarShown() ? host_.ScrollBarArrowHeight() : 0;
    editor_.WrapOption().SetWrapByte(WidthWrapByte(host_.EditorWidth(), editor_.TextLeft(), c, v));
  }
  host_.ShowWrapMode(WrapMode::Width);
  editor_.SetScrollBars(editor::ssVertical);
}

void MainFormCore::WordWrapExecute(int tag) {
  KeepModified keep(editor_);
  TEditorPropDat& s = ActiveSettings();
  switch (tag) {
    case kWrapNonTag:
      s.DWordWrap = false;
      editor_.SetWordWrap(false);
      break;
    case kWrapUserTag:
      s.DWordWrap = true;
      s.WidthWordWrap = false;
      editor_.SetWordWrap(true);
      break;
    case kWrapWidthTag:
      s.DWordWrap = true;
      s.WidthWordWrap = true;
      editor_.SetWordWrap(true);
      break;
    default: return;
  }
  UpdateWrapState();
}

void MainFormCore::ShowInsertState() {
  host_.SetStatusText(2, StatusText(2));
  host_.SetActionChecked(ActionId::insert, editor_.Overwrite());
}

void MainFormCore::ToggleInsert() {
  editor_.SetOverwrite(!editor_.Overwrite());
  ShowInsertState();
}

void MainFormCore::ToggleReadOnly() {
  editor_.SetReadOnly(!editor_.ReadOnly());
  host_.SetActionChecked(ActionId::ReadOnly, editor_.ReadOnly());
  host_.SetStatusText(3, StatusText(3));
}

// ---- time stamps

std::vector<TimeStampMenuEntry> MainFormCore::TimeStampMenu() const {
  const DateTime now = Clock();
  std::vector<TimeStampMenuEntry> entries;
  const auto& formats = list_.TimeStampMenuList;
  entries.reserve(formats.size());
  for (size_t k = 0; k < formats.size(); ++k) {
    const int tag = static_cast<int>(k);
    entries.push_back({FormatDateTime(formats[k], now), tag, tag == main_.TimeIndex});
  }
  return entries;
}

void MainFormCore::InsertTimeStamp() {
  if (main_.TimeIndex == -1) main_.TimeIndex = 0;
  const auto& formats = list_.TimeStampMenuList;
  if (main_.TimeIndex < 0 || static_cast<size_t>(main_.TimeIndex) >= formats.size()) {
    host_.ShowError("リストのインデックスが範囲を超えています (" + std::to_string(main_.TimeIndex) + ")");
    return;
  }
  editor_.SetSelText(FormatDateTime(formats[static_cast<size_t>(main_.TimeIndex)], Clock()));
}

// ---- history and reopening

bool MainFormCore::SelectPosition(int g, int i, bool& missing) {
  missing = false;
  if (g < 0 || g >= groups_->Count()) {
    missing = true;
    return false;
  }
  group_list_.SetItemIndex(g);
  if (group_list_.ItemIndex() != g) return false;  // the switch was refused (the old group could not be saved)
  if (i < 0 || i >= items_->Count()) {
    missing = true;
    return false;
  }
  item_list_.SetItemIndex(i);
  editor_.SetRow(editor_.LineToRow(items_->GetLine(i)));
  editor_.ScrollCaret();
  host_.SetEditorEnabled(true);
  return true;
}

void MainFormCore::HistoryStep(bool back) {
  SuppressHistory = true;
  const int a = group_list_.ItemIndex();
  const int b = item_list_.ItemIndex();
  const store::HistoryPosition none{-1, -1};
  store::HistoryPosition p;
  do {
    p = back ? history_.Back(a, b) : history_.Forward(a, b);
  } while (p != none && p == store::HistoryPosition{a, b});
  if (p != none) {
    bool missing = false;
    try {
      if (!SelectPosition(p.group, p.item, missing) && missing) history_.NoteDelete(p.group, p.item);
    } catch (const std::exception& e) {
      host_.ShowError(e.what());
    }
  }
  UpdateHistoryActions();
  SuppressHistory = false;
}

void MainFormCore::ReOpenItem() { LoadItemIntoEditor(item_list_.ItemIndex()); }

void MainFormCore::ReOpenGroup() {
  if (!host_.Ask({"グループの開き直し", "グループを開いた時の状態に戻ります\r\n本当に開き直してよろしいですか？",
                  BoxIcon::Warning}))
    return;
  const int g = group_list_.ItemIndex();
  if (g < 0) return;
  ClearEditor();
  LoadItemsOf(g);
  ReloadItemList(items_->SelIndex);
  LoadItemIntoEditor(item_list_.ItemIndex());
  ApplyEditorSettings();
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

// ---- the editor's mouse and keys

void MainFormCore::Wheel(int steps) {
  // One scroll request of one row per step, as the scroll bar's arrows send.
  for (; steps > 0; --steps) editor_.VerticalScrolled(editor_.TopRow() - 1);
  for (; steps < 0; ++steps) editor_.VerticalScrolled(editor_.TopRow() + 1);
}

void MainFormCore::EditorMousePress(editor::MouseButton button, editor::Modifiers mods) {
  bool box;
  if (mods & editor::kModAlt) {
    if (button != editor::MouseButton::Left) return;
    box = true;
  } else {
    box = false;
  }
  if (editor_.BoxSelection() != box) editor_.SetBoxSelection(box);
}

void MainFormCore::EditorKeyPress(editor::KeyCode key, editor::Modifiers mods) {
  if (mods & (editor::kModAlt | editor::kModCtrl)) return;
  if (key == editor::keys::kDelete || key == editor::keys::kBackspace) return;
  if (editor_.BoxSelection()) editor_.SetBoxSelection(false);
}

EditorCursor MainFormCore::EditorMouseMove(int x, int y) {
  EditorCursor cursor = EditorCursor::Editor;
  if (x >= editor_.TextLeft()) cursor = EditorCursor::IBeam;
  link_target_.clear();
  const bool url = editor_.View().Url();
  const bool mail = editor_.View().Mail();
  if (url || mail) {
    const int kind = editor_.TokenAt(x, y);
    if (url && kind == editor::tkUrl) {
      cursor = EditorCursor::Hand;
      link_target_ = editor_.TokenTextAt(x, y);
    } else if (mail && kind == editor::tkMail) {
      cursor = EditorCursor::Hand;
      link_target_ = "mailto:" + editor_.TokenTextAt(x, y);
    }
  }
  if (editor_.Selected() && editor_.InSelection(editor_.PosFromPoint(x, y))) cursor = EditorCursor::Arrow;
  return cursor;
}

bool MainFormCore::EditorDoubleClick(int x, int y) {
  if (!link_target_.empty()) {
    std::string target = link_target_;
    // The desktop needs a scheme: a "www." link is a web address.
    if (target.rfind("www.", 0) == 0) target = "http://" + target;
    host_.OpenLink(target);
    return true;
  }
  return x < editor_.TextLeft();
}

// ---- dragging entries

void MainFormCore::DropEntry(int sourceTag, int targetTag, int target, bool ctrl) {
  if (target == -1 || !AcceptsEntryDrop(sourceTag, targetTag)) return;
  if (sourceTag == kItemListTag && targetTag == kGroupListTag) {
    const int s = item_list_.ItemIndex();
    if (s < 0 || target >= groups_->Count()) return;
    ItemToOtherGroup(s, target, !ctrl, true);
    return;
  }
  ListBoxKor& list = sourceTag == kGroupListTag ? group_list_ : item_list_;
  const int s = list.ItemIndex();
  if (s < 0 || target >= list.Count()) return;
  WithinLists([&] {
    if (sourceTag == kGroupListTag) {
      if (ctrl) {
        CopyGroupEntry(item_list_.ItemIndex(), s, target);
      } else {
        MoveGroupWithin(s, target);
      }
    } else {
      if (ctrl) {
        CopyItemEntry(s, target);
      } else {
        MoveItemWithin(s, target);
      }
    }
  });
}

void MainFormCore::MoveGroupWithin(int s, int t) {
  groups_->MoveEntry(s, t);
  history_.NoteMove(t, store::THistoryCollection::kWholeGroup, s, store::THistoryCollection::kWholeGroup);
  group_list_.MoveItem(s, t);
  group_list_.SetItemIndex(t);
}

void MainFormCore::MoveItemWithin(int s, int t) {
  const int g = group_list_.ItemIndex();
  items_->MoveEntry(s, t);
  history_.NoteMove(g, t, g, s);
  item_list_.MoveItem(s, t);
  item_list_.SetItemIndex(t);
}

void MainFormCore::CopyGroupEntry(int item, int from, int to) {
  if (item >= 0 && item < items_->Count()) items_->SetText(editor_.Text(), item);
  if (!SaveItemsOf(from)) return;
  groups_->CopyEntry(from, to);
  // Entries at and after the new position moved down one place.
  history_.NoteInsert(to, store::THistoryCollection::kWholeGroup);
  RefreshGroupList(to);
}

void MainFormCore::CopyItemEntry(int from, int to) {
  items_->SetText(editor_.Text(), from);
  const int before = items_->Count();
  items_->CopyEntry(from, to);
  if (items_->Count() != before + 1) return;
  const int copy = items_->SelIndex;
  const int source = copy <= from ? from + 1 : from;
  // The copy carries the text itself, so it does not depend on the editor's modified flag
  // (which a read-only editor refuses).
  items_->ItemAt(copy).ItemText = items_->ItemAt(source).ItemText;
  history_.NoteInsert(group_list_.ItemIndex(), copy);
  RefillItemList(copy);
  editor_.SetModified(true);
}

void MainFormCore::ItemToOtherGroup(int s, int target, bool move, bool recordHistory) {
  const int g = group_list_.ItemIndex();
  if (target == g) {
    // The open group's file would be overwritten by the list in memory at the next save: a copy
    // goes straight into the open list; moving an item into its own group changes nothing.
    if (move) return;
    StoreEditorIntoItem(s, true);
    const int sel = items_->SelIndex;
    items_->CopyItemTo(*items_, s);
    items_->SelIndex = sel;
    RefillItemList(s);
    return;
  }
  StoreEditorIntoItem(s, false);
  int n = -1;
  try {
    n = groups_->CopyItemToGroup(target, s);
  } catch (const std::exception& e) {
    host_.ShowError(e.what());
    LoadItemIntoEditor(s);
    return;
  }
  if (!move) {
    LoadItemIntoEditor(s);
    return;
  }
  if (recordHistory) RecordHistoryPosition(g, s);
  history_.NoteMove(target, n, g, s);
  // The items after it moved up one place in the group it left.
  history_.NoteDelete(g, s);
  UpdateHistoryActions();
  items_->Delete(s);
  items_->SelIndex = -1;
  item_list_.RemoveItem(s);
  SuppressItemClick = true;
  item_list_.SetItemIndex(-1);
  SuppressItemClick = false;
  item_list_.SetPrevIndex(-1);
  ClearEditor();
  host_.SetEditorEnabled(false);
}

std::vector<std::string> MainFormCore::MoveCopyTargets() { return groups_->RefreshNameStrings(); }

void MainFormCore::MoveCopyItemToGroup(int target, bool move) {
  const int s = item_list_.ItemIndex();
  if (s < 0 || target < 0 || target >= groups_->Count()) return;
  ItemToOtherGroup(s, target, move, false);
}

// ---- action update

ActionConditions MainFormCore::Conditions() const {
  ActionConditions c;
  c.groupIndex = group_list_.ItemIndex();
  c.groupCount = groups_->Count();
  c.itemIndex = item_list_.ItemIndex();
  c.itemCount = items_->Count();
  c.selLength = editor_.SelLength();
  c.canBack = history_.CanBack();
  c.canForward = history_.CanForward();
  c.canUndo = editor_.CanUndo();
  c.canRedo = editor_.CanRedo();
  return c;
}

void MainFormCore::UpdateActionStates() {
  const ActionConditions c = Conditions();
  for (const ActionSpec& a : ActionTable()) host_.SetActionEnabled(a.id, IsEnabled(a.enabling, c));
  host_.SetEditorEnabled(c.itemIndex >= 0);
  for (int panel : {0, 1, 4}) host_.SetStatusText(panel, StatusText(panel));
}

void MainFormCore::UpdateCaretStatus() {
  for (int panel : {5, 6}) host_.SetStatusText(panel, StatusText(panel));
}

std::string MainFormCore::StatusText(int panel) const {
  switch (panel) {
    case 0: return std::to_string(groups_->Count()) + " グループ";
    case 1: return std::to_string(items_->Count()) + " アイテム";
    case 2: return editor_.Overwrite() ? "上書" : "挿入";
    case 3: return editor_.ReadOnly() ? "ReadOnly" : "";
    case 4: return editorsettings::SettingsOf(*items_).Enabled ? "設定あり" : "標準設定";
    case 5: return "全 " + std::to_string(editor_.RowCount()) + " 行";
    case 6: return CaretStatusText(editor_.Row() + 1, editor_.Col() + 1);
    default: return {};
  }
}

}  // namespace mainwin
