// The lock of the data folder: only a lock another copy holds means another
// copy; a lock file the disk refuses is a failure that names the file and
// the reason.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/program_folder.h"
#include "app/ui/single_instance.h"
#include "support/disk_limit.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

TEST(SingleInstanceLock, OnlyALockHeldElsewhereMeansAnotherCopy) {
  test::TTempFolder folder;
  TSingleInstance first(Q(folder.Path()));
  ASSERT_EQ(first.TryLock(), TSingleInstance::TLock::Taken);
  TSingleInstance second(Q(folder.Path()));
  EXPECT_EQ(second.TryLock(), TSingleInstance::TLock::HeldByAnotherCopy);
}

TEST(SingleInstanceLock, AFullDiskIsAFailureThatNamesTheFileAndTheReason) {
  test::TTempFolder folder;
  TSingleInstance instance(Q(folder.Path()));
  {
    // Not one byte may be written, as on a disk that is full.
    const test::TDiskLimit limit(0);
    ASSERT_EQ(instance.TryLock(), TSingleInstance::TLock::Failed);
  }
  EXPECT_EQ(instance.LockFile(), (folder / "korvela.lock").string());
  EXPECT_EQ(instance.FailureReason(), std::strerror(EFBIG));
  const std::string text = LockFailedText(instance.LockFile(), instance.FailureReason());
  EXPECT_NE(text.find(instance.LockFile()), std::string::npos) << text;
  EXPECT_NE(text.find(std::strerror(EFBIG)), std::string::npos) << text;
  EXPECT_EQ(text.find("already running"), std::string::npos) << text;
  // Nothing is left behind, and with room again the lock is taken.
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_EQ(instance.TryLock(), TSingleInstance::TLock::Taken);
}

// A folder that cannot be written. The administrator writes anywhere, so
// the lock is tried by a child that has given up those rights.
TEST(SingleInstanceLock, AReadOnlyFolderIsAFailureThatNamesTheReason) {
  test::TTempFolder folder;
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec |
                                                  std::filesystem::perms::others_read |
                                                  std::filesystem::perms::others_exec);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
    TSingleInstance instance(Q(folder.Path()));
    if (instance.TryLock() != TSingleInstance::TLock::Failed) std::_Exit(4);
    if (instance.FailureReason() != std::strerror(EACCES)) std::_Exit(5);
    std::_Exit(0);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: no unprivileged user, 4: not a failure, 5: the reason";
}

}  // namespace
}  // namespace korvela
