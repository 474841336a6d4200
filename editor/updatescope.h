// An update bracket held for a scope: BeginUpdate on entry, EndUpdate on every way out, so an
// exception inside never leaves the target holding back its change notifications for good.
#pragma once

namespace editor {

template <class T>
class UpdateScope {
 public:
  explicit UpdateScope(T& target) : target_(&target) { target_->BeginUpdate(); }
  // No bracket at all when `target` is null.
  explicit UpdateScope(T* target) : target_(target) {
    if (target_ != nullptr) target_->BeginUpdate();
  }
  ~UpdateScope() {
    if (target_ != nullptr) target_->EndUpdate();
  }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  T* target_;
};

}  // namespace editor
