#include "store/filestamp.h"

#include <sys/stat.h>

namespace store {

namespace {
FileStamp FromStat(const struct stat& st) {
  FileStamp s;
  s.exists = true;
  s.size = static_cast<uint64_t>(st.st_size);
  s.mtimeSec = static_cast<int64_t>(st.st_mtim.tv_sec);
  s.mtimeNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
  s.inode = static_cast<uint64_t>(st.st_ino);
  s.device = static_cast<uint64_t>(st.st_dev);
  return s;
}
}  // namespace

FileStamp FileStamp::Of(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  return FromStat(st);
}

FileStamp FileStamp::OfDescriptor(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return {};
  return FromStat(st);
}

}  // namespace store
