#include <gtest/gtest.h>

#include "app/error_report.h"
#include "app/help_search.h"
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
                                                "[Reports]", "[Calculators]", "[FAQ]", "[Help]"}));
  EXPECT_EQ(commands, 5u + 4 + 3 + 2 + 1 + 3 + 5 + 3 + 1 + 9 + 10 + 4);
  EXPECT_EQ(MainMenus().front().items[3].caption, kLogOffCommand);
  const TMenu& faq = MainMenus()[MainMenus().size() - 2];
  EXPECT_EQ(faq.items[1].helpTopic, 201);
}

TEST(MainMenus, TheHelpMenuOpensContentsSearchTheQuestionScreenAndAbout) {
  const TMenu& help = MainMenus().back();
  ASSERT_EQ(help.items.size(), 4u);
  const struct {
    const char* caption;
    int topic;
  } want[] = {{"Contents", kHelpContentsTopic},
              {"Search Help...", kHelpSearchTopic},
              {"Ask us a question.", 0},
              {"About Korvela...", 0}};
  for (std::size_t i = 0; i < help.items.size(); ++i) {
    EXPECT_EQ(help.items[i].caption, want[i].caption) << i;
    EXPECT_EQ(help.items[i].helpTopic, want[i].topic) << i;
  }
  // The made pages are no topics of the book: they lie above the template
  // and below the first page.
  EXPECT_GT(kHelpContentsTopic, kHelpTemplateTopic);
  EXPECT_LT(kHelpSearchTopic, kHelpTopicMainWindow);
}

TEST(MainMenus, ToolBarCommandsAreMenuCommands) {
  std::vector<std::string> all;
  for (const TMenu& menu : MainMenus())
    for (const TMenuItem& item : menu.items) all.push_back(item.caption);
  for (const std::string& command : ToolBarCommands()) {
    if (command == kToolBarSeparator) continue;
    EXPECT_NE(std::find(all.begin(), all.end(), command), all.end()) << command;
  }
}

}  // namespace
}  // namespace korvela
