// The single-instance lock of the program: a lock file in the user's runtime directory, held
// while the program runs. One program per user; the data folder has a lock of its own
// (store/folderlock.h).
#pragma once

#include <string>

namespace store {

// "$XDG_RUNTIME_DIR/ソラメtext_OPEN.lock", or under /tmp/runtime-<user> when that is unset.
std::string InstanceLockPath();
// The running program's socket in the same directory: a second start asks it to show its window.
std::string InstanceSocketPath();

}  // namespace store
