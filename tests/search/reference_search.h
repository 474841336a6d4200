// A slow search written step by step from the rules (a class map of the whole buffer, the
// candidate counter R, one comparison per candidate), to check FindInBuffer against.
#pragma once

#include <string_view>

#include "search/findinbuffer.h"

namespace reference {

bool FindInBuffer(std::string_view buffer, search::TSearchPosition& position, std::string_view pattern,
                  search::TSearchOptions options);

}  // namespace reference
