#include "store/bytestream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/errors.h"

namespace store {

namespace {
constexpr size_t kBufferSize = 64 * 1024;

std::string DirectoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names once symbolic links are followed: saving replaces the link's target and
// keeps the link (a user may link single files into a synced folder). A dangling link gives its
// target's path, where the file is then created.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(256, '\0');
    for (;;) {
      ssize_t n = readlink(path.c_str(), target.data(), target.size());
      if (n < 0) return path;
      if (static_cast<size_t>(n) < target.size()) {
        target.resize(static_cast<size_t>(n));
        break;
      }
      target.resize(target.size() * 2);
    }
    if (target.empty()) return path;
    path = target[0] == '/' ? target : DirectoryOf(path) + "/" + target;
  }
  throw StreamError(CannotCreateMessage(path, ELOOP));
}
}  // namespace

// ---- InputStream

void InputStream::Fail() { throw StreamError(std::string(msg::kReadError)); }

void InputStream::Read(void* dst, size_t n) {
  Require(n);
  auto* out = static_cast<uint8_t*>(dst);
  size_t have = static_cast<size_t>(end_ - cur_);
  if (n <= have) {
    std::memcpy(out, cur_, n);
    cur_ += n;
    return;
  }
  std::memcpy(out, cur_, have);
  cur_ += have;
  out += have;
  n -= have;
  if (n >= kBufferSize) {
    ReadDirect(out, n);
    return;
  }
  while (n > 0) {
    if (cur_ == end_ && !Refill()) Fail();
    size_t take = std::min(n, static_cast<size_t>(end_ - cur_));
    std::memcpy(out, cur_, take);
    cur_ += take;
    out += take;
    n -= take;
  }
}

void InputStream::ReadInto(std::string& dst, size_t n) {
  Require(n);
  dst.resize(n);
  if (n > 0) Read(dst.data(), n);
}

void InputStream::Skip(uint64_t n) {
  Require(n);
  while (n > 0) {
    if (cur_ == end_ && !Refill()) Fail();
    size_t take = static_cast<size_t>(std::min<uint64_t>(n, static_cast<uint64_t>(end_ - cur_)));
    cur_ += take;
    n -= take;
  }
}

MemoryInput::MemoryInput(std::string_view bytes) {
  begin_ = cur_ = reinterpret_cast<const uint8_t*>(bytes.data());
  end_ = begin_ + bytes.size();
}

// ---- FileInput

FileInput::FileInput(int fd) : fd_(fd), buf_(kBufferSize) {
  struct stat st {};
  uint64_t size = 0;
  if (fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) size = static_cast<uint64_t>(st.st_size);
  begin_ = cur_ = end_ = buf_.data();
  unbuffered_ = size;
}

FileInput::~FileInput() {
  if (fd_ >= 0) close(fd_);
}

void FileInput::ReadFully(uint8_t* dst, size_t n) {
  while (n > 0) {
    ssize_t got = ::read(fd_, dst, n);
    if (got < 0 && errno == EINTR) continue;
    // A file that shrank under us or a read error: the record is unreadable.
    if (got <= 0) {
      unbuffered_ = 0;
      Fail();
    }
    dst += got;
    n -= static_cast<size_t>(got);
  }
}

bool FileInput::Refill() {
  if (unbuffered_ == 0) return false;
  consumed_ += static_cast<uint64_t>(end_ - begin_);
  size_t take = static_cast<size_t>(std::min<uint64_t>(unbuffered_, buf_.size()));
  ReadFully(buf_.data(), take);
  unbuffered_ -= take;
  begin_ = cur_ = buf_.data();
  end_ = begin_ + take;
  return true;
}

void FileInput::ReadDirect(uint8_t* dst, size_t n) {
  // The buffer is exhausted here: account for it, then read straight into the destination.
  consumed_ += static_cast<uint64_t>(end_ - begin_);
  begin_ = cur_ = end_ = buf_.data();
  ReadFully(dst, n);
  unbuffered_ -= n;
  consumed_ += n;
}

// ---- OutputStream

void OutputStream::FlushBuffer() {
  size_t n = static_cast<size_t>(cur_ - begin_);
  if (n > 0) Sink(begin_, n);
  written_ += n;
  cur_ = begin_;
}

void OutputStream::Write(const void* src, size_t n) {
  const auto* in = static_cast<const uint8_t*>(src);
  if (n <= static_cast<size_t>(end_ - cur_)) {
    std::memcpy(cur_, in, n);
    cur_ += n;
    return;
  }
  FlushBuffer();
  if (n >= static_cast<size_t>(end_ - begin_)) {
    Sink(in, n);  // large payloads bypass the buffer
    written_ += n;
    return;
  }
  std::memcpy(cur_, in, n);
  cur_ += n;
}

void OutputStream::WriteInt32(int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                  static_cast<uint8_t>(u >> 24)};
  Write(b, 4);
}

StringOutput::StringOutput() : buf_(kBufferSize) {
  begin_ = cur_ = buf_.data();
  end_ = begin_ + buf_.size();
}

const std::string& StringOutput::Bytes() {
  FlushBuffer();
  return out_;
}

// ---- AtomicFileOutput

AtomicFileOutput::AtomicFileOutput(std::string path) : path_(FollowLinks(std::move(path))), buf_(kBufferSize) {
  begin_ = cur_ = buf_.data();
  end_ = begin_ + buf_.size();
  std::string templ = DirectoryOf(path_) + "/." + BaseNameOf(path_) + kTemporaryInfix + "XXXXXX";
  fd_ = mkostemp(templ.data(), O_CLOEXEC);
  if (fd_ < 0) throw StreamError(CannotCreateMessage(path_, errno));
  temp_path_ = templ;
  // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
  struct stat st {};
  mode_t mode;
  if (stat(path_.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd_, mode);
}

AtomicFileOutput::~AtomicFileOutput() { Abandon(); }

void AtomicFileOutput::Abandon() {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
  if (!temp_path_.empty()) {
    unlink(temp_path_.c_str());
    temp_path_.clear();
  }
}

void AtomicFileOutput::Sink(const uint8_t* src, size_t n) {
  while (n > 0) {
    ssize_t put = ::write(fd_, src, n);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      const int err = put < 0 ? errno : ENOSPC;
      Abandon();
      throw StreamError(FileWriteErrorMessage(path_, err));
    }
    src += put;
    n -= static_cast<size_t>(put);
  }
}

void AtomicFileOutput::Commit() {
  if (fd_ < 0) throw StreamError(FileWriteErrorMessage(path_, 0));
  FlushBuffer();
  if (fsync(fd_) != 0) {
    const int err = errno;
    Abandon();
    throw StreamError(FileWriteErrorMessage(path_, err));
  }
  // Renaming keeps the inode and the modification time: this is the stamp of the file saved.
  stamp_ = FileStamp::OfDescriptor(fd_);
  const int closed = close(fd_);
  const int closeErr = errno;
  fd_ = -1;
  if (closed != 0) {
    Abandon();
    throw StreamError(FileWriteErrorMessage(path_, closeErr));
  }
  if (rename(temp_path_.c_str(), path_.c_str()) != 0) {
    const int err = errno;
    Abandon();
    throw StreamError(CannotCreateMessage(path_, err));
  }
  temp_path_.clear();
  // Make the rename itself durable.
  int dir = open(DirectoryOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

// ---- helpers

int OpenForReading(const std::string& path) {
  // Non-blocking, so that a pipe where a file should be cannot hang the program in open().
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      if (S_ISDIR(st.st_mode)) throw StreamError(CannotOpenMessage(path, EISDIR));
      throw StreamError(CannotOpenMessage(path) + " (通常のファイルではありません)");
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
  }
  if (errno == ENOENT) return -1;
  throw StreamError(CannotOpenMessage(path, errno));
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

}  // namespace store
