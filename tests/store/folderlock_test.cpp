// The data folder's lock: one holder at a time (flock() treats two opens in one process like two
// processes; the CLI tests cover separate processes), other folders free, a stale lock file no
// lock, and a clear failure where the folder cannot hold the lock file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "store/folderlock.h"
#include "testutil.h"

namespace {

using store::FolderLock;
using testutil::TempDir;

TEST(FolderLock, OneHolderAtATimePerFolder) {
  TempDir dir;
  const std::string a = dir.Sub("a"), b = dir.Sub("b");
  std::filesystem::create_directories(a);
  std::filesystem::create_directories(b);
  FolderLock first(a), second(a + "/"), other(b);
  EXPECT_FALSE(FolderLock::HeldInThisProcess(a));
  ASSERT_EQ(first.TryLock(), FolderLock::State::Held);
  EXPECT_TRUE(first.HeldByUs());
  EXPECT_TRUE(FolderLock::HeldInThisProcess(a + "/"));
  EXPECT_EQ(first.TryLock(), FolderLock::State::Held);  // again: still ours
  EXPECT_EQ(second.TryLock(), FolderLock::State::InUse);
  EXPECT_FALSE(second.HeldByUs());
  EXPECT_EQ(other.TryLock(), FolderLock::State::Held);

  first.Unlock();
  EXPECT_FALSE(FolderLock::HeldInThisProcess(a));
  // The lock file stays behind, and a stale file is no lock.
  EXPECT_TRUE(std::filesystem::exists(a + "/" + FolderLock::kFileName));
  EXPECT_EQ(second.TryLock(), FolderLock::State::Held);
}

TEST(FolderLock, AFolderThatCannotHoldTheFileFailsWithAReason) {
  TempDir dir;
  FolderLock missing(dir.Sub("missing"));
  EXPECT_EQ(missing.TryLock(), FolderLock::State::Failed);
  EXPECT_FALSE(missing.Error().empty());
  EXPECT_FALSE(std::filesystem::exists(dir.Sub("missing")));  // the lock creates no folder
  if (geteuid() != 0) {                                       // root writes anywhere
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    FolderLock readOnly(dir.Path());
    EXPECT_EQ(readOnly.TryLock(), FolderLock::State::Failed);
    EXPECT_EQ(readOnly.Error(), "ファイルへのアクセスが拒否されました");
  }
}

}  // namespace
