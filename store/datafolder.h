// The data folder: where every record file lives, and the two ways records are read and written
// (single-object files, and the group and item files with their order header).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/bytestream.h"
#include "store/filestamp.h"
#include "store/persistent.h"

namespace store {

class DataFolder {
 public:
  // `path` is the folder with a trailing "/"; file names are appended to it directly.
  explicit DataFolder(std::string path);

  const std::string& Path() const { return path_; }
  std::string FilePath(const std::string& name) const { return path_ + name; }

  // Creates the folder (and missing parents) when it does not exist; throws Error naming the
  // folder, with the platform's input/output message, when it cannot.
  void EnsureExists() const;

  // Loading and saving name the file in their errors ("%s の読み込み中のエラー : %s" around the
  // reader's message) and, given `stamp`, record the identity of the file read or written (a file
  // that does not exist gives a stamp that does not exist).

  // Replaces the file with one record. The old file stays intact until the new one is complete.
  // Saving creates a missing folder, as loading does.
  void SaveComponentFile(Component& object, const std::string& name, FileStamp* stamp = nullptr) const;
  // Creates a missing folder; reads one record when the file exists. Returns whether it existed;
  // a missing file leaves the object exactly as it was.
  bool LoadComponentFile(Component& object, const std::string& name, FileStamp* stamp = nullptr) const;

  // Order header (count, then the storage index of each display position), then two records.
  void SaveListFile(Component& collection, Component& settings, const std::vector<int>& order, const std::string& name,
                    FileStamp* stamp = nullptr) const;
  // Empties `order`; creates a missing folder; when the file exists reads the header and both
  // records. Returns whether it existed.
  bool LoadListFile(Component& collection, Component& settings, std::vector<int>& order, const std::string& name,
                    FileStamp* stamp = nullptr) const;

  // Removes the temporary files interrupted saves left behind (".<name>.tmp-XXXXXX"); returns
  // their names. Only while this program's lock on the folder is held: another process of the
  // program could be writing one of them right now.
  std::vector<std::string> RemoveStaleTemporaryFiles() const;

  bool Exists(const std::string& name) const;
  // Deletes a file of the folder; a failure is ignored.
  void Remove(const std::string& name) const;

 private:
  std::string path_;
};

// The order header and both records of a group or item file, from any stream.
void ReadListStream(InputStream& in, Component& collection, Component& settings, std::vector<int>& order);
void WriteListStream(OutputStream& out, Component& collection, Component& settings, const std::vector<int>& order);

// "UserData/" inside the given directory (normally the executable's), with a trailing "/".
std::string DataFolderIn(const std::string& directory);

// A temporary file of the atomic writer: ".<name>.tmp-XXXXXX".
bool IsTemporaryFileName(std::string_view name);

// The file name of a group's items: its NameID as 8 upper-case hexadecimal digits.
std::string ItemFileNameOf(int32_t nameId);

}  // namespace store
