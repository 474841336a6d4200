// The data folder's lock: exclusive between processes and between two locks of one process, gone
// with the process that held it, and a clear failure where the folder cannot hold a lock file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "store/folderlock.h"
#include "testutil.h"

namespace {

using store::FolderLock;
using testutil::TempDir;

// A child process that tries the lock of `folder` and keeps what it got until End().
struct LockingChild {
  explicit LockingChild(const std::string& folder) {
    int ready[2], release[2];
    EXPECT_EQ(pipe(ready), 0);
    EXPECT_EQ(pipe(release), 0);
    pid = fork();
    if (pid == 0) {
      close(ready[0]);
      close(release[1]);
      FolderLock lock(folder);
      char state = lock.TryLock() == FolderLock::State::Held ? 'y' : 'n';
      (void)!write(ready[1], &state, 1);
      char c;
      (void)!read(release[0], &c, 1);  // until the parent closes its end
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    releaseFd = release[1];
    char state = 0;
    EXPECT_EQ(read(ready[0], &state, 1), 1);
    close(ready[0]);
    held = state == 'y';
  }
  void End() {
    close(releaseFd);
    int status = 0;
    waitpid(pid, &status, 0);
  }
  pid_t pid = -1;
  int releaseFd = -1;
  bool held = false;
};

TEST(FolderLock, OneHolderAtATimeAcrossProcessesAndWithinOne) {
  TempDir dir;
  const std::string a = dir.Path() + "/";
  FolderLock first(a);
  EXPECT_FALSE(first.HeldByUs());
  EXPECT_FALSE(FolderLock::HeldInThisProcess(a));
  ASSERT_EQ(first.TryLock(), FolderLock::State::Held);
  EXPECT_TRUE(first.HeldByUs());
  EXPECT_TRUE(FolderLock::HeldInThisProcess(a));
  EXPECT_EQ(first.TryLock(), FolderLock::State::Held);  // again: still ours

  FolderLock second(a);
  EXPECT_EQ(second.TryLock(), FolderLock::State::InUse);
  EXPECT_FALSE(second.HeldByUs());
  LockingChild child(a);
  EXPECT_FALSE(child.held);
  child.End();

  first.Unlock();
  EXPECT_FALSE(FolderLock::HeldInThisProcess(a));
  // The lock file stays behind, and a stale file is no lock.
  EXPECT_TRUE(std::filesystem::exists(a + FolderLock::kFileName));
  EXPECT_EQ(second.TryLock(), FolderLock::State::Held);
}

TEST(FolderLock, AnotherProcessHoldsItUntilItEnds) {
  TempDir dir;
  const std::string a = dir.Sub("a") + "/", b = dir.Sub("b") + "/";
  std::filesystem::create_directories(a);
  std::filesystem::create_directories(b);
  LockingChild child(a);
  ASSERT_TRUE(child.held);
  FolderLock onA(a), onB(b);
  EXPECT_EQ(onA.TryLock(), FolderLock::State::InUse);
  EXPECT_EQ(onB.TryLock(), FolderLock::State::Held);  // another folder is free
  child.End();
  EXPECT_EQ(onA.TryLock(), FolderLock::State::Held);
}

TEST(FolderLock, AFolderThatCannotHoldTheFileFailsWithAReason) {
  TempDir dir;
  FolderLock missing(dir.Sub("missing") + "/");
  EXPECT_EQ(missing.TryLock(), FolderLock::State::Failed);
  EXPECT_FALSE(missing.Error().empty());
  EXPECT_FALSE(std::filesystem::exists(dir.Sub("missing")));  // the lock creates no folder
  if (geteuid() != 0) {                                       // root writes anywhere
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    FolderLock readOnly(dir.Path() + "/");
    EXPECT_EQ(readOnly.TryLock(), FolderLock::State::Failed);
    EXPECT_EQ(readOnly.Error(), "ファイルへのアクセスが拒否されました");
  }
}

}  // namespace
