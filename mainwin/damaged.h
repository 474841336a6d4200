// Record files that failed to load: before the program first saves over one, the damaged file is
// kept beside it under a free name ("group.bin.damaged", then ".damaged.2", ...), so a reader
// error never turns into lost data. A folder where a record file belongs is moved to such a name
// before saving, with whatever it holds.
#pragma once

#include <set>
#include <string>

#include "store/datafolder.h"

namespace mainwin {

// The first free name of "name.damaged", "name.damaged.2", "name.damaged.3", ... in the folder.
std::string FreeDamagedName(const store::DataFolder& folder, const std::string& name);

class DamagedFiles {
 public:
  explicit DamagedFiles(const store::DataFolder& folder) : folder_(folder) {}

  // Notes a file that failed to load; returns false when it was noted already.
  bool Note(const std::string& name);
  bool IsNoted(const std::string& name) const { return noted_.count(name) != 0; }
  // Before saving over `name`: when it is noted, copies it to a free damaged name and forgets it.
  // Returns the name kept (empty when nothing was kept). Throws store::Error when the copy fails.
  std::string KeepBeforeSave(const std::string& name);
  // Before saving over `name`: when it is a folder (or a link to one), which no save could replace,
  // renames it to a free damaged name. Returns the name kept, empty when `name` is no folder.
  // Throws store::Error when it cannot be moved.
  std::string MoveFolderAside(const std::string& name);

 private:
  const store::DataFolder& folder_;
  std::set<std::string> noted_;
};

// "ファイル %s の場所にフォルダがあったため、フォルダを %s に移しました" (full paths).
std::string FolderMovedAsideMessage(const std::string& path, const std::string& keptPath);

}  // namespace mainwin
