#pragma once
#include <string>

namespace korvela {

enum class TAnswer { Yes, No, YesToAll, NoToAll };

// Every warning, question and information box of the program goes through
// this interface: message boxes in the program, planned answers in tests.
class TPrompter {
 public:
  virtual ~TPrompter() = default;
  virtual void Warn(const std::string& text) = 0;
  virtual void Inform(const std::string& text) = 0;
  virtual bool AskYesNo(const std::string& text) = 0;
  // Yes, No, "Yes to All" and "No to All".
  virtual TAnswer AskYesNoAll(const std::string& text) = 0;
};

}  // namespace korvela
