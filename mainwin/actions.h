// The main window's action list: every command in its fixed order (the stored shortcut list is
// positional), with tag, caption, hint, designed shortcut and the condition that enables it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mainwin {

enum class ActionId : int {
  SelectAll,
  Copy,
  Cut,
  Paste,
  PasteBox,
  DelLine,
  insert,
  Undo,
  Redo,
  HistoryBk,
  HistoryFw,
  Find,
  FindFw,
  FindBk,
  Replace,
  TimeStamp,
  ReadOnly,
  EditEditor,
  Print,
  Close,
  GroupImport,
  GroupExport,
  GroupAdd,
  GroupInsert,
  GroupDel,
  GroupMultiDelete,
  GroupEdit,
  GroupCopy,
  EditorEdit_Group,
  GroupMoveOneUp,
  GroupMoveOneDown,
  GroupTitleStyleClear,
  ReOpenGroup,
  ItemAdd,
  ItemInsert,
  ItemDel,
  ItemMultiDelete,
  ItemEdit,
  ItemCopy,
  ItemTitleStyleClear,
  ReOpenItem,
  ItemMoveOneUp,
  ItemMoveOneDown,
  AddFile,
  SaveToFile,
  WordWrap_Non,
  WordWrap_User,
  WordWrap_Width,
  PrintGroupItems,
  SaveToFile_GroupItems,
  OpenFormEditor,
  OpenFormEditor_GroupItems,
  ItemNameFromText,
  ItemNameFromSelText,
  EditEditor_TimeOpen,
};
inline constexpr int kActionCount = 55;

// When an action is enabled, in the terms of the current selection.
enum class Enabling : unsigned char {
  Always,
  GroupSelected,      // G
  ItemSelected,       // I
  SelectionNotEmpty,  // S
  GroupWithItems,     // G and not I0
  AnyGroup,           // not G0
  GroupNotTop,        // G and not Gtop
  GroupNotBottom,     // G and not Gbottom
  ItemNotTop,         // I and not Itop
  ItemNotBottom,      // I and not Ibottom
  CanBack,
  CanForward,
  ItemCanUndo,  // I and the editor has something to undo
  ItemCanRedo,  // I and the editor has something to redo
};

struct ActionSpec {
  ActionId id;
  std::string_view name;  // "Action_" + subject and verb
  int tag;
  std::string_view caption;   // UTF-8; doubles as the menu text
  std::string_view hint;      // UTF-8; the caption when empty
  std::string_view shortcut;  // the platform's portable text, empty for none
  Enabling enabling;

  std::string_view Hint() const { return hint.empty() ? caption : hint; }
};

// All actions in list order; ActionTable()[k].id == ActionId(k).
const std::array<ActionSpec, kActionCount>& ActionTable();
inline const ActionSpec& Spec(ActionId id) { return ActionTable()[static_cast<int>(id)]; }

// The facts the enabling rule reads, evaluated together at every action update.
struct ActionConditions {
  int groupIndex = -1;  // selected group, -1 for none
  int groupCount = 0;
  int itemIndex = -1;  // selected item, -1 for none
  int itemCount = 0;
  long long selLength = 0;
  bool canBack = false;
  bool canForward = false;
  bool canUndo = false;  // the editor's
  bool canRedo = false;
};

bool IsEnabled(Enabling rule, const ActionConditions& c);

// Clears `list` and adds every action's hint (not its caption) in list order (UTF-8), for the
// settings dialog's shortcut page.
void ListActionHints(std::vector<std::string>& list);

}  // namespace mainwin
