#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "storage/errors.h"
#include "storage/file_system.h"

namespace korvela::test {

enum class TStep { Create, Write, Flush, Rename };
inline constexpr TStep kSteps[] = {TStep::Create, TStep::Write, TStep::Flush, TStep::Rename};

inline const char* StepName(TStep step) {
  switch (step) {
    case TStep::Create:
      return "create";
    case TStep::Write:
      return "write";
    case TStep::Flush:
      return "flush";
    case TStep::Rename:
      return "rename";
  }
  return "";
}

// Passes everything to the real files, except that the n-th operation of one
// step fails (Arm). A failing write first writes half of its bytes, as a full
// disk would.
//
// KillAt stands for the process being killed: the n-th write step of any
// kind (create, write, flush, rename, remove) fails in the same way, and from
// then on every operation fails, so that nothing is cleaned up after it. The
// files are then as a kill at that step leaves them.
class TFaultyFileSystem final : public TFileSystem {
 public:
  void Arm(TStep step, int failAt) {
    step_ = step;
    failAt_ = failAt;
    seen_ = 0;
    killAt_ = -1;
    killed_ = false;
  }
  void KillAt(int step) {
    failAt_ = -1;
    killAt_ = step;
    seen_ = 0;
    killed_ = false;
  }
  void Disarm() {
    failAt_ = -1;
    killAt_ = -1;
    killed_ = false;
  }
  bool Killed() const { return killed_; }
  // Write steps seen since KillAt (or Arm's steps of its kind).
  int Seen() const { return seen_; }

  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
    Dead(p);
    return real_.OpenRead(p);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
    Hit(TStep::Create, p);
    return std::make_unique<TFaultyFile>(*this, real_.Create(p), p);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
    Hit(TStep::Create, p);
    return std::make_unique<TFaultyFile>(*this, real_.OpenUpdate(p), p);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Hit(TStep::Rename, to);
    real_.Rename(from, to);
  }
  void Remove(const std::filesystem::path& p) override {
    Dead(p);
    if (killAt_ >= 0 && seen_++ == killAt_) Kill(p, "remove");
    real_.Remove(p);
  }
  bool Exists(const std::filesystem::path& p) override {
    Dead(p);
    return real_.Exists(p);
  }

 private:
  class TFaultyFile final : public TWritableFile {
   public:
    TFaultyFile(TFaultyFileSystem& fs, std::unique_ptr<TWritableFile> real,
                std::filesystem::path path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    void Write(const void* data, std::size_t size) override {
      fs_.Dead(path_);
      if (fs_.Fails(TStep::Write)) {
        real_->Write(data, size / 2);
        real_->Flush();
        if (fs_.killAt_ >= 0) fs_.killed_ = true;
        throw EXMLIOError(path_.string(), "injected write failure");
      }
      real_->Write(data, size);
    }
    void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
      fs_.Hit(TStep::Write, path_);
      real_->WriteAt(offset, data, size);
    }
    void Flush() override {
      fs_.Hit(TStep::Flush, path_);
      real_->Flush();
    }
    void Close() override {
      fs_.Dead(path_);
      real_->Close();
    }
    std::int64_t Size() const override { return real_->Size(); }

   private:
    TFaultyFileSystem& fs_;
    std::unique_ptr<TWritableFile> real_;
    std::filesystem::path path_;
  };

  bool Fails(TStep step) {
    if (killAt_ >= 0) return seen_++ == killAt_;
    if (step != step_ || failAt_ < 0) return false;
    return seen_++ == failAt_;
  }
  void Hit(TStep step, const std::filesystem::path& p) {
    Dead(p);
    if (Fails(step)) {
      if (killAt_ >= 0) Kill(p, StepName(step));
      throw EXMLIOError(p.string(), std::string("injected ") + StepName(step) + " failure");
    }
  }
  [[noreturn]] void Kill(const std::filesystem::path& p, const char* what) {
    killed_ = true;
    throw EXMLIOError(p.string(), std::string("killed at ") + what);
  }
  void Dead(const std::filesystem::path& p) const {
    if (killed_) throw EXMLIOError(p.string(), "the process was killed");
  }

  TFileSystem& real_ = PosixFileSystem();
  TStep step_ = TStep::Create;
  int failAt_ = -1;
  int killAt_ = -1;
  int seen_ = 0;
  bool killed_ = false;
};

}  // namespace korvela::test
