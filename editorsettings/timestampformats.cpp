// The time-stamp page's format list.
#include "editorsettings/timestampformats.h"

#include <algorithm>

namespace editorsettings {

bool TimeStampFormats::Add(std::string_view format) {
  if (!CanAdd(format)) return false;
  formats_.emplace_back(format);
  selected_ = Count() - 1;
  return true;
}

bool TimeStampFormats::Change(std::string_view format) {
  if (!CanChange(format)) return false;
  formats_[static_cast<size_t>(selected_)] = std::string(format);
  return true;
}

bool TimeStampFormats::Delete() {
  if (!CanDelete()) return false;
  formats_.erase(formats_.begin() + selected_);
  selected_ = formats_.empty() ? -1 : std::max(0, selected_ - 1);
  return true;
}

}  // namespace editorsettings
