// Time stamps: the date and time formatting language of the time-stamp formats and menu captions,
// with Japanese locale data whatever the process locale. Formats and results are code page 932.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace editorsettings {

// A local date and time. Plain fields; the day of the week follows from the date.
struct DateTime {
  int year = 1;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  // 0 = Sunday ... 6 = Saturday, proleptic Gregorian calendar.
  int DayOfWeek() const;
  // Years 1-9999 and a day that exists in its month; times within a day.
  bool IsValid() const;
  bool operator==(const DateTime&) const = default;
};

// The local date and time now, to the millisecond.
DateTime CurrentDateTime();

struct Era {
  int year, month, day;   // first day of the era
  std::string name;       // long name, e.g. "令和"
  std::string shortName;  // its first kanji, e.g. "令"
  char letter;            // Latin abbreviation, e.g. 'R' (kept with the table, not printed)
};

// Everything the language takes from the locale. All strings are code page 932.
struct DateLocale {
  std::string dateSeparator;
  std::string timeSeparator;
  std::string shortDateFormat;
  std::string longDateFormat;
  std::string shortTimeFormat;
  std::string longTimeFormat;
  std::string amString;
  std::string pmString;
  std::array<std::string, 7> shortDayNames;  // Sunday first
  std::array<std::string, 7> longDayNames;
  std::array<std::string, 12> shortMonthNames;
  std::array<std::string, 12> longMonthNames;
  std::vector<Era> eras;  // in order of their first day
};

// The Japanese locale the program always formats with.
const DateLocale& JapaneseDateLocale();

// Formats `value` by `format` (code page 932 in and out) with the Japanese locale.
std::string FormatDateTime(std::string_view format, const DateTime& value);
std::string FormatDateTime(std::string_view format, const DateTime& value, const DateLocale& locale);

}  // namespace editorsettings
