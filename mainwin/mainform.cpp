#include "mainwin/mainform.h"

#include <cstdio>
#include <exception>
#include <optional>

#include "editor/parser.h"
#include "editorsettings/timestamp.h"
#include "mainwin/keepmodified.h"
#include "mainwin/recovery.h"

namespace mainwin {

using editorsettings::TEditorPropDat;

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
    : editor_(editor), host_(host), session_(std::move(dataFolder), editor, static_cast<SessionHost&>(*this)) {
  group_list_.OnClick = [this] { GroupClick(); };
  item_list_.OnClick = [this] { ItemClick(); };
}

MainFormCore::~MainFormCore() = default;

MainFormCore::Swallowing::Swallowing(bool& a, bool* b) : a_(a), b_(b) {
  a_ = true;
  if (b_) *b_ = true;
}

MainFormCore::Swallowing::~Swallowing() {
  // The notification took its flag; when none came it must not swallow the user's next click.
  a_ = false;
  if (b_) *b_ = false;
}

std::string UnsavedCloseText(const std::vector<std::string>& failures) {
  std::string text = "入力した内容を保存できませんでした。\r\n\r\n";
  for (const std::string& f : failures) text += f + "\r\n";
  text +=
      "\r\n再試行: もう一度保存します (空き容量を作るなどしてから)\r\n"
      "別の場所に保存: 保存されていないグループをエクスポートファイル (.sted) として選んだフォルダに書き出し、"
      "終了します\r\n"
      "保存せずに終了: 保存されていない内容は失われます\r\n"
      "キャンセル: 終了せずに戻ります";
  return text;
}

namespace {
std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += (text.empty() ? "" : "\r\n") + l;
  return text;
}
}  // namespace

// ---- lifecycle

void MainFormCore::FormCreate() {
  session_.LoadRecords();
  session_.CleanUpAtStart();
  if (recovery_root_.empty()) return;
  const std::vector<std::string> folders = UnannouncedRecoveries(recovery_root_);
  if (folders.empty()) return;
  host_.Ask({"保存できなかったデータ", RecoveryNotice(folders), BoxIcon::Information, false});
  for (const std::string& folder : folders) MarkAnnounced(folder);
}

void MainFormCore::FormShow() {
  RefreshGroupList(-1);
  ApplyEditorSettings();
  ShowInsertState();
  UpdateHistoryActions();
  shown_ = true;
}

bool MainFormCore::FormClose(const WindowGeometry& window, SplitSizes splits, CloseMode mode) {
  StoreWindowGeometry(session_.MainData(), window, splits);
  int g = OpenGroup(), i = OpenItem();
  std::string notice;
  for (;;) {
    const CloseReport report = session_.Close(g, i);
    // Merges move entries: a second attempt goes by where they are now.
    g = report.openGroup;
    i = report.openItem;
    if (!report.notice.empty()) notice += (notice.empty() ? "" : "\r\n") + report.notice;
    if (mode == CloseMode::Unattended) {
      // Nobody answers: what the close has to say goes, once, where errors go.
      std::vector<std::string> said;
      if (!report.NotesSaved()) said.push_back(WriteRecoveryOf(report));
      said.insert(said.end(), report.others.begin(), report.others.end());
      if (!notice.empty()) said.push_back(notice);
      if (!said.empty()) host_.ShowError(Lines(said));
      return true;
    }
    if (report.NotesSaved()) {
      if (!report.others.empty()) host_.ShowError(Lines(report.others));
      if (!notice.empty()) host_.Ask({"データの統合", notice, BoxIcon::Information, false});
      return true;
    }
    switch (host_.AskUnsavedClose(UnsavedCloseText(report.failures))) {
      case CloseChoice::Retry: continue;
      case CloseChoice::SaveElsewhere:
        if (SaveUnsavedElsewhere(report)) return true;
        continue;
      case CloseChoice::QuitWithoutSaving: return true;
      case CloseChoice::Cancel:
        session_.Reopen();
        ShowListsAgain(g, i);
        if (!notice.empty()) host_.ShowNotice(notice);
        return false;
    }
  }
}

bool MainFormCore::SaveUnsavedElsewhere(const CloseReport& report) {
  const std::string folder = host_.ChooseFolderForUnsaved();
  if (folder.empty()) return false;
  try {
    const RecoveryWritten written = WriteExchangeFiles(
        folder, UnsavedGroups(session_.Groups(), report.openGroup, report.openGroupSaved, report.groupListSaved));
    if (written.errors.empty()) return true;
    host_.ShowError(Lines(written.errors));
  } catch (const std::exception& e) {
    host_.ShowError(e.what());
  }
  return false;
}

std::string MainFormCore::WriteRecoveryOf(const CloseReport& report) {
  std::string text = Lines(report.failures);
  if (recovery_root_.empty()) return text;
  try {
    const RecoveryWritten written =
        WriteRecovery(recovery_root_, editorsettings::CurrentDateTime(),
                      UnsavedGroups(session_.Groups(), report.openGroup, report.openGroupSaved, report.groupListSaved));
    text += "\r\n保存できなかった内容を " + written.folder + " に書き出しました";
    for (const std::string& e : written.errors) text += "\r\n" + e;
  } catch (const std::exception& e) {
    text += "\r\n";
    text += e.what();
  }
  return text;
}

// ---- changes made elsewhere

void MainFormCore::TakeOutsideChanges() {
  const OutsideChanges c = session_.TakeOutsideChanges(OpenGroup(), OpenItem());
  if (c.groupsReplaced || c.itemsReplaced) ShowListsAgain(c.group, c.item);
  if (c.reloaded.empty()) return;
  std::string titles;
  for (const std::string& t : c.reloaded) titles += (titles.empty() ? "" : "と") + t;
  host_.ShowStatusMessage("ほかの場所で変更された" + titles + "を読み込み直しました");
}

void MainFormCore::ShowMergeNotice(const std::string& text) {
  // Before the window shows, it is one of the start-up's boxes.
  if (!shown_) {
    host_.Ask({"データの統合", text, BoxIcon::Information, false});
  } else {
    host_.ShowNotice(text);
  }
}

void MainFormCore::OpenItemsMerged() {
  if (!leaving_) ShowListsAgain(OpenGroup(), session_.Items().SelIndex);
}

void MainFormCore::ShowListsAgain(int g, int i) {
  store::TRootComponent_Group& groups = session_.Groups();
  store::TRootComponent_Item& items = session_.Items();
  // Where the user is typing, kept through the settings applied again below.
  const int64_t selStart = editor_.SelStart(), selLength = editor_.SelLength();
  const int top = editor_.TopRow();
  bool keepCaret = true;
  groups.SelIndex = g;
  group_list_.Reset(groups.RefreshNameStrings(), g);
  if (g < 0) {
    item_list_.Clear();
    session_.ClearEditor();
  } else {
    items.SelIndex = i;
    item_list_.Reset(items.RefreshNameStrings(), i);
    if (i < 0) {
      session_.ClearEditor();
    } else if (!editor_.Modified() && items.ItemAt(i).ItemText != editor_.Text()) {
      // Changed elsewhere only: the new text, the caret on the line it was on.
      items.SetLine(i, editor_.RowToLine(editor_.Row()));
      session_.LoadItemIntoEditor(i);
      keepCaret = false;
    }
  }
  ApplyEditorSettings();
  if (keepCaret && item_list_.ItemIndex() >= 0) {
    editor_.SetSelStart(selStart);
    if (selLength > 0) editor_.SetSelLength(selLength);
    editor_.SetTopRow(top);
  }
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

// ---- lists

void MainFormCore::RefreshGroupList(int sel) {
  store::TRootComponent_Group& groups = session_.Groups();
  if (sel != -1) groups.SelIndex = sel;
  group_list_.SetItems(groups.RefreshNameStrings());
  const int stored = groups.SelIndex;
  if (stored < -1 || stored >= group_list_.Count()) {
    // A stored selection that no longer exists: nothing is selected, without a message.
    group_list_.DropSelection();
    groups.SelIndex = -1;
    return;
  }
  group_list_.SetItemIndex(stored);
  group_list_.MakeTopVisible(stored);
}

void MainFormCore::ReloadItemList(int sel) {
  store::TRootComponent_Item& items = session_.Items();
  if (sel < -1 || sel >= items.Count()) sel = -1;  // a stale stored selection selects nothing
  item_list_.Clear();
  item_list_.SetItems(items.RefreshNameStrings());
  item_list_.SetItemIndex(sel);
}

void MainFormCore::RefillItemList(int sel) {
  store::TRootComponent_Item& items = session_.Items();
  if (sel < -1 || sel >= items.Count()) sel = -1;
  item_list_.SetItems(items.RefreshNameStrings());
  item_list_.SetItemIndex(sel);
}

void MainFormCore::RepaintLists() {
  for (ListBoxKor* list : {&group_list_, &item_list_})
    if (list->View()) list->View()->Repaint();
}

void MainFormCore::GroupClick() {
  if (swallow_group_click_) {
    swallow_group_click_ = false;
    return;
  }
  session_.Groups().SelIndex = group_list_.ItemIndex();
  SwitchGroup(group_list_.ItemIndex(), -2);
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

void MainFormCore::ItemClick() {
  if (swallow_item_click_) {
    swallow_item_click_ = false;
    return;
  }
  session_.Items().SelIndex = item_list_.ItemIndex();
  session_.StoreEditorIntoItem(item_list_.PrevIndex(), false);
  session_.RecordHistoryPosition(group_list_.ItemIndex(), item_list_.PrevIndex());
  session_.LoadItemIntoEditor(item_list_.ItemIndex());
  host_.SetEditorEnabled(item_list_.ItemIndex() >= 0);
}

void MainFormCore::WithinLists(const std::function<void()>& fn) {
  std::optional<std::string> failure;
  {
    const Swallowing quiet(swallow_group_click_, &swallow_item_click_);
    try {
      fn();
    } catch (const std::exception& e) {
      failure = e.what();
    }
  }
  if (failure) host_.ShowError(*failure);
}

void MainFormCore::AfterGroupsDeleted() {
  {
    const Swallowing quiet(swallow_group_click_);
    session_.Groups().SelIndex = -1;
    group_list_.SetItemIndex(-1);
  }
  group_list_.SetPrevIndex(-1);
  item_list_.Clear();
  session_.ClearEditor();
  RefreshGroupList(-1);
  UpdateHistoryActions();
  host_.SetEditorEnabled(false);
}

void MainFormCore::AfterItemsDeleted() {
  {
    const Swallowing quiet(swallow_item_click_);
    session_.ClearEditor();
    session_.Items().SelIndex = -1;
    item_list_.SetItemIndex(-1);
  }
  item_list_.SetPrevIndex(-1);
  UpdateHistoryActions();
  host_.SetEditorEnabled(false);
}

bool MainFormCore::SelectPosition(int g, int i, bool& missing) {
  missing = false;
  if (g < 0 || g >= session_.Groups().Count()) {
    missing = true;
    return false;
  }
  group_list_.SetItemIndex(g);
  if (group_list_.ItemIndex() != g) return false;  // the switch was refused (the old group could not be saved)
  if (i < 0 || i >= session_.Items().Count()) {
    missing = true;
    return false;
  }
  item_list_.SetItemIndex(i);
  editor_.SetRow(editor_.LineToRow(session_.Items().GetLine(i)));
  editor_.ScrollCaret();
  host_.SetEditorEnabled(true);
  return true;
}

// ---- item editing

bool MainFormCore::SwitchGroup(int g, int sel) {
  const int prev = group_list_.PrevIndex();
  bool left = true;
  if (prev != -1) {
    leaving_ = true;
    left = session_.LeaveGroup(prev, item_list_.ItemIndex());
    leaving_ = false;
  }
  if (!left) {
    // The items in memory are the only copy of the group being left: stay on it. A version
    // merged in before the failed write may have moved its items.
    {
      const Swallowing quiet(swallow_group_click_);
      group_list_.SetItemIndex(prev);
    }
    session_.Groups().SelIndex = prev;
    item_list_.Reset(session_.Items().RefreshNameStrings(), session_.Items().SelIndex);
    return false;
  }
  session_.ClearEditor();
  if (g == -1) return true;
  session_.LoadItemsOf(g);
  if (sel == -2) sel = session_.Items().SelIndex;
  ReloadItemList(sel);
  item_list_.MakeTopVisible(item_list_.ItemIndex());
  ApplyEditorSettings();
  return true;
}

// ---- the editor's presentation

void MainFormCore::UpdateHistoryActions() {
  host_.SetActionEnabled(ActionId::HistoryBk, session_.History().CanBack());
  host_.SetActionEnabled(ActionId::HistoryFw, session_.History().CanForward());
}

void MainFormCore::ApplyEditorSettings() {
  const KeepModified keep(editor_);
  TEditorPropDat& own = session_.GroupSettings();
  TEditorPropDat& global = session_.GlobalSettings();
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
  const KeepModified keep(editor_);
  if (!editor_.WordWrap()) {
    host_.ShowWrapMode(WrapMode::None);
    editor_.SetScrollBars(editor::ssBoth);
    return;
  }
  host_.ShowWrapMode(WrapMode::User);
  TEditorPropDat& s = session_.ActiveSettings();
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

void MainFormCore::ShowInsertState() {
  host_.SetStatusText(2, StatusText(2));
  host_.SetActionChecked(ActionId::insert, editor_.Overwrite());
}

void MainFormCore::ShowReadOnlyState() {
  host_.SetActionChecked(ActionId::ReadOnly, editor_.ReadOnly());
  host_.SetStatusText(3, StatusText(3));
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

// ---- action update

ActionConditions MainFormCore::Conditions() const {
  ActionConditions c;
  c.groupIndex = group_list_.ItemIndex();
  c.groupCount = session_.Groups().Count();
  c.itemIndex = item_list_.ItemIndex();
  c.itemCount = session_.Items().Count();
  c.selLength = editor_.SelLength();
  c.canBack = session_.History().CanBack();
  c.canForward = session_.History().CanForward();
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
    case 0: return std::to_string(session_.Groups().Count()) + " グループ";
    case 1: return std::to_string(session_.Items().Count()) + " アイテム";
    case 2: return editor_.Overwrite() ? "上書" : "挿入";
    case 3: return editor_.ReadOnly() ? "ReadOnly" : "";
    case 4: return session_.GroupSettings().Enabled ? "設定あり" : "標準設定";
    case 5: return "全 " + std::to_string(editor_.RowCount()) + " 行";
    case 6: return CaretStatusText(editor_.Row() + 1, editor_.Col() + 1);
    default: return {};
  }
}

}  // namespace mainwin
