#include "app/help_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/about.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;

TEST(HelpPlainText, KeepsWhatAReaderSees) {
  const struct {
    const char* html;
    const char* want;
  } cases[] = {
      {"<p>Log your <b>food</b>.</p>", "Log your food."},
      {"re<b>cipe</b> book", "recipe book"},  // inline tags do not part words
      {"<li>one</li><li>two</li>", "one two"},
      {"<td>a</td><td>b</td>", "a b"},
      {"line<br>break", "line break"},
      {"  many \n\t blanks  ", "many blanks"},
      {"fish &amp; chips &lt;b&gt;", "fish & chips <b>"},
      {"2&ndash;3 &times; 4 &middot; &ldquo;x&rdquo;", "2\u20133 \u00d7 4 \u00b7 \u201cx\u201d"},
      {"caf&#233; &#x41;", "caf\u00e9 A"},
      {"a&nbsp;b", "a b"},
      {"a&unknown;b", "a b"},
      {"R&D; R & D", "R R & D"},  // "&D;" is a reference to no known name
      {"AT&T", "AT&T"},
      {"<!-- topic 20: The main window -->text", "text"},
      {"<style type=\"text/css\">p { color: red; }</style>shown", "shown"},
      {"<a href=\"#35\" title=\"x > y\">link</a>", "link"},
      {"<p class='a>b'>quoted</p>", "quoted"},
      {"cut <b", "cut"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HelpPlainText(c.html), c.want) << c.html;
}

TEST(HelpWords, SplitsAtEverythingButLettersAndDigitsInLowerCase) {
  const auto texts = [](std::string_view text) {
    std::vector<std::string> words;
    for (const THelpWord& w : HelpWords(text)) words.push_back(w.text);
    return words;
  };
  using W = std::vector<std::string>;
  EXPECT_EQ(texts("Weigh-in, BMI and 1RM!"), (W{"weigh", "in", "bmi", "and", "1rm"}));
  // Dashes, signs and quotes beyond ASCII part words as ASCII ones do.
  EXPECT_EQ(texts("2\u20133 \u00d7 4\u00b7x \u201cquoted\u201d"),
            (W{"2", "3", "4", "x", "quoted"}));
  // Letters beyond ASCII are letters; Latin-1 capitals get their small form.
  EXPECT_EQ(texts("Caf\u00c9 na\u00efve \u0141\u00f3d\u017a"),
            (W{"caf\u00e9", "na\u00efve", "\u0141\u00f3d\u017a"}));
  EXPECT_EQ(texts(" ,;- "), W{});

  const std::vector<THelpWord> words = HelpWords("ab  Cd");
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1].pos, 4u);
  EXPECT_EQ(words[1].size, 2u);
}

TEST(HelpWordMatches, WholeWordsAndTheStartsOfWordsFromThreeLetters) {
  const struct {
    const char* asked;
    const char* word;
    bool want;
  } cases[] = {
      {"weight", "weight", true},    {"weig", "weight", true},   {"wei", "weigh", true},
      {"we", "weight", false},       {"we", "we", true},         {"in", "in", true},
      {"in", "instructions", false}, {"eight", "weight", false}, {"weights", "weight", false},
      {"", "weight", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HelpWordMatches(c.asked, c.word), c.want) << c.asked << " / " << c.word;
}

TEST(HelpSubjectOfTopic, TopicsGoUnderTheirSubjectsAndNewOnesUnderMorePages) {
  const struct {
    int topic;
    const char* subject;
  } cases[] = {
      {20, "Getting started"},
      {200, "Getting started"},
      {kHelpMenuTopic, "Getting started"},
      {21, "Questions and answers"},
      {206, "Questions and answers"},
      {35, "Nutrition"},
      {56, "Nutrition"},
      {77, "Bodyweight, goals and recovery"},
      {80, "Sports and activities"},
      {105, "Sports and activities"},
      {90, "Training"},
      {104, "Training"},
      {60, "Calculators"},
      {100, "Calculators"},
      {31, "Graphs, reports and your data"},
      {208, "Graphs, reports and your data"},
      {150, "More pages"},
      {-3, "More pages"},
  };
  for (const auto& c : cases) EXPECT_EQ(HelpSubjectOfTopic(c.topic), c.subject) << c.topic;
  EXPECT_EQ(HelpSubjects().front(), "Getting started");
  EXPECT_EQ(HelpSubjects().back(), kOtherHelpSubject);
}

// A small book: titles and texts chosen so that each rule of the order
// decides one pair.
std::vector<THelpTopicEntry> SmallBook() {
  return {
      {77, {"Weight goals", "<p>Set a goal weight and a date.</p>"}},
      {72, {"Weigh-in", "<p>Weigh yourself. Your weight, your weight.</p>"}},
      {35, {"Recipe book", "<p>A recipe adds weight <i>per</i> serving; weight.</p>"}},
      {63, {"Body fat & lean mass", "<p>Nothing of the kind asked for here.</p>"}},
      {90, {"banana split", "<p>weight</p>"}},
      {91, {"Apple pie", "<p>weight</p>"}},
  };
}

std::vector<int> TopicsOf(const std::vector<THelpHit>& hits) {
  std::vector<int> topics;
  for (const THelpHit& h : hits) topics.push_back(h.topic);
  return topics;
}

TEST(HelpSearch, FindsPagesWithEveryWordTitleHitsFirstThenMoreHitsThenByTitle) {
  const THelpIndex index(SmallBook());
  using T = std::vector<int>;
  // A title hit wins; two text hits beat one; equal hits go by title,
  // letters without regard to case ("Apple" before "banana", "Recipe" before
  // "Weigh-in").
  EXPECT_EQ(TopicsOf(index.Search("weight")), (T{77, 35, 72, 91, 90}));
  EXPECT_EQ(TopicsOf(index.Search("WEIGHT")), (T{77, 35, 72, 91, 90}));
  // The start of a word finds "weigh" in a title too, and more hits win.
  EXPECT_EQ(TopicsOf(index.Search("weig")), (T{72, 77, 35, 91, 90}));
  // Every word must be there, in the title or the text.
  EXPECT_EQ(TopicsOf(index.Search("goal weight")), T{77});
  EXPECT_EQ(TopicsOf(index.Search("weight recipe")), T{35});
  EXPECT_EQ(TopicsOf(index.Search("weight chocolate")), T{});
  // Short words find only themselves: "in" is in "Weigh-in", not in "kind".
  EXPECT_EQ(TopicsOf(index.Search("in")), T{72});
  EXPECT_EQ(TopicsOf(index.Search("lean & fat")), T{63});
  EXPECT_EQ(TopicsOf(index.Search("")), T{});
  EXPECT_EQ(TopicsOf(index.Search(" ,; ")), T{});

  const std::vector<THelpHit> hits = index.Search("weig");
  ASSERT_FALSE(hits.empty());
  EXPECT_EQ(hits[0].title, "Weigh-in");
  EXPECT_EQ(hits[0].titleHits, 1);
  EXPECT_EQ(hits[0].textHits, 3);
}

TEST(HelpSearch, ExcerptsShowTheTextAroundTheFirstHitEscapedWithHitsInBold) {
  std::string longText = "<p>";
  for (int i = 0; i < 40; ++i) longText += "filler" + std::to_string(i) + " ";
  longText += "the projected weight &lt;script&gt; follows";
  for (int i = 0; i < 40; ++i) longText += " more" + std::to_string(i);
  longText += "</p>";
  const THelpIndex index({{24, {"Projected", longText}},
                          {25, {"Short", "<p>Only weight.</p>"}},
                          {26, {"Weight in title", "<p>Text that says nothing of it.</p>"}}});
  const std::vector<THelpHit> hits = index.Search("weight");
  ASSERT_EQ(hits.size(), 3u);
  const THelpHit& projected =
      *std::find_if(hits.begin(), hits.end(), [](const THelpHit& h) { return h.topic == 24; });
  EXPECT_TRUE(projected.excerpt.starts_with("... ")) << projected.excerpt;
  EXPECT_TRUE(projected.excerpt.ends_with(" ...")) << projected.excerpt;
  EXPECT_NE(projected.excerpt.find("projected <b>weight</b> &lt;script&gt; follows"),
            std::string::npos)
      << projected.excerpt;
  EXPECT_EQ(projected.excerpt.find("filler0 "), std::string::npos) << projected.excerpt;
  EXPECT_EQ(projected.excerpt.find("<script>"), std::string::npos) << projected.excerpt;
  // Whole words only at either end.
  EXPECT_TRUE(projected.excerpt.substr(4).starts_with("filler")) << projected.excerpt;

  const THelpHit& shortHit =
      *std::find_if(hits.begin(), hits.end(), [](const THelpHit& h) { return h.topic == 25; });
  EXPECT_EQ(shortHit.excerpt, "Only <b>weight</b>.");
  // A page found by its title shows the start of its text.
  EXPECT_EQ(hits[0].topic, 26);
  EXPECT_EQ(hits[0].excerpt, "Text that says nothing of it.");
}

TEST(HelpSearchBody, ListsTheHitsAsLinksAndEscapesWhatItShows) {
  const THelpIndex index(SmallBook());
  const std::string found = HelpSearchBody("lean & fat", index.Search("lean & fat"));
  EXPECT_NE(found.find("1 page holds &ldquo;lean &amp; fat&rdquo;"), std::string::npos) << found;
  EXPECT_NE(found.find("<a href=\"#63\">Body fat &amp; lean mass</a>"), std::string::npos) << found;

  const std::string many = HelpSearchBody("weight", index.Search("weight"));
  EXPECT_NE(many.find("5 pages hold"), std::string::npos) << many;
  EXPECT_LT(many.find("href=\"#77\""), many.find("href=\"#35\""));
  EXPECT_LT(many.find("href=\"#35\""), many.find("href=\"#90\""));

  const std::string none = HelpSearchBody("<script>", index.Search("<script>"));
  EXPECT_NE(none.find("No page holds every word of &ldquo;&lt;script&gt;&rdquo;"),
            std::string::npos)
      << none;
  EXPECT_EQ(none.find("<script>"), std::string::npos);
  EXPECT_NE(none.find("href=\"#11\""), std::string::npos) << none;

  const std::string how = HelpSearchBody("  ", {});
  EXPECT_NE(how.find("press Enter"), std::string::npos) << how;
  EXPECT_EQ(how.find("No page"), std::string::npos) << how;
}

TEST(HelpContents, ListsEveryPageOnceUnderItsSubjectInOrder) {
  const THelpIndex index({{90, {"Training log", "<p>x</p>"}},
                          {20, {"The main window", "<p>x</p>"}},
                          {35, {"Recipes <& more>", "<p>x</p>"}},
                          {150, {"A new page", "<p>x</p>"}},
                          {33, {"Food weights", "<p>x</p>"}},
                          {37, {"", "<p>untitled</p>"}}});
  const std::string body = index.ContentsBody();
  const auto at = [&body](std::string_view text) {
    const std::size_t pos = body.find(text);
    EXPECT_NE(pos, std::string::npos) << text << "\n" << body;
    EXPECT_EQ(body.find(text, pos + 1), std::string::npos) << text << " twice\n" << body;
    return pos;
  };
  const std::size_t started = at("<h2>Getting started</h2>");
  const std::size_t main = at("<a href=\"#20\">The main window</a>");
  const std::size_t nutrition = at("<h2>Nutrition</h2>");
  const std::size_t weights = at("<a href=\"#33\">Food weights</a>");
  const std::size_t recipes = at("<a href=\"#35\">Recipes &lt;&amp; more&gt;</a>");
  const std::size_t untitled = at("<a href=\"#37\">Topic 37</a>");
  const std::size_t training = at("<h2>Training</h2>");
  const std::size_t log = at("<a href=\"#90\">Training log</a>");
  const std::size_t more = at("<h2>More pages</h2>");
  const std::size_t fresh = at("<a href=\"#150\">A new page</a>");
  EXPECT_TRUE(started < main && main < nutrition && nutrition < weights && weights < recipes &&
              recipes < untitled && untitled < training && training < log && log < more &&
              more < fresh)
      << body;
  // Subjects without pages are left out.
  EXPECT_EQ(body.find("Calculators"), std::string::npos) << body;
}

class HelpStateSearchTest : public ::testing::Test {
 protected:
  bool WriteBook() {
    THelpBook book(folder / kHelpBookFileName, *random);
    book.PutHelpTopic(kHelpTemplateTopic, {"Template", "<title>___topic</title>___content"});
    book.PutHelpTopic(20, {"Main window", "<p>The calendar and the dashboard.</p>"});
    book.PutHelpTopic(72, {"Weigh-in", "<p>Weigh yourself in the morning.</p>"});
    book.PutHelpTopic(77, {"Weight goals", "<p>A goal weight.</p>"});
    book.PutHelpTopic(64, {"Fish & chips", "<p>Not a calculator.</p>"});
    book.Close();
    return true;
  }
  std::string Page() const { return ReadBytes(folder / kHelpPageFileName); }

  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(4);
  bool written = WriteBook();
  THelpBook book{folder / kHelpBookFileName, *random};
  THelpState state{&book, folder / kHelpPageFileName};
};

TEST_F(HelpStateSearchTest, TheBookListsItsTopicsInOrder) {
  EXPECT_EQ(book.Topics(), (std::vector<int>{kHelpTemplateTopic, 20, 64, 72, 77}));
  book.PutHelpTopic(30, {"New", ""});
  book.PutHelpTopic(20, {"Main window again", ""});
  EXPECT_EQ(book.Topics(), (std::vector<int>{kHelpTemplateTopic, 20, 30, 64, 72, 77}));
  const std::vector<THelpTopicEntry> pages = LoadHelpPages(book);
  ASSERT_EQ(pages.size(), 5u);  // the template is no page
  EXPECT_EQ(pages.front().topic, 20);
  EXPECT_EQ(pages.front().screen.Topic, "Main window again");
}

TEST_F(HelpStateSearchTest, ContentsAndSearchAreTopicsOfTheHistory) {
  state.ShowHelp(kHelpContentsTopic);
  ASSERT_TRUE(state.Render());
  EXPECT_NE(Page().find("<title>Contents</title>"), std::string::npos) << Page();
  EXPECT_NE(Page().find("<a href=\"#72\">Weigh-in</a>"), std::string::npos) << Page();
  EXPECT_EQ(Page().find("href=\"#10\""), std::string::npos) << Page();

  state.Search("weig");
  EXPECT_EQ(state.ShownTopic(), kHelpSearchTopic);
  EXPECT_EQ(state.RequestedQuery(), "weig");
  EXPECT_NE(Page().find("<title>Search Help</title>"), std::string::npos) << Page();
  EXPECT_LT(Page().find("href=\"#72\""), Page().find("href=\"#77\"")) << Page();
  EXPECT_EQ(Page().find("href=\"#20\""), std::string::npos) << Page();

  // Another search is another page, though the topic is the same.
  state.Search("calendar");
  EXPECT_NE(Page().find("href=\"#20\""), std::string::npos) << Page();
  EXPECT_EQ(state.History(),
            (std::vector<int>{kHelpContentsTopic, kHelpSearchTopic, kHelpSearchTopic}));

  // Back comes to the earlier search with its words; a link from it drops
  // the entries ahead.
  state.Back();
  EXPECT_EQ(state.RequestedQuery(), "weig");
  EXPECT_NE(Page().find("href=\"#77\""), std::string::npos) << Page();
  EXPECT_EQ(state.FollowLink("#77"), THelpLinkAction::Render);
  EXPECT_EQ(state.History(), (std::vector<int>{kHelpContentsTopic, kHelpSearchTopic, 77}));
  EXPECT_EQ(state.RequestedQuery(), "");
  state.Back();
  EXPECT_EQ(state.RequestedQuery(), "weig");
  state.OpenTopic(kHelpContentsTopic);
  EXPECT_EQ(state.History(),
            (std::vector<int>{kHelpContentsTopic, kHelpSearchTopic, kHelpContentsTopic}));
  EXPECT_NE(Page().find("<title>Contents</title>"), std::string::npos) << Page();

  // Search Help from the menu starts with the page of how to search.
  state.ShowHelp(kHelpSearchTopic);
  ASSERT_TRUE(state.Render());
  EXPECT_EQ(state.RequestedQuery(), "");
  EXPECT_NE(Page().find("press Enter"), std::string::npos) << Page();
}

TEST_F(HelpStateSearchTest, TitlesAreShownAsPlainText) {
  state.ShowHelp(64);
  state.Render();
  EXPECT_NE(Page().find("<title>Fish &amp; chips</title>"), std::string::npos) << Page();
  EXPECT_EQ(state.ShownTitle(), "Fish & chips");
}

TEST_F(HelpStateSearchTest, WithoutABookContentsAndSearchAreEmpty) {
  THelpState noBook(nullptr, folder / kHelpPageFileName);
  noBook.ShowHelp(kHelpContentsTopic);
  ASSERT_TRUE(noBook.Render());
  EXPECT_NE(Page().find("<h1>Contents</h1>"), std::string::npos) << Page();
  noBook.Search("weight");
  EXPECT_NE(Page().find("No page holds"), std::string::npos) << Page();
}

// The pages Korvela ships: each has a subject of its own on the contents
// page, and searching finds the page a word is about first.
TEST(ShippedHelp, EveryPageHasASubjectAndSearchFindsItsTopic) {
  TTempFolder folder;
  std::filesystem::copy_file(KORVELA_SHIPPED_HELP_BOOK, folder / kHelpBookFileName);
  std::unique_ptr<TRandom> random = MakeSeededRandom(2);
  THelpBook book(folder / kHelpBookFileName, *random);
  const std::vector<THelpTopicEntry> pages = LoadHelpPages(book);
  ASSERT_GT(pages.size(), 60u);
  for (const THelpTopicEntry& page : pages) {
    EXPECT_NE(HelpSubjectOfTopic(page.topic), kOtherHelpSubject)
        << page.topic << " " << page.screen.Topic;
    EXPECT_FALSE(page.screen.Topic.empty()) << page.topic;
  }
  const THelpIndex index(pages);
  const std::string contents = index.ContentsBody();
  for (const THelpTopicEntry& page : pages)
    EXPECT_NE(contents.find("href=\"#" + std::to_string(page.topic) + "\""), std::string::npos)
        << page.topic;
  const struct {
    const char* query;
    int topic;
  } cases[] = {{"prilepin", 100},
               {"skinfold 7", 66},
               {"recipe book", 35},
               {"search help", kHelpMenuTopic},
               {"tempo", 97}};
  for (const auto& c : cases) {
    const std::vector<THelpHit> hits = index.Search(c.query);
    ASSERT_FALSE(hits.empty()) << c.query;
    EXPECT_EQ(hits.front().topic, c.topic) << c.query << ": " << hits.front().title;
  }
}

TEST(About, NamesVersionLicenceAndTheSourceOfTheFoods) {
  const std::vector<std::string> paragraphs = AboutParagraphs("6.4.2");
  ASSERT_FALSE(paragraphs.empty());
  EXPECT_EQ(paragraphs.front(), "Korvela " + std::string(KorvelaVersion()));
  EXPECT_FALSE(KorvelaVersion().empty());
  std::string all;
  for (const std::string& p : paragraphs) all += p + "\n";
  for (const char* needed : {"GPL-3.0-or-later", "GNU General Public License",
                             "WITHOUT ANY WARRANTY", "https://www.gnu.org/licenses/gpl-3.0.html",
                             "USDA", "public domain", "Qt 6.4.2", "support@korvela.example.org"})
    EXPECT_NE(all.find(needed), std::string::npos) << needed << "\n" << all;
}

}  // namespace
}  // namespace korvela
