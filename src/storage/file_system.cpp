#include "storage/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

#include "storage/errors.h"

namespace korvela {
namespace {

[[noreturn]] void IoFailure(const std::filesystem::path& path, const char* what) {
  throw EXMLIOError(path.string(), std::string(what) + ": " + std::strerror(errno));
}

// Makes a rename in the folder of `path` durable; a failure here leaves a
// correct file.
void SyncFolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

class TPosixReadableFile final : public TReadableFile {
 public:
  TPosixReadableFile(int fd, std::filesystem::path path, std::int64_t size)
      : fd_(fd), path_(std::move(path)), size_(size) {}
  ~TPosixReadableFile() override { ::close(fd_); }
  std::int64_t Size() const override { return size_; }

  void ReadAt(std::int64_t offset, void* data, std::size_t size) const override {
    auto* out = static_cast<char*>(data);
    while (size > 0) {
      const ssize_t n = ::pread(fd_, out, size, offset);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) IoFailure(path_, "cannot read");
      if (n == 0) throw EXMLIOError(path_.string(), "unexpected end of file");
      out += n;
      offset += n;
      size -= static_cast<std::size_t>(n);
    }
  }

 private:
  int fd_;
  std::filesystem::path path_;
  std::int64_t size_;
};

class TPosixWritableFile final : public TWritableFile {
 public:
  TPosixWritableFile(int fd, std::filesystem::path path, std::int64_t size)
      : fd_(fd), path_(std::move(path)), fileEnd_(size) {}
  ~TPosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Write(const void* data, std::size_t size) override {
    const auto* in = static_cast<const char*>(data);
    if (buffer_.size() + size > kBufferSize) Drain();
    if (size >= kBufferSize) {
      WriteAll(fileEnd_, in, size);
      fileEnd_ += static_cast<std::int64_t>(size);
      return;
    }
    buffer_.insert(buffer_.end(), in, in + size);
  }

  void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
    Drain();
    WriteAll(offset, static_cast<const char*>(data), size);
    fileEnd_ = std::max(fileEnd_, offset + static_cast<std::int64_t>(size));
  }

  void Flush() override {
    Drain();
    if (::fsync(fd_) != 0) IoFailure(path_, "cannot flush");
  }

  void Close() override {
    Drain();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) IoFailure(path_, "cannot close");
  }

  std::int64_t Size() const override {
    return fileEnd_ + static_cast<std::int64_t>(buffer_.size());
  }

 private:
  static constexpr std::size_t kBufferSize = 1 << 18;

  void Drain() {
    if (buffer_.empty()) return;
    WriteAll(fileEnd_, buffer_.data(), buffer_.size());
    fileEnd_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
  }

  void WriteAll(std::int64_t offset, const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t n = ::pwrite(fd_, data, size, offset);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) IoFailure(path_, "cannot write");
      data += n;
      offset += n;
      size -= static_cast<std::size_t>(n);
    }
  }

  int fd_;
  std::filesystem::path path_;
  std::int64_t fileEnd_;
  std::vector<char> buffer_;
};

class TPosixFileSystem final : public TFileSystem {
 public:
  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) IoFailure(path, "cannot open");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      throw EXMLIOError(path.string(), "not a regular file");
    }
    return std::make_unique<TPosixReadableFile>(fd, path, st.st_size);
  }

  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) IoFailure(path, "cannot create");
    return std::make_unique<TPosixWritableFile>(fd, path, 0);
  }

  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) IoFailure(path, "cannot open for writing");
    const off_t size = ::lseek(fd, 0, SEEK_END);
    return std::make_unique<TPosixWritableFile>(fd, path, size);
  }

  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) IoFailure(to, "cannot rename");
    SyncFolderOf(to);
  }

  void Remove(const std::filesystem::path& path) override {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) IoFailure(path, "cannot delete");
  }

  bool Exists(const std::filesystem::path& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
  }
};

}  // namespace

bool TFileSystem::CreateFolder(const std::filesystem::path& path) {
  if (::mkdir(path.c_str(), 0755) == 0) {
    SyncFolderOf(path);
    return true;
  }
  if (errno == EEXIST) return false;
  IoFailure(path, "cannot create the folder");
}

bool TFileSystem::RenameFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    SyncFolderOf(to);
    return true;
  }
  if (errno == EEXIST) return false;
  if (errno == EINVAL || errno == ENOSYS) {
    // A file system that cannot promise not to replace: a name seen taken is
    // skipped, and a plain rename never replaces a folder that holds anything.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return false;
    if (::rename(from.c_str(), to.c_str()) == 0) {
      SyncFolderOf(to);
      return true;
    }
    if (errno == EEXIST || errno == ENOTEMPTY) return false;
  }
  IoFailure(to, "cannot move the folder");
}

void TFileSystem::RemoveFolder(const std::filesystem::path& path) noexcept {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

TFileSystem& PosixFileSystem() {
  static TPosixFileSystem fs;
  return fs;
}

void RemoveQuietly(TFileSystem& fs, const std::filesystem::path& path) noexcept {
  try {
    fs.Remove(path);
  } catch (...) {
  }
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& path) {
  std::filesystem::path temp = path;
  temp.replace_filename(path.stem().string() + "tmp");
  return temp;
}

}  // namespace korvela
