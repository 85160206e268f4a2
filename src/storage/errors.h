#pragma once
#include <exception>
#include <string>

namespace korvela {

// Base of every error the core raises. The storage errors carry no message of
// their own; the file they concern is attached where it is known so that the
// error report can name it.
class EKorvelaError : public std::exception {
 public:
  explicit EKorvelaError(std::string message = {}, std::string file = {});
  const char* what() const noexcept override;
  const std::string& Message() const { return message_; }
  const std::string& File() const { return file_; }
  // Attaches the file name unless one is already known.
  void SetFileIfUnknown(const std::string& file);
  // The kind of error as a short phrase, used when there is no message.
  virtual const char* KindText() const { return "Internal error"; }

 private:
  std::string message_;
  std::string file_;
  mutable std::string what_;
};

// A file could not be opened, created, read, written or renamed, or is not
// the database it claims to be.
class EXMLIOError : public EKorvelaError {
 public:
  explicit EXMLIOError(std::string file = {}, std::string detail = {})
      : EKorvelaError(std::move(detail), std::move(file)) {}
  const char* KindText() const override { return "Data file input/output error"; }
};

// A document that fails its checksum or the text-form grammar.
class EInvalidXMLFile : public EKorvelaError {
 public:
  explicit EInvalidXMLFile(std::string file = {}) : EKorvelaError({}, std::move(file)) {}
  const char* KindText() const override { return "Invalid data file"; }
};

class EInternalError : public EKorvelaError {
 public:
  explicit EInternalError(std::string message) : EKorvelaError(std::move(message)) {}
};

// A text that is not a number, fraction or boolean of the expected form.
class EConvertError : public EKorvelaError {
 public:
  explicit EConvertError(std::string message = {}) : EKorvelaError(std::move(message)) {}
  const char* KindText() const override { return "Conversion error"; }
};

}  // namespace korvela
