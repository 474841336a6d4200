#include "mainwin/listbox.h"

#include <algorithm>
#include <cstdlib>

#include "store/errors.h"

namespace mainwin {

void ListBoxKor::SetView(ListBoxView* view) {
  view_ = view;
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(item_index_);
  }
}

void ListBoxKor::SetItemIndex(int i) {
  if (i < -1 || i >= Count())
    throw store::Error("リストのインデックスが範囲を超えています (" + std::to_string(i) + ")");
  if (i != item_index_) {
    item_index_ = i;
    if (view_) view_->ShowSelection(i);
  }
  Click();
}

void ListBoxKor::Click() {
  if (ClickCancel) return;
  if (item_index_ != cur_index_) {
    prev_index_ = cur_index_;
    cur_index_ = item_index_;
    if (OnClick) OnClick();
  }
  UpdateExtent();
}

void ListBoxKor::DropSelection() {
  item_index_ = -1;
  if (view_) view_->ShowSelection(-1);
}

void ListBoxKor::Reset(const std::vector<std::string>& names, int sel) {
  names_ = names;
  if (sel < -1 || sel >= Count()) sel = -1;
  item_index_ = prev_index_ = cur_index_ = sel;
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(sel);
  }
  UpdateExtent();
}

void ListBoxKor::UserSelected(int row) {
  if (row < -1 || row >= Count()) row = -1;
  item_index_ = row;
  Click();
}

void ListBoxKor::Clear() {
  names_.clear();
  item_index_ = prev_index_ = cur_index_ = -1;
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(-1);
  }
}

void ListBoxKor::SetItems(const std::vector<std::string>& names) {
  names_ = names;
  if (item_index_ >= Count()) item_index_ = -1;
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(item_index_);
  }
}

void ListBoxKor::MoveItem(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count()) return;
  std::string name = std::move(names_[static_cast<size_t>(from)]);
  names_.erase(names_.begin() + from);
  names_.insert(names_.begin() + to, std::move(name));
  if (item_index_ == from) item_index_ = to;
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(item_index_);
  }
}

void ListBoxKor::RemoveItem(int i) {
  if (i < 0 || i >= Count()) return;
  names_.erase(names_.begin() + i);
  if (item_index_ == i) {
    item_index_ = -1;
  } else if (item_index_ > i) {
    --item_index_;
  }
  if (view_) {
    view_->SetRows(names_);
    view_->ShowSelection(item_index_);
  }
}

void ListBoxKor::MakeTopVisible(int row) {
  if (view_ && row >= 0 && row < Count()) view_->SetTopRow(row);
}

void ListBoxKor::AfterDraw() {
  if (!extent_pending_) return;
  int extent = ComputeExtent();
  if (extent > 0) {
    if (view_) view_->SetHorizontalExtent(extent);
    extent_pending_ = false;
  }
}

int ListBoxKor::ComputeExtent() const {
  if (!view_ || names_.empty()) return 0;
  // Rows per client height as the platform list counts them; a font whose height makes the
  // divisor 0 would divide by zero, so at least 1.
  const int divisor = std::max(1, std::abs(font_height_ + 4));
  const int n = view_->ClientHeight() / divisor;
  const int top = std::clamp(view_->TopRow(), 0, Count() - 1);
  const int last = std::min(top + n - 1, Count() - 1);
  int widest = 0;
  for (int r = top; r <= last; ++r) {
    const std::string& name = names_[static_cast<size_t>(r)];
    if (view_->TextWidth(name) > widest) widest = view_->TextWidth(name + " ");
  }
  return widest;
}

void ListBoxKor::UpdateExtent() {
  if (view_) view_->SetHorizontalExtent(ComputeExtent());
}

// ---- dragging entries

bool AcceptsEntryDrop(int sourceTag, int targetTag) { return sourceTag == kItemListTag || sourceTag == targetTag; }

int DragAutoScrollStep(int y, int targetHeight, int sourceFontSize) {
  const int half = sourceFontSize / 2;
  if (y <= half + 1) return -1;
  if (y >= targetHeight - (half + 4)) return 1;
  return 0;
}

int FontHeightOfPoints(int points) { return -((points * 96 + 36) / 72); }

}  // namespace mainwin
