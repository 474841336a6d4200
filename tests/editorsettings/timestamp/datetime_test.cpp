// The date-time value: day of the week, validity, and the clock reading.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <climits>

#include "timestamp_util.h"

namespace {

using editorsettings::DateTime;

TEST(DateTimeValue, DayOfWeek) {
  const struct {
    DateTime v;
    int expected;
  } cases[] = {
      {{1970, 1, 1}, 4},   {{2000, 1, 1}, 6},  {{2000, 2, 29}, 2}, {{1, 1, 1}, 1},
      {{9999, 12, 31}, 5}, {{2026, 12, 8}, 2}, {{2027, 1, 2}, 6},  {{1868, 9, 8}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.v.year << "-" << c.v.month << "-" << c.v.day);
    EXPECT_EQ(c.v.DayOfWeek(), c.expected);
  }
}

TEST(DateTimeValue, Validity) {
  EXPECT_TRUE((DateTime{2024, 2, 29, 23, 59, 59, 999}.IsValid()));
  EXPECT_TRUE((DateTime{2000, 2, 29}.IsValid()));
  EXPECT_TRUE((DateTime{1, 1, 1}.IsValid()));
  EXPECT_TRUE((DateTime{9999, 12, 31}.IsValid()));
  const DateTime invalid[] = {
      {2023, 2, 29},       {1900, 2, 29},          {2026, 4, 31},
      {2026, 13, 1},       {2026, 0, 1},           {2026, 1, 0},
      {0, 1, 1},           {10000, 1, 1},          {2026, 1, 1, 24},
      {2026, 1, 1, 0, 60}, {2026, 1, 1, 0, 0, 60}, {2026, 1, 1, 0, 0, 0, 1000},
      {2026, 1, 1, -1},
  };
  for (const DateTime& v : invalid) {
    SCOPED_TRACE(testing::Message() << v.year << "-" << v.month << "-" << v.day << " " << v.hour << ":" << v.minute
                                    << ":" << v.second << "." << v.millisecond);
    EXPECT_FALSE(v.IsValid());
  }
}

TEST(DateTimeValue, OutOfRangeMonthFormatsWithoutNames) {
  for (int month : {0, 13, -1, 1000}) {
    const DateTime v{2026, month, 1};
    EXPECT_EQ(tstest::Format("mmm|mmmm", v), "|");
    EXPECT_EQ(tstest::Format("m", v), std::to_string(month));
    EXPECT_EQ(tstest::Format("dddd", v).size(), 9u);  // some day name, three kanji
  }
}

TEST(DateTimeValue, ExtremeFieldsFormatSafely) {
  const DateTime v{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  EXPECT_EQ(tstest::Format("h|n|s|zzz", v), "-2147483648|-2147483648|-2147483648|-2147483648");
  EXPECT_EQ(tstest::Format("gg|mmm", v), "|");
}

std::tm LocalTm(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

bool Matches(const DateTime& v, const std::tm& tm) {
  return v.year == tm.tm_year + 1900 && v.month == tm.tm_mon + 1 && v.day == tm.tm_mday && v.hour == tm.tm_hour &&
         v.minute == tm.tm_min && v.second == tm.tm_sec && v.DayOfWeek() == tm.tm_wday;
}

TEST(DateTimeValue, CurrentDateTimeIsLocalTime) {
  // A zone nine hours from UTC, so that a reading in UTC would be caught.
  const char* old = getenv("TZ");
  const std::string saved = old ? old : "";
  setenv("TZ", "JST-9", 1);
  tzset();
  const std::time_t before = time(nullptr);
  const DateTime now = editorsettings::CurrentDateTime();
  const std::time_t after = time(nullptr);
  bool matched = false;
  for (std::time_t t = before; t <= after; ++t) matched = matched || Matches(now, LocalTm(t));
  if (old)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
  EXPECT_TRUE(matched) << now.year << "-" << now.month << "-" << now.day << " " << now.hour << ":" << now.minute << ":"
                       << now.second;
  EXPECT_TRUE(now.IsValid());
}

}  // namespace
