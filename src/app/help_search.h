#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/help.h"

namespace korvela {

// Pages the help window makes itself from the whole book rather than loads:
// the contents, every topic under its subject, and the search, the topics
// that hold the words asked for. Neither is a record of the book.
inline constexpr int kHelpContentsTopic = 11;
inline constexpr int kHelpSearchTopic = 12;
// The page about the [Help] menu.
inline constexpr int kHelpMenuTopic = 209;

inline constexpr const char* kHelpMenu = "[Help]";
inline constexpr const char* kContentsCommand = "Contents";
inline constexpr const char* kSearchHelpCommand = "Search Help...";
inline constexpr const char* kHelpContentsTitle = "Contents";
inline constexpr const char* kHelpSearchTitle = "Search Help";
// The subject of the topics no other subject claims.
inline constexpr const char* kOtherHelpSubject = "More pages";

// One page of the book.
struct THelpTopicEntry {
  int topic = 0;
  THelpScreen screen;
};

// The pages of the book that are pages (above the template), by topic
// number; a damaged record raises EInvalidXMLFile as LoadHelpTopic does.
std::vector<THelpTopicEntry> LoadHelpPages(THelpBook& book);

// The subject a topic is listed under on the contents page, and every
// subject in the order of that page, kOtherHelpSubject last.
std::string_view HelpSubjectOfTopic(int topic);
const std::vector<std::string_view>& HelpSubjects();

// Text made safe to stand in a page: "&", "<", ">" and the double quote as
// character references.
std::string EscapeHelpText(std::string_view text);

// The text a reader sees in an HTML fragment: tags and comments dropped,
// character references read (unknown ones become a blank), every run of
// blanks one space, trimmed. Block tags (p, li, td, br, h1-h6...) part words.
std::string HelpPlainText(std::string_view html);

// A word of a text: a run of letters and digits (bytes above 127, the parts
// of UTF-8 letters, count as letters), in lower case, with its place.
struct THelpWord {
  std::string text;
  std::size_t pos = 0;  // byte offset in the text
  std::size_t size = 0;
};
std::vector<THelpWord> HelpWords(std::string_view text);

// Whether a word of a page answers a word asked for (both in lower case):
// the same word, or, for a question word of three characters or more, a word
// that starts with it ("weig" finds "weight"; "in" finds only "in").
bool HelpWordMatches(std::string_view asked, std::string_view word);

// One page that holds every word asked for.
struct THelpHit {
  int topic = 0;
  std::string title;
  int titleHits = 0;    // words of the title that answer a question word
  int textHits = 0;     // words of the text that do
  std::string excerpt;  // HTML: the text around the first hit, hits in bold
};

// The book made ready for the contents and the search.
class THelpIndex {
 public:
  explicit THelpIndex(const std::vector<THelpTopicEntry>& pages);

  // The pages that hold every word of the query in their title or text, best
  // first: more title hits, then more text hits, then by title (letters
  // without regard to case), then by topic. An empty query or one without
  // words finds nothing.
  std::vector<THelpHit> Search(std::string_view query) const;
  // The body of the contents page: each subject that has pages, its pages
  // in topic order as links.
  std::string ContentsBody() const;

 private:
  struct TPage {
    int topic;
    std::string title;
    std::string text;
    std::vector<THelpWord> titleWords;
    std::vector<THelpWord> textWords;
  };
  std::vector<TPage> pages_;
};

// The body of the search page for `query` and what it found; with an empty
// query, how to search.
std::string HelpSearchBody(std::string_view query, const std::vector<THelpHit>& hits);

}  // namespace korvela
