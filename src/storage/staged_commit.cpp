#include "storage/staged_commit.h"

#include <string>
#include <system_error>
#include <vector>

namespace korvela {
namespace {

constexpr std::string_view kStagedSuffix = ".staged-tmp";

std::vector<std::string> ReadListedNames(TFileSystem& fs, const std::filesystem::path& list) {
  const std::unique_ptr<TReadableFile> file = fs.OpenRead(list);
  std::string text(static_cast<std::size_t>(file->Size()), '\0');
  if (!text.empty()) file->ReadAt(0, text.data(), text.size());
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string name = text.substr(start, end - start);
    // Only plain names of the folder itself.
    if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..")
      names.push_back(name);
    start = end + 1;
  }
  return names;
}

}  // namespace

std::filesystem::path StagedNameFor(const std::filesystem::path& target) {
  std::filesystem::path staged = target;
  staged += std::string(kStagedSuffix);
  return staged;
}

const std::filesystem::path& TStagingFileSystem::Current(const std::filesystem::path& path) const {
  const auto it = staged_.find(path);
  return it != staged_.end() ? it->second : path;
}

std::unique_ptr<TReadableFile> TStagingFileSystem::OpenRead(const std::filesystem::path& path) {
  return real_.OpenRead(Current(path));
}

std::unique_ptr<TWritableFile> TStagingFileSystem::Create(const std::filesystem::path& path) {
  // A file made outright while staging (a new record database) is staged
  // too; the temporary file of a replacement ("PS12007tmp") is not.
  const std::string name = path.filename().string();
  const bool temporary = !path.has_extension() && name.ends_with("tmp");
  if (!staging_ || temporary) return real_.Create(Current(path));
  if (!staged_.contains(path) && !real_.Exists(path)) staged_[path] = StagedNameFor(path);
  return real_.Create(Current(path));
}

std::unique_ptr<TWritableFile> TStagingFileSystem::OpenUpdate(const std::filesystem::path& path) {
  return real_.OpenUpdate(Current(path));
}

void TStagingFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!staging_ && !staged_.contains(to)) {
    real_.Rename(from, to);
    return;
  }
  // A file replaced again while its staged content still waits replaces
  // that content, so the commit list keeps naming the newest.
  const std::filesystem::path staged = StagedNameFor(to);
  real_.Rename(from, staged);
  staged_[to] = staged;
  if (!staging_) Settle(to);
}

void TStagingFileSystem::Remove(const std::filesystem::path& path) { real_.Remove(path); }

bool TStagingFileSystem::Exists(const std::filesystem::path& path) {
  return real_.Exists(Current(path));
}

bool TStagingFileSystem::Settle(const std::filesystem::path& target) noexcept {
  const auto it = staged_.find(target);
  if (it == staged_.end()) return true;
  try {
    real_.Rename(it->second, target);
  } catch (...) {
    return false;
  }
  staged_.erase(it);
  if (staged_.empty() && !folder_.empty()) {
    RemoveQuietly(real_, folder_ / kCommitListName);
    folder_.clear();
  }
  return true;
}

bool TStagingFileSystem::CommitStaged(const std::filesystem::path& folder) {
  staging_ = false;
  if (staged_.empty()) return true;
  try {
    ReplaceFile(real_, folder / kCommitListName, [&](TWritableFile& out) {
      for (const auto& [target, staged] : staged_) {
        const std::string line = target.filename().string() + "\n";
        out.Write(line.data(), line.size());
      }
    });
  } catch (...) {
    DiscardStaged();
    throw;
  }
  folder_ = folder;
  std::vector<std::filesystem::path> targets;
  for (const auto& entry : staged_) targets.push_back(entry.first);
  bool settled = true;
  for (const auto& target : targets) settled = Settle(target) && settled;
  return settled;
}

void TStagingFileSystem::DiscardStaged() noexcept {
  staging_ = false;
  for (const auto& entry : staged_) RemoveQuietly(real_, entry.second);
  staged_.clear();
}

void CompleteStagedCommit(TFileSystem& fs, const std::filesystem::path& folder) {
  const std::filesystem::path list = folder / kCommitListName;
  if (fs.Exists(list)) {
    for (const std::string& name : ReadListedNames(fs, list)) {
      const std::filesystem::path staged = StagedNameFor(folder / name);
      if (fs.Exists(staged)) fs.Rename(staged, folder / name);
    }
    fs.Remove(list);
    return;
  }
  std::error_code ec;
  std::vector<std::filesystem::path> leftovers;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > kStagedSuffix.size() && name.ends_with(kStagedSuffix))
      leftovers.push_back(entry.path());
  }
  for (const auto& path : leftovers) RemoveQuietly(fs, path);
}

}  // namespace korvela
