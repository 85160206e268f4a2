#include "widgets/save_guard.h"

#include "storage/write_refused.h"

namespace korvela {

bool SaveOrWarn(TPrompter& prompter, const std::function<void()>& save) {
  try {
    save();
    return true;
  } catch (const EXMLIOError& e) {
    prompter.Warn(WriteRefusedText(e));
    return false;
  }
}

}  // namespace korvela
