#include "storage/errors.h"

namespace korvela {

EKorvelaError::EKorvelaError(std::string message, std::string file)
    : message_(std::move(message)), file_(std::move(file)) {}

const char* EKorvelaError::what() const noexcept {
  // Composed on demand because KindText is virtual and not yet final in the
  // base constructor.
  what_ = message_.empty() ? KindText() : message_;
  if (!file_.empty()) what_ += " (file \"" + file_ + "\")";
  return what_.c_str();
}

void EKorvelaError::SetFileIfUnknown(const std::string& file) {
  if (file_.empty()) file_ = file;
}

}  // namespace korvela
