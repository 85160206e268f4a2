#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include "storage/errors.h"

namespace korvela {

// A file being written. Writes are buffered; Flush pushes everything to the
// disk (the data is durable when it returns).
class TWritableFile {
 public:
  virtual ~TWritableFile() = default;
  virtual void Write(const void* data, std::size_t size) = 0;
  virtual void WriteAt(std::int64_t offset, const void* data, std::size_t size) = 0;
  virtual void Flush() = 0;
  virtual void Close() = 0;
  // Bytes in the file including what is still buffered.
  virtual std::int64_t Size() const = 0;
};

class TReadableFile {
 public:
  virtual ~TReadableFile() = default;
  virtual std::int64_t Size() const = 0;
  // Reads exactly `size` bytes at `offset` or raises EXMLIOError.
  virtual void ReadAt(std::int64_t offset, void* data, std::size_t size) const = 0;
};

// Every file operation of the storage layer goes through this interface, so
// that tests can make any step fail. Failures raise EXMLIOError naming the file.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  virtual std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& path) = 0;
  // Creates the file, or truncates an existing one.
  virtual std::unique_ptr<TWritableFile> Create(const std::filesystem::path& path) = 0;
  // Opens an existing file for writing without truncating it.
  virtual std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& path) = 0;
  // Replaces `to` by `from` in one atomic step.
  virtual void Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // Removes the file if it exists.
  virtual void Remove(const std::filesystem::path& path) = 0;
  virtual bool Exists(const std::filesystem::path& path) = 0;

  // Folders. These act on the operating system's folders unless a file
  // system overrides them, so that one made for a test need only wrap what
  // it changes.
  // Makes a new, empty folder; false when the name is taken already.
  virtual bool CreateFolder(const std::filesystem::path& path);
  // Gives the folder `from` the name `to` in one step, never replacing
  // anything: false, with nothing changed, when `to` exists already.
  virtual bool RenameFolder(const std::filesystem::path& from, const std::filesystem::path& to);
  // Removes a folder and everything in it, as far as the disk lets.
  virtual void RemoveFolder(const std::filesystem::path& path) noexcept;
};

// The operating system's files. Stateless; shared by everything that is not
// handed another file system.
TFileSystem& PosixFileSystem();

// Removes a file if the disk lets it; a failure is ignored.
void RemoveQuietly(TFileSystem& fs, const std::filesystem::path& path) noexcept;

// The temporary name used while replacing a file: the extension, dot
// included, replaced by "tmp" ("LI.DAT" becomes "LItmp").
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path);

// Writes a file's new content through its temporary file: the temporary file
// is written, flushed to the disk and renamed over the target, so that the
// target always holds either its old or its new content. `write` fills the
// temporary file. When a step fails, the temporary file is removed as far as
// the disk allows and the error goes on to the caller.
template <typename WriteFn>
void ReplaceFile(TFileSystem& fs, const std::filesystem::path& path, WriteFn&& write) {
  const std::filesystem::path temp = TemporaryNameFor(path);
  fs.Remove(temp);
  try {
    {
      std::unique_ptr<TWritableFile> file = fs.Create(temp);
      write(*file);
      file->Flush();
      file->Close();
    }
    fs.Rename(temp, path);
  } catch (const EXMLIOError& e) {
    // The target is untouched; leave no half-written temporary file behind.
    // A failure of the temporary file names the file the caller knows; one
    // of another file `write` read from keeps naming that file.
    RemoveQuietly(fs, temp);
    if (!e.File().empty() && std::filesystem::path(e.File()) != temp) throw;
    throw EXMLIOError(path.string(), e.Message());
  } catch (...) {
    RemoveQuietly(fs, temp);
    throw;
  }
}

}  // namespace korvela
