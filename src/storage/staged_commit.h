#pragma once
#include <filesystem>
#include <map>
#include <memory>

#include "storage/file_system.h"

namespace korvela {

// Several files of one folder changed together, so that they all keep their
// old content or all take the new. While staging, a file replaced through
// its temporary file goes to a staged name beside its target instead of over
// it, a file made outright is made under its staged name, and reads of the
// target see the staged content. Commit first writes
// the commit list of the folder (from then on the change is decided), then
// moves each staged file over its target and removes the list. A program
// killed between the two leaves the list; CompleteStagedCommit finishes its
// work the next time the folder is opened.
class TStagingFileSystem final : public TFileSystem {
 public:
  explicit TStagingFileSystem(TFileSystem& real) : real_(real) {}

  void BeginStaging() { staging_ = true; }
  bool Staging() const { return staging_; }
  // Writes the commit list into `folder` and puts every staged file in place.
  // Raises EXMLIOError, with the staged files removed, when the list cannot
  // be written. Returns false when a staged file could not be moved over its
  // target: the list then stays, reads still see the staged content, and the
  // next CompleteStagedCommit puts it in place.
  bool CommitStaged(const std::filesystem::path& folder);
  // Removes the staged files; their targets were never touched.
  void DiscardStaged() noexcept;

  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& path) override;
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& path) override;
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& path) override;
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  void Remove(const std::filesystem::path& path) override;
  bool Exists(const std::filesystem::path& path) override;

 private:
  const std::filesystem::path& Current(const std::filesystem::path& path) const;
  // Moves a staged file over its target; false when the disk refuses.
  bool Settle(const std::filesystem::path& target) noexcept;

  TFileSystem& real_;
  bool staging_ = false;
  std::filesystem::path folder_;            // of the written commit list
  std::map<std::filesystem::path, std::filesystem::path> staged_;  // target -> staged file
};

// "PS12007.dat" -> "PS12007.dat.staged-tmp". The name ends in "tmp" so that
// backups leave it out, and holds a dot so that the start-up clean-up of
// half-written temporary files leaves it for CompleteStagedCommit.
std::filesystem::path StagedNameFor(const std::filesystem::path& target);
inline constexpr const char* kCommitListName = "PS.commit-tmp";

// Finishes a commit that was cut off after its list was written: every
// staged file it names that is still there goes over its target; then the
// list goes. Without a list, staged files of a commit that never got so far
// are removed. A failure raises EXMLIOError naming the file.
void CompleteStagedCommit(TFileSystem& fs, const std::filesystem::path& folder);

}  // namespace korvela
