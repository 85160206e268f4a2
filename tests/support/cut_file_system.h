#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "storage/errors.h"
#include "storage/file_system.h"

namespace korvela::test {

// Passes everything to the real files, and cuts the work at its n-th write
// step (creating, writing, flushing, renaming or removing a file, making,
// renaming or removing a folder). A cut write first writes half of its bytes
// to the disk. Cut by a kill, the process ends at once, as under SIGKILL:
// nothing after the step runs, no handler, no clean-up. Cut by a failure,
// the step raises EXMLIOError as a full disk would, and the steps after it
// (the clean-up) go on.
class TCutFileSystem final : public TFileSystem {
 public:
  enum class TCut { Kill, Fail };
  static constexpr int kKilledExitCode = 77;

  explicit TCutFileSystem(TCut cut = TCut::Kill) : cut_(cut) {}
  // Counts the write steps from 0 and cuts step `at`; -1 cuts none.
  void Arm(int at) {
    cutAt_ = at;
    steps_ = 0;
  }
  int Steps() const { return steps_; }
  bool WasCut() const { return cut_ == TCut::Fail && cutAt_ >= 0 && steps_ > cutAt_; }

  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
    return real_.OpenRead(p);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
    Step(p, "create");
    return std::make_unique<TCutFile>(*this, real_.Create(p), p);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
    Step(p, "open");
    return std::make_unique<TCutFile>(*this, real_.OpenUpdate(p), p);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Step(to, "rename");
    real_.Rename(from, to);
  }
  void Remove(const std::filesystem::path& p) override {
    Step(p, "remove");
    real_.Remove(p);
  }
  bool Exists(const std::filesystem::path& p) override { return real_.Exists(p); }
  bool CreateFolder(const std::filesystem::path& p) override {
    Step(p, "create folder");
    return real_.CreateFolder(p);
  }
  bool RenameFolder(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Step(to, "rename folder");
    return real_.RenameFolder(from, to);
  }
  void RemoveFolder(const std::filesystem::path& p) noexcept override {
    // A clean-up step cannot fail; cut by a kill it never happens.
    if (IsCut() && cut_ == TCut::Kill) std::_Exit(kKilledExitCode);
    real_.RemoveFolder(p);
  }

 private:
  class TCutFile final : public TWritableFile {
   public:
    TCutFile(TCutFileSystem& fs, std::unique_ptr<TWritableFile> real, std::filesystem::path path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    void Write(const void* data, std::size_t size) override {
      if (fs_.IsCut()) {
        real_->Write(data, size / 2);
        real_->Flush();
        fs_.Cut(path_, "write");
      }
      real_->Write(data, size);
    }
    void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
      if (fs_.IsCut()) {
        real_->WriteAt(offset, data, size / 2);
        real_->Flush();
        fs_.Cut(path_, "write");
      }
      real_->WriteAt(offset, data, size);
    }
    void Flush() override {
      fs_.Step(path_, "flush");
      real_->Flush();
    }
    void Close() override { real_->Close(); }
    std::int64_t Size() const override { return real_->Size(); }

   private:
    TCutFileSystem& fs_;
    std::unique_ptr<TWritableFile> real_;
    std::filesystem::path path_;
  };

  // Counts a step; true when it is the one to cut.
  bool IsCut() { return cutAt_ >= 0 && steps_++ == cutAt_; }
  void Cut(const std::filesystem::path& p, const char* what) {
    if (cut_ == TCut::Kill) std::_Exit(kKilledExitCode);
    throw EXMLIOError(p.string(), std::string("injected ") + what + " failure");
  }
  void Step(const std::filesystem::path& p, const char* what) {
    if (IsCut()) Cut(p, what);
  }

  TFileSystem& real_ = PosixFileSystem();
  TCut cut_;
  int cutAt_ = -1;
  int steps_ = 0;
};

// How a piece of work run in a child process ended.
enum class TChildEnd { Finished, Killed, Failed };

// Runs `work` in a child process, so that a kill by TCutFileSystem ends the
// child alone. `work` returns normally when it finished; an exception that
// escapes it, or any other end of the child, is Failed.
template <typename Work>
TChildEnd RunInChild(Work&& work) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "child failed: %s\n", e.what());
      std::_Exit(2);
    } catch (...) {
      std::_Exit(2);
    }
    std::_Exit(0);
  }
  if (child < 0) return TChildEnd::Failed;
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return TChildEnd::Failed;
  if (WEXITSTATUS(status) == 0) return TChildEnd::Finished;
  if (WEXITSTATUS(status) == TCutFileSystem::kKilledExitCode) return TChildEnd::Killed;
  return TChildEnd::Failed;
}

}  // namespace korvela::test
