// Colouring definitions: colours, bracket pairs, reserved words, options and their notifications.
#include "editor/fountain.h"

#include <algorithm>
#include <utility>

#include "codec/cp932.h"
#include "editor/parser.h"
#include "editor/updatescope.h"

namespace editor {

// ---- TFountainColor

void TFountainColor::Assign(const TFountainColor& src) {
  UpdateScope update(*this);
  SetBkColor(src.bk_color_);
  SetColor(src.color_);
  SetStyle(src.style_);
}

void TFountainColor::Describe(store::PropertyVisitor& v) {
  v.Colour("BkColor",
           store::IntRef([this] { return bk_color_; }, [this](int64_t x) { SetBkColor(static_cast<TColor>(x)); }));
  v.Colour("Color", store::IntRef([this] { return color_; }, [this](int64_t x) { SetColor(static_cast<TColor>(x)); }));
  v.Set("Style", store::IntRef([this] { return style_; }, [this](int64_t x) { SetStyle(static_cast<uint8_t>(x)); }),
        store::kFontStyleNames);
}

// ---- Bracket items and collections

TFountainColorItem::TFountainColorItem() {
  ItemColor.OnChange = [this] { Changed(); };
}

void TFountainColorItem::Describe(store::PropertyVisitor& v) { v.Object("ItemColor", ItemColor); }

void TFountainBracketItem::SetLeftBracket(std::string s) {
  if (s != left_) {
    left_ = std::move(s);
    Changed();
  }
}

void TFountainBracketItem::SetRightBracket(std::string s) {
  if (s != right_) {
    right_ = std::move(s);
    Changed();
  }
}

void TFountainBracketItem::Assign(const TFountainBracketItem& src) {
  // The owning collection brackets this, so one notification reaches the definition.
  ItemColor.Assign(src.ItemColor);
  SetLeftBracket(src.left_);
  SetRightBracket(src.right_);
}

void TFountainBracketItem::Describe(store::PropertyVisitor& v) {
  // Inherited properties come first in the stored form.
  TFountainColorItem::Describe(v);
  v.String("LeftBracket", store::StrRef([this]() -> const std::string& { return left_; },
                                        [this](std::string&& s) { SetLeftBracket(std::move(s)); }));
  v.String("RightBracket", store::StrRef([this]() -> const std::string& { return right_; },
                                         [this](std::string&& s) { SetRightBracket(std::move(s)); }));
}

std::string BracketLimitMessage() {
  return "TFountainBracketCollection\r\nYou can not add item over " +
         std::to_string(TFountainBracketCollection::kMaxItems);
}

TFountainBracketItem& TFountainBracketCollection::Add() {
  if (static_cast<int>(items_.size()) >= kMaxItems) throw std::length_error(BracketLimitMessage());
  auto& item = *items_.emplace_back(std::make_unique<TFountainBracketItem>());
  item.OnChange = [this] { Changed(); };
  Changed();
  return item;
}

TFountainBracketItem& TFountainBracketCollection::Add(std::string left, std::string right) {
  UpdateScope update(*this);
  auto& item = Add();
  item.SetLeftBracket(std::move(left));
  item.SetRightBracket(std::move(right));
  return item;
}

void TFountainBracketCollection::Delete(int i) {
  (void)items_.at(i);  // range check: throws before erase() could run past the end
  items_.erase(items_.begin() + i);
  Changed();
}

void TFountainBracketCollection::ClearItems() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TFountainBracketCollection::Assign(const TFountainBracketCollection& src) {
  if (&src == this) return;
  UpdateScope update(*this);
  items_.clear();
  pending_ = true;
  for (const auto& s : src.items_) Add().Assign(*s);
}

void TFountainBracketCollection::EndUpdate() {
  if (--update_count_ == 0 && pending_) {
    pending_ = false;
    if (OnChange) OnChange();
  }
}

void TFountainBracketCollection::Changed() {
  if (update_count_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange();
}

void TEditorBracketCollection::SetBkColor(TColor c) {
  UpdateScope update(*this);
  for (size_t i = 0; i < Count(); ++i) (*this)[static_cast<int>(i)].ItemColor.SetBkColor(c);
}

void TEditorBracketCollection::SetColor(TColor c) {
  UpdateScope update(*this);
  for (size_t i = 0; i < Count(); ++i) (*this)[static_cast<int>(i)].ItemColor.SetColor(c);
}

void TEditorBracketCollection::SetStyle(uint8_t s) {
  UpdateScope update(*this);
  for (size_t i = 0; i < Count(); ++i) (*this)[static_cast<int>(i)].ItemColor.SetStyle(s);
}

// ---- Reserved words

namespace {

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

}  // namespace

int CompareReserveWord(std::string_view a, std::string_view b) {
  // While the prefixes compare equal both strings have the same lead/trail structure, so one flag
  // tells whether the byte at i is a trail byte, which must never be folded.
  const size_t n = std::min(a.size(), b.size());
  bool trail = false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (trail) {
      trail = false;
    } else {
      trail = codec::IsLeadByte(x);
      x = FoldAscii(x);
      y = FoldAscii(y);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// ---- TFountain

TFountain::TFountain() : TFountain(std::make_unique<TFountainBracketCollection>()) {}

TFountain::TFountain(std::unique_ptr<TFountainBracketCollection> brackets) : brackets_(std::move(brackets)) {
  brackets_->OnChange = [this] { NotifyChanged(); };
  reserve_.OnChange = [this] { NotifyChanged(); };
}

TFountain::~TFountain() { AnnounceDestroying(); }

void TFountain::AnnounceDestroying() {
  if (destroying_) return;
  destroying_ = true;
  Notify(FountainEvent::Destroying);
}

void TFountain::NormalizeReserveWords() const {
  words_unchecked_ = false;
  auto less = [](const std::string& a, const std::string& b) { return CompareReserveWord(a, b) < 0; };
  auto same = [](const std::string& a, const std::string& b) { return CompareReserveWord(a, b) == 0; };
  if (std::is_sorted(reserve_words_.begin(), reserve_words_.end(), less) &&
      std::adjacent_find(reserve_words_.begin(), reserve_words_.end(), same) == reserve_words_.end())
    return;
  // Stable, so the first of several spellings of one word is the one kept.
  std::stable_sort(reserve_words_.begin(), reserve_words_.end(), less);
  reserve_words_.erase(std::unique(reserve_words_.begin(), reserve_words_.end(), same), reserve_words_.end());
}

void TFountain::SetReserveWordList(std::vector<std::string> words) {
  reserve_words_ = std::move(words);
  NormalizeReserveWords();
  NotifyChanged();
}

void TFountain::AddReserveWord(std::string word) {
  CheckReserveWords();
  auto it = std::lower_bound(reserve_words_.begin(), reserve_words_.end(), word,
                             [](const std::string& a, const std::string& b) { return CompareReserveWord(a, b) < 0; });
  if (it != reserve_words_.end() && CompareReserveWord(*it, word) == 0) return;
  reserve_words_.insert(it, std::move(word));
  NotifyChanged();
}

bool TFountain::IsReserveWord(std::string_view word) const {
  CheckReserveWords();
  if (reserve_words_.empty() || word.empty()) return false;
  auto it = std::lower_bound(reserve_words_.begin(), reserve_words_.end(), word,
                             [](const std::string& a, std::string_view b) { return CompareReserveWord(a, b) < 0; });
  return it != reserve_words_.end() && CompareReserveWord(*it, word) == 0;
}

int TFountain::Subscribe(std::function<void(FountainEvent)> fn) {
  subscribers_.push_back({next_id_, std::move(fn)});
  return next_id_++;
}

void TFountain::Unsubscribe(int id) {
  std::erase_if(subscribers_, [id](const Subscriber& s) { return s.id == id; });
}

void TFountain::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0 && pending_) {
    pending_ = false;
    Notify(FountainEvent::Changed);
  }
}

void TFountain::NotifyChanged() {
  ++revision_;
  if (destroying_) return;
  if (update_count_ > 0) {
    pending_ = true;
    return;
  }
  Notify(FountainEvent::Changed);
}

void TFountain::Notify(FountainEvent e) {
  // A subscriber may unsubscribe from inside its callback.
  auto copy = subscribers_;
  for (auto& s : copy)
    if (s.fn) s.fn(e);
}

TFountainParserClass TFountain::ParserClass() const {
  return [](TFountain* f) -> std::unique_ptr<TFountainParser> { return std::make_unique<TFountainParser>(f); };
}

std::unique_ptr<TFountainParser> TFountain::CreateParser() { return ParserClass()(this); }

bool TFountain::HasItalicFontStyle() const {
  if (reserve_.Style() & store::fsItalic) return true;
  for (size_t i = 0; i < brackets_->Count(); ++i)
    if ((*brackets_)[static_cast<int>(i)].ItemColor.Style() & store::fsItalic) return true;
  return false;
}

void TFountain::Describe(store::PropertyVisitor& v) {
  store::Component::Describe(v);
  v.StringList("FileExtList", FileExtList);
  v.Collection("Brackets", *brackets_);
  v.Object("Reserve", reserve_);
  // A reader fills the list as stored, during this call or right after it; the order the lookups
  // need is restored on the next use.
  v.StringList("ReserveWordList", reserve_words_);
  words_unchecked_ = true;
}

// ---- TEditorColors

TEditorColors::TEditorColors() : reserve_(&own_reserve_) { Init(); }

TEditorColors::TEditorColors(TFountain& owner) : reserve_(&owner.Reserve()), owner_(&owner) { Init(); }

void TEditorColors::Init() {
  {
    UpdateScope update(Select);
    Select.SetBkColor(store::clNavy);
    Select.SetColor(store::clWhite);
  }
  for (TEditorColor* c : Members())
    if (c != reserve_ || !owner_) c->OnChange = [this] { Changed(); };
}

std::array<TEditorColor*, 11> TEditorColors::Members() {
  return {&Ank, &Comment, &DBCS, &Hit, &Int, &Mail, reserve_, &Select, &Str, &Symbol, &Url};
}

std::array<const TEditorColor*, 11> TEditorColors::Members() const {
  return {&Ank, &Comment, &DBCS, &Hit, &Int, &Mail, reserve_, &Select, &Str, &Symbol, &Url};
}

void TEditorColors::Assign(const TEditorColors& src) {
  if (&src == this) return;
  // Reserve belongs to the definition, which notifies by itself: bracket both.
  UpdateScope ownerUpdate(owner_);
  UpdateScope update(*this);
  auto dst = Members();
  auto from = src.Members();
  for (size_t i = 0; i < dst.size(); ++i) dst[i]->Assign(*from[i]);
}

void TEditorColors::SetMainValues() {
  using namespace store;
  struct Main {
    TEditorColor* member;
    TColor bk;
    TColor color;
  };
  const Main table[] = {
      {&Ank, clNone, clNone}, {&Comment, clNone, clMaroon}, {&DBCS, clNone, clNone},   {&Hit, clSilver, clBlue},
      {&Int, clNone, clNone}, {&Mail, clNone, clGreen},     {reserve_, clNone, clRed}, {&Select, clNavy, clWhite},
      {&Str, clNone, clNone}, {&Symbol, clNone, clNone},    {&Url, clNone, clBlue},
  };
  UpdateScope ownerUpdate(owner_);
  UpdateScope update(*this);
  for (const Main& m : table) {
    m.member->SetBkColor(m.bk);
    m.member->SetColor(m.color);
    m.member->SetStyle(0);
  }
}

void TEditorColors::Describe(store::PropertyVisitor& v) {
  static constexpr std::string_view kNames[] = {"Ank",     "Comment", "DBCS", "Hit",    "Int", "Mail",
                                                "Reserve", "Select",  "Str",  "Symbol", "Url"};
  auto members = Members();
  for (size_t i = 0; i < members.size(); ++i) v.Object(kNames[i], *members[i]);
}

// ---- TEditorFountain

TEditorFountain::TEditorFountain() : TFountain(std::make_unique<TEditorBracketCollection>()), colors_(*this) {
  colors_.OnChange = [this] { NotifyChanged(); };
}

void TEditorFountain::SetCommenter(std::string_view s) {
  if (s != commenter_) {
    commenter_ = s;
    NotifyChanged();
  }
}

void TEditorFountain::SetControlCode(bool b) {
  if (b != control_code_) {
    control_code_ = b;
    NotifyChanged();
  }
}

void TEditorFountain::SetHexPrefix(std::string_view s) {
  if (s != hex_prefix_) {
    hex_prefix_ = s;
    NotifyChanged();
  }
}

void TEditorFountain::SetMail(bool b) {
  if (b != mail_) {
    mail_ = b;
    NotifyChanged();
  }
}

void TEditorFountain::SetQuotation(std::string_view s) {
  if (s != quotation_) {
    quotation_ = s;
    NotifyChanged();
  }
}

void TEditorFountain::SetUrl(bool b) {
  if (b != url_) {
    url_ = b;
    NotifyChanged();
  }
}

template <class F>
void TEditorFountain::ForPaintColours(F&& f) {
  UpdateScope update(*this);
  UpdateScope colorsUpdate(colors_);
  for (TEditorColor* c : colors_.Members())
    if (c != &colors_.Select && c != &colors_.Hit) f(*c);
}

void TEditorFountain::SetBkColor(TColor c) {
  ForPaintColours([c](TEditorColor& m) { m.SetBkColor(c); });
}

void TEditorFountain::SetColor(TColor c) {
  ForPaintColours([c](TEditorColor& m) { m.SetColor(c); });
}

void TEditorFountain::SetStyle(uint8_t s) {
  ForPaintColours([s](TEditorColor& m) { m.SetStyle(s); });
}

TFountainParserClass TEditorFountain::ParserClass() const {
  return [](TFountain* f) -> std::unique_ptr<TFountainParser> { return std::make_unique<TEditorParser>(f); };
}

bool TEditorFountain::HasItalicFontStyle() const {
  if (TFountain::HasItalicFontStyle()) return true;
  for (const TEditorColor* c : colors_.Members())
    if (c->Style() & store::fsItalic) return true;
  return false;
}

void TEditorFountain::Describe(store::PropertyVisitor& v) {
  TFountain::Describe(v);
  v.Object("Colors", colors_);
  v.String("Commenter", store::StrRef([this]() -> const std::string& { return commenter_; },
                                      [this](std::string&& s) { SetCommenter(s); }));
  v.Boolean("ControlCode",
            store::IntRef([this] { return control_code_; }, [this](int64_t b) { SetControlCode(b != 0); }));
  v.String("HexPrefix", store::StrRef([this]() -> const std::string& { return hex_prefix_; },
                                      [this](std::string&& s) { SetHexPrefix(s); }));
  v.Boolean("Mail", store::IntRef([this] { return mail_; }, [this](int64_t b) { SetMail(b != 0); }));
  v.String("Quotation", store::StrRef([this]() -> const std::string& { return quotation_; },
                                      [this](std::string&& s) { SetQuotation(s); }));
  v.Boolean("Url", store::IntRef([this] { return url_; }, [this](int64_t b) { SetUrl(b != 0); }));
}

}  // namespace editor
