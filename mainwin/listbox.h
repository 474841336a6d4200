// TListBox_kor without a screen: the owner-drawn list of groups or items. It keeps the selection
// bookkeeping (PrevIndex/CurIndex, ClickCancel) and the horizontal extent (its rows are drawn by
// editorsettings/listlook.h); a platform list implements ListBoxView and reports the user's
// selection changes here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/colors.h"
#include "store/entries.h"
#include "store/settings.h"

namespace mainwin {

// Tags that tell the two lists apart in shared handlers.
inline constexpr int kGroupListTag = 10;
inline constexpr int kItemListTag = 20;

// What the core needs from the platform list.
class ListBoxView {
 public:
  virtual ~ListBoxView() = default;
  // Replaces the rows (names in code page 932); the selection is set separately.
  virtual void SetRows(const std::vector<std::string>& names) = 0;
  // Shows `row` (-1: none) as selected; never notifies back.
  virtual void ShowSelection(int row) = 0;
  // First visible row, and makes `row` the first visible one.
  virtual int TopRow() const = 0;
  virtual void SetTopRow(int row) = 0;
  virtual int ClientHeight() const = 0;
  // Width of a name drawn in the list's font.
  virtual int TextWidth(const std::string& cp932) const = 0;
  virtual void SetHorizontalExtent(int pixels) = 0;
  // Redraw every row (settings or entry styles changed).
  virtual void Repaint() = 0;
};

class ListBoxKor {
 public:
  explicit ListBoxKor(int tag) : tag_(tag) {}
  ListBoxKor(const ListBoxKor&) = delete;
  ListBoxKor& operator=(const ListBoxKor&) = delete;

  void SetView(ListBoxView* view);
  ListBoxView* View() const { return view_; }
  int Tag() const { return tag_; }

  // While set, selection changes are ignored entirely: no notification, no bookkeeping.
  bool ClickCancel = false;
  // The notification of a selection change (OnClick).
  std::function<void()> OnClick;

  int Count() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string>& Names() const { return names_; }
  int ItemIndex() const { return item_index_; }
  int PrevIndex() const { return prev_index_; }
  int CurIndex() const { return cur_index_; }
  bool ExtentPending() const { return extent_pending_; }
  // Font height in the platform's signed convention (negative: sized in points), for the extent.
  void SetFontHeight(int height) { font_height_ = height; }

  // Selects entry i (-1: nothing) when it is not selected already, then always runs Click.
  // Throws store::Error for an entry that does not exist.
  void SetItemIndex(int i);
  // Notifies when the selection differs from CurIndex; always recomputes the horizontal extent.
  void Click();
  // Removes all entries; both indices become -1.
  void Clear();
  // Replaces the entries keeping PrevIndex and CurIndex (the selection is dropped when the row is gone).
  void SetItems(const std::vector<std::string>& names);
  void SetPrevIndex(int i) { prev_index_ = i < 0 ? -1 : i; }
  // Shows no selection, without notifying or bookkeeping (after a selection that failed).
  void DropSelection();
  // The entries were replaced underneath (read again, merged): new names, and `sel` selected as
  // the entry already open (PrevIndex and CurIndex too), without a notification.
  void Reset(const std::vector<std::string>& names, int sel);
  // Moves one entry (the selected one follows it) and removes one (dropping the selection on it).
  void MoveItem(int from, int to);
  void RemoveItem(int i);
  void MakeTopVisible(int row);

  // From the platform: the user selected `row` (arrow keys, mouse).
  void UserSelected(int row);
  // From the platform: a vertical scroll is about to happen.
  void BeforeScroll() { UpdateExtent(); }
  // From the platform, after drawing a row: sets the extent once it is known.
  void AfterDraw();

  // The horizontal extent for the rows visible now (see ComputeExtent).
  int ComputeExtent() const;
  void UpdateExtent();

 private:
  int tag_;
  ListBoxView* view_ = nullptr;
  std::vector<std::string> names_;
  int item_index_ = -1;
  int prev_index_ = -1;
  int cur_index_ = -1;
  bool extent_pending_ = true;
  int font_height_ = -13;
};

// ---- dragging entries

// A group list takes groups (reordering) and items (to another group); an item list only its own items.
bool AcceptsEntryDrop(int sourceTag, int targetTag);
// While dragging over a list: -1 scrolls it up one entry, 1 down, 0 not; `sourceFontSize` is the
// font size of the list the drag came from.
int DragAutoScrollStep(int y, int targetHeight, int sourceFontSize);

// The platform's signed font height of a list font sized in points (96 dots per inch).
int FontHeightOfPoints(int points);

}  // namespace mainwin
