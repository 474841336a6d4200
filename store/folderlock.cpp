#include "store/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

#include "store/errors.h"

namespace store {

namespace {

std::mutex g_mutex;
std::vector<std::string> g_held;  // folders locked by this process, one entry per held lock

}  // namespace

FolderLock::FolderLock(std::string folder) : folder_(std::move(folder)) {
  if (folder_.empty() || folder_.back() != '/') folder_.push_back('/');
}

FolderLock::~FolderLock() { Unlock(); }

FolderLock::State FolderLock::TryLock() {
  if (fd_ >= 0) return State::Held;
  error_.clear();
  const std::string path = folder_ + kFileName;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    error_ = IoErrorMessage(errno);
    return State::Failed;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    if (err == EWOULDBLOCK) return State::InUse;
    error_ = IoErrorMessage(err);
    return err == ENOLCK || err == EOPNOTSUPP || err == ENOSYS ? State::Unsupported : State::Failed;
  }
  fd_ = fd;
  std::lock_guard<std::mutex> guard(g_mutex);
  g_held.push_back(folder_);
  return State::Held;
}

void FolderLock::Unlock() {
  if (fd_ < 0) return;
  // The file stays: removing it would let a waiting process lock a file nobody else can see.
  close(fd_);
  fd_ = -1;
  std::lock_guard<std::mutex> guard(g_mutex);
  auto it = std::find(g_held.begin(), g_held.end(), folder_);
  if (it != g_held.end()) g_held.erase(it);
}

bool FolderLock::HeldInThisProcess(const std::string& folder) {
  const std::string key = folder.empty() || folder.back() != '/' ? folder + "/" : folder;
  std::lock_guard<std::mutex> guard(g_mutex);
  return std::find(g_held.begin(), g_held.end(), key) != g_held.end();
}

}  // namespace store
