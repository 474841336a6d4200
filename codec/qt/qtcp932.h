// Code page 932 <-> QString for the search windows (the codec does the work).
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "codec/cp932.h"

namespace search::qt {

inline QString FromCp932(std::string_view cp932) { return QString::fromStdU16String(codec::Cp932ToUtf16(cp932)); }

inline std::string ToCp932(const QString& text) {
  return codec::Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())))
      .bytes;
}

// UTF-8 message texts use CR LF; a label breaks on LF alone.
inline QString MessageText(const std::string& utf8) { return QString::fromStdString(utf8).replace("\r\n", "\n"); }

}  // namespace search::qt
