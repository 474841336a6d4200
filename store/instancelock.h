// The single-instance lock of the program: a lock file in the user's runtime directory, held with
// flock() while the program runs (Qt's QLockFile does the same), so other tools can see it.
#pragma once

#include <string>

namespace store {

// "$XDG_RUNTIME_DIR/ソラメtext_OPEN.lock", or under /tmp/runtime-<user> when that is unset.
std::string InstanceLockPath();

// True while a live process holds the lock file at `path`. A stale file left by a killed run
// does not count.
bool InstanceLockHeld(const std::string& path);

}  // namespace store
