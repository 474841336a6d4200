// Colouring tokenizers: cut one row of code page 932 text into tokens, starting from and ending in
// the parser state stored in the rows, so that brackets, quotations and tokens cut by word wrap
// carry over from row to row.
//
// Tokens are offsets into the text the tokenizer was pointed at; nothing is allocated per token or
// per row (rows joined with their wrapped successor reuse one buffer).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/rows.h"

namespace editor {

class TFountain;
class TEditorFountain;
class TFountainColor;

// Token kinds; the number is what the row state stores. 2, 5, 10 and 13 are never produced.
enum TokenKind : uint8_t {
  tkEnd = 0,
  tkSymbol = 1,
  tkInteger = 3,
  tkFloat = 4,
  tkBracket = 6,
  tkComment = 7,
  tkReserved = 8,
  tkTab = 9,
  tkAnk = 11,
  tkDbcsSymbol = 12,
  tkWideDigits = 14,
  tkWideAlpha = 15,
  tkHiragana = 16,
  tkKatakana = 17,
  tkKanji = 18,
  tkKanaSymbol = 19,
  tkKana = 20,
  tkUrl = 21,
  tkMail = 22,
  tkHex = 23,
  tkSingleQuoted = 24,
  tkDoubleQuoted = 25,
  tkQuotation = 26,
  tkControlDec = 27,
  tkControlHex = 28,
};
inline constexpr int kTokenKindCount = 29;

// "TFountainParser.Create need instance of TFountain"
inline constexpr std::string_view kParserNeedsFountainMessage = "TFountainParser.Create need instance of TFountain";

// Byte sets of the URL and mail readers.
bool IsUrlByte(unsigned char c);
bool IsMailByte(unsigned char c);

class TFountainParser {
 public:
  // Throws std::invalid_argument when `fountain` is null.
  explicit TFountainParser(TFountain* fountain);
  virtual ~TFountainParser() = default;
  TFountainParser(const TFountainParser&) = delete;
  TFountainParser& operator=(const TFountainParser&) = delete;

  TFountain* Fountain() const { return fountain_; }

  // Points the tokenizer at `text` (not copied: it must outlive the tokenizing) and loads a state.
  void SetState(std::string_view text, const TRowAttributeData& state);
  void SetState(const char* text, const TRowAttributeData& state) { SetState(std::string_view(text), state); }
  // A temporary would be gone before the first token.
  void SetState(std::string&&, const TRowAttributeData&) = delete;
  // The same for a row followed by the next row's text (copied into a reused buffer).
  void SetState(std::string_view row, std::string_view next, const TRowAttributeData& state);
  // With detection off no bracket starts and a stored open bracket is ignored (token queries).
  void SetBracketDetection(bool on) { brackets_on_ = on; }
  bool BracketDetection() const { return brackets_on_; }

  // Skips blanks and control bytes other than tab, reads one token and returns its kind (tkEnd at
  // the end of the text).
  int NextToken();
  int Token() const { return kind_; }
  int TokenStart() const { return tok_start_; }
  int TokenLength() const { return pos_ - tok_start_; }
  std::string_view TokenString() const {
    return {reinterpret_cast<const char*>(buf_) + tok_start_, static_cast<size_t>(pos_ - tok_start_)};
  }
  // The bracket pair open after the current token (-1 none).
  int BracketIndex() const { return bracket_; }
  // The pair of the last bracket token.
  int TokenBracketIndex() const { return token_bracket_; }
  // The current token continues one cut at the end of the previous row.
  bool IsContinued() const { return continued_; }

  bool IsReserved() const;
  void CheckReserved() {
    if (IsReserved()) kind_ = tkReserved;
  }
  // The colour of the current token, or null for the editor's defaults.
  virtual const TFountainColor* TokenColor() const;

  // Takes `state` from the start of `row` (its RowAttribute and PrevRowAttribute already set) to
  // the state at the row's end.
  void ComputeRowEnd(int row, const TRowAttributeStringList& rows, TRowAttributeData& state);

  // The current state (what the rows store).
  void GetState(TRowAttributeData& state) const;

 protected:
  struct AllowNoFountain {};
  TFountainParser(TFountain* fountain, AllowNoFountain);

  using Reader = void (TFountainParser::*)();

  // Reloads the copy of the definition's settings; derived tokenizers extend it.
  virtual void LoadDefinition();
  // Token start checks that come before the first-byte dispatch; called only when the first byte
  // is marked in start_checks_, with its marks. Returns true when a token was read.
  virtual bool ReadCheckedStart(uint8_t checks);

  bool TryBracket();
  // Readers. Each sets kind_ and advances pos_ from the token start.
  void ReadEnd();
  void ReadLineEnd();
  void ReadTab();
  void ReadSymbol();
  void ReadNumber();
  void ReadAnk();
  void ReadDbcsSymbol();
  void ReadWide();
  void ReadKanji();
  void ReadKanaSymbol();
  void ReadKana();
  void ReadSingleQuoted();
  void ReadDoubleQuoted();
  // Continuations (by kind, at the start of a row).
  void ContinueNone();
  void ContinueBracket();
  void ContinueComment();
  void ContinueNumber();
  void ContinueAnk();
  void ContinueReserved();
  void ContinueWide();
  void ContinueKanji();
  void ContinueKana();
  void ContinueUrl();
  void ContinueMail();
  void ContinueHex();
  void ContinueDec();
  void ContinueSingleQuoted();
  void ContinueDoubleQuoted();
  void ContinueQuotation();

  // Scans a quoted string body up to and including the closing `q` (a doubled `q` is part of it).
  void ScanQuoted(unsigned char q);
  // Locals, not members, in the loop: a byte load may alias pos_ as far as the compiler knows.
  void ScanWhile(const bool* set) {
    const unsigned char* b = buf_;
    int p = pos_;
    const int n = len_;
    while (p < n && set[b[p]]) ++p;
    pos_ = p;
  }
  // Class of the double-byte character at pos (tkWideDigits..tkKatakana, or tkDbcsSymbol).
  int WideClassAt(int pos) const;
  void ScanWideRun(int cls);
  void ScanKanjiRun();

  TFountain* fountain_;
  std::array<Reader, 256> method_table_{};
  std::array<Reader, kTokenKindCount> continue_table_{};
  // Per first byte, the token start checks that can match there (bits of StartCheck).
  enum StartCheck : uint8_t {
    kCheckBracket = 1,
    kCheckMail = 2,
    kCheckUrl = 4,
    kCheckComment = 8,
    kCheckQuotation = 16,
    kCheckControl = 32,
    kCheckHex = 64,
  };
  std::array<uint8_t, 256> start_checks_{};
  struct Pair {
    std::string left;
    std::string right;
  };
  std::vector<Pair> brackets_;
  uint64_t revision_ = ~uint64_t{0};

  // The text.
  const unsigned char* buf_ = nullptr;
  int len_ = 0;
  int pos_ = 0;
  std::string joined_;

  // The current token and state.
  int tok_start_ = 0;
  int kind_ = tkEnd;
  bool continued_ = false;
  int bracket_ = -1;
  int token_bracket_ = -1;
  int cont_kind_ = 0;
  int remain_ = 0;
  int element_state_ = 0;
  int state_c_ = 0;
  int state_e_ = 0;
  std::string element_text_;
  uint8_t row_attr_ = rowLineBreak;
  uint8_t prev_row_attr_ = rowLineBreak;
  bool brackets_on_ = true;
  // The quotation character (-1 none); set by tokenizers that have one.
  int quote_ = -1;
  // Start positions below this cannot begin a mail address: the scan from an earlier start failed
  // on the same run of mail bytes.
  int mail_fail_until_ = 0;
};

// The editor's tokenizer: URLs, mail addresses, comments, a quotation character, control codes
// and a hexadecimal prefix, as its TEditorFountain says.
class TEditorParser : public TFountainParser {
 public:
  explicit TEditorParser(TFountain* fountain);
  const TFountainColor* TokenColor() const override;

 protected:
  void LoadDefinition() override;
  bool ReadCheckedStart(uint8_t checks) override;

 private:
  bool TryMail();
  bool TryUrl();
  bool TryComment();
  bool TryQuotation();
  bool TryControlCode();
  bool TryHex();

  TEditorFountain* editor_fountain_ = nullptr;  // null when the definition is a plain TFountain
  bool mail_ = false;
  bool url_ = false;
  bool control_code_ = false;
  std::string commenter_;
  std::string hex_prefix_;
};

// A plain tokenizer without a definition: only the first-byte dispatch.
class TTokenParser : public TFountainParser {
 public:
  TTokenParser();
};

}  // namespace editor
