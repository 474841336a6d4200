// The editor's text on the clipboard and in drags: text/plain for every other program, the box
// marker for box text, and the exact code page 932 bytes under a private type so that a copy and
// paste inside the program never changes a character (some codes do not survive Unicode).
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>

class QMimeData;

namespace editor::qt {

// "TEditor Box Type".
inline constexpr char kBoxMimeType[] = "application/x-teditor-box-type";
// The exact bytes; only this program writes it.
inline constexpr char kCp932MimeType[] = "application/x-sorametext-cp932";

std::unique_ptr<QMimeData> MakeTextMime(std::string_view cp932, bool box);

// Text read from a clipboard or a drop, already in code page 932.
struct MimeText {
  bool hasText = false;  // there is text at all
  bool box = false;      // it carries the box marker
  std::string bytes;
  int replaced = 0;  // characters code page 932 cannot hold, now "?"
};
MimeText ReadTextMime(const QMimeData* mime);

// Unicode from a platform source as code page 932, counting the characters that became "?".
MimeText FromUnicode(const QString& text);

}  // namespace editor::qt
