// Hours on the 12- and 24-hour clock, the half-day markers, and "m" read as minutes after an hour.
#include <gtest/gtest.h>

#include "timestamp_util.h"

namespace {

using editorsettings::DateTime;

DateTime At(int hour, int minute) { return {2026, 12, 8, hour, minute, 0, 0}; }

struct ClockCase {
  const char* format;
  int hour;
  const char* expected;
};

TEST(Clock, TwelveHourRuleAndMarkers) {
  const ClockCase cases[] = {
      {"h:nn AM/PM", 0, "12:05 AM"},
      {"h:nn AM/PM", 1, "1:05 AM"},
      {"h:nn AM/PM", 11, "11:05 AM"},
      {"h:nn AM/PM", 12, "12:05 PM"},
      {"h:nn AM/PM", 13, "1:05 PM"},
      {"h:nn AM/PM", 23, "11:05 PM"},
      {"hh:nn AM/PM", 13, "01:05 PM"},
      // The marker echoes the letters as written.
      {"h am/pm", 13, "1 pm"},
      {"h am/pm", 9, "9 am"},
      {"h Am/pM", 13, "1 pM"},
      {"h aM/Pm", 0, "12 aM"},
      {"h A/P", 13, "1 P"},
      {"h A/P", 0, "12 A"},
      {"h a/p", 13, "1 p"},
      {"h a/P", 23, "11 P"},
      {"h a/P", 11, "11 a"},
      // "AMPM" prints the locale's own words, whatever the case it is written in.
      {"h AMPM", 13, "1 午後"},
      {"h ampm", 0, "12 午前"},
      {"h aMpM", 12, "12 午後"},
      // Without a marker the clock runs to 23.
      {"h", 0, "0"},
      {"hh", 0, "00"},
      {"h", 13, "13"},
      {"hh", 23, "23"},
      // A marker anywhere in the format counts, also before the hour.
      {"AMPMh", 13, "午後1"},
      {"am/pm hh", 15, "pm 03"},
      {"h:nn box a/p", 14, "2:05 box p"},
      // A marker in quotes is text and leaves the clock at 24 hours.
      {"h 'AM/PM'", 13, "13 AM/PM"},
      {"h \"ampm\"", 13, "13 ampm"},
      // A day name is not a marker.
      {"h aaa", 13, "13 火"},
      // A run of four or more a's is one day name, so no marker hides inside it.
      {"aaaam/pm h", 13, "火曜日12/p12 13"},
      // Shorter runs give way to a marker that starts inside them.
      {"aam/pm h", 13, "apm 1"},
  };
  for (const ClockCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format << " at " << c.hour);
    EXPECT_EQ(tstest::Format(c.format, At(c.hour, 5)), c.expected);
  }
}

TEST(Clock, ExpandedTimeFormatsKeepTheirOwnClock) {
  // "t" is a format of its own, without a marker: it stays on the 24-hour clock.
  EXPECT_EQ(tstest::Format("t AM/PM", At(13, 5)), "13:05 PM");
  EXPECT_EQ(tstest::Format("tt ampm", At(0, 5)), "0:05:00 午前");
}

TEST(Clock, MinutesAfterAnHour) {
  const DateTime v = tstest::kSmall;  // 2026-03-04 07:08:09
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"h:m", "7:8"},
      {"h:mm", "7:08"},
      {"hh:mm:ss", "07:08:09"},
      {"H:MM", "7:08"},
      {"h.m", "7.8"},
      {"hm", "78"},
      {"h'時'm'分'", "7時8分"},
      {"h時m分", "7時8分"},
      // Month when the previous letter is not an hour.
      {"m/d", "3/4"},
      {"m h", "3 7"},
      {"h d m", "7 4 3"},
      {"h:nn m", "7:08 3"},
      {"yyyy/m/d h:m", "2026/3/4 7:8"},
      // Names of the month are never minutes.
      {"h:mmm", "7:3月"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(tstest::Format(c.format, v), c.expected);
  }
}

}  // namespace
