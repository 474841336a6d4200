// Header and footer texts: the "%" placeholders for the item, group, page, date and time.
#pragma once

#include <string>
#include <string_view>

namespace print {

// A local date and time.
struct PrintDateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
PrintDateTime CurrentPrintDateTime();

struct HeaderFooterValues {
  std::string_view fileName;   // code page 932
  std::string_view groupName;  // code page 932
  int page = 1;
  PrintDateTime now;
};

// Expands %f %F %g %p %y %m %d %t; "%" before any other character gives that character, so "%%" is
// one "%". A "%" that ends the text stays as it is. Text is code page 932; a double-byte character
// is copied whole.
std::string ExpandHeaderFooter(std::string_view text, const HeaderFooterValues& values);

// The file name without its directory part ("/" or "\" that is not the second byte of a
// double-byte character).
std::string_view FileNameWithoutDirectory(std::string_view path);

// The time as the platform's long time format has it: "H:mm:ss".
std::string FormatPrintTime(const PrintDateTime& t);

}  // namespace print
