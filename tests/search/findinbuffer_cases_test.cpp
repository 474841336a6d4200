// FindInBuffer on hand-picked texts: word boundaries, width and case folding, skipped spaces and
// line breaks, trail bytes, direction and the start position.
#include <gtest/gtest.h>

#include <string>

#include "reference_search.h"
#include "search/findinbuffer.h"

namespace {

using namespace search;

constexpr int kNotFound = -1;

struct Case {
  const char* name;
  std::string text;
  std::string pattern;
  TSearchOptions options;
  int start;
  int length;
  int expectedStart;  // kNotFound when nothing is found
  int expectedLength;
};

class FindInBufferCase : public testing::TestWithParam<Case> {};

TEST_P(FindInBufferCase, FindsExpectedMatch) {
  const Case& c = GetParam();
  for (const bool useReference : {false, true}) {
    TSearchPosition pos{c.start, c.length};
    const bool found = useReference ? reference::FindInBuffer(c.text, pos, c.pattern, c.options)
                                    : FindInBuffer(c.text, pos, c.pattern, c.options);
    SCOPED_TRACE(useReference ? "reference" : "FindInBuffer");
    if (c.expectedStart == kNotFound) {
      EXPECT_FALSE(found);
      // The position is left alone when nothing is found.
      EXPECT_EQ(pos.Start, c.start);
      EXPECT_EQ(pos.Length, c.length);
    } else {
      EXPECT_TRUE(found);
      EXPECT_EQ(pos.Start, c.expectedStart);
      EXPECT_EQ(pos.Length, c.expectedLength);
    }
  }
}

constexpr TSearchOptions F = soForward;
constexpr TSearchOptions B = 0;  // backward: soForward absent

// Full-width and half-width spellings used below.
const std::string kFullABC = "\x82\x60\x82\x61\x82\x62";  // ＡＢＣ
const std::string kFullabc = "\x82\x81\x82\x82\x82\x83";  // ａｂｃ
const std::string kGa = "\x83\x4B";                       // ガ
const std::string kPa = "\x83\x70";                       // パ
const std::string kVu = "\x83\x94";                       // ヴ
const std::string kKa = "\x83\x4A";                       // カ
const std::string kHandakuten = "\x81\x4B";               // ゜
const std::string kKatakanaA = "\x83\x41";                // ア, trail byte 'A'
const std::string kFullSpace = "\x81\x40";

INSTANTIATE_TEST_SUITE_P(
    WholeWord, FindInBufferCase,
    testing::Values(Case{"SkipsPartOfWord", "xabc abc", "abc", F | soWholeWord, 0, 0, 5, 3},
                    Case{"NoneInsideLongerWordForward", "abcdef", "abc", F | soWholeWord, 0, 0, kNotFound, 0},
                    Case{"NoneInsideLongerWordBackward", "abcdef", "abc", B | soWholeWord, 6, 0, kNotFound, 0},
                    Case{"NotAtEndOfLongerWord", "xabc", "abc", F | soWholeWord, 0, 0, kNotFound, 0},
                    Case{"NotAtEndOfLongerWordBackward", "xabc", "abc", B | soWholeWord, 4, 0, kNotFound, 0},
                    Case{"BackwardFindsWholeWord", "abc xabc", "abc", B | soWholeWord, 8, 0, 0, 3},
                    Case{"BackwardFindsWordAtTextStartFromInsideIt", "abc x", "abc", B | soWholeWord, 5, 0, 0, 3},
                    Case{"UnderscoreIsDelimiter", "foo_bar", "bar", F | soWholeWord, 0, 0, 4, 3},
                    Case{"JapaneseTextIsPartOfWord",
                         "\x93\xFA"
                         "abc",
                         "abc", F | soWholeWord, 0, 0, kNotFound, 0},
                    Case{"HalfWidthKanaIsPartOfWord", "abc\xB1", "abc", F | soWholeWord, 0, 0, kNotFound, 0},
                    Case{"PunctuationEndsWord", "(abc)", "abc", F | soWholeWord, 0, 0, 1, 3},
                    Case{"EndOfTextEndsWord", "x abc", "abc", B | soWholeWord, 5, 0, 2, 3}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Folding, FindInBufferCase,
    testing::Values(
        Case{"CaseFoldedAscii", "xx abc", "ABC", F, 0, 0, 3, 3},
        Case{"CaseFoldedPatternLowerCase", "xx ABC", "abc", F, 0, 0, 3, 3},
        // Long enough for the scan to go sixteen offsets at a time, with the folded letters first and last.
        Case{"CaseFoldedInLongText", std::string(40, '-') + "abz" + std::string(40, '-'), "ABZ", F, 0, 0, 40, 3},
        Case{"CaseFoldedFullWidthInLongText", std::string(40, '-') + kFullabc + std::string(40, '-'), kFullABC, F, 0, 0,
             40, 6},
        Case{"MatchCaseRejectsOtherCase", "xx abc", "ABC", F | soMatchCase, 0, 0, kNotFound, 0},
        Case{"FullWidthSmallFoldsToCapital", kFullabc, kFullABC, F, 0, 0, 0, 6},
        Case{"FullWidthCapitalFoldsFromSmallPattern", kFullABC, kFullabc, F, 0, 0, 0, 6},
        Case{"FullWidthNotHalfWidthWithoutIgnoreWidth", kFullABC, "ABC", F, 0, 0, kNotFound, 0},
        Case{"IgnoreWidthFindsFullWidthCapitals", kFullABC, "ABC", F | soIgnoreWidth, 0, 0, 0, 6},
        Case{"IgnoreWidthFindsFullWidthSmall", kFullabc, "ABC", F | soIgnoreWidth, 0, 0, 0, 6},
        Case{"IgnoreWidthMatchCaseRejectsSmall", kFullabc, "ABC", F | soIgnoreWidth | soMatchCase, 0, 0, kNotFound, 0},
        Case{"IgnoreWidthMatchCaseFindsCapitals", kFullABC, "ABC", F | soIgnoreWidth | soMatchCase, 0, 0, 0, 6},
        Case{"IgnoreWidthFullPatternFindsHalfText", "--abc", kFullABC, F | soIgnoreWidth, 0, 0, 2, 3},
        Case{"VoicedPairFindsFullWidth", "x" + kGa, "\xB6\xDE", F | soIgnoreWidth, 0, 0, 1, 2},
        Case{"FullWidthFindsVoicedPair", "x\xB6\xDE", kGa, F | soIgnoreWidth, 0, 0, 1, 2},
        Case{"SemiVoicedPair", "\xCA\xDF", kPa, F | soIgnoreWidth, 0, 0, 0, 2},
        Case{"VuPair", "\xB3\xDE", kVu, F | soIgnoreWidth, 0, 0, 0, 2},
        Case{"UnvoicedLetterDoesNotEatMark", "\xB6\xDE", kKa, F | soIgnoreWidth, 0, 0, kNotFound, 0},
        Case{"SemiVoicedMarkAfterKaStaysItself", "\xB6\xDF", kKa + kHandakuten, F | soIgnoreWidth, 0, 0, 0, 2},
        Case{"HalfWidthTextFindsItself", "\xB6\xDF", "\xB6\xDF", F | soIgnoreWidth, 0, 0, 0, 2},
        Case{"YenSignWidensToFullWidthYen", "\x81\x8F", "\\", F | soIgnoreWidth, 0, 0, 0, 2},
        Case{"UpperCaseNeverTouchesTrailBytes", "\x83\x41", "\x83\x61", F, 0, 0, kNotFound, 0},
        Case{"TrailByteCaseMustMatch", "\x83\x61", "\x83\x61", F, 0, 0, 0, 2}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Skipping, FindInBufferCase,
    testing::Values(
        Case{"SpaceInside", "a b", "ab", F | soIgnoreSpaces, 0, 0, 0, 3},
        Case{"TabAndSpacesInside", "a\t  b", "ab", F | soIgnoreSpaces, 0, 0, 0, 5},
        Case{"FullWidthSpaceInside", "a" + kFullSpace + "b", "ab", F | soIgnoreSpaces, 0, 0, 0, 4},
        Case{"NothingSkippedBeforeFirstCharacter", " ab", "ab", F | soIgnoreSpaces, 0, 0, 1, 2},
        Case{"SpacesNeedOption", "a b", "ab", F, 0, 0, kNotFound, 0},
        Case{"LineBreakInside", "xa\r\nb", "ab", F | soIgnoreLineBreaks, 0, 0, 1, 4},
        Case{"LineBreakNeedsItsOption", "a\r\nb", "ab", F | soIgnoreSpaces, 0, 0, kNotFound, 0},
        Case{"SpaceNeedsItsOption", "a b", "ab", F | soIgnoreLineBreaks, 0, 0, kNotFound, 0},
        Case{"SkippedOnlyWherePatternDiffers", "a b", "a b", F | soIgnoreSpaces, 0, 0, 0, 3},
        Case{"BackwardOverSkippedBytes", "zz a\r\n b", "ab", B | soIgnoreLineBreaks | soIgnoreSpaces, 8, 0, 3, 5},
        Case{"WholeWordEndsAfterSkippedBytes", "a bc", "ab", F | soIgnoreSpaces | soWholeWord, 0, 0, kNotFound, 0}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Positions, FindInBufferCase,
    testing::Values(Case{"TrailByteNeverMatchedForward", kKatakanaA + kKatakanaA, "A", F, 0, 0, kNotFound, 0},
                    Case{"TrailByteNeverMatchedBackward", kKatakanaA + kKatakanaA, "A", B, 4, 0, kNotFound, 0},
                    Case{"TrailByteNeverMatchedExact", kKatakanaA, "A", F | soMatchCase, 0, 0, kNotFound, 0},
                    Case{"StartOnTrailByteMovesOn", kKatakanaA + "A", "A", F, 1, 0, 2, 1},
                    Case{"BackwardFromJustAfterMatch", "xx abc yy", "abc", B, 6, 0, 3, 3},
                    Case{"BackwardIgnoresLength", "abc", "abc", B, 3, 3, 0, 3},
                    Case{"BackwardWithWidthFromJustAfterMatch", "x\xB6\xDE", kGa, B | soIgnoreWidth, 3, 0, 1, 2},
                    Case{"BackwardMarkAfterTrailByteIsOwnCharacter", "\x83\xB6\xDE", "\xDE", B | soIgnoreWidth, 3, 0, 2,
                         1},
                    Case{"ForwardStepsOverPreviousHit", "abcabc", "abc", F, 0, 3, 3, 3},
                    Case{"ForwardFromEnd", "abc", "abc", F, 3, 0, kNotFound, 0},
                    Case{"BackwardFromEnd", "abcabc", "abc", B, 6, 0, 3, 3},
                    Case{"StartBeyondEnd", "abc", "abc", B, 4, 0, kNotFound, 0},
                    Case{"NegativeStart", "abc", "abc", F, -1, 0, kNotFound, 0},
                    Case{"NegativeLengthBeforeText", "abc", "abc", F, 0, -1, kNotFound, 0},
                    Case{"EmptyPattern", "abc", "", F, 0, 0, kNotFound, 0},
                    Case{"EmptyText", "", "a", F, 0, 0, kNotFound, 0},
                    Case{"NulInsideTextIsOrdinaryByte", std::string("ab\0cd", 5), "cd", F, 0, 0, 3, 2},
                    Case{"NulInsideTextMatchesNothing", std::string("a\0b", 3), "ab",
                         F | soIgnoreSpaces | soIgnoreLineBreaks, 0, 0, kNotFound, 0},
                    Case{"NulInsideTextEndsWord", std::string("\0abc\0", 5), "abc", F | soWholeWord, 0, 0, 1, 3},
                    Case{"PatternEndsAtNul", "xab", std::string("ab\0z", 4), F, 0, 0, 1, 2},
                    Case{"LeadByteCutOffAtEndMatchesNothing", "x\x82", "\x82", F, 0, 0, kNotFound, 0}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(FindInBuffer, CountsEveryMatchOfLongText) {
  // Restarting after each hit, as a count does, visits each occurrence once.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += i % 7 == 0 ? "\x82\xA0needle\x83\x41 " : "\x93\xFA\x96\x7B haystack ";
  int count = 0;
  TSearchPosition pos{0, 0};
  while (FindInBuffer(text, pos, "NEEDLE", soForward)) ++count;
  EXPECT_EQ(count, (2000 + 6) / 7);
}

}  // namespace
