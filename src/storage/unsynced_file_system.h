#pragma once
#include <filesystem>
#include <memory>

#include "storage/file_system.h"

namespace korvela {

// The operating system's files without the wait for the disk: Flush does
// nothing (Close still writes what is buffered). For folders that need no
// durability: benchmarks that separate the program's own work from fsync,
// and fuzz targets that save thousands of times a second.
class TUnsyncedFile final : public TWritableFile {
 public:
  explicit TUnsyncedFile(std::unique_ptr<TWritableFile> file) : file_(std::move(file)) {}
  void Write(const void* data, std::size_t size) override { file_->Write(data, size); }
  void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
    file_->WriteAt(offset, data, size);
  }
  void Flush() override {}
  void Close() override { file_->Close(); }
  std::int64_t Size() const override { return file_->Size(); }

 private:
  std::unique_ptr<TWritableFile> file_;
};

class TUnsyncedFileSystem final : public TFileSystem {
 public:
  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& path) override {
    return PosixFileSystem().OpenRead(path);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& path) override {
    return std::make_unique<TUnsyncedFile>(PosixFileSystem().Create(path));
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& path) override {
    return std::make_unique<TUnsyncedFile>(PosixFileSystem().OpenUpdate(path));
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    std::filesystem::rename(from, to);
  }
  void Remove(const std::filesystem::path& path) override { PosixFileSystem().Remove(path); }
  bool Exists(const std::filesystem::path& path) override { return PosixFileSystem().Exists(path); }
};

}  // namespace korvela
