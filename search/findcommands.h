// The main window's find and replace commands and its searches across items, without a screen:
// the search state, F3 and Shift+F3, the find dialog's four ranges, replace, the search history,
// the rows of a result window and opening one of them. The window implements FindHost and
// FindDialogs; every text here is code page 932 except the messages, which are UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/findinbuffer.h"
#include "search/itemsearch.h"
#include "store/entries.h"

namespace search {

// The find dialog's ranges, in the order of its radio buttons.
enum TSearchRange : int {
  srOpenItem = 0,    // "開いているアイテム"
  srGroupItems = 1,  // "グループ内の全アイテム"
  srAllItems = 2,    // "すべてのアイテム"
  srNames = 3,       // "グループ・アイテム名"
};

// What the main window remembers of searching while the program runs (never stored).
struct FindState {
  std::string Text;  // the search text
  TSearchOptions Options = 0;
  int SearchRange = srOpenItem;
  TSearchPosition Position;  // the item searches' position record
  std::string ReplaceText;
};

// Most search texts the history keeps.
inline constexpr std::size_t kSearchHistoryMax = 50;

// Puts `text` at the top of `history` (moving it there when present) and drops the oldest
// entries beyond kSearchHistoryMax. An empty text changes nothing.
void AddSearchHistory(std::vector<std::string>& history, const std::string& text);

// "これより下に検索文字列\r\n\r\n<text>\r\n\r\nは見つかりませんでした。" (UTF-8; "上" backwards).
std::string NotFoundMessage(std::string_view text, bool forward);

// The editor as the commands use it. Offsets count bytes of the whole text, CR LF included.
class FindEditor {
 public:
  virtual ~FindEditor() = default;
  virtual std::string SelText() const = 0;
  // Start of the selection, or the caret when nothing is selected.
  virtual std::int64_t SelStart() const = 0;
  // Drops the selection and puts the caret at `offset` (0 or less: the start).
  virtual void SetSelStart(std::int64_t offset) = 0;
  // Selects `length` bytes from the caret.
  virtual void SetSelLength(std::int64_t length) = 0;
  // The editor's own search from the caret or selection; a hit becomes the selection.
  virtual bool Search(std::string_view pattern, TSearchOptions options) = 0;
  // Replaces the selection by `text` (an empty text deletes it); the caret ends after it.
  virtual void ReplaceSelection(std::string_view text) = 0;
  virtual void ScrollCaret() = 0;
  virtual bool Modified() const = 0;
  virtual bool ReadOnly() const = 0;
};

enum class MessageIcon { None, Information, Question, Warning, Error };
enum class QuestionButtons { OkCancel, YesNo };

// What the commands need of the main window.
class FindHost {
 public:
  virtual ~FindHost() = default;
  virtual FindEditor& Editor() = 0;
  virtual std::vector<std::string>& SearchHistory() = 0;  // SearchHistoryList of list.bin
  virtual bool FindWarning() const = 0;
  virtual store::TRootComponent_Group& Groups() = 0;
  // The selected group's display position, -1 when none; its items are the list in memory.
  virtual int SelectedGroup() const = 0;
  virtual store::TRootComponent_Item& OpenGroupItems() = 0;
  // Writes the editor's text and caret line into the open item's record; the editor keeps them.
  virtual void StoreOpenItem() = 0;
  // Writes the open item back and saves the open group's item file; false when saving failed
  // (the window has reported it).
  virtual bool SaveOpenGroup() = 0;
  // Select a group as a click would (saving the group left, loading the new one), then an item
  // of it (-1: none). False when there is no such entry.
  virtual bool SelectGroup(int g) = 0;
  virtual bool SelectItem(int i) = 0;
  virtual void FocusGroupList() = 0;
  virtual void FocusEditor() = 0;
  // Message boxes (UTF-8). Ask returns true for OK or Yes.
  virtual bool Ask(const std::string& caption, const std::string& text, QuestionButtons buttons, MessageIcon icon) = 0;
  virtual void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
  // The standard error box.
  virtual void ShowError(const std::string& text) = 0;
};

// Where a result row points.
struct HitLocation {
  int GroupIndex = 0;
  int ItemIndex = 0;
  int Position = 0;
  bool operator==(const HitLocation&) const = default;
};

// Parses a row's GroupIndex, ItemIndex and Position cells as decimal integers (an optional minus
// sign, digits, nothing else, within 32 bits); nothing when any of them does not parse.
std::optional<HitLocation> ParseHitLocation(std::string_view groupCell, std::string_view itemCell,
                                            std::string_view positionCell);

// The rows of one result window: a header row, one row per hit numbered on across groups, and
// one empty row at the end. Cells are code page 932; the status texts UTF-8.
class FindGrid {
 public:
  static constexpr int kColumns = 7;
  static constexpr int kTextColumn = 6;
  // Pixel widths of columns 0-5; the Text column takes the rest of the grid's width.
  static constexpr int kFixedWidths[kTextColumn] = {30, 35, 180, 35, 180, 60};
  static constexpr int kMinTextWidth = 60;
  enum Mode : int { mdGroup = 1, mdFullText = 2, mdNames = 3 };

  FindGrid() { Prepare({}, mdGroup, 0); }

  // Back to the header and one empty row, for a search of `text` under `options` in `mode`.
  void Prepare(std::string text, int mode, TSearchOptions options);
  // One row per hit, numbered on from the rows already there; `names` marks name-search rows.
  void AppendHits(const std::vector<SearchHit>& hits, bool names);

  // Rows including the header and the trailing empty row.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int HitCount() const { return RowCount() - 2; }
  // Empty outside the grid.
  const std::string& Cell(int row, int col) const;
  // Where row `row` points; nothing for the header, the empty row and cells that do not parse.
  std::optional<HitLocation> Locate(int row) const;

  const std::string& SearchText() const { return text_; }
  TSearchOptions Options() const { return options_; }
  int Mode() const { return mode_; }
  bool Names() const { return names_; }

  // Width of the Text column in a grid whose rows are `gridWidth` pixels wide.
  static int TextColumnWidth(int gridWidth);
  // The status bar: mode, "検索結果　N 件", "検索文字列：　<text>".
  std::string ModeText() const;
  std::string CountText() const;
  std::string SearchTextStatus() const;

 private:
  std::vector<std::vector<std::string>> rows_;
  std::string text_;
  TSearchOptions options_ = 0;
  int mode_ = mdGroup;
  bool names_ = false;
};

// The replace dialog's state as its buttons hand it over.
struct ReplaceDialogValues {
  std::string FindText;
  std::string ReplaceText;
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;
};
enum class ReplaceButton { FindNext, Replace, ReplaceAll };

// The find dialog's values in and out.
struct FindDialogValues {
  std::string Text;
  TSearchOptions Options = 0;
  int SearchRange = srOpenItem;
};

// The windows the commands open.
class FindDialogs {
 public:
  virtual ~FindDialogs() = default;
  // The modal find dialog with `history` in its list; true for OK, with `values` read back.
  virtual bool RunFindDialog(FindDialogValues& values, const std::vector<std::string>& history) = 0;
  // Shows the modeless replace dialog (the same one every time) with these texts; its buttons
  // come back through FindCommands::ReplaceDialogButton.
  virtual void ShowReplaceDialog(const std::string& findText, const std::string& replaceText) = 0;
  // A new result window for `grid`, shown without blocking; rows come back through OpenRow.
  virtual void ShowResults(std::unique_ptr<FindGrid> grid) = 0;
};

class FindCommands {
 public:
  FindCommands(FindHost& host, FindDialogs& dialogs) : host_(host), dialogs_(dialogs) {}

  FindState& State() { return state_; }
  const FindState& State() const { return state_; }

  // Action_Find (Ctrl+F): the find dialog, then the search of its range.
  void Find();
  // Action_FindFw (F3) and Action_FindBk (Shift+F3).
  void FindNext(bool forward);
  // Action_Replace (Ctrl+R): the replace dialog.
  void Replace();
  // A button of the replace dialog.
  void ReplaceDialogButton(ReplaceButton button, const ReplaceDialogValues& values);
  // Opens row `row` of a result window in the main window.
  void OpenRow(const FindGrid& grid, int row);

  // The searches across items (ranges 1 to 3 after their confirmations and write-back).
  void SearchGroupItems();
  void SearchAllTexts();
  void SearchAllNames();

 private:
  // Searches the editor with the stored text and options; the not-found box when `message`.
  bool SearchEditor(bool message);
  void ReplaceOnce();
  void ReplaceAll();
  void RunRange();
  // Returns false when the user cancelled or saving failed.
  bool ConfirmAndStoreItem();
  bool ConfirmAndSaveGroup(MessageIcon icon);
  // Searches every group's item file into `grid`; false when an error abandoned the search.
  bool SearchAllGroupsInto(FindGrid& grid, SearchScope scope);
  void UpdateHistory() { AddSearchHistory(host_.SearchHistory(), state_.Text); }

  FindHost& host_;
  FindDialogs& dialogs_;
  FindState state_;
};

}  // namespace search
