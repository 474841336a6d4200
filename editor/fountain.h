// Colouring definitions: which constructs the tokenizer recognises and the colour each one gets.
//
// A definition notifies its subscribers (editors, printers) once per change, or once per update
// bracket, so that they recompute their row states and repaint.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/notifypersistent.h"
#include "store/colors.h"
#include "store/persistent.h"

namespace editor {

using store::TColor;

class TFountain;
class TFountainParser;

// Colour, background and font style of one token class. clNone means "the editor's own".
class TFountainColor : public TNotifyPersistent {
 public:
  TFountainColor() = default;
  TFountainColor(TColor bk, TColor color, uint8_t style = 0) : bk_color_(bk), color_(color), style_(style) {}
  TFountainColor(const TFountainColor&) = delete;
  TFountainColor& operator=(const TFountainColor&) = delete;

  TColor BkColor() const { return bk_color_; }
  TColor Color() const { return color_; }
  // Bits of store::FontStyle.
  uint8_t Style() const { return style_; }
  void SetBkColor(TColor c) { SetValue(bk_color_, c); }
  void SetColor(TColor c) { SetValue(color_, c); }
  void SetStyle(uint8_t s) { SetValue(style_, static_cast<uint8_t>(s & 0x0F)); }
  // Copies the three values and notifies once.
  void Assign(const TFountainColor& src);
  bool SameValues(const TFountainColor& o) const {
    return bk_color_ == o.bk_color_ && color_ == o.color_ && style_ == o.style_;
  }

  std::string_view ClassName() const override { return "TFountainColor"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  TColor bk_color_ = store::clNone;
  TColor color_ = store::clNone;
  uint8_t style_ = 0;
};

// The members of TEditorColors are the same class.
using TEditorColor = TFountainColor;

// A collection item that carries a colour.
class TFountainColorItem : public store::Persistent {
 public:
  TFountainColorItem();
  ~TFountainColorItem() override = default;
  TFountainColor ItemColor;
  // Set by the owning collection.
  std::function<void()> OnChange;

  std::string_view ClassName() const override { return "TFountainColorItem"; }
  void Describe(store::PropertyVisitor& v) override;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
};

// A bracket pair: the text from LeftBracket to RightBracket is one token in ItemColor.
class TFountainBracketItem : public TFountainColorItem {
 public:
  const std::string& LeftBracket() const { return left_; }
  const std::string& RightBracket() const { return right_; }
  void SetLeftBracket(std::string s);
  void SetRightBracket(std::string s);
  void Assign(const TFountainBracketItem& src);

  std::string_view ClassName() const override { return "TFountainBracketItem"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  std::string left_;
  std::string right_;
};

// At most 14 pairs: the row state keeps the open bracket index in 4 bits.
class TFountainBracketCollection : public store::CollectionRef {
 public:
  static constexpr int kMaxItems = 14;

  TFountainBracketCollection() = default;
  TFountainBracketCollection(const TFountainBracketCollection&) = delete;
  TFountainBracketCollection& operator=(const TFountainBracketCollection&) = delete;

  std::function<void()> OnChange;

  TFountainBracketItem& operator[](int i) { return *items_.at(i); }
  const TFountainBracketItem& operator[](int i) const { return *items_.at(i); }
  // Throws std::length_error when the collection is full.
  TFountainBracketItem& Add();
  TFountainBracketItem& Add(std::string left, std::string right);
  void Delete(int i);
  void ClearItems();
  void Assign(const TFountainBracketCollection& src);

  void BeginUpdate() { ++update_count_; }
  void EndUpdate();

  // store::CollectionRef
  size_t Count() const override { return items_.size(); }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  store::Persistent& Item(size_t i) override { return *items_.at(i); }
  void Clear() override { ClearItems(); }
  store::Persistent& Append() override { return Add(); }

 protected:
  void Changed();

 private:
  std::vector<std::unique_ptr<TFountainBracketItem>> items_;
  int update_count_ = 0;
  bool pending_ = false;
};

// The message of a refused 15th pair.
std::string BracketLimitMessage();

// Adds operations that change every pair's colour at once (one notification).
class TEditorBracketCollection : public TFountainBracketCollection {
 public:
  void SetBkColor(TColor c);
  void SetColor(TColor c);
  void SetStyle(uint8_t s);
};

// What a subscriber hears from its definition.
enum class FountainEvent { Changed, Destroying };

// Creates a tokenizer bound to a definition.
using TFountainParserClass = std::unique_ptr<TFountainParser> (*)(TFountain*);

class TFountain : public store::Component {
 public:
  TFountain();
  ~TFountain() override;
  TFountain(const TFountain&) = delete;
  TFountain& operator=(const TFountain&) = delete;

  TFountainBracketCollection& Brackets() { return *brackets_; }
  const TFountainBracketCollection& Brackets() const { return *brackets_; }
  TFountainColor& Reserve() { return reserve_; }
  const TFountainColor& Reserve() const { return reserve_; }

  // Sorted without regard to ASCII case; duplicates (in that sense) are dropped.
  const std::vector<std::string>& ReserveWordList() const {
    CheckReserveWords();
    return reserve_words_;
  }
  void SetReserveWordList(std::vector<std::string> words);
  void AddReserveWord(std::string word);
  // Case-insensitive for ASCII letters; double-byte characters compare byte for byte.
  bool IsReserveWord(std::string_view word) const;

  // Not used by the editor; kept for the stored form.
  std::vector<std::string> FileExtList;

  // Subscribers are called once per change, or once at the end of an update bracket.
  int Subscribe(std::function<void(FountainEvent)> fn);
  void Unsubscribe(int id);
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  // Bumped on every change; tokenizers compare it to reload their copy of the settings.
  uint64_t Revision() const { return revision_; }

  virtual TFountainParserClass ParserClass() const;
  std::unique_ptr<TFountainParser> CreateParser();

  // Any colour of the definition has fsItalic (the view then paints in italic mode).
  virtual bool HasItalicFontStyle() const;

  std::string_view ClassName() const override { return "TFountain"; }
  void Describe(store::PropertyVisitor& v) override;

 protected:
  explicit TFountain(std::unique_ptr<TFountainBracketCollection> brackets);
  void NotifyChanged();
  // Tells the subscribers once; the most derived destructor calls it while the whole object is
  // still intact.
  void AnnounceDestroying();

 private:
  void Notify(FountainEvent e);
  void NormalizeReserveWords() const;
  void CheckReserveWords() const {
    if (words_unchecked_) NormalizeReserveWords();
  }

  std::unique_ptr<TFountainBracketCollection> brackets_;
  TFountainColor reserve_;
  // Mutable: the record reader may fill the list after Describe has returned, so the order is
  // checked again on the next use.
  mutable std::vector<std::string> reserve_words_;
  mutable bool words_unchecked_ = false;
  struct Subscriber {
    int id;
    std::function<void(FountainEvent)> fn;
  };
  std::vector<Subscriber> subscribers_;
  int next_id_ = 1;
  int update_count_ = 0;
  bool pending_ = false;
  bool destroying_ = false;
  uint64_t revision_ = 0;
};

// Three-way comparison used to sort and look up reserved words.
int CompareReserveWord(std::string_view a, std::string_view b);

// The eleven colours per token class. Reserve is the definition's own reserved-word colour.
class TEditorColors : public TNotifyPersistent {
 public:
  // Standalone (a working copy) keeps its own Reserve; inside a definition it uses the
  // definition's.
  TEditorColors();
  explicit TEditorColors(TFountain& owner);
  TEditorColors(const TEditorColors&) = delete;
  TEditorColors& operator=(const TEditorColors&) = delete;

  TEditorColor Ank;
  TEditorColor Comment;
  TEditorColor DBCS;
  TEditorColor Hit;
  TEditorColor Int;
  TEditorColor Mail;
  TEditorColor& Reserve() { return *reserve_; }
  const TEditorColor& Reserve() const { return *reserve_; }
  TEditorColor Select;
  TEditorColor Str;
  TEditorColor Symbol;
  TEditorColor Url;

  // Copies all eleven members and notifies once.
  void Assign(const TEditorColors& src);
  // The values the main window's editor starts from.
  void SetMainValues();
  // Every member in stored order.
  std::array<TEditorColor*, 11> Members();
  std::array<const TEditorColor*, 11> Members() const;

  std::string_view ClassName() const override { return "TEditorColors"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  void Init();
  TEditorColor own_reserve_;
  TEditorColor* reserve_;
  TFountain* owner_ = nullptr;
};

// The editor's colouring definition.
class TEditorFountain : public TFountain {
 public:
  TEditorFountain();
  ~TEditorFountain() override { AnnounceDestroying(); }

  TEditorBracketCollection& Brackets() { return static_cast<TEditorBracketCollection&>(TFountain::Brackets()); }
  const TEditorBracketCollection& Brackets() const {
    return static_cast<const TEditorBracketCollection&>(TFountain::Brackets());
  }
  TEditorColors& Colors() { return colors_; }
  const TEditorColors& Colors() const { return colors_; }

  const std::string& Commenter() const { return commenter_; }
  bool ControlCode() const { return control_code_; }
  const std::string& HexPrefix() const { return hex_prefix_; }
  bool Mail() const { return mail_; }
  const std::string& Quotation() const { return quotation_; }
  bool Url() const { return url_; }
  void SetCommenter(std::string_view s);
  void SetControlCode(bool b);
  void SetHexPrefix(std::string_view s);
  void SetMail(bool b);
  void SetQuotation(std::string_view s);
  void SetUrl(bool b);

  // Every Colors member except Select and Hit, with one notification.
  void SetBkColor(TColor c);
  void SetColor(TColor c);
  void SetStyle(uint8_t s);

  TFountainParserClass ParserClass() const override;
  bool HasItalicFontStyle() const override;

  std::string_view ClassName() const override { return "TEditorFountain"; }
  void Describe(store::PropertyVisitor& v) override;

 private:
  template <class F>
  void ForPaintColours(F&& f);

  TEditorColors colors_;
  std::string commenter_;
  bool control_code_ = false;
  std::string hex_prefix_;
  bool mail_ = false;
  std::string quotation_;
  bool url_ = false;
};

}  // namespace editor
