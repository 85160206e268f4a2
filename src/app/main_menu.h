#pragma once
#include <string>
#include <vector>

namespace korvela {

// One entry of the main window's menu bar: a command, a submenu (with
// items) or, in the tool bar, a separator.
struct TMenuItem {
  TMenuItem(std::string itemCaption, std::vector<TMenuItem> subItems = {}, int topic = 0)
      : caption(std::move(itemCaption)), items(std::move(subItems)), helpTopic(topic) {}

  std::string caption;
  std::vector<TMenuItem> items;  // a submenu when not empty
  int helpTopic = 0;             // FAQ and help items open the help page of this topic
};

struct TMenu {
  std::string caption;
  std::vector<TMenuItem> items;
};

inline constexpr const char* kLogOffCommand = "Log off";
inline constexpr const char* kExitCommand = "Exit...";
inline constexpr const char* kAskQuestionCommand = "Ask us a question.";
inline constexpr const char* kNotAvailableYet = "This part of Korvela is not available yet.";
inline constexpr const char* kToolBarSeparator = "|";
inline constexpr const char* kMsgCatalogueMissing =
    "The food catalogue (foods.dat) was not found next to the program. Korvela starts with an "
    "empty catalogue: your own foods and recipes are available, the built-in foods are not.";

// What the main window does around a command's screen: hand it the selected
// day, recompute the dashboard when it closes, redraw the calendar's marks.
struct TCommandEffects {
  bool takesSelectedDay = false;
  bool recomputesDashboard = false;
  bool redrawsCalendar = false;
};
TCommandEffects CommandEffects(const std::string& caption);

// The menus of the main window, in order, each with its items in order.
const std::vector<TMenu>& MainMenus();
// The tool bar's commands in order; "|" stands for a separator.
const std::vector<std::string>& ToolBarCommands();

}  // namespace korvela
