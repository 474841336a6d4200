// The Qt side of the codec: QString <-> code page 932 bytes, and message texts (UTF-8) as Qt
// shows them. Every widget converts through here, so text crosses the boundary one way only.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "codec/cp932.h"

namespace codec::qt {

inline QString FromCp932(std::string_view cp932) { return QString::fromStdU16String(Cp932ToUtf16(cp932)); }

// The bytes and the number of characters code page 932 cannot hold (each became "?").
inline Encoded ToCp932Counted(const QString& text) {
  return Utf16ToCp932(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

inline std::string ToCp932(const QString& text) { return ToCp932Counted(text).bytes; }

// Message texts are UTF-8 with CR LF line breaks; Qt's boxes and labels break on LF alone.
inline QString MessageText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace codec::qt
