#include "mainwin/damaged.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "store/errors.h"

namespace mainwin {

std::string FreeDamagedName(const store::DataFolder& folder, const std::string& name) {
  std::string candidate = name + ".damaged";
  for (int n = 2; folder.Exists(candidate); ++n) candidate = name + ".damaged." + std::to_string(n);
  return candidate;
}

bool DamagedFiles::Note(const std::string& name) { return noted_.insert(name).second; }

namespace {
// Copies src to dst, refusing to replace an existing dst.
void CopyNew(const std::string& src, const std::string& dst) {
  int in = open(src.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw store::Error(store::CannotOpenMessage(src));
  int out = open(dst.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    close(in);
    throw store::Error(store::CannotCreateMessage(dst));
  }
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t off = 0; off < n;) {
      ssize_t w = write(out, buf + off, static_cast<size_t>(n - off));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      off += w;
    }
    if (!ok) break;
  }
  if (ok && fsync(out) != 0) ok = false;
  close(in);
  if (close(out) != 0) ok = false;
  if (!ok) {
    unlink(dst.c_str());
    throw store::Error(store::CannotCreateMessage(dst));
  }
}
}  // namespace

std::string DamagedFiles::KeepBeforeSave(const std::string& name) {
  if (!IsNoted(name)) return {};
  if (!folder_.Exists(name)) {
    noted_.erase(name);
    return {};
  }
  std::string kept = FreeDamagedName(folder_, name);
  CopyNew(folder_.FilePath(name), folder_.FilePath(kept));
  noted_.erase(name);
  return kept;
}

std::string DamagedFiles::MoveFolderAside(const std::string& name) {
  struct stat st {};
  if (stat(folder_.FilePath(name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  std::string kept = FreeDamagedName(folder_, name);
  if (rename(folder_.FilePath(name).c_str(), folder_.FilePath(kept).c_str()) != 0) {
    const int err = errno;
    throw store::Error("ファイル " + folder_.FilePath(name) + " の場所にあるフォルダを移せません (" +
                       store::IoErrorMessage(err) + ")");
  }
  noted_.erase(name);
  return kept;
}

std::string FolderMovedAsideMessage(const std::string& path, const std::string& keptPath) {
  return "ファイル " + path + " の場所にフォルダがあったため、フォルダを " + keptPath + " に移しました";
}

}  // namespace mainwin
