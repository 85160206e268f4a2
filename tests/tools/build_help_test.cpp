#include "korvela_data/build_help_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "app/help.h"
#include "app/help_search.h"
#include "app/main_menu.h"
#include "storage/xml_db.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

const std::string kTemplatePage =
    "<!-- topic 10: Page template -->\n<html><h1>___topic</h1>___content</html>\n";

class TBuildHelpTest : public TToolTest {
 protected:
  TBuildHelpTest() { std::filesystem::create_directories(PagesFolder()); }

  std::filesystem::path PagesFolder() const { return File("help"); }
  void WritePage(const std::string& name, const std::string& text) {
    WriteBytes(PagesFolder() / name, text);
  }
  TToolRun Build() { return Run({"build-help", PagesFolder().string(), Name("Help.dat")}); }

  std::optional<THelpScreen> TopicOf(int topic) {
    THelpBook book(File("Help.dat"), *random_);
    return book.LoadHelpTopic(topic);
  }
  std::vector<std::int32_t> BookTopics() {
    const XMLDB db(File("Help.dat"), kHelpBookKind, *random_);
    std::vector<std::int32_t> topics;
    for (const XMLHandle& h : db.Handles()) topics.push_back(h.ID);
    return topics;
  }
};

TEST_F(TBuildHelpTest, PagesReachTheBookAsWritten) {
  WritePage("010-template.htm", kTemplatePage);
  // A byte order mark, CR LF line ends, blanks around the heading's parts and
  // text that the data file has to escape.
  WritePage("020-main.htm",
            "\xEF\xBB\xBF<!--  topic  020 :  The main window   -->\r\n"
            "<p class=\"x\">Fish &amp; chips, 'quotes' &lt;tags&gt; \xC2\xB7 Gr\xC3\xB6\xC3\x9F"
            "e</p>\r\n\r\n<p>second</p>\r\n\r\n");
  WritePage("035-empty.htm", "<!-- topic 35: A page without a body -->");
  WritePage("README.txt", "not a page");
  WritePage("040-notes.html", "not a page either");

  const TToolRun run = Build();
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_EQ(BookTopics(), (std::vector<std::int32_t>{10, 20, 35}));

  const std::optional<THelpScreen> main = TopicOf(20);
  ASSERT_TRUE(main);
  EXPECT_EQ(main->Topic, "The main window");
  EXPECT_EQ(main->Content,
            "<p class=\"x\">Fish &amp; chips, 'quotes' &lt;tags&gt; \xC2\xB7 Gr\xC3\xB6\xC3\x9F"
            "e</p>\r\n\r\n<p>second</p>");
  EXPECT_EQ(TopicOf(10)->Content, "<html><h1>___topic</h1>___content</html>");
  EXPECT_EQ(TopicOf(35)->Content, "");
  EXPECT_FALSE(std::filesystem::exists(File("Helptmp")));
}

TEST_F(TBuildHelpTest, ABadPageIsRefusedWithItsFileNamedAndTheBookStaysAsItWas) {
  WritePage("010-template.htm", kTemplatePage);
  ASSERT_EQ(Build().code, kExitSuccess);
  const std::string before = ReadBytes(File("Help.dat"));

  const struct {
    const char* page;
    const char* problem;
  } cases[] = {
      {"<p>no heading</p>\n", "the first line must be"},
      {"", "the first line must be"},
      {"<!-- topic 20 The main window -->\n", "no ':'"},
      {"<!-- topic 20: -->\n<p>x</p>", "the title of topic 20 is empty"},
      {"<!-- topic 20:    -->\n<p>x</p>", "the title of topic 20 is empty"},
      {"<!-- topic : Title -->\n", "'' is not a topic number"},
      {"<!-- topic twenty: Title -->\n", "'twenty' is not a topic number"},
      {"<!-- topic 0: Title -->\n", "'0' is not a topic number"},
      {"<!-- topic -20: Title -->\n", "'-20' is not a topic number"},
      {"<!-- topic 2.5: Title -->\n", "'2.5' is not a topic number"},
      {"<!-- topic 99999999999: Title -->\n", "'99999999999' is not a topic number"},
      {"<!-- topic 10: Another template -->\n___topic ___content", "topic 10 is already given"},
  };
  for (const auto& c : cases) {
    WritePage("020-bad.htm", c.page);
    const TToolRun run = Build();
    EXPECT_EQ(run.code, kExitFailure) << c.page;
    test::ExpectOneLineNaming(run.err, "020-bad.htm");
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(File("Help.dat")), before) << c.page;
  }
}

TEST_F(TBuildHelpTest, ASourceWithoutAProperTemplateIsRefused) {
  WritePage("020-main.htm", "<!-- topic 20: Main -->\n<p>x</p>");
  TToolRun run = Build();
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_NE(run.err.find("no page template"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(File("Help.dat")));

  for (const char* marker : {kHelpTitleMarker, kHelpContentMarker}) {
    std::string page = kTemplatePage;
    page.erase(page.find(marker), std::string(marker).size());
    WritePage("010-template.htm", page);
    run = Build();
    EXPECT_EQ(run.code, kExitFailure) << marker;
    test::ExpectOneLineNaming(run.err, "010-template.htm");
    EXPECT_NE(run.err.find(std::string("lacks the marker ") + marker), std::string::npos)
        << run.err;
  }
}

TEST_F(TBuildHelpTest, DirMustBeAFolder) {
  WriteBytes(File("plain.txt"), "x");
  const TToolRun run = Run({"build-help", Name("plain.txt"), Name("Help.dat")});
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_NE(run.err.find("DIR must be a folder"), std::string::npos) << run.err;
}

// The help pages that ship with the program: they build, every topic the
// program opens is there, and every link between pages leads to a page.
TEST_F(TBuildHelpTest, TheShippedPagesHoldEveryTopicTheProgramOpens) {
  const TToolRun run = Run({"build-help", KORVELA_SHIPPED_HELP, Name("Help.dat")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;

  std::set<int> wanted = {kHelpTopicMainWindow, kHelpTopicLogin};
  for (const TMenu& menu : MainMenus())
    for (const TMenuItem& item : menu.items)
      if (item.helpTopic != 0) wanted.insert(item.helpTopic);
  // The help window makes the contents and the search itself; the page of
  // the [Help] menu and the About screen is a page of the book.
  const std::set<int> made = {kHelpContentsTopic, kHelpSearchTopic};
  ASSERT_EQ(wanted.count(kHelpContentsTopic), 1u) << "the Help menu is missing";
  for (const int topic : made) wanted.erase(topic);
  wanted.insert(kHelpMenuTopic);
  // The screens so far: weigh-in, skinfold calculators, body measurements,
  // personal information, international options, goals, phases, recovery,
  // the exercise dictionary, editor and picker.
  for (const int topic : {65, 66, 72, 73, 74, 75, 76, 77, 78, 79, 83, 84, 104})
    wanted.insert(topic);
  // The food dialogs, the food editor and the two food dictionaries.
  for (const int topic : {33, 34, 37, 38, 39, 41}) wanted.insert(topic);
  // The strength calculator, the personal records screens, Prilepin's table.
  for (const int topic : {68, 85, 86, 100}) wanted.insert(topic);
  // The import/export screen.
  wanted.insert(31);
  ASSERT_EQ(wanted.count(21), 1u) << "the FAQ menu is missing";

  const std::vector<std::int32_t> topics = BookTopics();
  const std::set<int> present(topics.begin(), topics.end());
  for (const int topic : wanted) {
    EXPECT_EQ(present.count(topic), 1u) << "no page of topic " << topic;
  }

  const std::regex link("href=\"#([^\"]*)\"");
  for (const int topic : present) {
    const std::optional<THelpScreen> screen = TopicOf(topic);
    ASSERT_TRUE(screen) << topic;
    EXPECT_FALSE(screen->Topic.empty()) << topic;
    for (std::sregex_iterator it(screen->Content.begin(), screen->Content.end(), link), end;
         it != end; ++it) {
      const std::optional<int> target = ParseHelpLinkTopic((*it)[1].str());
      ASSERT_TRUE(target) << "topic " << topic << " links to #" << (*it)[1];
      EXPECT_TRUE(*target > kHelpTemplateTopic && (present.count(*target) || made.count(*target)))
          << "topic " << topic << " links to the missing topic " << *target;
    }
  }
}

}  // namespace
}  // namespace korvela
