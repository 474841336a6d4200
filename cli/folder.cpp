// Opening a data folder for the commands, and the folder lock of the commands that write.
#include "cli/cli.h"
#include "store/errors.h"
#include "store/reporter.h"

namespace cli {

namespace {

class WarningReporter final : public store::Reporter {
 public:
  void ShowMessage(const std::string& text) override { Warn(text); }
};

}  // namespace

std::unique_ptr<Folder> OpenFolder(const std::string& dir) {
  static WarningReporter reporter;
  store::SetReporter(&reporter);
  auto f = std::make_unique<Folder>(dir);
  if (!f->folder.Exists(kGroupFile) && !f->folder.Exists("")) throw store::Error("no data folder at " + dir);
  // Reading never creates anything here: only load what exists.
  if (f->folder.Exists(kGroupFile)) f->groups.LoadFromFile(kGroupFile);
  return f;
}

bool LockForWriting(store::FolderLock& lock, int& code) {
  try {
    store::DataFolder(lock.Folder()).EnsureExists();
  } catch (const store::Error& e) {
    code = Fail(kFailure, "cannot create the data folder " + lock.Folder() + ": " + e.what());
    return false;
  }
  switch (lock.TryLock()) {
    case store::FolderLock::State::Held: return true;
    case store::FolderLock::State::Unsupported:
      Warn("the data folder " + lock.Folder() + " cannot be locked (" + lock.Error() + "); writing unguarded");
      return true;
    case store::FolderLock::State::InUse:
      code = Fail(kFailure, "the data folder " + lock.Folder() +
                                " is in use by sorametext (or another command); close it and try again");
      return false;
    default: code = Fail(kFailure, "cannot lock the data folder " + lock.Folder() + ": " + lock.Error()); return false;
  }
}

}  // namespace cli
