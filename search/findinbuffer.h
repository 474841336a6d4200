// FindInBuffer: finds a pattern in Shift-JIS (code page 932) text under the search options.
// Used by the editor's own search and by the searches across items.
#pragma once

#include <cstdint>
#include <string_view>

namespace search {

// A 16-bit set of options; combine the members with |.
using TSearchOptions = std::uint16_t;
enum : TSearchOptions {
  soForward = 1,   // towards the end of the text; absent: towards the start
  soBackward = 2,  // set by the find dialog for "up"; the search itself looks only at soForward
  soMatchCase = 4,
  soWholeWord = 8,
  soIgnoreWidth = 16,        // full-width and half-width forms compare equal
  soIgnoreLineBreaks = 256,  // CR and LF inside the text may be skipped within a match
  soIgnoreSpaces = 512,      // TAB, space and the full-width space may be skipped within a match
};

// Byte offsets. On entry Start is where the search begins and Length the length of the current
// selection or previous hit (a forward search begins at Start + Length); on success the match's
// offset and the number of text bytes it covers, skipped bytes included.
struct TSearchPosition {
  std::int32_t Start = 0;
  std::int32_t Length = 0;
};

// Searches `buffer` for `pattern` and, when found, stores the match in `position`. The end of the
// buffer stands for the terminating NUL of the text (it ends a word, and nothing matches it); a
// NUL byte inside the buffer is an ordinary control byte that no pattern character matches. The
// pattern ends at its first NUL, if any. An empty pattern or buffer, or a Start outside
// 0..length, finds nothing. A match never starts on the trail byte of a double-byte character.
bool FindInBuffer(std::string_view buffer, TSearchPosition& position, std::string_view pattern, TSearchOptions options);

}  // namespace search
