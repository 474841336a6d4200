// The lines printed for all items of a group: the items follow one another directly.
#pragma once

#include <string>
#include <vector>

namespace print {

// Each item's text (code page 932, in stored order) followed by CR LF, cut into lines as the
// editor cuts a text (CR LF, lone CR or lone LF; a final break ends the last line). An item that
// ends with a line break thus leaves one empty line before the next item.
std::vector<std::string> GroupItemLines(const std::vector<std::string>& itemTexts);

}  // namespace print
