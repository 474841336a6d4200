// One run of the settings dialog without a screen: what it needs from the main window (the
// records, the commands' hints and shortcuts, the layout and geometry calls), the application-wide
// pages' working state with its "登録" steps, the check of the fields on "登録", and the run around
// the dialog that decides which record takes the result.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editorsettings/editorpropdat.h"
#include "editorsettings/listboxrecords.h"
#include "editorsettings/shortcutlist.h"
#include "editorsettings/timestampformats.h"
#include "store/settings.h"

namespace editor {
class EditorModel;
}

namespace editorsettings {

// Texts of the dialog (UTF-8).
inline constexpr const char* kGlobalCaption = "カスタマイズ";
inline constexpr const char* kPerGroupCaption = "グループ独自のエディタ設定";
inline constexpr const char* kFontNotFoundSuffix = "が見つかりません";
inline constexpr const char* kAbortCaption = "確認";
inline constexpr const char* kAbortQuestion = "グループ設定を初期化します";
inline constexpr const char* kNoFontMessage = "フォントが選択されていません";
inline constexpr const char* kBadFontSizeMessage = "フォントサイズが不正です";
inline constexpr const char* kBadWrapByteMessage = "折り返し文字数が不正です";
inline constexpr const char* kNoTabLengthMessage = "タブ文字の長さが選択されていません";
inline constexpr const char* kNoListFontMessage = "グループのリストボックスのフォントが選択されていません";

// What the dialog needs from the main window. The records are the window's own; the functions
// are its layout, geometry, list-font and shortcut operations.
struct SettingsHost {
  TEditorPropDat& globalSettings;  // the group list's record
  TEditorPropDat& groupSettings;   // the open group's own record (the item list's)
  store::TMainDataClass& mainData;
  store::TListDataClass& listData;
  std::vector<std::string> actionHints;      // every command's hint, action-list order (UTF-8)
  std::vector<std::string> actionShortcuts;  // every command's shortcut in force, same order
  std::function<void(int command, const std::string& shortcut)> setActionShortcut;
  std::function<void()> applyListLayout;      // ApplyListLayout, then SetDefaultListSizes
  std::function<void()> storeWindowGeometry;  // StoreWindowGeometry
  std::function<void()> applyListFontSizes;   // ApplyListFontSizes
};

// ---- "その他の設定"

// "ウインドウ位置とサイズの記憶".
enum class WindowPlacement : int {
  Centred,  // "モニターの中央に表示（サイズは復元しない）"
  Restore,  // "ウインドウの位置、サイズを復元する"
  Fixed,    // "任意のウインドウ位置とサイズで復元する"
};
WindowPlacement PlacementOf(const store::TMainDataClass& data);
void StorePlacement(store::TMainDataClass& data, WindowPlacement placement);
// "現在のウインドウ位置とサイズで保存", at once: the geometry is stored through the window (which
// stores only while the option is on and not fixed), then fixed. Returns the choice to select.
WindowPlacement SaveWindowPositionNow(store::TMainDataClass& data, const std::function<void()>& storeGeometry);

struct OtherSettings {
  bool findWarning = false;
  int viewType = store::lvLeft_tate;
  WindowPlacement placement = WindowPlacement::Centred;
  bool imeOn = false;
};

// The application-wide pages: list boxes, time stamps and the other settings.
struct AppSettingsState {
  OtherSettings other;
  ListBoxPage lists;
  TimeStampFormats stamps;
  ShortcutList shortcuts;

  void Load(const SettingsHost& host);
  // "登録", after the editor settings reached the preview: window options, FindWarning, layout and
  // IME_ON (the layout applied again when it changed or placement is not remembered); the list
  // records and the list fonts; the time-stamp formats; the shortcuts, unless a reset is waiting.
  void Accept(SettingsHost& host) const;
};

// ---- "登録": the fields are checked in this order; the first failure is the message shown.

struct ValidationInput {
  bool fontSelected = false;
  std::string fontSizeText;
  std::string wrapByteText;
  bool tabLengthSelected = false;
  bool listFontSelected = false;
  // The list-box page is part of the run (global mode); hidden, it cannot be corrected.
  bool listPageShown = true;
};
std::optional<std::string> FirstValidationError(const ValidationInput& in);

// ---- the run

enum class DialogResult { Ok, Abort, Cancel };

// The dialog as the run drives it.
class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  virtual editor::EditorModel& Preview() = 0;
  // "右端で折り返し".
  virtual bool WidthWordWrap() const = 0;
  virtual void SetWidthWordWrap(bool on) = 0;
  // Global: every page, no "グループ独自の設定を無効にする", caption "カスタマイズ". Per group: the
  // three editor pages and that button, enabled as given, caption "グループ独自のエディタ設定".
  virtual void SetMode(bool perGroup, bool abortEnabled) = 0;
  // Opens on page `index` of the page control.
  virtual void SetPage(int index) = 0;
  // Shows the dialog modally.
  virtual DialogResult Run() = 0;
};

}  // namespace editorsettings
