// Helpers shared by the time-stamp tests: formats and expectations are written in UTF-8 and
// converted to code page 932, the form the formatter works in.
#pragma once

#include <string>
#include <string_view>

#include "codec/cp932.h"
#include "editorsettings/timestamp.h"

namespace tstest {

inline std::string Sjis(std::string_view utf8) { return codec::Utf8ToCp932(utf8).bytes; }
inline std::string Utf8(std::string_view cp932) { return codec::Cp932ToUtf8(cp932); }

// Formats a UTF-8 format and gives the result back in UTF-8, for readable expectations.
inline std::string Format(std::string_view utf8Format, const editorsettings::DateTime& v) {
  return Utf8(editorsettings::FormatDateTime(Sjis(utf8Format), v));
}

// Tuesday 2026-12-08, once in the morning and once just before midnight.
inline constexpr editorsettings::DateTime kMorning{2026, 12, 8, 9, 5, 3, 7};
inline constexpr editorsettings::DateTime kNight{2026, 12, 8, 23, 59, 59, 999};
// Wednesday 2026-03-04: every field below ten, so leading zeros show.
inline constexpr editorsettings::DateTime kSmall{2026, 3, 4, 7, 8, 9, 7};

}  // namespace tstest
