#include "app/help.h"

#include <gtest/gtest.h>

#include "app/program.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

const char* const kTemplate =
    "<html><title>___topic</title><h1>___topic</h1><div>___content</div></html>";

class HelpTest : public ::testing::Test {
 protected:
  bool WriteBook() {
    THelpBook book(BookFile(), *random);
    book.PutHelpTopic(kHelpTemplateTopic, {"Template", kTemplate});
    book.PutHelpTopic(5, {"Low", "never a page"});
    book.PutHelpTopic(20, {"Main window", "<p>See <a href=\"#35\">recipes</a>.</p>"});
    book.PutHelpTopic(35, {"Recipe book", "<p>Recipes & ___topic</p>"});
    book.PutHelpTopic(21, {"Losing weight", "<p>Eat less.</p>"});
    book.Close();
    return true;
  }

  std::filesystem::path BookFile() const { return folder / kHelpBookFileName; }
  std::filesystem::path PageFile() const { return folder / kHelpPageFileName; }
  std::string Page() const { return ReadBytes(PageFile()); }
  static std::string PageOf(const std::string& title, const std::string& body) {
    return ComposeHelpPage(kTemplate, title, body);
  }

  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  bool written = WriteBook();
  THelpBook book{BookFile(), *random};
  THelpState state{&book, PageFile()};
};

TEST_F(HelpTest, BookGivesTopicsByNumberAndNoneForMissingOnes) {
  const std::optional<THelpScreen> main = book.LoadHelpTopic(20);
  ASSERT_TRUE(main);
  EXPECT_EQ(main->Topic, "Main window");
  EXPECT_EQ(main->Content, "<p>See <a href=\"#35\">recipes</a>.</p>");
  EXPECT_FALSE(book.LoadHelpTopic(22));
  EXPECT_FALSE(book.LoadHelpTopic(0));
}

TEST_F(HelpTest, TopicWithoutItsAttributesHasEmptyTexts) {
  // A record written by another tool may leave out either attribute.
  XMLDB db(folder / "other.dat", kHelpBookKind, *random);
  db.Put(std::make_unique<XMLNode>(kHelpElement), 40, kDataKey, 0);
  db.Close();
  THelpBook other(folder / "other.dat", *random);
  const std::optional<THelpScreen> screen = other.LoadHelpTopic(40);
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->Topic, "");
  EXPECT_EQ(screen->Content, "");
}

TEST(ComposeHelpPage, ReplacesEveryTitleMarkerThenEveryContentMarker) {
  EXPECT_EQ(
      ComposeHelpPage("<t>___topic</t><h1>___topic</h1><b>___content</b>___content", "T", "B"),
      "<t>T</t><h1>T</h1><b>B</b>B");
  // Case matters; a marker inside the body stays; a page without markers is
  // left alone.
  EXPECT_EQ(ComposeHelpPage("___TOPIC ___topic ___content", "T", "x ___topic"),
            "___TOPIC T x ___topic");
  EXPECT_EQ(ComposeHelpPage("<p>plain</p>", "T", "B"), "<p>plain</p>");
  EXPECT_EQ(ComposeHelpPage("______topic", "T", "B"), "___T");
}

TEST(ParseHelpLinkTopic, ReadsDecimalNumbersOnly) {
  const struct {
    const char* text;
    std::optional<int> want;
  } cases[] = {
      {"35", 35},
      {"007", 7},
      {"+7", 7},
      {"-666", -666},
      {"", std::nullopt},
      {"x", std::nullopt},
      {"3x", std::nullopt},
      {" 3", std::nullopt},
      {"3 ", std::nullopt},
      {"1.5", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"0x10", std::nullopt},
      {"99999999999", std::nullopt},
      {"35#36", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseHelpLinkTopic(c.text), c.want) << c.text;
}

TEST_F(HelpTest, ShowHelpRendersTheTopicIntoTheTemplate) {
  state.ShowHelp(20);
  EXPECT_FALSE(state.ShownTopic());
  EXPECT_TRUE(state.Render());
  EXPECT_EQ(Page(), PageOf("Main window", "<p>See <a href=\"#35\">recipes</a>.</p>"));
  EXPECT_EQ(state.ShownTopic(), 20);
  EXPECT_EQ(state.ShownTitle(), "Main window");
  EXPECT_FALSE(state.CanGoBack());
  EXPECT_FALSE(state.CanGoForward());
  EXPECT_FALSE(std::filesystem::exists(folder / "helptmp"));
}

TEST_F(HelpTest, TheTopicOnScreenIsNotWrittenAgain) {
  state.ShowHelp(20);
  ASSERT_TRUE(state.Render());
  const std::uint64_t version = state.PageVersion();
  // A page file changed behind the window's back shows that it is not rewritten.
  WriteBytes(PageFile(), "left alone");
  EXPECT_FALSE(state.Render());
  state.ShowHelp(20);
  EXPECT_FALSE(state.Render());
  EXPECT_EQ(state.FollowLink("#20"), THelpLinkAction::Render);
  EXPECT_EQ(Page(), "left alone");
  EXPECT_EQ(state.PageVersion(), version);
}

TEST_F(HelpTest, TopicsUpToTheTemplateAndMissingTopicsShowNoHelpFound) {
  for (const int topic : {5, 10, 0, -666, 22}) {
    state.ShowHelp(topic);
    ASSERT_TRUE(state.Render()) << topic;
    EXPECT_EQ(Page(), PageOf("No Help Found", "")) << topic;
  }
}

TEST_F(HelpTest, LinksToTopicsMoveThroughTheHistory) {
  state.ShowHelp(20);
  state.Render();

  EXPECT_EQ(state.FollowLink("#35"), THelpLinkAction::Render);
  EXPECT_EQ(state.ShownTopic(), 35);
  EXPECT_EQ(Page(), PageOf("Recipe book", "<p>Recipes & ___topic</p>"));
  EXPECT_TRUE(state.CanGoBack());
  EXPECT_FALSE(state.CanGoForward());

  state.Back();
  EXPECT_EQ(state.ShownTopic(), 20);
  EXPECT_EQ(state.HistoryPos(), 0u);
  EXPECT_EQ(Page(), PageOf("Main window", "<p>See <a href=\"#35\">recipes</a>.</p>"));
  EXPECT_FALSE(state.CanGoBack());
  EXPECT_TRUE(state.CanGoForward());

  state.Forward();
  EXPECT_EQ(state.ShownTopic(), 35);
  state.Back();

  // A new link after going back drops the entries ahead.
  EXPECT_EQ(state.FollowLink("file:///x/help.htm#21"), THelpLinkAction::Render);
  EXPECT_EQ(state.History(), (std::vector<int>{20, 21}));
  EXPECT_EQ(state.HistoryPos(), 1u);
  EXPECT_EQ(state.ShownTopic(), 21);
  EXPECT_FALSE(state.CanGoForward());

  // Either end of the history is a stop.
  state.Forward();
  EXPECT_EQ(state.ShownTopic(), 21);
  state.Back();
  state.Back();
  EXPECT_EQ(state.ShownTopic(), 20);

  // ShowHelp starts afresh.
  state.ShowHelp(35);
  EXPECT_EQ(state.History(), std::vector<int>{35});
  EXPECT_FALSE(state.CanGoBack());
}

TEST_F(HelpTest, AddressesWithoutANumberAfterTheHashAreNotFollowed) {
  state.ShowHelp(20);
  state.Render();
  const struct {
    const char* address;
    THelpLinkAction want;
  } cases[] = {
      {"", THelpLinkAction::Navigate},
      {"#", THelpLinkAction::Navigate},
      {"x", THelpLinkAction::Navigate},
      {"file:///x/help.htm", THelpLinkAction::Navigate},
      {"https://example.org/", THelpLinkAction::Navigate},
      {"#top", THelpLinkAction::Ignore},
      {"##35", THelpLinkAction::Ignore},
      {"#35 ", THelpLinkAction::Ignore},
      {"help.htm#", THelpLinkAction::Ignore},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(state.FollowLink(c.address), c.want) << c.address;
    EXPECT_EQ(state.History(), std::vector<int>{20}) << c.address;
    EXPECT_EQ(state.ShownTopic(), 20) << c.address;
  }
}

TEST_F(HelpTest, TheTemplateIsReadOnceAndKept) {
  state.ShowHelp(20);
  state.Render();
  book.PutHelpTopic(kHelpTemplateTopic, {"Template", "changed ___content"});
  state.FollowLink("#21");
  EXPECT_EQ(Page(), PageOf("Losing weight", "<p>Eat less.</p>"));
}

TEST_F(HelpTest, ABookWithoutTemplateStillShowsTitleAndBody) {
  THelpBook bare(folder / "bare.dat", *random);
  bare.PutHelpTopic(20, {"Main window", "<p>body</p>"});
  THelpState bareState(&bare, PageFile());
  bareState.ShowHelp(20);
  bareState.Render();
  EXPECT_NE(Page().find("<h1>Main window</h1><p>body</p>"), std::string::npos) << Page();

  THelpState noBook(nullptr, PageFile());
  noBook.ShowHelp(20);
  noBook.Render();
  EXPECT_NE(Page().find("<h1>No Help Found</h1>"), std::string::npos) << Page();
}

TEST_F(HelpTest, PageThatCannotBeWrittenNamesItsFile) {
  THelpState lost(&book, folder / "no such folder" / kHelpPageFileName);
  lost.ShowHelp(20);
  try {
    lost.Render();
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(std::string(e.what()).find("no such folder"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(lost.ShownTopic());
}

TEST_F(HelpTest, DamagedBookNamesItsFile) {
  // A record whose scrambled block was damaged.
  std::string bytes = ReadBytes(BookFile());
  bytes[bytes.size() - 3] = static_cast<char>(bytes[bytes.size() - 3] ^ 0x55);
  WriteBytes(folder / "damaged.dat", bytes);
  THelpBook damaged(folder / "damaged.dat", *random);
  bool threw = false;
  for (const int topic : {10, 5, 20, 35, 21}) {
    try {
      damaged.LoadHelpTopic(topic);
    } catch (const EInvalidXMLFile& e) {
      threw = true;
      EXPECT_NE(std::string(e.what()).find("damaged.dat"), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(threw);

  // A file that is not a help book at all stops the start-up load.
  WriteBytes(BookFile(), "not a record database");
  TFixedClock clock{EncodeDate(2007, 6, 15)};
  TProgram program(folder.Path(), TSystemDefaults{}, clock, *random);
  try {
    (void)program.LoadSharedCollections();
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(std::string(e.what()).find(kHelpBookFileName), std::string::npos) << e.what();
  }
}

TEST_F(HelpTest, TheProgramOpensTheHelpBookWithTheSharedCollections) {
  TFixedClock clock{EncodeDate(2007, 6, 15)};
  TProgram program(folder.Path(), TSystemDefaults{}, clock, *random);
  EXPECT_EQ(program.HelpBook(), nullptr);
  (void)program.LoadSharedCollections();
  ASSERT_NE(program.HelpBook(), nullptr);
  EXPECT_EQ(program.HelpBook()->LoadHelpTopic(21)->Topic, "Losing weight");
}

TEST(HelpTopicOfScreen, KnownScreensHaveTheirTopicsOthersNone) {
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFMain"), 20);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFLogin"), 200);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFWeighIn"), 72);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFPersonalInfo"), 74);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFInternational"), 75);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFHelp"), kHelpWindowTopic);
  EXPECT_EQ(
      HelpTopicOfScreen("korvela::TFSkinfold", "3 site skinfold measurement body fat % calculator"),
      65);
  EXPECT_EQ(
      HelpTopicOfScreen("korvela::TFSkinfold", "7 site skinfold measurement body fat % calculator"),
      66);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFSkinfold", "Another calculator"), 0);
  EXPECT_EQ(HelpTopicOfScreen("TFWeighIn"), 0);
  EXPECT_EQ(HelpTopicOfScreen("korvela::TFWhoAmI"), 0);
  EXPECT_EQ(HelpTopicOfScreen(""), 0);
}

}  // namespace
}  // namespace korvela
