// Specifiers that expand to a locale format expand at most two levels deep, so a locale whose
// formats name each other still ends.
#include <gtest/gtest.h>

#include "timestamp_util.h"

namespace {

editorsettings::DateLocale SelfReferringLocale() {
  editorsettings::DateLocale l = editorsettings::JapaneseDateLocale();
  l.shortDateFormat = "'<D>'t";
  l.shortTimeFormat = "'<T>'ddddd";
  l.longDateFormat = "'<LD>'tt";
  l.longTimeFormat = "'<LT>'dddddd";
  return l;
}

TEST(Expansion, StopsAfterTwoLevels) {
  const editorsettings::DateLocale l = SelfReferringLocale();
  const editorsettings::DateTime v = tstest::kSmall;
  EXPECT_EQ(editorsettings::FormatDateTime("ddddd", v, l), "<D><T>");
  EXPECT_EQ(editorsettings::FormatDateTime("t", v, l), "<T><D>");
  EXPECT_EQ(editorsettings::FormatDateTime("dddddd", v, l), "<LD><LT>");
  EXPECT_EQ(editorsettings::FormatDateTime("tt|t", v, l), "<LT><LD>|<T><D>");
}

TEST(Expansion, SecondLevelIsFormatted) {
  editorsettings::DateLocale l = editorsettings::JapaneseDateLocale();
  l.shortDateFormat = "yyyy/MM/dd t";
  l.shortTimeFormat = "H:mm";
  EXPECT_EQ(editorsettings::FormatDateTime("ddddd", tstest::kSmall, l), "2026/03/04 7:08");
  EXPECT_EQ(editorsettings::FormatDateTime("c", tstest::kSmall, l), "2026/03/04 7:08 7:08:09");
}

TEST(Expansion, JapaneseLocaleFormats) {
  // The locale's own formats are written in the language: "MM" is the month, "mm" after "H"
  // the minutes.
  EXPECT_EQ(tstest::Format("ddddd|dddddd|t|tt", tstest::kSmall), "2026/03/04|2026年3月4日|7:08|7:08:09");
  EXPECT_EQ(tstest::Format("c", tstest::kNight), "2026/12/08 23:59:59");
}

}  // namespace
