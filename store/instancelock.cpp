#include "store/instancelock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace store {

std::string InstanceLockPath() {
  std::string dir;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    dir = runtime;
  } else {
    const passwd* pw = getpwuid(getuid());
    dir = std::string("/tmp/runtime-") + (pw ? pw->pw_name : std::to_string(getuid()).c_str());
  }
  return dir + "/ソラメtext_OPEN.lock";
}

bool InstanceLockHeld(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    held = errno == EWOULDBLOCK;
  } else {
    flock(fd, LOCK_UN);
  }
  close(fd);
  return held;
}

}  // namespace store
