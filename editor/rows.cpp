// The editor's row container.
#include "editor/rows.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace editor {

std::string ListIndexErrorMessage(int64_t index) {
  return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}

EListError::EListError(int64_t index) : std::out_of_range(ListIndexErrorMessage(index)) {}

void RowString::Assign(std::string_view s) {
  if (s.size() <= kInline) {
    // s may point into our own heap block: copy before releasing it.
    char tmp[kInline];
    std::memcpy(tmp, s.data(), s.size());
    Release();
    std::memset(raw_, 0, sizeof raw_);
    std::memcpy(raw_, tmp, s.size());
    raw_[15] = static_cast<char>(s.size());
    return;
  }
  if (s.size() > std::numeric_limits<uint32_t>::max()) throw std::length_error("row text too long");
  char* p = new char[s.size()];
  std::memcpy(p, s.data(), s.size());
  Release();
  const uint32_t n = static_cast<uint32_t>(s.size());
  std::memset(raw_, 0, sizeof raw_);
  std::memcpy(raw_, &p, sizeof p);
  std::memcpy(raw_ + 8, &n, sizeof n);
  raw_[15] = static_cast<char>(kHeapMark);
}

// --- TheStringList ---------------------------------------------------------------------------

TheStringList::TheStringList(const TheStringList& o) { *this = o; }

TheStringList& TheStringList::operator=(const TheStringList& o) {
  if (this == &o) return *this;
  DestroyAll();
  Reallocate(o.count_);
  for (int i = 0; i < o.count_; ++i) new (&items_[i]) TheStringItem(o.items_[i]);
  count_ = o.count_;
  ++layout_revision_;
  return *this;
}

TheStringList::TheStringList(TheStringList&& o) noexcept { *this = std::move(o); }

TheStringList& TheStringList::operator=(TheStringList&& o) noexcept {
  if (this == &o) return *this;
  DestroyAll();
  ::operator delete(items_);
  items_ = std::exchange(o.items_, nullptr);
  count_ = std::exchange(o.count_, 0);
  capacity_ = std::exchange(o.capacity_, 0);
  ++layout_revision_;
  ++o.layout_revision_;
  return *this;
}

TheStringList::~TheStringList() {
  DestroyAll();
  ::operator delete(items_);
}

void TheStringList::DestroyAll() {
  for (int i = 0; i < count_; ++i) items_[i].~TheStringItem();
  count_ = 0;
}

void TheStringList::Reallocate(int capacity) {
  // Records hold no pointers into themselves, so they are relocated bytewise.
  auto* fresh = capacity > 0 ? static_cast<TheStringItem*>(::operator new(sizeof(TheStringItem) * capacity)) : nullptr;
  if (count_ > 0 && fresh)
    std::memcpy(static_cast<void*>(fresh), static_cast<const void*>(items_), sizeof(TheStringItem) * count_);
  ::operator delete(items_);
  items_ = fresh;
  capacity_ = capacity;
}

void TheStringList::Grow() {
  int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  Reallocate(capacity_ + delta);
}

void TheStringList::SetCapacity(int capacity) {
  if (capacity < count_) throw EListError(capacity);
  if (capacity != capacity_) Reallocate(capacity);
}

void TheStringList::Reserve(int capacity) {
  if (capacity > capacity_) Reallocate(capacity);
}

void TheStringList::InsertBlank(int at, int n) {
  if (n <= 0) return;
  while (count_ + n > capacity_) {
    if (n == 1) {
      Grow();
    } else {
      Reallocate(std::max(count_ + n, capacity_ + capacity_ / 4));
    }
  }
  std::memmove(static_cast<void*>(items_ + at + n), static_cast<const void*>(items_ + at),
               sizeof(TheStringItem) * (count_ - at));
  for (int i = 0; i < n; ++i) new (&items_[at + i]) TheStringItem();
  count_ += n;
  ++layout_revision_;
}

void TheStringList::RemoveRows(int at, int n) {
  if (n <= 0) return;
  for (int i = 0; i < n; ++i) items_[at + i].~TheStringItem();
  std::memmove(static_cast<void*>(items_ + at), static_cast<const void*>(items_ + at + n),
               sizeof(TheStringItem) * (count_ - at - n));
  count_ -= n;
  ++layout_revision_;
}

void TheStringList::Resize(int n) {
  if (n > count_) {
    InsertBlank(count_, n - count_);
  } else if (n < count_) {
    RemoveRows(n, count_ - n);
  }
}

void TheStringList::TakeRows(TheStringList&& other) {
  if (&other == this) return;
  DestroyAll();
  ::operator delete(items_);
  items_ = std::exchange(other.items_, nullptr);
  count_ = std::exchange(other.count_, 0);
  capacity_ = std::exchange(other.capacity_, 0);
  ++layout_revision_;
  ++other.layout_revision_;
}

void TheStringList::Changing() {
  if (update_count_ == 0 && OnChanging) OnChanging();
}

void TheStringList::Changed() {
  if (update_count_ == 0 && OnChange) OnChange();
}

void TheStringList::EndUpdate() {
  if (update_count_ > 0) --update_count_;
  if (update_count_ == 0) Changed();
}

void TheStringList::Put(int i, std::string_view s) {
  CheckIndex(i);
  Changing();
  items_[i].Text.Assign(s);
  Changed();
}

int TheStringList::Add(std::string_view s) {
  Insert(count_, s);
  return count_ - 1;
}

void TheStringList::Insert(int i, std::string_view s) {
  if (i < 0 || i > count_) throw EListError(i);
  Changing();
  RowString text(s);  // before the insert: s may view one of our rows
  InsertBlank(i, 1);
  items_[i].Text = std::move(text);
  Changed();
}

void TheStringList::Delete(int i) {
  CheckIndex(i);
  Changing();
  RemoveRows(i, 1);
  Changed();
}

void TheStringList::Exchange(int i, int j) {
  CheckIndex(i);
  CheckIndex(j);
  Changing();
  std::swap(items_[i], items_[j]);
  ++layout_revision_;
  Changed();
}

void TheStringList::Clear() {
  if (count_ == 0 && capacity_ == 0) return;
  Changing();
  DestroyAll();
  Reallocate(0);
  ++layout_revision_;
  Changed();
}

// --- TRowAttributeStringList -----------------------------------------------------------------

void TRowAttributeStringList::SetRowAttr(int i, RowAttribute a) {
  CheckIndex(i);
  uint32_t& w = Rows()[i].StateWord;
  uint32_t nw = (w & ~3u) | (static_cast<uint32_t>(a) & 3u);
  if (nw != w) {
    w = nw;
    TouchLayout();
  }
}

void TRowAttributeStringList::SetStateWord(int i, uint32_t w) {
  CheckIndex(i);
  uint32_t& old = Rows()[i].StateWord;
  if ((old & 3u) != (w & 3u)) TouchLayout();
  old = w;
}

void TRowAttributeStringList::SetStateBits(int i, int shift, int width, uint32_t v) {
  CheckIndex(i);
  const uint32_t mask = ((width == 32 ? 0u : (1u << width)) - 1u) << shift;
  uint32_t& w = Rows()[i].StateWord;
  w = (w & ~mask) | ((v << shift) & mask);
}

void TRowAttributeStringList::SetMarkBits(int i, int shift, int width, uint32_t v) {
  CheckIndex(i);
  const uint32_t mask = ((width == 32 ? 0u : (1u << width)) - 1u) << shift;
  uint32_t& w = Rows()[i].MarkWord;
  w = (w & ~mask) | ((v << shift) & mask);
}

TRowAttributeData TRowAttributeStringList::RowData(int i) const {
  CheckIndex(i);
  const TheStringItem& r = Rows()[i];
  TRowAttributeData d;
  d.RowAttribute = static_cast<uint8_t>(r.StateWord & 3);
  d.PrevRowAttribute = static_cast<uint8_t>((r.StateWord >> 2) & 3);
  d.BracketIndex = static_cast<int32_t>((r.StateWord >> 4) & 0xF) - 2;
  d.ElementState = static_cast<int32_t>((r.StateWord >> 8) & 0xFF);
  d.RemainLength = static_cast<int32_t>((r.StateWord >> 16) & 0xFF);
  d.StateC = static_cast<int32_t>((r.StateWord >> 24) & 0xFF);
  d.ContinuedKind = static_cast<uint8_t>(r.MarkWord & 0xFF);
  d.StateE = static_cast<uint8_t>((r.MarkWord >> 8) & 0xFF);
  d.ElementText = std::string(r.ElementText.view());
  return d;
}

void TRowAttributeStringList::SetRowData(int i, const TRowAttributeData& d) {
  CheckIndex(i);
  TheStringItem& r = Rows()[i];
  const uint32_t w =
      (static_cast<uint32_t>(d.RowAttribute) & 3u) | ((static_cast<uint32_t>(d.PrevRowAttribute) & 3u) << 2) |
      ((static_cast<uint32_t>(d.BracketIndex + 2) & 0xFu) << 4) |
      ((static_cast<uint32_t>(d.ElementState) & 0xFFu) << 8) | ((static_cast<uint32_t>(d.RemainLength) & 0xFFu) << 16) |
      ((static_cast<uint32_t>(d.StateC) & 0xFFu) << 24);
  if ((r.StateWord & 3u) != (w & 3u)) TouchLayout();
  r.StateWord = w;
  r.MarkWord =
      (r.MarkWord & 0xFFFF0000u) | static_cast<uint32_t>(d.ContinuedKind) | (static_cast<uint32_t>(d.StateE) << 8);
  r.ElementText.Assign(d.ElementText);
}

// --- TEditorStringList -----------------------------------------------------------------------

void TEditorStringList::AddRow(std::string_view s, RowAttribute a) {
  RowString text(s);
  InsertBlank(Count(), 1);
  TheStringItem& r = Rows()[Count() - 1];
  r.Text = std::move(text);
  r.StateWord = static_cast<uint32_t>(a) & 3u;
}

}  // namespace editor
