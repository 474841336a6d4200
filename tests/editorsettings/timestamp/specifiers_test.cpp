// The specifiers of the formatting language, one table of format, value and expected text.
#include <gtest/gtest.h>

#include "timestamp_util.h"

namespace {

using editorsettings::DateTime;
using tstest::kMorning;
using tstest::kSmall;

struct SpecCase {
  const char* format;
  DateTime value;
  const char* expected;
};

TEST(Specifiers, Table) {
  const SpecCase cases[] = {
      // day, day names, short and long date
      {"d", kSmall, "4"},
      {"dd", kSmall, "04"},
      {"dd", kMorning, "08"},
      {"ddd", kSmall, "水"},
      {"dddd", kSmall, "水曜日"},
      {"ddddd", kSmall, "2026/03/04"},
      {"dddddd", kSmall, "2026年3月4日"},
      {"dddddddd", kSmall, "2026年3月4日"},
      {"aaa", kMorning, "火"},
      {"aaaa", kMorning, "火曜日"},
      {"aaaaa", kMorning, "火曜日"},
      {"a", kMorning, "a"},
      {"aa", kMorning, "aa"},
      {"aaa", {2027, 1, 3, 0, 0, 0, 0}, "日"},
      {"aaaa", {2027, 1, 9, 0, 0, 0, 0}, "土曜日"},
      // month numbers and names
      {"m", kSmall, "3"},
      {"mm", kSmall, "03"},
      {"mmm", kSmall, "3月"},
      {"mmmm", kSmall, "3月"},
      {"mmmmm", kMorning, "12月"},
      // years
      {"y", kSmall, "26"},
      {"yy", {2005, 1, 1, 0, 0, 0, 0}, "05"},
      {"yyy", kSmall, "2026"},
      {"yyyy", {987, 1, 1, 0, 0, 0, 0}, "0987"},
      {"yyyyy", kSmall, "2026"},
      // time of day
      {"h", kSmall, "7"},
      {"hh", kSmall, "07"},
      {"hhh", kSmall, "07"},
      {"n", kSmall, "8"},
      {"nn", kSmall, "08"},
      {"nnn", kSmall, "08"},
      {"s", kSmall, "9"},
      {"ss", kSmall, "09"},
      {"sss", kSmall, "09"},
      {"n:s", {2026, 1, 1, 0, 45, 59, 0}, "45:59"},
      // milliseconds: as many digits as letters, at most three, never cut
      {"z", kSmall, "7"},
      {"zz", kSmall, "07"},
      {"zzz", kSmall, "007"},
      {"zzzz", kSmall, "007"},
      {"z", {2026, 1, 1, 0, 0, 0, 123}, "123"},
      {"zz", {2026, 1, 1, 0, 0, 0, 45}, "45"},
      // short and long time, and "c"
      {"t", kSmall, "7:08"},
      {"tt", kSmall, "7:08:09"},
      {"ttt", kSmall, "7:08:09"},
      {"t", tstest::kNight, "23:59"},
      {"c", kSmall, "2026/03/04 7:08:09"},
      {"c", {2026, 3, 4, 0, 0, 0, 500}, "2026/03/04"},
      {"c", {2026, 3, 4, 0, 0, 1, 0}, "2026/03/04 0:00:01"},
      // separators
      {"/", kSmall, "/"},
      {":", kSmall, ":"},
      // letters match whatever their case; a run mixes cases freely
      {"YYYY/MM/DD", kSmall, "2026/03/04"},
      {"HH:NN:SS", kSmall, "07:08:09"},
      {"DdDd", kSmall, "水曜日"},
      {"yYyY", kSmall, "2026"},
      {"ZZZ", kSmall, "007"},
      {"T", kSmall, "7:08"},
  };
  for (const SpecCase& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(tstest::Format(c.format, c.value), c.expected);
  }
}

TEST(Specifiers, SeparatorsComeFromTheLocale) {
  editorsettings::DateLocale locale = editorsettings::JapaneseDateLocale();
  locale.dateSeparator = "-";
  locale.timeSeparator = ".";
  EXPECT_EQ(editorsettings::FormatDateTime("yyyy/mm/dd h:nn:ss", kSmall, locale), "2026-03-04 7.08.09");
  // The locale's own formats use them too.
  EXPECT_EQ(editorsettings::FormatDateTime("c", kSmall, locale), "2026-03-04 7.08.09");
}

}  // namespace
