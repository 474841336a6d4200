// Time stamps: the date and time formatting language and the Japanese locale data it prints with.
#include "editorsettings/timestamp.h"

#include <time.h>

#include <chrono>

#include "codec/cp932.h"

namespace editorsettings {

namespace chr = std::chrono;

int DateTime::DayOfWeek() const {
  const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                chr::day{static_cast<unsigned>(day)}};
  return static_cast<int>(chr::weekday{chr::sys_days{ymd}}.c_encoding());
}

bool DateTime::IsValid() const {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                chr::day{static_cast<unsigned>(day)}};
  return ymd.ok() && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
         millisecond >= 0 && millisecond < 1000;
}

DateTime CurrentDateTime() {
  const auto now = chr::system_clock::now();
  const auto whole = chr::floor<chr::seconds>(now);
  const std::time_t t = chr::system_clock::to_time_t(whole);
  std::tm tm{};
  localtime_r(&t, &tm);
  DateTime v;
  v.year = tm.tm_year + 1900;
  v.month = tm.tm_mon + 1;
  v.day = tm.tm_mday;
  v.hour = tm.tm_hour;
  v.minute = tm.tm_min;
  // A leap second reads as 60; keep the value inside the minute.
  v.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;
  v.millisecond = static_cast<int>(chr::duration_cast<chr::milliseconds>(now - whole).count());
  return v;
}

const DateLocale& JapaneseDateLocale() {
  // The era names come in two lengths: "gg" prints the whole name (令和) and "g" its first kanji
  // (令), which is how a Japanese date is abbreviated in writing, e.g. "令8年12月8日". The Latin
  // letters are kept with the table but no specifier prints them.
  //
  // Month names: some Japanese locale tables abbreviate a month to its bare number, which would
  // make "mmm" print exactly what "m" prints; both lengths give the number with 月 instead.
  static const DateLocale locale = [] {
    DateLocale l;
    l.dateSeparator = "/";
    l.timeSeparator = ":";
    l.shortDateFormat = "yyyy/MM/dd";
    l.longDateFormat = "yyyy'\x94N'M'\x8C\x8E'd'\x93\xFA'";  // yyyy'年'M'月'd'日'
    l.shortTimeFormat = "H:mm";
    l.longTimeFormat = "H:mm:ss";
    l.amString = "\x8C\xDF\x91\x4F";  // 午前
    l.pmString = "\x8C\xDF\x8C\xE3";  // 午後
    // 日 月 火 水 木 金 土
    const char* const days[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85", "\x96\xD8", "\x8B\xE0", "\x93\x79"};
    for (int i = 0; i < 7; ++i) {
      l.shortDayNames[i] = days[i];
      l.longDayNames[i] = std::string(days[i]) + "\x97\x6A\x93\xFA";  // + 曜日
    }
    for (int i = 0; i < 12; ++i) {
      l.shortMonthNames[i] = std::to_string(i + 1) + "\x8C\x8E";  // + 月
      l.longMonthNames[i] = l.shortMonthNames[i];
    }
    // First days as the Japanese calendar of the platform counts them; 明治 starts on the day the
    // era name was proclaimed.
    l.eras = {
        {1868, 9, 8, "\x96\xBE\x8E\xA1", "\x96\xBE", 'M'},    // 明治
        {1912, 7, 30, "\x91\xE5\x90\xB3", "\x91\xE5", 'T'},   // 大正
        {1926, 12, 25, "\x8F\xBA\x98\x61", "\x8F\xBA", 'S'},  // 昭和
        {1989, 1, 8, "\x95\xBD\x90\xAC", "\x95\xBD", 'H'},    // 平成
        {2019, 5, 1, "\x97\xDF\x98\x61", "\x97\xDF", 'R'},    // 令和
    };
    return l;
  }();
  return locale;
}

namespace {

// The user's format is depth 0; an expansion ("c", "ddddd", "dddddd", "t", "tt") inside it is
// depth 1, an expansion inside that depth 2. Anything deeper prints nothing, so a locale format
// that names itself cannot recurse for ever.
constexpr int kMaxExpansionDepth = 2;

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c); }

bool StartsWithNoCase(std::string_view f, size_t pos, std::string_view word) {
  if (f.size() - pos < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k)
    if (Upper(static_cast<unsigned char>(f[pos + k])) != word[k]) return false;
  return true;
}

// Length of the run of the letter at `pos`, case ignored.
size_t RunLength(std::string_view f, size_t pos) {
  const char up = Upper(static_cast<unsigned char>(f[pos]));
  size_t end = pos + 1;
  while (end < f.size() && Upper(static_cast<unsigned char>(f[end])) == up) ++end;
  return end - pos;
}

using codec::CharLength;

// Position of the closing quote matching the one at `open`, or f.size() when it is not closed.
// Double-byte characters are stepped over whole.
size_t ClosingQuote(std::string_view f, size_t open) {
  size_t p = open + 1;
  while (p < f.size() && f[p] != f[open]) p += CharLength(f, p);
  return p < f.size() ? p : f.size();
}

// What an 'a' or 'A' starts. The marker kinds come first, so "ampm" is never read as a day name.
enum class AToken { AmPm, AP, LocaleAmPm, LongDay, ShortDay, Literal };
struct ALexeme {
  AToken kind;
  size_t length;
};

ALexeme LexA(std::string_view f, size_t pos) {
  if (StartsWithNoCase(f, pos, "AM/PM")) return {AToken::AmPm, 5};
  if (StartsWithNoCase(f, pos, "A/P")) return {AToken::AP, 3};
  if (StartsWithNoCase(f, pos, "AMPM")) return {AToken::LocaleAmPm, 4};
  const size_t run = RunLength(f, pos);
  if (run >= 4) return {AToken::LongDay, run};
  if (run == 3) return {AToken::ShortDay, 3};
  // One 'a' at a time, so that "aam/pm" still finds its marker.
  return {AToken::Literal, 1};
}

bool IsHalfDayMarker(AToken kind) { return kind == AToken::AmPm || kind == AToken::AP || kind == AToken::LocaleAmPm; }

// True when the format holds an "AM/PM", "A/P" or "AMPM" outside quotes. Walks the format with
// the same steps as the formatter, so trail bytes and quoted text never count.
bool HasHalfDayMarker(std::string_view f) {
  size_t p = 0;
  while (p < f.size()) {
    const unsigned char c = static_cast<unsigned char>(f[p]);
    if (codec::IsLeadByte(c)) {
      p += CharLength(f, p);
    } else if (c == '\'' || c == '"') {
      p = ClosingQuote(f, p) + 1;
    } else if (c == 'a' || c == 'A') {
      const ALexeme a = LexA(f, p);
      if (IsHalfDayMarker(a.kind)) return true;
      p += a.length;
    } else if (IsAsciiLetter(c)) {
      p += RunLength(f, p);
    } else {
      ++p;
    }
  }
  return false;
}

void AppendNumber(std::string& out, int value, size_t digits) {
  long long magnitude = value;  // wide enough to negate INT_MIN
  if (magnitude < 0) {
    out += '-';
    magnitude = -magnitude;
  }
  const std::string s = std::to_string(magnitude);
  if (s.size() < digits) out.append(digits - s.size(), '0');
  out += s;
}

class Formatter {
 public:
  Formatter(const DateTime& v, const DateLocale& locale) : v_(v), locale_(locale) {}

  std::string Take() { return std::move(out_); }

  void Append(std::string_view f, int depth) {
    if (depth > kMaxExpansionDepth) return;
    // The 12-hour clock holds for every hour of this format when a half-day marker appears
    // anywhere in it, before the hour as well as after: "ampmh'時" means 午後11時, not 午後23時.
    const bool twelveHour = HasHalfDayMarker(f);
    // "m" after an hour means minutes. Only letters count as the previous specifier; separators,
    // quoted text and double-byte characters in between do not break the link ("h'時'm").
    char lastLetter = 0;
    size_t p = 0;
    while (p < f.size()) {
      const unsigned char c = static_cast<unsigned char>(f[p]);
      if (codec::IsLeadByte(c)) {
        const size_t n = CharLength(f, p);
        out_.append(f.substr(p, n));
        p += n;
        continue;
      }
      if (c == '\'' || c == '"') {
        const size_t close = ClosingQuote(f, p);
        out_.append(f.substr(p + 1, close - p - 1));
        p = close + 1;
        continue;
      }
      if (!IsAsciiLetter(c)) {
        if (c == '/')
          out_ += locale_.dateSeparator;
        else if (c == ':')
          out_ += locale_.timeSeparator;
        else
          out_ += static_cast<char>(c);
        ++p;
        continue;
      }
      const char letter = Upper(c);
      if (letter == 'A') {
        const ALexeme a = LexA(f, p);
        AppendA(f.substr(p, a.length), a.kind);
        p += a.length;
      } else {
        const size_t run = RunLength(f, p);
        AppendLetterRun(letter, run, lastLetter == 'H', twelveHour, f.substr(p, run), depth);
        p += run;
      }
      lastLetter = letter;
    }
  }

 private:
  void AppendA(std::string_view written, AToken kind) {
    const bool pm = v_.hour >= 12;
    switch (kind) {
      case AToken::AmPm:
        out_.append(written.substr(pm ? 3 : 0, 2));  // as written: "AM/PM", "am/pm", "Am/pM"...
        break;
      case AToken::AP: out_.append(written.substr(pm ? 2 : 0, 1)); break;
      case AToken::LocaleAmPm: out_ += pm ? locale_.pmString : locale_.amString; break;
      case AToken::LongDay: out_ += locale_.longDayNames[v_.DayOfWeek()]; break;
      case AToken::ShortDay: out_ += locale_.shortDayNames[v_.DayOfWeek()]; break;
      case AToken::Literal: out_.append(written); break;
    }
  }

  void AppendLetterRun(char letter, size_t run, bool afterHour, bool twelveHour, std::string_view written, int depth) {
    switch (letter) {
      case 'C':
        Append(locale_.shortDateFormat, depth + 1);
        if (v_.hour != 0 || v_.minute != 0 || v_.second != 0) {
          out_ += ' ';
          Append(locale_.longTimeFormat, depth + 1);
        }
        break;
      case 'D':
        if (run <= 2)
          AppendNumber(out_, v_.day, run);
        else if (run == 3)
          out_ += locale_.shortDayNames[v_.DayOfWeek()];
        else if (run == 4)
          out_ += locale_.longDayNames[v_.DayOfWeek()];
        else if (run == 5)
          Append(locale_.shortDateFormat, depth + 1);
        else
          Append(locale_.longDateFormat, depth + 1);
        break;
      case 'E': {
        const Era* era = EraOfValue();
        // Before the first era there is no era year; the Gregorian year stands in.
        AppendNumber(out_, era ? v_.year - era->year + 1 : v_.year, run == 1 ? 1 : 2);
        break;
      }
      case 'G':
        if (const Era* era = EraOfValue()) out_ += run == 1 ? era->shortName : era->name;
        break;
      case 'M':
        if (run <= 2 && afterHour)
          AppendNumber(out_, v_.minute, run);
        else if (run <= 2)
          AppendNumber(out_, v_.month, run);
        else if (v_.month >= 1 && v_.month <= 12)
          out_ += (run == 3 ? locale_.shortMonthNames : locale_.longMonthNames)[v_.month - 1];
        break;
      case 'Y':
        if (run <= 2)
          AppendNumber(out_, v_.year % 100, 2);
        else
          AppendNumber(out_, v_.year, 4);
        break;
      case 'H': {
        int h = v_.hour;
        if (twelveHour) {
          if (h == 0)
            h = 12;
          else if (h > 12)
            h -= 12;
        }
        AppendNumber(out_, h, run >= 2 ? 2 : 1);
        break;
      }
      case 'N': AppendNumber(out_, v_.minute, run >= 2 ? 2 : 1); break;
      case 'S': AppendNumber(out_, v_.second, run >= 2 ? 2 : 1); break;
      case 'Z': AppendNumber(out_, v_.millisecond, run > 3 ? 3 : run); break;
      case 'T': Append(run == 1 ? locale_.shortTimeFormat : locale_.longTimeFormat, depth + 1); break;
      default:
        out_.append(written);  // not a specifier letter
        break;
    }
  }

  // The last era whose first day is on or before the value's date; null before the first era.
  const Era* EraOfValue() const {
    const Era* found = nullptr;
    for (const Era& e : locale_.eras) {
      const bool started = v_.year != e.year     ? v_.year > e.year
                           : v_.month != e.month ? v_.month > e.month
                                                 : v_.day >= e.day;
      if (started) found = &e;
    }
    return found;
  }

  const DateTime& v_;
  const DateLocale& locale_;
  std::string out_;
};

}  // namespace

std::string FormatDateTime(std::string_view format, const DateTime& value, const DateLocale& locale) {
  Formatter formatter(value, locale);
  formatter.Append(format, 0);
  return formatter.Take();
}

std::string FormatDateTime(std::string_view format, const DateTime& value) {
  return FormatDateTime(format, value, JapaneseDateLocale());
}

}  // namespace editorsettings
