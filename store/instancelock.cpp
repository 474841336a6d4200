#include "store/instancelock.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace store {

namespace {

std::string RuntimeDir() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) return runtime;
  const passwd* pw = getpwuid(getuid());
  return std::string("/tmp/runtime-") + (pw ? pw->pw_name : std::to_string(getuid()).c_str());
}

}  // namespace

std::string InstanceLockPath() { return RuntimeDir() + "/ソラメtext_OPEN.lock"; }

std::string InstanceSocketPath() { return RuntimeDir() + "/ソラメtext_OPEN.socket"; }

}  // namespace store
