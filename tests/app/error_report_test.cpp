#include <gtest/gtest.h>

#include "app/error_report.h"
#include "app/main_menu.h"

namespace korvela {
namespace {

TEST(ErrorReport, TextNamesTheMessageAndTheSenderOnTheirOwnLines) {
  const std::string text = ErrorReportText("Invalid data file (file \"x/PS12007.dat\")", "TFMain");
  EXPECT_TRUE(text.starts_with("An unexpected event occurred within Korvela! "));
  EXPECT_NE(text.find(std::string("Support Team at ") + kSupportAddress +
                      "\r\nEvent Message: "
                      "Invalid data file (file \"x/PS12007.dat\")\r\nEvent Sender: TFMain\r\n"
                      "Thank you, for helping us improve Korvela"),
            std::string::npos);
  // An empty message runs straight into the line break.
  EXPECT_NE(ErrorReportText("", "TFLogin").find("Event Message: \r\nEvent Sender: TFLogin"),
            std::string::npos);
  EXPECT_EQ(ErrorReportMailto(),
            std::string("mailto:") + kSupportAddress + "?subject=Unexpected%20Korvela%20Behavior");
}

TEST(MainMenus, EveryMenuInOrderWithItsCommands) {
  std::vector<std::string> captions;
  std::size_t commands = 0;
  for (const TMenu& menu : MainMenus()) {
    captions.push_back(menu.caption);
    for (const TMenuItem& item : menu.items) commands += item.items.empty() ? 1 : item.items.size();
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"[File]", "[Nutrition]", "[Training]",
                                                "[Sports and Activities]", "[Recovery]",
                                                "[Goal Setting]", "[Personal]", "[Graphs]",
                                                "[Reports]", "[Calculators]", "[FAQ]"}));
  EXPECT_EQ(commands, 5u + 4 + 3 + 2 + 1 + 3 + 5 + 3 + 1 + 9 + 10);
  EXPECT_EQ(MainMenus().front().items[3].caption, kLogOffCommand);
  EXPECT_EQ(MainMenus().back().items[1].helpTopic, 201);
}

TEST(MainMenus, ToolBarCommandsAreMenuCommandsExceptTheQuestionScreen) {
  std::vector<std::string> all;
  for (const TMenu& menu : MainMenus())
    for (const TMenuItem& item : menu.items) all.push_back(item.caption);
  for (const std::string& command : ToolBarCommands()) {
    if (command == kToolBarSeparator || command == kAskQuestionCommand) continue;
    EXPECT_NE(std::find(all.begin(), all.end(), command), all.end()) << command;
  }
}

}  // namespace
}  // namespace korvela
