// What the editor's own search asks of a matcher. The editor walks its rows in windows of text and
// shows the hit; finding a pattern in a window is the search library's (search::BufferFinder),
// which the caller hands in, so the editor depends on no search code.
#pragma once

#include <cstdint>
#include <string_view>

namespace editor {

class TextFinder {
 public:
  virtual ~TextFinder() = default;
  // False when nothing can match (an empty pattern): the editor does not search at all.
  virtual bool CanMatch() const = 0;
  // Towards the end of the text; otherwise towards its start.
  virtual bool Forward() const = 0;
  // Finds the pattern in `buffer` (byte offsets): forward from `start` + `length`, the current
  // selection or hit being stepped over, backward before `start`. On success `start` and `length`
  // are the match.
  virtual bool Find(std::string_view buffer, std::int32_t& start, std::int32_t& length) const = 0;
};

}  // namespace editor
