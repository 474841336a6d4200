// The Japanese era calendar: "g" the era's first kanji, "gg" its whole name, "e"/"ee" the year
// within the era, switching on each era's first day.
#include <gtest/gtest.h>

#include "timestamp_util.h"

namespace {

struct EraCase {
  int year, month, day;
  const char* expected;  // "gg|g|e|ee"
};

TEST(Eras, BoundariesAndYearsWithinTheEra) {
  const EraCase cases[] = {
      // Before the first era there is no era name and the Gregorian year stands in.
      {1868, 9, 7, "||1868|1868"},         {1868, 9, 8, "明治|明|1|01"},
      {1912, 7, 29, "明治|明|45|45"},      {1912, 7, 30, "大正|大|1|01"},
      {1926, 12, 24, "大正|大|15|15"},     {1926, 12, 25, "昭和|昭|1|01"},
      {1989, 1, 7, "昭和|昭|64|64"},       {1989, 1, 8, "平成|平|1|01"},
      {2019, 4, 30, "平成|平|31|31"},      {2019, 5, 1, "令和|令|1|01"},
      {2026, 12, 8, "令和|令|8|08"},       {2028, 1, 1, "令和|令|10|10"},
      {9999, 12, 31, "令和|令|7981|7981"}, {1, 1, 1, "||1|01"},
  };
  for (const EraCase& c : cases) {
    const editorsettings::DateTime v{c.year, c.month, c.day, 12, 0, 0, 0};
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
    EXPECT_EQ(tstest::Format("gg|g|e|ee", v), c.expected);
  }
}

TEST(Eras, LongRunsAndCase) {
  EXPECT_EQ(tstest::Format("ggg", tstest::kMorning), "令和");
  EXPECT_EQ(tstest::Format("Gg", tstest::kMorning), "令和");
  EXPECT_EQ(tstest::Format("G", tstest::kMorning), "令");
  EXPECT_EQ(tstest::Format("eee", tstest::kMorning), "08");
  EXPECT_EQ(tstest::Format("E", tstest::kMorning), "8");
}

}  // namespace
