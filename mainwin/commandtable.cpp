#include "mainwin/commandtable.h"

#include <stdexcept>
#include <string>

namespace mainwin {

void CommandTable::Register(ActionId id, Handler handler) {
  if (Has(id)) throw std::logic_error("two handlers for " + std::string(Spec(id).name));
  handlers_[Index(id)] = std::move(handler);
}

bool CommandTable::Run(ActionId id) const {
  const Handler& handler = handlers_[Index(id)];
  if (!handler) return false;
  handler();
  return true;
}

}  // namespace mainwin
