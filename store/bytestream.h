// Byte streams under the record reader and writer: buffered, with the count of bytes that remain
// known up front so that no length field read from a file is trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/filestamp.h"

namespace store {

// Temporary files of the atomic writer are named ".<file name>.tmp-XXXXXX" beside their target.
inline constexpr const char* kTemporaryInfix = ".tmp-";

class InputStream {
 public:
  virtual ~InputStream() = default;

  // Bytes from the current position to the end of the stream.
  uint64_t Remaining() const { return static_cast<uint64_t>(end_ - cur_) + unbuffered_; }
  uint64_t Position() const { return consumed_ + static_cast<uint64_t>(cur_ - begin_); }
  // Next byte without consuming it, or -1 at the end.
  int Peek() {
    if (cur_ == end_ && !Refill()) return -1;
    return *cur_;
  }
  // These throw the read error ("ストリームからの読み込みエラー") when the stream ends first.
  uint8_t ReadByte() {
    if (cur_ == end_ && !Refill()) Fail();
    return *cur_++;
  }
  void Read(void* dst, size_t n);
  void ReadInto(std::string& dst, size_t n);  // replaces dst by the next n bytes
  void Skip(uint64_t n);
  // Throws the read error unless n bytes remain.
  void Require(uint64_t n) const {
    if (n > Remaining()) Fail();
  }

 protected:
  // Loads more bytes into the buffer; false at the end.
  virtual bool Refill() = 0;
  // Reads n bytes (n > buffer size) past the buffer directly into dst; the buffer is empty.
  virtual void ReadDirect(uint8_t* dst, size_t n) = 0;
  [[noreturn]] static void Fail();

  const uint8_t* begin_ = nullptr;  // buffer start
  const uint8_t* cur_ = nullptr;
  const uint8_t* end_ = nullptr;
  uint64_t unbuffered_ = 0;  // bytes after end_
  uint64_t consumed_ = 0;    // bytes before begin_
};

class MemoryInput final : public InputStream {
 public:
  explicit MemoryInput(std::string_view bytes);
  // Only a view is kept: a temporary string would be freed before the first read.
  explicit MemoryInput(std::string&&) = delete;

 protected:
  bool Refill() override { return false; }
  void ReadDirect(uint8_t*, size_t) override { Fail(); }
};

// Reads a whole file; the caller opens it (so that open errors carry the right message).
class FileInput final : public InputStream {
 public:
  // Takes ownership of the descriptor.
  explicit FileInput(int fd);
  ~FileInput() override;
  FileInput(const FileInput&) = delete;
  FileInput& operator=(const FileInput&) = delete;

 protected:
  bool Refill() override;
  void ReadDirect(uint8_t* dst, size_t n) override;

 private:
  void ReadFully(uint8_t* dst, size_t n);
  int fd_;
  std::vector<uint8_t> buf_;
};

class OutputStream {
 public:
  virtual ~OutputStream() = default;
  void WriteByte(uint8_t b) {
    if (cur_ == end_) FlushBuffer();
    *cur_++ = b;
  }
  void Write(const void* src, size_t n);
  void Write(std::string_view s) { Write(s.data(), s.size()); }
  void WriteInt32(int32_t v);
  uint64_t Position() const { return written_ + static_cast<uint64_t>(cur_ - begin_); }

 protected:
  // Empties the buffer into the sink.
  void FlushBuffer();
  virtual void Sink(const uint8_t* src, size_t n) = 0;

  uint8_t* begin_ = nullptr;
  uint8_t* cur_ = nullptr;
  uint8_t* end_ = nullptr;
  uint64_t written_ = 0;
};

class StringOutput final : public OutputStream {
 public:
  StringOutput();
  // The bytes written so far.
  const std::string& Bytes();

 protected:
  void Sink(const uint8_t* src, size_t n) override { out_.append(reinterpret_cast<const char*>(src), n); }

 private:
  std::vector<uint8_t> buf_;
  std::string out_;
};

// Replaces a file atomically: the bytes go to a temporary file in the same folder, which is
// flushed to disk and renamed over the target by Commit(). Until then the old file is untouched;
// destroying an uncommitted writer removes the temporary file. A path that is a symbolic link is
// followed: the link's target is replaced and the link stays.
class AtomicFileOutput final : public OutputStream {
 public:
  // Throws "ファイル %s を作成できません" (with the reason) when the temporary file cannot be created.
  explicit AtomicFileOutput(std::string path);
  ~AtomicFileOutput() override;
  AtomicFileOutput(const AtomicFileOutput&) = delete;
  AtomicFileOutput& operator=(const AtomicFileOutput&) = delete;

  // Throws "%s の書き込み中のエラー : ストリームへの書き込みエラー" (with the reason) when the data
  // cannot be written or flushed, "ファイル %s を作成できません" when it cannot be renamed.
  void Commit();
  const std::string& TempPath() const { return temp_path_; }
  // The file written (symbolic links followed).
  const std::string& TargetPath() const { return path_; }
  // After Commit: the stamp of the file saved.
  const FileStamp& Stamp() const { return stamp_; }

 protected:
  void Sink(const uint8_t* src, size_t n) override;

 private:
  void Abandon();
  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  std::vector<uint8_t> buf_;
  FileStamp stamp_;
};

// Opens a file for reading; throws "ファイル %s は開けません" (with the reason, e.g. that it is a
// folder) when it cannot be opened or is not a regular file. Returns -1 when it does not exist.
int OpenForReading(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace store
