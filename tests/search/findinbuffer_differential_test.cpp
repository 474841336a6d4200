// FindInBuffer against the step-by-step reference on random Shift-JIS texts and patterns, in
// every combination of options and in both directions.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "codec/cp932.h"
#include "reference_search.h"
#include "search/findinbuffer.h"
#include "search/searchtables.h"

namespace {

using namespace search;

// Pieces the random texts are made of: letters in both cases and widths, the skippable bytes,
// delimiters, double-byte characters whose trail bytes look like ASCII or lie in the lead range,
// half-width kana with voicing marks, and bytes that break the character structure.
const std::vector<std::string> kPieces = {
    "a",        "A",        "b",        "B",        "x",        "z",        "Z",        "1",        " ",
    " ",        "\t",       "\r",       "\n",       "\r\n",     "_",        "@",        "-",        "\\",
    "~",        "(",        "\x82\x81", "\x82\x60", "\x82\x82", "\x82\x61", "\x82\x9A", "\x82\x79",  // ａＡｂＢｚＺ
    "\x81\x40", "\x81\x4A", "\x81\x4B", "\x81\x8F",                                                  // 　゛゜￥
    "\x83\x41", "\x83\x40", "\x83\x61", "\x83\x4B", "\x83\x4A", "\x83\x70", "\x83\x6E", "\x83\x94", "\x82\x9F",
    "\x88\x9F", "\xE0\xE0", "\x93\xFA", "\x83\xB6",                                  // trail bytes in the lead range
    "\xB6",     "\xCA",     "\xB3",     "\xB1",     "\xDE",     "\xDF",     "\xA1",  // half-width kana and marks
    "\x82",     "\x83",     "\x80",     "\xA0",     "\xFD",     "\x01",     "\x7F",  // stray lead, odd bytes
};

class RandomTexts {
 public:
  explicit RandomTexts(unsigned seed) : rng_(seed) {}

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  std::string Text(int maxPieces) {
    std::string s;
    const int n = Uniform(0, maxPieces);
    for (int i = 0; i < n; ++i)
      s += kPieces[static_cast<std::size_t>(Uniform(0, static_cast<int>(kPieces.size()) - 1))];
    if (Uniform(0, 40) == 0) s.insert(static_cast<std::size_t>(Uniform(0, static_cast<int>(s.size()))), 1, '\0');
    return s;
  }

  // Mostly a piece of the text, so that matches are common; sometimes changed in case or width,
  // sometimes unrelated.
  std::string Pattern(const std::string& text) {
    if (text.empty() || Uniform(0, 4) == 0) return Text(3);
    if (Uniform(0, 3) == 0) return Word(text);
    const int from = Uniform(0, static_cast<int>(text.size()) - 1);
    const int len = Uniform(1, std::min<int>(8, static_cast<int>(text.size()) - from));
    std::string p = text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(len));
    switch (Uniform(0, 6)) {
      case 0:
        for (char& c : p)
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
        break;
      case 1:
        for (char& c : p)
          if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
        break;
      case 2:
        // Drop a space or line break, as the skipping options would.
        for (std::size_t i = 0; i < p.size(); ++i)
          if (p[i] == ' ' || p[i] == '\r' || p[i] == '\n' || p[i] == '\t') {
            p.erase(i, 1);
            break;
          }
        break;
      case 3: MixCase(p); break;
      default: break;
    }
    return p;
  }

 private:
  // Each letter, half-width or full-width, in a random case.
  void MixCase(std::string& p) {
    for (std::size_t i = 0; i < p.size(); ++i) {
      const auto c = static_cast<unsigned char>(p[i]);
      if (codec::IsLeadByte(c)) {
        if (i + 1 < p.size() && c == 0x82) {
          const auto t = static_cast<unsigned char>(p[i + 1]);
          const bool upper = Uniform(0, 1) == 0;
          if (t >= 0x60 && t <= 0x79 && !upper) p[i + 1] = static_cast<char>(t + 0x21);
          if (t >= 0x81 && t <= 0x9A && upper) p[i + 1] = static_cast<char>(t - 0x21);
        }
        ++i;
        continue;
      }
      if (std::isalpha(c)) p[i] = static_cast<char>(Uniform(0, 1) ? std::toupper(c) : std::tolower(c));
    }
  }

  // A whole word of the text (bytes between delimiters), so that whole-word searches find some.
  std::string Word(const std::string& text) {
    auto isDelimiter = [](char c) { return search::DelimiterSet.Contains(static_cast<unsigned char>(c)); };
    std::size_t from = static_cast<std::size_t>(Uniform(0, static_cast<int>(text.size()) - 1));
    while (from < text.size() && isDelimiter(text[from])) ++from;
    if (from == text.size()) return text.substr(text.size() - 1);
    while (from > 0 && !isDelimiter(text[from - 1])) --from;
    std::size_t to = from;
    while (to < text.size() && !isDelimiter(text[to])) ++to;
    return text.substr(from, to - from);
  }

  std::mt19937 rng_;
};

std::string Hex(const std::string& s) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    out += digits[c >> 4];
    out += digits[c & 15];
    out += ' ';
  }
  return out;
}

class FindInBufferDifferential : public testing::TestWithParam<int> {};

TEST_P(FindInBufferDifferential, AgreesWithReference) {
  // The parameter picks the options: its bits stand for forward, match case, whole word, ignore
  // width, ignore line breaks, ignore spaces.
  const int bits = GetParam();
  TSearchOptions options = 0;
  if (bits & 1) options |= soForward;
  if (bits & 2) options |= soMatchCase;
  if (bits & 4) options |= soWholeWord;
  if (bits & 8) options |= soIgnoreWidth;
  if (bits & 16) options |= soIgnoreLineBreaks;
  if (bits & 32) options |= soIgnoreSpaces;

  RandomTexts random(static_cast<unsigned>(1000 + bits));
  int found = 0;
  constexpr int kRounds = 6000;
  for (int round = 0; round < kRounds; ++round) {
    // Short texts for the corners, long ones so the fast paths (byte skipping) get going.
    const std::string text = random.Text(round % 4 == 0 ? 120 : 14);
    const std::string pattern = random.Pattern(text);
    const int length = static_cast<int>(text.size());
    TSearchPosition start{random.Uniform(-1, length + 1), random.Uniform(-1, 3)};
    if (random.Uniform(0, 3) == 0) start.Start = (options & soForward) ? 0 : length;
    TSearchPosition fast = start;
    TSearchPosition slow = start;
    // An exact-size copy, so that a read past the end is caught by the address sanitizer.
    const std::vector<char> exact(text.begin(), text.end());
    const bool fastFound = FindInBuffer(std::string_view(exact.data(), exact.size()), fast, pattern, options);
    const bool slowFound = reference::FindInBuffer(text, slow, pattern, options);
    ASSERT_EQ(fastFound, slowFound) << "text " << Hex(text) << "\npattern " << Hex(pattern) << "\nstart " << start.Start
                                    << " length " << start.Length;
    ASSERT_EQ(fast.Start, slow.Start) << "text " << Hex(text) << "\npattern " << Hex(pattern) << "\nstart "
                                      << start.Start << " length " << start.Length;
    ASSERT_EQ(fast.Length, slow.Length) << "text " << Hex(text) << "\npattern " << Hex(pattern);
    found += fastFound;
  }
  // The generator must produce both outcomes, or the comparison proves little.
  EXPECT_GT(found, kRounds / 20);
  EXPECT_LT(found, kRounds - kRounds / 20);
}

INSTANTIATE_TEST_SUITE_P(AllOptionSets, FindInBufferDifferential, testing::Range(0, 64));

TEST(FindInBufferDifferential, CountsAgreeOverLongTexts) {
  // Every match of a count, in both directions, over texts with long runs of lead-range bytes.
  RandomTexts random(7);
  for (int round = 0; round < 40; ++round) {
    std::string text;
    for (int i = 0; i < 60; ++i)
      text += random.Text(12) + (i % 5 == 0 ? std::string(random.Uniform(0, 30), '\x82') : "");
    const std::string pattern = random.Pattern(text);
    for (const TSearchOptions options : {TSearchOptions(soForward), TSearchOptions(soForward | soIgnoreWidth),
                                         TSearchOptions(soForward | soMatchCase | soWholeWord), TSearchOptions(0),
                                         TSearchOptions(soIgnoreWidth | soIgnoreSpaces)}) {
      TSearchPosition fast{(options & soForward) ? 0 : static_cast<int>(text.size()), 0};
      TSearchPosition slow = fast;
      for (int hits = 0; hits < 10000; ++hits) {
        const bool a = FindInBuffer(text, fast, pattern, options);
        const bool b = reference::FindInBuffer(text, slow, pattern, options);
        ASSERT_EQ(a, b) << Hex(pattern) << " options " << options;
        if (!a) break;
        ASSERT_EQ(fast.Start, slow.Start);
        ASSERT_EQ(fast.Length, slow.Length);
        if (!(options & soForward)) {
          // Backward counting continues before the hit.
          fast.Length = slow.Length = 0;
          if (fast.Start == 0) break;
        }
      }
    }
  }
}

}  // namespace
