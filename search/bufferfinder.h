// One pattern under one set of search options, as the editor's own search asks for it: the
// editor walks its text in windows and hands each window here.
#pragma once

#include <string>
#include <string_view>

#include "editor/textfinder.h"
#include "search/findinbuffer.h"

namespace search {

class BufferFinder final : public editor::TextFinder {
 public:
  BufferFinder(std::string_view pattern, TSearchOptions options) : pattern_(pattern), options_(options) {}

  bool CanMatch() const override { return !pattern_.empty(); }
  bool Forward() const override { return (options_ & soForward) != 0; }
  bool Find(std::string_view buffer, std::int32_t& start, std::int32_t& length) const override {
    TSearchPosition position{start, length};
    if (!FindInBuffer(buffer, position, pattern_, options_)) return false;
    start = position.Start;
    length = position.Length;
    return true;
  }

 private:
  std::string pattern_;
  TSearchOptions options_;
};

}  // namespace search
