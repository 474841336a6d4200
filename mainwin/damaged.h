// Record files that failed to load: before the program first saves over one, the damaged file is
// kept beside it under a free name ("group.bin.damaged", then ".damaged.2", ...), so a reader
// error never turns into lost data.
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

 private:
  const store::DataFolder& folder_;
  std::set<std::string> noted_;
};

}  // namespace mainwin
