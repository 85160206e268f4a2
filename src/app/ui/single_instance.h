#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace korvela {

// One running copy per data folder. The lock is a file in the data folder
// itself, so every way of naming the folder (links, environments, runtime
// folders) meets the same lock; a lock left by a copy that was killed is
// taken over. The running copy listens on a local socket named after the
// folder, so that a second start can ask it to come forward.
class TSingleInstance final {
 public:
  explicit TSingleInstance(const QString& dataFolder);
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  enum class TLock { Taken, HeldByAnotherCopy, Failed };
  // Taken when this copy holds the folder's lock and may run. Only a lock
  // another copy holds is HeldByAnotherCopy; a lock file the disk does not
  // let be made (a full disk, a read-only folder) is Failed.
  TLock TryLock();
  // After Failed: the lock file and why it could not be made.
  std::string LockFile() const;
  const std::string& FailureReason() const { return failure_; }
  // The running copy calls `show` whenever a second start asks for it.
  void Listen(std::function<void()> show);
  // A second start: true when the running copy was reached and asked to
  // come forward.
  bool AskRunningCopyToShow() const;

 private:
  QString socketName_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> show_;
  std::string failure_;
};

}  // namespace korvela
