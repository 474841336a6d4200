// The one table from action to handler. The command modules register their handlers here; the
// window binds each of its actions to the table and enables only actions that have a handler.
#pragma once

#include <array>
#include <functional>

#include "mainwin/actions.h"

namespace mainwin {

class CommandTable {
 public:
  using Handler = std::function<void()>;

  // Each action has at most one handler: registering a second throws std::logic_error.
  void Register(ActionId id, Handler handler);
  bool Has(ActionId id) const { return static_cast<bool>(handlers_[Index(id)]); }
  // Runs the handler of `id`; false when there is none.
  bool Run(ActionId id) const;

 private:
  static size_t Index(ActionId id) { return static_cast<size_t>(id); }
  std::array<Handler, kActionCount> handlers_;
};

}  // namespace mainwin
