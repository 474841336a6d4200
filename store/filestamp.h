// A data file's identity on disk (size, modification time to the nanosecond, inode, device), taken
// when the program reads or writes the file, so that a change made from outside (a sync tool,
// another program) is noticed before the program saves over it.
#pragma once

#include <cstdint>
#include <string>

namespace store {

struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  int64_t mtimeSec = 0;
  int64_t mtimeNsec = 0;
  uint64_t inode = 0;
  uint64_t device = 0;

  // The file at `path` now, through symbolic links; a missing file gives a stamp that does not exist.
  static FileStamp Of(const std::string& path);
  // The file behind an open descriptor.
  static FileStamp OfDescriptor(int fd);

  bool operator==(const FileStamp&) const = default;
};

// Whether the file at `path` is no longer the one `recorded` describes (replaced, rewritten,
// created or deleted). Cheap: one stat().
inline bool ChangedOnDisk(const FileStamp& recorded, const std::string& path) {
  return FileStamp::Of(path) != recorded;
}

}  // namespace store
