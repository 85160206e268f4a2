#pragma once
#include "users/prompter.h"

namespace korvela {

// The prompter of the running program: modal message boxes over the active
// window.
class TMessageBoxPrompter final : public TPrompter {
 public:
  void Warn(const std::string& text) override;
  void Inform(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  TAnswer AskYesNoAll(const std::string& text) override;
};

}  // namespace korvela
