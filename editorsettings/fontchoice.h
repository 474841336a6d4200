// Font names as the settings dialog offers them (code page 932): which names a list leaves out and
// where a stored name stands in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editorsettings {

// The editor's font list: names of vertical-writing faces ("@" first) are never offered.
std::vector<std::string> WithoutAtNames(std::vector<std::string> names);
// The list fonts: the leading "@" names (they sort before the others) are left out.
std::vector<std::string> WithoutLeadingAtNames(std::vector<std::string> names);
// Position of `name` in `names`: the exact name, else one that differs only in ASCII case; -1
// when missing (the dialog then selects nothing and says so).
int FontIndex(const std::vector<std::string>& names, std::string_view name);

}  // namespace editorsettings
