// Colouring tokenizers: first-byte dispatch, continued tokens, the editor's token start checks and
// the row-end state computation.
#include "editor/parser.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "codec/cp932.h"
#include "editor/fountain.h"

namespace editor {

namespace {

struct ByteSets {
  bool blank[256];  // skipped between tokens: 0x01-0x08, 0x0A-0x20
  bool digit[256];
  bool hex[256];
  bool ank[256];
  bool url[256];
  bool mail[256];
  bool kana[256];
  bool kanji_lead[256];
};

constexpr ByteSets MakeByteSets() {
  ByteSets s{};
  for (int c = 0; c < 256; ++c) {
    const bool digit = c >= '0' && c <= '9';
    const bool upper = c >= 'A' && c <= 'Z';
    const bool lower = c >= 'a' && c <= 'z';
    s.blank[c] = (c >= 0x01 && c <= 0x08) || (c >= 0x0A && c <= 0x20);
    s.digit[c] = digit;
    s.hex[c] = digit || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    s.ank[c] = digit || upper || lower || c == '_';
    s.url[c] = digit || upper || lower || c == '_' || c == '#' || c == '%' || c == '&' || c == '+' || c == '-' ||
               c == '.' || c == '/' || c == ':' || c == '=' || c == '?' || c == '~';
    s.mail[c] = digit || upper || lower || c == '_' || c == '!' || c == '$' || c == '%' || c == '&' || c == '*' ||
                c == ',' || c == '-' || c == '.' || c == '/' || c == ';' || c == '=' || c == '?' || c == '@' ||
                c == '^' || c == '~';
    s.kana[c] = c >= 0xA6 && c <= 0xDF;
    s.kanji_lead[c] = (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  }
  return s;
}

constexpr ByteSets kSets = MakeByteSets();

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Characters that continue (but never start) a run: "，" "．" in full-width numbers, "ー" "－" in
// hiragana and katakana.
bool ExtendsRun(int cls, unsigned char lead, unsigned char trail) {
  if (lead != 0x81) return false;
  if (cls == tkWideDigits) return trail == 0x43 || trail == 0x44;
  if (cls == tkHiragana || cls == tkKatakana) return trail == 0x5B || trail == 0x7C;
  return false;
}

}  // namespace

bool IsUrlByte(unsigned char c) { return kSets.url[c]; }
bool IsMailByte(unsigned char c) { return kSets.mail[c]; }

// ---- Construction and dispatch tables

TFountainParser::TFountainParser(TFountain* fountain) : TFountainParser(fountain, AllowNoFountain{}) {
  if (!fountain) throw std::invalid_argument(std::string(kParserNeedsFountainMessage));
}

TFountainParser::TFountainParser(TFountain* fountain, AllowNoFountain) : fountain_(fountain) {
  for (int c = 0; c < 256; ++c) {
    Reader r = &TFountainParser::ReadSymbol;
    if (c == 0x00)
      r = &TFountainParser::ReadEnd;
    else if (c == 0x09)
      r = &TFountainParser::ReadTab;
    else if (c == 0x0A || c == 0x0D)
      r = &TFountainParser::ReadLineEnd;
    else if (kSets.digit[c])
      r = &TFountainParser::ReadNumber;
    else if (kSets.ank[c])
      r = &TFountainParser::ReadAnk;
    else if (c == 0x81 || (c >= 0x84 && c <= 0x87))
      r = &TFountainParser::ReadDbcsSymbol;
    else if (c == 0x82 || c == 0x83)
      r = &TFountainParser::ReadWide;
    else if (kSets.kanji_lead[c])
      r = &TFountainParser::ReadKanji;
    else if (c >= 0xA1 && c <= 0xA5)
      r = &TFountainParser::ReadKanaSymbol;
    else if (kSets.kana[c])
      r = &TFountainParser::ReadKana;
    method_table_[c] = r;
  }
  continue_table_.fill(&TFountainParser::ContinueNone);
  continue_table_[tkInteger] = &TFountainParser::ContinueNumber;
  continue_table_[tkFloat] = &TFountainParser::ContinueNumber;
  continue_table_[tkBracket] = &TFountainParser::ContinueBracket;
  continue_table_[tkComment] = &TFountainParser::ContinueComment;
  continue_table_[tkReserved] = &TFountainParser::ContinueReserved;
  continue_table_[tkAnk] = &TFountainParser::ContinueAnk;
  continue_table_[tkWideDigits] = &TFountainParser::ContinueWide;
  continue_table_[tkWideAlpha] = &TFountainParser::ContinueWide;
  continue_table_[tkHiragana] = &TFountainParser::ContinueWide;
  continue_table_[tkKatakana] = &TFountainParser::ContinueWide;
  continue_table_[tkKanji] = &TFountainParser::ContinueKanji;
  continue_table_[tkKana] = &TFountainParser::ContinueKana;
  continue_table_[tkUrl] = &TFountainParser::ContinueUrl;
  continue_table_[tkMail] = &TFountainParser::ContinueMail;
  continue_table_[tkHex] = &TFountainParser::ContinueHex;
  continue_table_[tkControlHex] = &TFountainParser::ContinueHex;
  continue_table_[tkControlDec] = &TFountainParser::ContinueDec;
  continue_table_[tkSingleQuoted] = &TFountainParser::ContinueSingleQuoted;
  continue_table_[tkDoubleQuoted] = &TFountainParser::ContinueDoubleQuoted;
  continue_table_[tkQuotation] = &TFountainParser::ContinueQuotation;
}

void TFountainParser::LoadDefinition() {
  start_checks_.fill(0);
  brackets_.clear();
  if (!fountain_) return;
  const auto& coll = fountain_->Brackets();
  for (size_t i = 0; i < coll.Count(); ++i) {
    const auto& item = coll[static_cast<int>(i)];
    brackets_.push_back({item.LeftBracket(), item.RightBracket()});
    // A pair without both texts never matches.
    if (!item.LeftBracket().empty() && !item.RightBracket().empty())
      start_checks_[static_cast<unsigned char>(item.LeftBracket()[0])] |= kCheckBracket;
  }
}

// ---- State

void TFountainParser::SetState(std::string_view text, const TRowAttributeData& state) {
  if (fountain_ && fountain_->Revision() != revision_) {
    LoadDefinition();
    revision_ = fountain_->Revision();
  }
  buf_ = reinterpret_cast<const unsigned char*>(text.data());
  len_ = static_cast<int>(text.size());
  pos_ = 0;
  tok_start_ = 0;
  kind_ = tkEnd;
  continued_ = false;
  mail_fail_until_ = 0;
  const int pairs = static_cast<int>(brackets_.size());
  bracket_ = (brackets_on_ && state.BracketIndex >= 0 && state.BracketIndex < pairs) ? state.BracketIndex : -1;
  token_bracket_ = -1;
  cont_kind_ = state.ContinuedKind < kTokenKindCount ? state.ContinuedKind : 0;
  remain_ = cont_kind_ ? std::max(0, state.RemainLength) : 0;
  if (cont_kind_ == tkBracket && bracket_ < 0) cont_kind_ = remain_ = 0;
  element_state_ = state.ElementState;
  state_c_ = state.StateC;
  state_e_ = state.StateE;
  element_text_ = state.ElementText;
  row_attr_ = state.RowAttribute;
  prev_row_attr_ = state.PrevRowAttribute;
}

void TFountainParser::SetState(std::string_view row, std::string_view next, const TRowAttributeData& state) {
  if (next.empty()) {
    SetState(row, state);
    return;
  }
  joined_.assign(row);
  joined_.append(next);
  SetState(std::string_view(joined_), state);
}

void TFountainParser::GetState(TRowAttributeData& state) const {
  state.RowAttribute = row_attr_;
  state.PrevRowAttribute = prev_row_attr_;
  state.BracketIndex = bracket_;
  state.ElementState = element_state_;
  state.RemainLength = remain_;
  state.StateC = state_c_;
  state.ContinuedKind = static_cast<uint8_t>(cont_kind_);
  state.StateE = static_cast<uint8_t>(state_e_);
  state.ElementText = element_text_;
}

// ---- Tokens

int TFountainParser::NextToken() {
  continued_ = false;
  if (cont_kind_ != 0) {
    // A token cut at the end of the previous row: it starts at the row start, blanks included.
    const int k = cont_kind_;
    const int r = remain_;
    cont_kind_ = 0;
    remain_ = 0;
    tok_start_ = pos_;
    kind_ = k;
    if (r > 0) {
      pos_ = std::min(len_, pos_ + r);
      if (k == tkBracket) {
        token_bracket_ = bracket_;
        bracket_ = -1;
      }
    } else {
      (this->*continue_table_[k])();
      if (k != tkReserved) kind_ = k;
    }
    if (pos_ > tok_start_) {
      continued_ = true;
      return kind_;
    }
  }
  ScanWhile(kSets.blank);
  tok_start_ = pos_;
  if (pos_ >= len_) {
    kind_ = tkEnd;
    return tkEnd;
  }
  if (bracket_ >= 0) {
    ContinueBracket();
    return kind_;
  }
  const unsigned char c = buf_[pos_];
  if (start_checks_[c] && ReadCheckedStart(start_checks_[c])) return kind_;
  (this->*method_table_[c])();
  return kind_;
}

bool TFountainParser::ReadCheckedStart(uint8_t checks) { return (checks & kCheckBracket) && TryBracket(); }

bool TFountainParser::TryBracket() {
  if (!brackets_on_) return false;
  const size_t rest = static_cast<size_t>(len_ - pos_);
  for (size_t i = 0; i < brackets_.size(); ++i) {
    const Pair& p = brackets_[i];
    if (p.left.empty() || p.right.empty() || p.left.size() > rest) continue;
    if (std::memcmp(buf_ + pos_, p.left.data(), p.left.size()) != 0) continue;
    bracket_ = static_cast<int>(i);
    pos_ += static_cast<int>(p.left.size());
    ContinueBracket();
    return true;
  }
  return false;
}

void TFountainParser::ContinueBracket() {
  kind_ = tkBracket;
  token_bracket_ = bracket_;
  if (bracket_ < 0 || bracket_ >= static_cast<int>(brackets_.size())) {
    pos_ = len_;
    return;
  }
  const std::string& right = brackets_[bracket_].right;
  const size_t n = right.size();
  const unsigned char first = n ? static_cast<unsigned char>(right[0]) : 0;
  int i = pos_;
  while (i < len_) {
    if (n && buf_[i] == first && static_cast<size_t>(len_ - i) >= n && std::memcmp(buf_ + i, right.data(), n) == 0) {
      pos_ = i + static_cast<int>(n);
      bracket_ = -1;
      return;
    }
    i += codec::IsLeadByte(buf_[i]) ? 2 : 1;
  }
  pos_ = len_;  // still open: the next row continues inside it
}

void TFountainParser::ReadEnd() { kind_ = tkEnd; }

void TFountainParser::ReadLineEnd() {
  kind_ = tkEnd;
  if (buf_[pos_] == 0x0D && pos_ + 1 < len_ && buf_[pos_ + 1] == 0x0A) ++pos_;
  ++pos_;
}

void TFountainParser::ReadTab() {
  kind_ = tkTab;
  ++pos_;
}

void TFountainParser::ReadSymbol() {
  kind_ = tkSymbol;
  ++pos_;
}

void TFountainParser::ReadNumber() {
  kind_ = tkInteger;
  ContinueNumber();
}

void TFountainParser::ContinueNumber() {
  ScanWhile(kSets.digit);
  if (pos_ + 1 < len_ && buf_[pos_] == '.' &&
      (kSets.digit[buf_[pos_ + 1]] || buf_[pos_ + 1] == 'E' || buf_[pos_ + 1] == 'e')) {
    kind_ = tkFloat;
    ++pos_;
    ScanWhile(kSets.digit);
  }
  if (pos_ < len_ && (buf_[pos_] == 'E' || buf_[pos_] == 'e')) {
    kind_ = tkFloat;
    ++pos_;
    if (pos_ < len_ && (buf_[pos_] == '+' || buf_[pos_] == '-')) ++pos_;
    ScanWhile(kSets.digit);
  }
}

void TFountainParser::ReadAnk() {
  kind_ = tkAnk;
  ++pos_;
  ScanWhile(kSets.ank);
}

void TFountainParser::ContinueAnk() { ScanWhile(kSets.ank); }

void TFountainParser::ReadDbcsSymbol() {
  kind_ = tkDbcsSymbol;
  pos_ = std::min(len_, pos_ + 2);
}

int TFountainParser::WideClassAt(int pos) const {
  if (pos + 1 >= len_) return tkDbcsSymbol;
  const unsigned char lead = buf_[pos];
  const unsigned char t = buf_[pos + 1];
  if (lead == 0x82) {
    if (t >= 0x4F && t <= 0x58) return tkWideDigits;
    if ((t >= 0x60 && t <= 0x79) || (t >= 0x81 && t <= 0x9A)) return tkWideAlpha;
    if (t >= 0x9F && t <= 0xF1) return tkHiragana;
  } else if (lead == 0x83) {
    if (t >= 0x40 && t <= 0x96) return tkKatakana;
  }
  return tkDbcsSymbol;
}

void TFountainParser::ScanWideRun(int cls) {
  while (pos_ + 1 < len_) {
    const unsigned char lead = buf_[pos_];
    if ((lead == 0x82 || lead == 0x83) && WideClassAt(pos_) == cls) {
      pos_ += 2;
    } else if (ExtendsRun(cls, lead, buf_[pos_ + 1])) {
      pos_ += 2;
    } else {
      break;
    }
  }
}

void TFountainParser::ReadWide() {
  const int cls = WideClassAt(pos_);
  if (cls == tkDbcsSymbol) {
    ReadDbcsSymbol();
    return;
  }
  kind_ = cls;
  pos_ += 2;
  ScanWideRun(cls);
}

void TFountainParser::ContinueWide() { ScanWideRun(kind_); }

void TFountainParser::ScanKanjiRun() {
  const unsigned char* b = buf_;
  int p = pos_;
  const int n = len_;
  while (p < n && kSets.kanji_lead[b[p]]) p += 2;
  pos_ = std::min(p, n);
}

void TFountainParser::ReadKanji() {
  kind_ = tkKanji;
  ScanKanjiRun();
}

void TFountainParser::ContinueKanji() { ScanKanjiRun(); }

void TFountainParser::ReadKanaSymbol() {
  kind_ = tkKanaSymbol;
  ++pos_;
}

void TFountainParser::ReadKana() {
  kind_ = tkKana;
  ScanWhile(kSets.kana);
}

void TFountainParser::ContinueKana() { ScanWhile(kSets.kana); }

void TFountainParser::ScanQuoted(unsigned char q) {
  while (pos_ < len_) {
    const unsigned char c = buf_[pos_];
    if (c == q) {
      if (pos_ + 1 < len_ && buf_[pos_ + 1] == q) {
        pos_ += 2;
        continue;
      }
      ++pos_;
      return;
    }
    pos_ = std::min(len_, pos_ + (codec::IsLeadByte(c) ? 2 : 1));
  }
}

void TFountainParser::ReadSingleQuoted() {
  kind_ = tkSingleQuoted;
  ++pos_;
  ScanQuoted('\'');
}

void TFountainParser::ReadDoubleQuoted() {
  kind_ = tkDoubleQuoted;
  ++pos_;
  ScanQuoted('"');
}

void TFountainParser::ContinueNone() {}
void TFountainParser::ContinueComment() { pos_ = len_; }
void TFountainParser::ContinueUrl() { ScanWhile(kSets.url); }
void TFountainParser::ContinueMail() { ScanWhile(kSets.mail); }
void TFountainParser::ContinueHex() { ScanWhile(kSets.hex); }
void TFountainParser::ContinueDec() { ScanWhile(kSets.digit); }
void TFountainParser::ContinueSingleQuoted() { ScanQuoted('\''); }
void TFountainParser::ContinueDoubleQuoted() { ScanQuoted('"'); }

void TFountainParser::ContinueQuotation() {
  if (quote_ >= 0) ScanQuoted(static_cast<unsigned char>(quote_));
}

void TFountainParser::ContinueReserved() {
  // The rest of a reserved word: a run of whatever class it continues with.
  if (pos_ < len_) (this->*method_table_[buf_[pos_]])();
  kind_ = tkReserved;
}

// ---- Reserved words and colours

bool TFountainParser::IsReserved() const {
  if (continued_ || kind_ == tkEnd || kind_ == tkBracket || kind_ == tkComment) return false;
  return fountain_ && fountain_->IsReserveWord(TokenString());
}

const TFountainColor* TFountainParser::TokenColor() const {
  if (!fountain_) return nullptr;
  if (kind_ == tkReserved || IsReserved()) return &fountain_->Reserve();
  if (kind_ == tkBracket && token_bracket_ >= 0 && token_bracket_ < static_cast<int>(fountain_->Brackets().Count()))
    return &fountain_->Brackets()[token_bracket_].ItemColor;
  return nullptr;
}

// ---- Row end state

void TFountainParser::ComputeRowEnd(int row, const TRowAttributeStringList& rows, TRowAttributeData& state) {
  const bool wrapped = state.RowAttribute == rowWrapped;
  if (state.ContinuedKind == tkComment) {
    if (!wrapped) state.ContinuedKind = 0;
    state.RemainLength = 0;
    return;
  }
  const std::string_view text = rows.GetView(row);
  // A blank row leaves the state as it is, unless a cut token continues into it: that token must
  // still end with the row (or go on with the wrap).
  if (state.ContinuedKind == 0 && text.find_first_not_of(' ') == std::string_view::npos) return;

  const bool has_next = wrapped && row + 1 < rows.Count();
  const std::string_view next = has_next ? rows.GetView(row + 1) : std::string_view();
  SetState(text, next, state);
  const int row_end = static_cast<int>(text.size());

  bool any = false;
  bool cut = false;
  int last_start = 0;
  int last_kind = tkEnd;
  int last_pair = -1;
  while (NextToken() != tkEnd) {
    any = true;
    state.BracketIndex = bracket_;
    last_start = tok_start_;
    last_kind = kind_;
    last_pair = token_bracket_;
    if (pos_ > row_end) {
      cut = true;
      break;
    }
    state.ElementState = element_state_;
    state.StateE = static_cast<uint8_t>(state_e_);
  }
  state.ContinuedKind = 0;
  state.RemainLength = 0;
  if (!any) return;
  if (last_start >= row_end) {
    state.BracketIndex = -1;
    return;
  }
  if (!cut) return;

  const int beyond = pos_ - row_end;
  // The row field holds 0..255; a longer rest continues by kind instead.
  auto remain = [](int n) { return n <= 255 ? n : 0; };
  if (last_kind == tkBracket) {
    if (bracket_ < 0) {
      // Closed in the next row: it is still open at that row's start.
      state.BracketIndex = last_pair;
      const size_t right =
          (last_pair >= 0 && last_pair < static_cast<int>(brackets_.size())) ? brackets_[last_pair].right.size() : 0;
      if (static_cast<size_t>(beyond) < right) {
        // The closing text itself is cut: the next row must not search for it again.
        state.ContinuedKind = tkBracket;
        state.RemainLength = beyond;
      }
    }
    return;
  }
  CheckReserved();
  state.ContinuedKind = static_cast<uint8_t>(kind_);
  if (kind_ == tkComment) return;
  const bool to_text_end = pos_ >= len_;
  const bool next_wrapped = has_next && rows.RowAttr(row + 1) == rowWrapped;
  state.RemainLength = (to_text_end && next_wrapped) ? 0 : remain(beyond);
}

// ---- TEditorParser

TEditorParser::TEditorParser(TFountain* fountain)
    : TFountainParser(fountain), editor_fountain_(dynamic_cast<TEditorFountain*>(fountain)) {}

void TEditorParser::LoadDefinition() {
  TFountainParser::LoadDefinition();
  mail_ = url_ = control_code_ = false;
  quote_ = -1;
  commenter_.clear();
  hex_prefix_.clear();
  if (!editor_fountain_) return;
  const TEditorFountain& f = *editor_fountain_;
  mail_ = f.Mail();
  url_ = f.Url();
  control_code_ = f.ControlCode();
  commenter_ = f.Commenter();
  hex_prefix_ = f.HexPrefix();
  // Half of a double-byte character is not a character: such a quotation is ignored.
  if (!f.Quotation().empty() && !codec::IsLeadByte(static_cast<unsigned char>(f.Quotation()[0])))
    quote_ = static_cast<unsigned char>(f.Quotation()[0]);
  if (mail_)
    for (int c = 0; c < 256; ++c)
      if (kSets.mail[c] && c != '@') start_checks_[c] |= kCheckMail;
  if (url_)
    for (unsigned char c : {'h', 'f', 'w'}) start_checks_[c] |= kCheckUrl;
  if (!commenter_.empty()) start_checks_[static_cast<unsigned char>(commenter_[0])] |= kCheckComment;
  if (quote_ >= 0) start_checks_[quote_] |= kCheckQuotation;
  if (control_code_) start_checks_['#'] |= kCheckControl;
  if (!hex_prefix_.empty()) {
    const unsigned char c = static_cast<unsigned char>(hex_prefix_[0]);
    start_checks_[c] |= kCheckHex;
    if (c >= 'A' && c <= 'Z') start_checks_[c + 32] |= kCheckHex;
    if (c >= 'a' && c <= 'z') start_checks_[c - 32] |= kCheckHex;
  }
}

bool TEditorParser::ReadCheckedStart(uint8_t checks) {
  // In the order of precedence; each check runs only where its first byte can match.
  return ((checks & kCheckBracket) && TryBracket()) || ((checks & kCheckMail) && TryMail()) ||
         ((checks & kCheckUrl) && TryUrl()) || ((checks & kCheckComment) && TryComment()) ||
         ((checks & kCheckQuotation) && TryQuotation()) || ((checks & kCheckControl) && TryControlCode()) ||
         ((checks & kCheckHex) && TryHex());
}

bool TEditorParser::TryMail() {
  if (!mail_ || pos_ < mail_fail_until_) return false;
  const unsigned char c = buf_[pos_];
  if (!kSets.mail[c] || c == '@') return false;
  bool at = false;
  int q = pos_;
  for (; q < len_ && kSets.mail[buf_[q]]; ++q) {
    if (buf_[q] == '@') {
      at = true;
    } else if (buf_[q] == '.' && at) {
      kind_ = tkMail;
      pos_ = q + 1;
      ScanWhile(kSets.mail);
      return true;
    }
  }
  mail_fail_until_ = q;
  return false;
}

bool TEditorParser::TryUrl() {
  if (!url_) return false;
  const unsigned char* p = buf_ + pos_;
  const int rest = len_ - pos_;
  auto at = [&](int i, char c) { return i < rest && p[i] == static_cast<unsigned char>(c); };
  int n = 0;
  if (p[0] == 'h') {
    if (at(1, 't') && at(2, 't') && at(3, 'p')) n = at(4, ':') ? 5 : (at(4, 's') && at(5, ':')) ? 6 : 0;
  } else if (p[0] == 'f') {
    if (at(1, 't') && at(2, 'p') && at(3, ':')) n = 4;
  } else if (p[0] == 'w') {
    if (at(1, 'w') && at(2, 'w') && at(3, '.')) n = 4;
  }
  if (n == 0) return false;
  kind_ = tkUrl;
  pos_ += n;
  ScanWhile(kSets.url);
  return true;
}

bool TEditorParser::TryComment() {
  const size_t n = commenter_.size();
  if (n == 0 || n > static_cast<size_t>(len_ - pos_) || std::memcmp(buf_ + pos_, commenter_.data(), n) != 0)
    return false;
  kind_ = tkComment;
  pos_ = len_;
  return true;
}

bool TEditorParser::TryQuotation() {
  if (quote_ < 0 || buf_[pos_] != quote_) return false;
  kind_ = tkQuotation;
  ++pos_;
  ScanQuoted(static_cast<unsigned char>(quote_));
  return true;
}

bool TEditorParser::TryControlCode() {
  if (!control_code_ || buf_[pos_] != '#') return false;
  if (pos_ + 1 < len_ && buf_[pos_ + 1] == '$') {
    kind_ = tkControlHex;
    pos_ += 2;
    ScanWhile(kSets.hex);
  } else {
    kind_ = tkControlDec;
    ++pos_;
    ScanWhile(kSets.digit);
  }
  return true;
}

bool TEditorParser::TryHex() {
  const size_t n = hex_prefix_.size();
  if (n == 0 || n > static_cast<size_t>(len_ - pos_)) return false;
  for (size_t i = 0; i < n; ++i)
    if (FoldAscii(buf_[pos_ + i]) != FoldAscii(static_cast<unsigned char>(hex_prefix_[i]))) return false;
  kind_ = tkHex;
  pos_ += static_cast<int>(n);
  ScanWhile(kSets.hex);
  return true;
}

const TFountainColor* TEditorParser::TokenColor() const {
  if (!editor_fountain_) return TFountainParser::TokenColor();
  if (kind_ == tkReserved || IsReserved()) return &editor_fountain_->Reserve();
  const TEditorColors& c = editor_fountain_->Colors();
  switch (kind_) {
    case tkSymbol: return &c.Symbol;
    case tkInteger:
    case tkFloat:
    case tkHex: return &c.Int;
    case tkBracket: return TFountainParser::TokenColor();
    case tkComment: return &c.Comment;
    case tkAnk: return &c.Ank;
    case tkDbcsSymbol:
    case tkWideDigits:
    case tkWideAlpha:
    case tkHiragana:
    case tkKatakana:
    case tkKanji:
    case tkKanaSymbol:
    case tkKana: return &c.DBCS;
    case tkUrl: return &c.Url;
    case tkMail: return &c.Mail;
    case tkQuotation:
    case tkControlDec:
    case tkControlHex: return &c.Str;
    default: return nullptr;
  }
}

// ---- TTokenParser

TTokenParser::TTokenParser() : TFountainParser(nullptr, AllowNoFountain{}) {}

}  // namespace editor
