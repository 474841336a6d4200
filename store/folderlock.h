// The data folder's lock: one process at a time changes a folder's files. The program holds it
// for its whole run, the command-line tool for each command that writes. It is an flock() on a
// file inside the folder, so it also holds across machines that share the folder over a network
// file system, and it ends with the process that held it (a crashed run leaves no stale lock).
#pragma once

#include <string>

namespace store {

class FolderLock {
 public:
  // The lock file inside the data folder; never one of the record files.
  static constexpr const char* kFileName = "sorametext.lock";

  enum class State { Unlocked, Held, InUse, Failed, Unsupported };

  // `folder` is a DataFolder's path ("/" is added when missing). Nothing is touched until TryLock.
  explicit FolderLock(std::string folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Takes the lock without waiting, creating the lock file when missing (not the folder).
  // Held: ours now (or already). InUse: another process, or another FolderLock of this one,
  // holds it. Failed: the lock file cannot be opened; Error() says why. Unsupported: the file
  // system keeps no locks (some network mounts); the folder can be used, but unguarded.
  State TryLock();
  void Unlock();

  bool HeldByUs() const { return fd_ >= 0; }
  const std::string& Folder() const { return folder_; }
  // The reason of the last failure, in the store's words (Japanese).
  const std::string& Error() const { return error_; }

  // Whether some FolderLock of this process holds the lock of `folder` (spelled as given to it,
  // with or without the final "/").
  // For code that must be sure no other process works in the folder, such as clean-ups at start.
  static bool HeldInThisProcess(const std::string& folder);

 private:
  std::string folder_;
  std::string error_;
  int fd_ = -1;
};

}  // namespace store
