// Base of the editor's option objects: change notification with an update counter.
#pragma once

#include <functional>
#include <utility>

#include "store/persistent.h"

namespace editor {

class TNotifyPersistent : public store::Persistent {
 public:
  std::function<void()> OnChange;

  void BeginUpdate() { ++update_count_; }
  void EndUpdate() {
    --update_count_;
    Changed();
  }
  // Fires OnChange unless an update bracket is open.
  void Changed() {
    if (update_count_ == 0 && OnChange) OnChange();
  }
  int UpdateCount() const { return update_count_; }

 protected:
  // Setter helper: stores and notifies only when the value differs.
  template <class T, class U>
  void SetValue(T& field, U&& value) {
    if (field != value) {
      field = std::forward<U>(value);
      Changed();
    }
  }

 private:
  int update_count_ = 0;
};

}  // namespace editor
