// TListBox_kor on Qt: a list view whose rows are drawn by the list-drawing rules, selection
// changes reported to the core list (which owns PrevIndex/CurIndex and the notification), and
// entries dragged within and between the two lists. Files dropped on it go on to its parent.
#pragma once

#include <QListView>
#include <QPoint>
#include <QStringListModel>
#include <functional>
#include <utility>

#include "editorsettings/listlook.h"
#include "mainwin/listbox.h"

namespace mainwin::qt {

class TListBox_kor : public QListView, public ListBoxView {
  Q_OBJECT

 public:
  // The colour and style of the entry at a row (the store's), for drawing.
  using EntryStyle = std::function<std::pair<store::TColor, uint8_t>(int row)>;

  TListBox_kor(ListBoxKor& core, EntryStyle entryStyle, QWidget* parent = nullptr);
  ~TListBox_kor() override;

  ListBoxKor& Core() { return core_; }
  int Tag() const { return core_.Tag(); }

  // The settings the rows are drawn with; repaints.
  void SetLook(const editorsettings::ListLook& look);
  const editorsettings::ListLook& Look() const { return look_; }
  const QFont& ListFont() const { return font_; }
  int RowHeightNow() const;
  int HorizontalExtent() const { return extent_; }

  // ListBoxView
  void SetRows(const std::vector<std::string>& names) override;
  void ShowSelection(int row) override;
  int TopRow() const override;
  void SetTopRow(int row) override;
  int ClientHeight() const override;
  int TextWidth(const std::string& cp932) const override;
  void SetHorizontalExtent(int pixels) override;
  void Repaint() override;

  // The entry under a point of the viewport, -1 below the last one.
  int RowAt(const QPoint& viewportPos) const;

 signals:
  void entryDoubleClicked(int tag);
  // An entry of `sourceTag`'s list was dropped on row `target` (-1: below the last).
  void entryDropped(int sourceTag, int targetTag, int target, bool ctrl);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  class Delegate;
  friend class Delegate;
  // The list an entry drag came from, when it is one of ours.
  TListBox_kor* SourceOf(const QDropEvent* e) const;

  ListBoxKor& core_;
  EntryStyle entry_style_;
  QStringListModel model_;
  Delegate* delegate_;
  editorsettings::ListLook look_;
  QFont font_;
  int extent_ = 0;
  bool showing_ = false;
  QPoint press_pos_;
  bool press_armed_ = false;
};

// The mime type of an entry being dragged between the lists.
inline constexpr const char* kEntryMimeType = "application/x-sorametext-entry";

}  // namespace mainwin::qt
