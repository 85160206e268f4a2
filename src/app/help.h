#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/error_report.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"

namespace korvela {

// The help book "Help.dat" in the program folder: topic t is the record with
// identifier t and date 0, scrambled with the data key. Its document is one
// element whose optional attributes hold the topic's title and its body, an
// HTML fragment. (The recipe box uses the same kind number; the two files
// are told apart by their names.)
inline constexpr const char* kHelpBookFileName = "Help.dat";
inline constexpr std::int32_t kHelpBookKind = 1394257;
inline constexpr const char* kHelpElement = "Help";
inline constexpr const char* kHelpTopicAttr = "Topic";
inline constexpr const char* kHelpContentAttr = "Content";

// The page the help window shows, rewritten for every topic it renders.
inline constexpr const char* kHelpPageFileName = "help.htm";

// Topic 10 is the page template; topics up to 10 are never pages.
inline constexpr int kHelpTemplateTopic = 10;
inline constexpr const char* kHelpTitleMarker = "___topic";
inline constexpr const char* kHelpContentMarker = "___content";
inline constexpr const char* kNoHelpFound = "No Help Found";

// Topic numbers opened by commands rather than by a screen.
inline constexpr int kHelpTopicMainWindow = 20;
inline constexpr int kHelpTopicLogin = 200;
// The help window's own topic: F1 there shows "No Help Found".
inline constexpr int kHelpWindowTopic = -666;

// The "Ask us a question." screen.
inline constexpr const char* kAskQuestionCaption = "Ask us a question.";
inline constexpr const char* kAskQuestionHeading = "You need help? Ask us a question...";
inline constexpr const char* kAskQuestionHint1 =
    "1. Read the Frequently Asked Questions in the [FAQ] menu";
inline constexpr const char* kAskQuestionHint2 =
    "2. Read the help of the screen related to your question";
inline constexpr const char* kAskQuestionHint3 = "3. E-mail us your question to ";
// The one support address of the program, also in the error report.
inline constexpr const char* kSupportEmail = kSupportAddress;
inline constexpr const char* kAskQuestionMailto =
    "mailto:support@korvela.example.org?subject=Korvela%20Question";
inline constexpr const char* kEmailQuestionButton = "E-mail your question now";

// One loaded topic.
struct THelpScreen {
  std::string Topic;    // the title, plain text
  std::string Content;  // the body, an HTML fragment
};

class THelpBook {
 public:
  // Opens the book, creating an empty one when the file is absent. A file
  // that is not a help book raises EXMLIOError naming it.
  THelpBook(const std::filesystem::path& file, TRandom& random,
            TFileSystem& fs = PosixFileSystem());

  // None when the book has no such topic. A damaged record raises
  // EInvalidXMLFile naming the file.
  std::optional<THelpScreen> LoadHelpTopic(int topic);
  // The numbers of the book's topics, in ascending order.
  std::vector<int> Topics() const;
  // Adds or replaces a topic (used when the book is built).
  void PutHelpTopic(int topic, const THelpScreen& screen);
  void Close() { db_.Close(); }
  const std::filesystem::path& FileName() const { return db_.FileName(); }

 private:
  XMLDB db_;
};

// The template with every "___topic" replaced by the title, then every
// "___content" replaced by the body: exact and case-sensitive. A body that
// holds "___topic" keeps it, as the title is already in place.
std::string ComposeHelpPage(std::string_view pageTemplate, std::string_view title,
                            std::string_view body);

// A topic number written after the "#" of a help link: decimal digits with an
// optional sign, nothing else; none for anything else.
std::optional<int> ParseHelpLinkTopic(std::string_view text);

// What the viewer does with an address it was asked to open.
enum class THelpLinkAction {
  Navigate,  // not a topic link: open the address as usual
  Ignore,    // a topic link whose number cannot be read: nothing happens
  Render,    // a topic link: the history moved and the page was rendered
};

class THelpIndex;

// The help window's history and page, without the window: the window calls
// ShowHelp, FollowLink, Search, Back and Forward and shows "help.htm"
// whenever Render reports a new page. Two topics are made from the whole
// book instead of loaded (help_search.h): the contents and the search page,
// whose history entries keep their query.
class THelpState {
 public:
  // `book` may be null (the book is not open yet): every topic then shows
  // "No Help Found". The page is written to `pageFile`.
  THelpState(THelpBook* book, std::filesystem::path pageFile, TFileSystem& fs = PosixFileSystem());
  ~THelpState();

  // A fresh history holding only `topic`; the page follows at the next Render.
  void ShowHelp(int topic);
  // Examines an address the viewer is about to open.
  THelpLinkAction FollowLink(std::string_view address);
  // A new entry of the history after the one shown, as a link makes it, and
  // renders: a topic, or the pages that hold the words of `query`.
  void OpenTopic(int topic);
  void Search(std::string_view query);
  // Move within the history and render; nothing happens at either end.
  void Back();
  void Forward();

  bool CanGoBack() const { return historyPos_ > 0; }
  bool CanGoForward() const { return historyPos_ + 1 < history_.size(); }

  // Writes the page of the requested topic to the page file unless that
  // topic is already shown. Returns whether the page file was rewritten. A
  // failed write raises EXMLIOError naming the file.
  bool Render();

  const std::vector<int>& History() const { return history_; }
  std::size_t HistoryPos() const { return historyPos_; }
  int RequestedTopic() const { return requestedTopic_; }
  // The words the search page of the requested entry looks for.
  const std::string& RequestedQuery() const { return queries_[historyPos_]; }
  std::optional<int> ShownTopic() const { return shownTopic_; }
  // The title of the page on screen.
  const std::string& ShownTitle() const { return shownTitle_; }
  const std::filesystem::path& PageFile() const { return pageFile_; }
  // Counts the writes of the page file, so the window knows when to reload it.
  std::uint64_t PageVersion() const { return pageVersion_; }

 private:
  void MoveTo(std::size_t pos);
  void Push(int topic, std::string_view query);
  const THelpIndex& Index();

  THelpBook* book_;
  std::filesystem::path pageFile_;
  TFileSystem& fs_;
  std::vector<int> history_;
  std::vector<std::string> queries_{std::string()};  // one for each entry of history_
  std::size_t historyPos_ = 0;
  int requestedTopic_ = 0;
  std::optional<int> shownTopic_;
  std::string shownQuery_;
  std::unique_ptr<THelpIndex> index_;
  std::string shownTitle_;
  std::optional<std::string> template_;
  std::uint64_t pageVersion_ = 0;
};

// The help topic of a screen by its class name as Qt reports it
// ("korvela::TFWeighIn") and, for a class that serves several topics, its
// caption; 0 for a screen without one.
int HelpTopicOfScreen(std::string_view className, std::string_view caption = {});

}  // namespace korvela
