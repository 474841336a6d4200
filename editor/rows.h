// The editor's row container: screen rows with packed per-row parser state, row attribute and
// bookmark bits. Documents hold millions of rows, so one row record is five machine words.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace editor {

// How a screen row ends (two bits per row).
enum RowAttribute : uint8_t {
  rowLineBreak = 0,  // ends a logical line followed by "\r\n"
  rowWrapped = 1,    // the logical line continues on the next row
  rowTextEnd = 2,    // ends the text, no line break follows
  rowNone = 3,       // answer for a row that does not exist
};

// "リストのインデックスが範囲を超えています (%d)"
std::string ListIndexErrorMessage(int64_t index);

// A row index (or a capacity) out of range.
class EListError : public std::out_of_range {
 public:
  explicit EListError(int64_t index);
  explicit EListError(const std::string& message) : std::out_of_range(message) {}
};

// Owned code page 932 bytes in 16 bytes: up to 15 bytes inline (no heap allocation for short
// rows), longer texts in an exactly sized heap block. All-zero bytes are the empty string, and the
// object holds no pointer into itself, so the row list may move records with memmove.
class RowString {
 public:
  RowString() noexcept { std::memset(raw_, 0, sizeof raw_); }
  RowString(std::string_view s) : RowString() { Assign(s); }  // NOLINT(google-explicit-constructor)
  RowString(const RowString& o) : RowString() { Assign(o.view()); }
  RowString(RowString&& o) noexcept {
    std::memcpy(raw_, o.raw_, sizeof raw_);
    std::memset(o.raw_, 0, sizeof o.raw_);
  }
  RowString& operator=(const RowString& o) {
    if (this != &o) Assign(o.view());
    return *this;
  }
  RowString& operator=(RowString&& o) noexcept {
    if (this != &o) {
      Release();
      std::memcpy(raw_, o.raw_, sizeof raw_);
      std::memset(o.raw_, 0, sizeof o.raw_);
    }
    return *this;
  }
  RowString& operator=(std::string_view s) {
    Assign(s);
    return *this;
  }
  ~RowString() { Release(); }

  void Assign(std::string_view s);
  void clear() {
    Release();
    std::memset(raw_, 0, sizeof raw_);
  }

  const char* data() const { return OnHeap() ? heap_ptr() : raw_; }
  size_t size() const { return OnHeap() ? heap_size() : static_cast<unsigned char>(raw_[15]); }
  bool empty() const { return size() == 0; }
  std::string_view view() const { return {data(), size()}; }
  operator std::string_view() const { return view(); }  // NOLINT(google-explicit-constructor)
  std::string str() const { return std::string(view()); }

  friend bool operator==(const RowString& a, const RowString& b) { return a.view() == b.view(); }
  friend bool operator==(const RowString& a, std::string_view b) { return a.view() == b; }

 private:
  static constexpr size_t kInline = 15;
  static constexpr unsigned char kHeapMark = 0xFF;
  bool OnHeap() const { return static_cast<unsigned char>(raw_[15]) == kHeapMark; }
  char* heap_ptr() const {
    char* p;
    std::memcpy(&p, raw_, sizeof p);
    return p;
  }
  uint32_t heap_size() const {
    uint32_t n;
    std::memcpy(&n, raw_ + 8, sizeof n);
    return n;
  }
  void Release() {
    if (OnHeap()) delete[] heap_ptr();
  }
  // Inline: bytes in raw_[0..14], length in raw_[15]. Heap: pointer in raw_[0..7], length in
  // raw_[8..11], raw_[15] = kHeapMark.
  char raw_[16];
};

// The parser state text carried to the next row; almost always empty, so it costs one pointer.
class ElementString {
 public:
  ElementString() = default;
  ElementString(const ElementString& o) : p_(o.p_ ? new std::string(*o.p_) : nullptr) {}
  ElementString(ElementString&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  ElementString& operator=(const ElementString& o) {
    if (this != &o) Assign(o.view());
    return *this;
  }
  ElementString& operator=(ElementString&& o) noexcept {
    if (this != &o) {
      delete p_;
      p_ = o.p_;
      o.p_ = nullptr;
    }
    return *this;
  }
  ~ElementString() { delete p_; }

  void Assign(std::string_view s) {
    if (s.empty()) {
      delete p_;
      p_ = nullptr;
    } else if (p_) {
      p_->assign(s);
    } else {
      p_ = new std::string(s);
    }
  }
  std::string_view view() const { return p_ ? std::string_view(*p_) : std::string_view(); }
  bool empty() const { return p_ == nullptr; }
  friend bool operator==(const ElementString& a, const ElementString& b) { return a.view() == b.view(); }

 private:
  std::string* p_ = nullptr;
};

// One row. StateWord bits: 0-1 row attribute, 2-3 preceding row's attribute, 4-7 bracket index + 2,
// 8-15 element state, 16-23 continued-token remaining length, 24-31 state C. MarkWord bits: 0-7
// continued-token kind, 8-15 state E, 16-31 bookmarks 0..15.
struct TheStringItem {
  RowString Text;
  ElementString ElementText;
  int32_t Tag = 0;
  uint32_t StateWord = 0;
  uint32_t MarkWord = 0;
};
static_assert(sizeof(TheStringItem) <= 5 * sizeof(void*), "a row record is five machine words");

// The unpacked parser state of one row, as the colouring parser exchanges it.
struct TRowAttributeData {
  uint8_t RowAttribute = rowLineBreak;
  uint8_t PrevRowAttribute = rowLineBreak;
  int32_t BracketIndex = -1;
  int32_t ElementState = 0;
  int32_t RemainLength = 0;
  int32_t StateC = 0;
  uint8_t ContinuedKind = 0;
  uint8_t StateE = 0;
  std::string ElementText;

  friend bool operator==(const TRowAttributeData&, const TRowAttributeData&) = default;
};

// An ordered growable array of rows, with the string-list interface. Indexes are 0-based and
// checked; a bad index raises EListError. OnChanging/OnChange fire only outside update brackets.
class TheStringList {
 public:
  TheStringList() = default;
  TheStringList(const TheStringList& o);
  TheStringList& operator=(const TheStringList& o);
  TheStringList(TheStringList&& o) noexcept;
  TheStringList& operator=(TheStringList&& o) noexcept;
  virtual ~TheStringList();

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  // Reallocates; a capacity below Count raises EListError instead of dropping rows.
  void SetCapacity(int capacity);

  std::string Get(int i) const { return std::string(GetView(i)); }
  // Valid until row i changes.
  std::string_view GetView(int i) const {
    CheckIndex(i);
    return items_[i].Text.view();
  }
  void Put(int i, std::string_view s);
  int Add(std::string_view s);
  void Insert(int i, std::string_view s);
  void Delete(int i);
  void Exchange(int i, int j);
  virtual void Clear();

  int32_t Tag(int i) const {
    CheckIndex(i);
    return items_[i].Tag;
  }
  void SetTag(int i, int32_t tag) {
    CheckIndex(i);
    items_[i].Tag = tag;
  }
  const TheStringItem& Item(int i) const {
    CheckIndex(i);
    return items_[i];
  }

  void BeginUpdate() { ++update_count_; }
  virtual void EndUpdate();
  int UpdateCount() const { return update_count_; }

  // Bumped whenever the row count or a row attribute changes: cached line layouts compare it.
  uint64_t LayoutRevision() const { return layout_revision_; }

  std::function<void()> OnChanging;
  std::function<void()> OnChange;

 protected:
  virtual void Changing();
  virtual void Changed();
  void CheckIndex(int i) const {
    if (i < 0 || i >= count_) throw EListError(i);
  }
  // Unchecked, unnotified primitives for the descendants' bulk operations.
  TheStringItem* Rows() { return items_; }
  const TheStringItem* Rows() const { return items_; }
  void InsertBlank(int at, int n);  // n empty rows at `at`, growing by the capacity rule
  void RemoveRows(int at, int n);
  void Resize(int n);          // grow with empty rows or drop rows at the end
  void Reserve(int capacity);  // at least this capacity
  void TouchLayout() { ++layout_revision_; }
  // Takes over all rows of `other` (which is left empty); no notification.
  void TakeRows(TheStringList&& other);

 private:
  void Grow();
  void Reallocate(int capacity);
  void DestroyAll();

  TheStringItem* items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
  int update_count_ = 0;
  uint64_t layout_revision_ = 0;
};

// The row list with the packed accessors of the per-row state.
class TRowAttributeStringList : public TheStringList {
 public:
  using TheStringList::TheStringList;

  RowAttribute RowAttr(int i) const { return static_cast<RowAttribute>(StateWordOf(i) & 3); }
  void SetRowAttr(int i, RowAttribute a);
  RowAttribute PrevRowAttr(int i) const { return static_cast<RowAttribute>((StateWordOf(i) >> 2) & 3); }
  void SetPrevRowAttr(int i, RowAttribute a) { SetStateBits(i, 2, 2, a); }
  // -2 = state not computed, -1 = no bracket open.
  int BracketIndex(int i) const { return static_cast<int>((StateWordOf(i) >> 4) & 0xF) - 2; }
  void SetBracketIndex(int i, int index) { SetStateBits(i, 4, 4, static_cast<uint32_t>(index + 2)); }
  int ElementState(int i) const { return static_cast<int>((StateWordOf(i) >> 8) & 0xFF); }
  void SetElementState(int i, int v) { SetStateBits(i, 8, 8, static_cast<uint32_t>(v)); }
  int RemainLength(int i) const { return static_cast<int>((StateWordOf(i) >> 16) & 0xFF); }
  void SetRemainLength(int i, int v) { SetStateBits(i, 16, 8, static_cast<uint32_t>(v)); }
  int StateC(int i) const { return static_cast<int>((StateWordOf(i) >> 24) & 0xFF); }
  void SetStateC(int i, int v) { SetStateBits(i, 24, 8, static_cast<uint32_t>(v)); }
  int ContinuedKind(int i) const { return static_cast<int>(MarkWordOf(i) & 0xFF); }
  void SetContinuedKind(int i, int v) { SetMarkBits(i, 0, 8, static_cast<uint32_t>(v)); }
  int StateE(int i) const { return static_cast<int>((MarkWordOf(i) >> 8) & 0xFF); }
  void SetStateE(int i, int v) { SetMarkBits(i, 8, 8, static_cast<uint32_t>(v)); }
  // Bookmark n is bit n.
  uint16_t Marks(int i) const { return static_cast<uint16_t>(MarkWordOf(i) >> 16); }
  void SetMarks(int i, uint16_t bits) { SetMarkBits(i, 16, 16, bits); }
  std::string ElementText(int i) const {
    CheckIndex(i);
    return std::string(Rows()[i].ElementText.view());
  }
  void SetElementText(int i, std::string_view s) {
    CheckIndex(i);
    Rows()[i].ElementText.Assign(s);
  }
  uint32_t StateWord(int i) const { return StateWordOf(i); }
  void SetStateWord(int i, uint32_t w);
  uint32_t MarkWord(int i) const { return MarkWordOf(i); }
  void SetMarkWord(int i, uint32_t w) {
    CheckIndex(i);
    Rows()[i].MarkWord = w;
  }

  TRowAttributeData RowData(int i) const;
  // Writes every parser field and the row attributes; the bookmark bits stay.
  void SetRowData(int i, const TRowAttributeData& d);

 protected:
  uint32_t StateWordOf(int i) const {
    CheckIndex(i);
    return Rows()[i].StateWord;
  }
  uint32_t MarkWordOf(int i) const {
    CheckIndex(i);
    return Rows()[i].MarkWord;
  }
  void SetStateBits(int i, int shift, int width, uint32_t v);
  void SetMarkBits(int i, int shift, int width, uint32_t v);
};

// Temporary row lists: results of wrapping, copies of selections.
class TEditorStringList : public TRowAttributeStringList {
 public:
  using TRowAttributeStringList::TRowAttributeStringList;

  // Appends a row with the given attribute (everything else zero); no notification.
  void AddRow(std::string_view s, RowAttribute a);

  friend class TEditorScreenStrings;
};

}  // namespace editor
