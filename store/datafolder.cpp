#include "store/datafolder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

#include "store/bytestream.h"
#include "store/errors.h"
#include "store/stream.h"

namespace store {

DataFolder::DataFolder(std::string path) : path_(std::move(path)) {
  if (path_.empty() || path_.back() != '/') path_.push_back('/');
}

namespace {
[[noreturn]] void FolderError(const std::string& path, int err) {
  throw Error("フォルダ " + path + " を作成できません (" + IoErrorMessage(err) + ")");
}

// Opens a record file, notes its stamp and reads it with `read`; read errors name the file.
template <class Read>
bool ReadFile(const std::string& path, FileStamp* stamp, Read read) {
  int fd = OpenForReading(path);
  if (stamp) *stamp = fd < 0 ? FileStamp{} : FileStamp::OfDescriptor(fd);
  if (fd < 0) return false;
  FileInput in(fd);
  try {
    read(in);
  } catch (const StreamError& e) {
    throw StreamError(FileReadErrorMessage(path, e.what()));
  }
  return true;
}
}  // namespace

void DataFolder::EnsureExists() const {
  struct stat st {};
  if (stat(path_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return;
    FolderError(path_, ENOTDIR);
  }
  // Create each missing level in turn.
  for (size_t pos = 1; pos <= path_.size(); ++pos) {
    if (pos != path_.size() && path_[pos] != '/') continue;
    std::string part = path_.substr(0, pos);
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) FolderError(path_, errno);
  }
  if (stat(path_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) FolderError(path_, ENOTDIR);
}

void DataFolder::SaveComponentFile(Component& object, const std::string& name, FileStamp* stamp) const {
  EnsureExists();  // a folder removed while the program runs is made again, not given up on
  AtomicFileOutput out(FilePath(name));
  WriteComponent(out, object);
  out.Commit();
  if (stamp) *stamp = out.Stamp();
}

bool DataFolder::LoadComponentFile(Component& object, const std::string& name, FileStamp* stamp) const {
  EnsureExists();
  return ReadFile(FilePath(name), stamp, [&](InputStream& in) { ReadComponent(in, object); });
}

void DataFolder::SaveListFile(Component& collection, Component& settings, const std::vector<int>& order,
                              const std::string& name, FileStamp* stamp) const {
  EnsureExists();
  AtomicFileOutput out(FilePath(name));
  WriteListStream(out, collection, settings, order);
  out.Commit();
  if (stamp) *stamp = out.Stamp();
}

bool DataFolder::LoadListFile(Component& collection, Component& settings, std::vector<int>& order,
                              const std::string& name, FileStamp* stamp) const {
  order.clear();
  EnsureExists();
  return ReadFile(FilePath(name), stamp, [&](InputStream& in) { ReadListStream(in, collection, settings, order); });
}

void WriteListStream(OutputStream& out, Component& collection, Component& settings, const std::vector<int>& order) {
  out.WriteInt32(static_cast<int32_t>(order.size()));
  for (int index : order) out.WriteInt32(index);
  WriteComponent(out, collection);
  WriteComponent(out, settings);
}

void ReadListStream(InputStream& in, Component& collection, Component& settings, std::vector<int>& order) {
  order.clear();
  auto int32 = [&in] {
    uint8_t b[4];
    in.Read(b, 4);
    return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24);
  };
  int32_t count = int32();
  // The header's count is data, not a promise: it must fit in what the stream holds.
  if (count < 0) throw StreamError(std::string(msg::kReadError));
  in.Require(static_cast<uint64_t>(count) * 4);
  order.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) order.push_back(int32());
  ReadComponent(in, collection);
  ReadComponent(in, settings);
}

// ".<name>.tmp-" followed by the six characters mkostemp() puts in.
bool IsTemporaryFileName(std::string_view name) {
  const std::string_view infix = kTemporaryInfix;
  constexpr size_t kRandom = 6;
  if (name.size() < 1 + 1 + infix.size() + kRandom || name[0] != '.') return false;
  if (name.substr(name.size() - kRandom - infix.size(), infix.size()) != infix) return false;
  for (char c : name.substr(name.size() - kRandom))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

std::vector<std::string> DataFolder::RemoveStaleTemporaryFiles() const {
  std::vector<std::string> removed;
  DIR* dir = opendir(path_.c_str());
  if (!dir) return removed;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    struct stat st {};
    if (!IsTemporaryFileName(name) || lstat(FilePath(name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (unlink(FilePath(name).c_str()) == 0) removed.push_back(name);
  }
  closedir(dir);
  return removed;
}

bool DataFolder::Exists(const std::string& name) const { return FileExists(FilePath(name)); }

void DataFolder::Remove(const std::string& name) const { unlink(FilePath(name).c_str()); }

std::string DataFolderIn(const std::string& directory) {
  std::string path = directory;
  if (path.empty() || path.back() != '/') path.push_back('/');
  return path + "UserData/";
}

std::string ItemFileNameOf(int32_t nameId) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", static_cast<uint32_t>(nameId));
  return buf;
}

}  // namespace store
