#pragma once
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "users/prompter.h"

namespace korvela::test {

// Records every text shown and answers questions from a plan; a question
// without a planned answer fails the test.
class TScriptedPrompter final : public TPrompter {
 public:
  void Warn(const std::string& text) override { shown.push_back("warn: " + text); }
  void Inform(const std::string& text) override { shown.push_back("inform: " + text); }
  bool AskYesNo(const std::string& text) override {
    shown.push_back("ask: " + text);
    if (onAsk) onAsk(text);
    return Next() == TAnswer::Yes;
  }
  TAnswer AskYesNoAll(const std::string& text) override {
    shown.push_back("ask: " + text);
    return Next();
  }
  void Plan(TAnswer answer) { answers.push_back(answer); }
  std::string Last() const { return shown.empty() ? std::string() : shown.back(); }

  std::vector<std::string> shown;
  std::deque<TAnswer> answers;
  // Run while a question is up, as the screen behind a message box goes on
  // painting.
  std::function<void(const std::string& text)> onAsk;

 private:
  TAnswer Next() {
    if (answers.empty()) throw std::logic_error("a question without a planned answer");
    const TAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace korvela::test
