// The main window's menus and tool bars as lists of actions: every entry points at an action of
// the one action list, so captions, shortcuts, images and enabled states live in one place.
#pragma once

#include <string_view>
#include <vector>

#include "mainwin/actions.h"

namespace mainwin {

struct MenuEntry {
  enum class Kind : unsigned char {
    Command,  // the action `id`
    Separator,
    MoveCopy,   // the two move/copy sub-menus, rebuilt whenever the menu opens
    About,      // "バージョン情報"
    Blank,      // a disabled button without a command (the vertical tool bar's first)
    Bookmarks,  // the editor's own bookmark sub-menus (set and go to marks 0-9)
  };
  Kind kind = Kind::Command;
  ActionId id = ActionId::SelectAll;
};

struct MenuLayout {
  std::string_view caption;  // UTF-8, with its access key
  std::vector<MenuEntry> entries;
};

// MainMenu1: "ファイル(&F)" ... "その他(&T)", left to right.
const std::vector<MenuLayout>& MainMenuLayout();
// The pop-up menus of the group list, the item list and the editor.
const std::vector<MenuEntry>& GroupPopupLayout();
const std::vector<MenuEntry>& ItemPopupLayout();
const std::vector<MenuEntry>& EditorPopupLayout();
// ToolBar1 left to right and ToolBar2 top to bottom. On ToolBar1 the time-stamp command is a
// drop-down button and the three word-wrap commands are grouped check buttons.
const std::vector<MenuEntry>& ToolBar1Layout();
const std::vector<MenuEntry>& ToolBar2Layout();

}  // namespace mainwin
