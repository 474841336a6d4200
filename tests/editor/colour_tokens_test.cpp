// Cutting one text into colouring tokens: kinds, runs, numbers, URLs, mail addresses, strings,
// brackets, reserved words and token colours.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "codec/cp932.h"
#include "editor/fountain.h"
#include "editor/parser.h"

namespace editor {
namespace {

// Code page 932 bytes of a UTF-8 literal.
std::string Sj(std::string_view utf8) {
  auto e = codec::Utf8ToCp932(utf8);
  EXPECT_EQ(e.replaced, 0) << utf8;
  return e.bytes;
}

using TokenList = std::vector<std::pair<std::string, int>>;

TokenList Tokens(TFountainParser& p, std::string_view text, const TRowAttributeData& state = {}) {
  TokenList out;
  p.SetState(text, state);
  while (p.NextToken() != tkEnd) out.emplace_back(std::string(p.TokenString()), p.Token());
  return out;
}

struct Case {
  const char* name;
  std::string text;
  TokenList expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class PlainTokens : public testing::TestWithParam<Case> {};

TEST_P(PlainTokens, CutAsDescribed) {
  TTokenParser p;
  EXPECT_EQ(Tokens(p, GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PlainTokens,
    testing::Values(
        Case{"ank_run", "abc_12 _x Z9", {{"abc_12", 11}, {"_x", 11}, {"Z9", 11}}}, Case{"integer", "123", {{"123", 3}}},
        Case{"float_fraction", "1.5", {{"1.5", 4}}},
        Case{"float_exponent", "1e5 2E+3 7e-2", {{"1e5", 4}, {"2E+3", 4}, {"7e-2", 4}}},
        Case{"float_fraction_exponent", "1.5e-3", {{"1.5e-3", 4}}}, Case{"dot_then_exponent", "1.e3", {{"1.e3", 4}}},
        Case{"dot_not_followed_by_digit", "1. 12.a", {{"1", 3}, {".", 1}, {"12", 3}, {".", 1}, {"a", 11}}},
        Case{"digit_then_letters", "12ab", {{"12", 3}, {"ab", 11}}},
        Case{"symbols", "+(;", {{"+", 1}, {"(", 1}, {";", 1}}}, Case{"tab", "a\tb", {{"a", 11}, {"\t", 9}, {"b", 11}}},
        Case{"blanks_and_controls_skipped", "\x01 a\x08\x1f b", {{"a", 11}, {"b", 11}}},
        Case{"nul_ends_text", std::string("a\0b", 3), {{"a", 11}}},
        Case{"high_single_bytes_are_symbols", "\x80\xA0\xFD\xFF", {{"\x80", 1}, {"\xA0", 1}, {"\xFD", 1}, {"\xFF", 1}}},
        Case{"wide_digits_with_comma_and_point", Sj("０１，２３４．５"), {{Sj("０１，２３４．５"), 14}}},
        Case{"wide_alpha", Sj("ＡＢｃ"), {{Sj("ＡＢｃ"), 15}}},
        Case{"hiragana_with_long_marks", Sj("すごーい－ね"), {{Sj("すごーい－ね"), 16}}},
        Case{"katakana_with_long_mark", Sj("コーヒー"), {{Sj("コーヒー"), 17}}},
        Case{"long_mark_alone_is_symbol", Sj("ー"), {{Sj("ー"), 12}}},
        Case{"katakana_last_code", Sj("ヴヶ"), {{Sj("ヴヶ"), 17}}}, Case{"kanji_run", Sj("漢字"), {{Sj("漢字"), 18}}},
        Case{"kanji_then_kana", Sj("漢字かなカナ"), {{Sj("漢字"), 18}, {Sj("かな"), 16}, {Sj("カナ"), 17}}},
        Case{"dbcs_symbols_one_each", Sj("、α①Ж"), {{Sj("、"), 12}, {Sj("α"), 12}, {Sj("①"), 12}, {Sj("Ж"), 12}}},
        Case{"wide_comma_does_not_start_digits", Sj("，１"), {{Sj("，"), 12}, {Sj("１"), 14}}},
        Case{"half_width_kana", Sj("ｱｲｳ｡ｶ"), {{Sj("ｱｲｳ"), 20}, {Sj("｡"), 19}, {Sj("ｶ"), 20}}},
        Case{"lone_lead_byte_at_end", "a\x88", {{"a", 11}, {"\x88", 18}}},
        Case{"lone_wide_lead_at_end", "\x82", {{"\x82", 12}}},
        Case{"url_and_mail_off_in_plain",
             "http://a.b x@y.z",
             {{"http", 11},
              {":", 1},
              {"/", 1},
              {"/", 1},
              {"a", 11},
              {".", 1},
              {"b", 11},
              {"x", 11},
              {"@", 1},
              {"y", 11},
              {".", 1},
              {"z", 11}}}),
    [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// Every first byte, against the dispatch rules written out independently.
TEST(FirstByteDispatch, EveryByteStartsTheTokenItsRangeSays) {
  TTokenParser p;
  for (int b = 0; b < 256; ++b) {
    const unsigned char c = static_cast<unsigned char>(b);
    std::string text{static_cast<char>(c), '\x40', ' ', 'x'};
    int kind;
    int length;
    if (c == 0x00) {
      kind = tkEnd, length = 0;
    } else if ((c >= 0x01 && c <= 0x08) || (c >= 0x0A && c <= 0x20)) {
      kind = -1, length = 0;  // skipped, CR and LF included
    } else if (c == 0x09) {
      kind = tkTab, length = 1;
    } else if (c >= '0' && c <= '9') {
      kind = tkInteger, length = 1;
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') {
      kind = tkAnk, length = 1;
    } else if (c == 0x81 || (c >= 0x84 && c <= 0x87) || c == 0x82) {
      kind = tkDbcsSymbol, length = 2;  // 82 40 is none of the full-width runs
    } else if (c == 0x83) {
      kind = tkKatakana, length = 2;  // 83 40 is a small katakana
    } else if ((c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      kind = tkKanji, length = 2;
    } else if (c >= 0xA1 && c <= 0xA5) {
      kind = tkKanaSymbol, length = 1;
    } else if (c >= 0xA6 && c <= 0xDF) {
      kind = tkKana, length = 1;
    } else {
      kind = tkSymbol, length = 1;
    }
    p.SetState(text, {});
    const int got = p.NextToken();
    if (kind == -1) {
      // The blank is skipped: the "@" after it is the first token.
      EXPECT_EQ(got, tkSymbol) << b;
      EXPECT_EQ(p.TokenStart(), 1) << b;
      continue;
    }
    EXPECT_EQ(got, kind) << "byte " << b;
    if (kind != tkEnd) {
      EXPECT_EQ(p.TokenStart(), 0) << b;
      EXPECT_EQ(p.TokenLength(), length) << b;
    }
  }
}

// The quoted-string readers are kept for derived tokenizers; one that uses them.
class QuotingParser : public TTokenParser {
 public:
  QuotingParser() {
    method_table_['\''] = &QuotingParser::ReadSingleQuoted;
    method_table_['"'] = &QuotingParser::ReadDoubleQuoted;
  }
};

TEST(DerivedTokenizer, QuotedStringReadersAndTheirContinuation) {
  QuotingParser p;
  EXPECT_EQ(Tokens(p, "'a''b' \"c\" 'open"), (TokenList{{"'a''b'", 24}, {"\"c\"", 25}, {"'open", 24}}));
  TRowAttributeData st;
  st.ContinuedKind = tkDoubleQuoted;
  EXPECT_EQ(Tokens(p, "b c\" d", st), (TokenList{{"b c\"", 25}, {"d", 11}}));
}

TEST(ParserCreation, NeedsADefinition) {
  try {
    TFountainParser p(nullptr);
    FAIL() << "created without a definition";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "TFountainParser.Create need instance of TFountain");
  }
  EXPECT_THROW(TEditorParser(nullptr), std::invalid_argument);
  TEditorFountain f;
  auto p = f.CreateParser();
  EXPECT_NE(dynamic_cast<TEditorParser*>(p.get()), nullptr);
}

// ---- The editor's tokenizer

struct EditorCase {
  const char* name;
  std::function<void(TEditorFountain&)> setup;
  std::string text;
  TokenList expected;
};

void PrintTo(const EditorCase& c, std::ostream* os) { *os << c.name; }

class EditorTokens : public testing::TestWithParam<EditorCase> {};

TEST_P(EditorTokens, CutAsDescribed) {
  TEditorFountain f;
  GetParam().setup(f);
  auto p = f.CreateParser();
  EXPECT_EQ(Tokens(*p, GetParam().text), GetParam().expected);
}

auto UrlOn = [](TEditorFountain& f) { f.SetUrl(true); };
auto MailOn = [](TEditorFountain& f) { f.SetMail(true); };
auto UrlMailOn = [](TEditorFountain& f) {
  f.SetUrl(true);
  f.SetMail(true);
};

INSTANTIATE_TEST_SUITE_P(
    Constructs, EditorTokens,
    testing::Values(
        EditorCase{"url_up_to_space",
                   UrlOn,
                   "see http://example.com/a/b.c?d=1&e=2 now",
                   {{"see", 11}, {"http://example.com/a/b.c?d=1&e=2", 21}, {"now", 11}}},
        EditorCase{"url_prefixes",
                   UrlOn,
                   "https://a ftp://b www.c.jp",
                   {{"https://a", 21}, {"ftp://b", 21}, {"www.c.jp", 21}}},
        EditorCase{
            "url_set_ends_token", UrlOn, "http://a.b/c(d)", {{"http://a.b/c", 21}, {"(", 1}, {"d", 11}, {")", 1}}},
        EditorCase{"url_capital_prefix_is_not_url",
                   UrlOn,
                   "HTTP://x",
                   {{"HTTP", 11}, {":", 1}, {"/", 1}, {"/", 1}, {"x", 11}}},
        EditorCase{
            "url_prefix_inside_ank_run", UrlOn, "xhttp://y", {{"xhttp", 11}, {":", 1}, {"/", 1}, {"/", 1}, {"y", 11}}},
        EditorCase{"url_off", [](TEditorFountain&) {}, "www.a", {{"www", 11}, {".", 1}, {"a", 11}}},
        EditorCase{"mail_with_trailing_dot",
                   MailOn,
                   "to me@example.com. ok",
                   {{"to", 11}, {"me@example.com.", 22}, {"ok", 11}}},
        EditorCase{"mail_without_dot_after_at",
                   MailOn,
                   "a.b@localhost",
                   {{"a", 11}, {".", 1}, {"b", 11}, {"@", 1}, {"localhost", 11}}},
        EditorCase{"mail_starting_with_at", MailOn, "@user.jp", {{"@", 1}, {"user", 11}, {".", 1}, {"jp", 11}}},
        EditorCase{"mail_after_failed_run", MailOn, "a-b c@d.e", {{"a", 11}, {"-", 1}, {"b", 11}, {"c@d.e", 22}}},
        EditorCase{"mail_before_url", UrlMailOn, "www.a@b.c", {{"www.a@b.c", 22}}},
        EditorCase{"mail_stops_at_non_mail_byte",
                   UrlMailOn,
                   "http://u@h.jp",
                   {{"http://u", 21}, {"@", 1}, {"h", 11}, {".", 1}, {"jp", 11}}},
        EditorCase{"comment_to_end",
                   [](TEditorFountain& f) { f.SetCommenter("//"); },
                   "a // b 'c'",
                   {{"a", 11}, {"// b 'c'", 7}}},
        EditorCase{"quotation_doubled",
                   [](TEditorFountain& f) { f.SetQuotation("'"); },
                   "x 'it''s' y",
                   {{"x", 11}, {"'it''s'", 26}, {"y", 11}}},
        EditorCase{
            "quotation_unterminated", [](TEditorFountain& f) { f.SetQuotation("'"); }, "'abc d", {{"'abc d", 26}}},
        EditorCase{"quotation_skips_double_byte_whole",
                   [](TEditorFountain& f) { f.SetQuotation("\\"); },
                   "\\" + Sj("ソ") + "\\ a",
                   {{"\\" + Sj("ソ") + "\\", 26}, {"a", 11}}},
        EditorCase{"quotation_lead_byte_ignored",
                   [](TEditorFountain& f) { f.SetQuotation(Sj("漢").substr(0, 1)); },
                   Sj("漢字"),
                   {{Sj("漢字"), 18}}},
        EditorCase{"control_codes",
                   [](TEditorFountain& f) { f.SetControlCode(true); },
                   "#13#$1Fg#x",
                   {{"#13", 27}, {"#$1F", 28}, {"g", 11}, {"#", 27}, {"x", 11}}},
        EditorCase{"hex_prefix_case_insensitive",
                   [](TEditorFountain& f) { f.SetHexPrefix("0x"); },
                   "0x1F 0X2a 12",
                   {{"0x1F", 23}, {"0X2a", 23}, {"12", 3}}},
        EditorCase{"bracket_pair",
                   [](TEditorFountain& f) { f.Brackets().Add("/*", "*/"); },
                   "a /* b */ c",
                   {{"a", 11}, {"/* b */", 6}, {"c", 11}}},
        EditorCase{"bracket_open_to_end",
                   [](TEditorFountain& f) { f.Brackets().Add("/*", "*/"); },
                   "a /* b",
                   {{"a", 11}, {"/* b", 6}}},
        EditorCase{"bracket_close_not_inside_double_byte",
                   [](TEditorFountain& f) { f.Brackets().Add("(", "\\"); },
                   "(" + Sj("ソ") + "\\x",
                   {{"(" + Sj("ソ") + "\\", 6}, {"x", 11}}},
        EditorCase{"bracket_double_byte_pair",
                   [](TEditorFountain& f) { f.Brackets().Add(Sj("「"), Sj("」")); },
                   Sj("「あ」い"),
                   {{Sj("「あ」"), 6}, {Sj("い"), 16}}},
        EditorCase{"bracket_without_right_is_no_token",
                   [](TEditorFountain& f) { f.Brackets().Add("<", ""); },
                   "<a",
                   {{"<", 1}, {"a", 11}}},
        EditorCase{"bracket_before_comment",
                   [](TEditorFountain& f) {
                     f.Brackets().Add("/*", "*/");
                     f.SetCommenter("/");
                   },
                   "/* x */ / y",
                   {{"/* x */", 6}, {"/ y", 7}}},
        EditorCase{"comment_before_quotation",
                   [](TEditorFountain& f) {
                     f.SetCommenter("'");
                     f.SetQuotation("'");
                   },
                   "'a' b",
                   {{"'a' b", 7}}}),
    [](const testing::TestParamInfo<EditorCase>& i) { return std::string(i.param.name); });

TEST(EditorTokens, OpenBracketCarriesIntoTheNextText) {
  TEditorFountain f;
  f.Brackets().Add("{", "}");
  f.Brackets().Add("/*", "*/");
  auto p = f.CreateParser();
  Tokens(*p, "x /* y");
  EXPECT_EQ(p->BracketIndex(), 1);
  TRowAttributeData st;
  st.BracketIndex = 1;
  EXPECT_EQ(Tokens(*p, "z */ w", st), (TokenList{{"z */", 6}, {"w", 11}}));
  EXPECT_EQ(p->BracketIndex(), -1);
  // With detection off an open bracket in the state is ignored.
  p->SetBracketDetection(false);
  EXPECT_EQ(Tokens(*p, "z */ w", st), (TokenList{{"z", 11}, {"*", 1}, {"/", 1}, {"w", 11}}));
}

// ---- Reserved words and colours

TEST(ReservedWords, MatchRegardlessOfCase) {
  TEditorFountain f;
  f.SetReserveWordList({"begin", "end"});
  auto p = f.CreateParser();
  for (std::string w : {"begin", "BEGIN", "Begin", "eNd"}) {
    p->SetState(w, {});
    ASSERT_EQ(p->NextToken(), tkAnk);
    EXPECT_TRUE(p->IsReserved()) << w;
    EXPECT_EQ(p->TokenColor(), &f.Colors().Reserve()) << w;
    p->CheckReserved();
    EXPECT_EQ(p->Token(), tkReserved);
  }
  p->SetState("beginx", {});
  p->NextToken();
  EXPECT_FALSE(p->IsReserved());
}

TEST(ReservedWords, MixedKindWordsNeverMatch) {
  TEditorFountain f;
  f.SetReserveWordList({Sj("漢字かな"), "a+b", Sj("abcＡＢＣ"), Sj("漢字")});
  auto p = f.CreateParser();
  const std::string text = Sj("漢字かな a+b abcＡＢＣ");
  p->SetState(text, {});
  int reserved = 0;
  while (p->NextToken() != tkEnd) reserved += p->IsReserved();
  EXPECT_EQ(reserved, 1);  // only the kanji run "漢字" itself
}

TEST(ReservedWords, TrailBytesAreNotFolded) {
  TEditorFountain f;
  // 83 61 and 83 41 differ only in a trail byte that looks like an ASCII letter.
  f.SetReserveWordList({"\x83\x61"});
  EXPECT_TRUE(f.IsReserveWord("\x83\x61"));
  EXPECT_FALSE(f.IsReserveWord("\x83\x41"));
  f.SetReserveWordList({"\x83\x41"});
  EXPECT_FALSE(f.IsReserveWord("\x83\x61"));
}

TEST(ReservedWords, ContinuedTokensAreNotLookedUp) {
  TEditorFountain f;
  f.SetReserveWordList({"in"});
  auto p = f.CreateParser();
  TRowAttributeData st;
  st.ContinuedKind = tkAnk;
  st.RemainLength = 2;
  p->SetState("in in", st);
  ASSERT_EQ(p->NextToken(), tkAnk);
  EXPECT_TRUE(p->IsContinued());
  EXPECT_FALSE(p->IsReserved());
  ASSERT_EQ(p->NextToken(), tkAnk);
  EXPECT_TRUE(p->IsReserved());
}

TEST(TokenColours, EachKindTakesItsColour) {
  TEditorFountain f;
  f.SetUrl(true);
  f.SetMail(true);
  f.SetQuotation("'");
  f.SetControlCode(true);
  f.SetHexPrefix("$");
  f.SetCommenter("//");
  f.Brackets().Add("<<", ">>");
  f.Brackets().Add("[", "]");
  TEditorColors& c = f.Colors();
  const std::vector<std::pair<std::string, const TFountainColor*>> table = {
      {"+", &c.Symbol},
      {"12", &c.Int},
      {"1.5", &c.Int},
      {"$1F", &c.Int},
      {"abc", &c.Ank},
      {Sj("漢字"), &c.DBCS},
      {Sj("、"), &c.DBCS},
      {Sj("ｱ"), &c.DBCS},
      {Sj("｡"), &c.DBCS},
      {Sj("０"), &c.DBCS},
      {Sj("Ａ"), &c.DBCS},
      {Sj("あ"), &c.DBCS},
      {Sj("ア"), &c.DBCS},
      {"http://a", &c.Url},
      {"a@b.c", &c.Mail},
      {"'q'", &c.Str},
      {"#1", &c.Str},
      {"#$1", &c.Str},
      {"// c", &c.Comment},
      {"[x]", &f.Brackets()[1].ItemColor},
      {"<<x>>", &f.Brackets()[0].ItemColor},
      {"\t", nullptr},
  };
  auto p = f.CreateParser();
  for (const auto& [text, colour] : table) {
    p->SetState(text, {});
    ASSERT_NE(p->NextToken(), tkEnd) << text;
    EXPECT_EQ(p->TokenLength(), static_cast<int>(text.size())) << text;
    EXPECT_EQ(p->TokenColor(), colour) << text;
  }
}

TEST(TokenColours, PlainTokenizerHasNone) {
  TTokenParser p;
  p.SetState("abc", {});
  p.NextToken();
  EXPECT_EQ(p.TokenColor(), nullptr);
  EXPECT_FALSE(p.IsReserved());
}

TEST(EditorTokens, DefinitionChangesReachAnExistingTokenizer) {
  TEditorFountain f;
  auto p = f.CreateParser();
  EXPECT_EQ(Tokens(*p, "http://a").front().second, tkAnk);
  f.SetUrl(true);
  EXPECT_EQ(Tokens(*p, "http://a").front().second, tkUrl);
  f.Brackets().Add("(", ")");
  EXPECT_EQ(Tokens(*p, "(a)").front().second, tkBracket);
}

}  // namespace
}  // namespace editor
