// Header and footer placeholders.
#include "print/headerfooter.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "codec/cp932.h"

namespace print {

PrintDateTime CurrentPrintDateTime() {
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FormatPrintTime(const PrintDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string_view FileNameWithoutDirectory(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size();) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (codec::IsLeadByte(c) && i + 1 < path.size()) {
      i += 2;
      continue;
    }
    ++i;
    if (c == '/' || c == '\\') start = i;
  }
  return path.substr(start);
}

std::string ExpandHeaderFooter(std::string_view text, const HeaderFooterValues& values) {
  std::string out;
  out.reserve(text.size() + 32);
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (codec::IsLeadByte(c) && i + 1 < text.size()) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    if (c != '%' || i + 1 >= text.size()) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    const auto code = static_cast<unsigned char>(text[i + 1]);
    i += 2;
    switch (code) {
      case 'f': out.append(values.fileName); break;
      case 'F': out.append(FileNameWithoutDirectory(values.fileName)); break;
      case 'g': out.append(values.groupName); break;
      case 'p': out.append(std::to_string(values.page)); break;
      case 'y': out.append(std::to_string(values.now.year)); break;
      case 'm': out.append(std::to_string(values.now.month)); break;
      case 'd': out.append(std::to_string(values.now.day)); break;
      case 't': out.append(FormatPrintTime(values.now)); break;
      default:
        // Any other character stands for itself; a double-byte one is kept whole.
        out.push_back(static_cast<char>(code));
        if (codec::IsLeadByte(code) && i < text.size()) out.push_back(text[i++]);
        break;
    }
  }
  return out;
}

}  // namespace print
