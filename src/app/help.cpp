#include "app/help.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <utility>

#include "app/help_search.h"
#include "energy/skinfold.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {
namespace {

// Used when the book lacks its template, so that a page still shows its
// title and body instead of nothing.
constexpr std::string_view kPlainTemplate =
    "<html><head><meta charset=\"utf-8\"><title>___topic</title></head>"
    "<body><h1>___topic</h1>___content</body></html>";

void ReplaceAll(std::string& text, std::string_view marker, std::string_view replacement) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, from)) {
    out.append(text, from, at - from);
    out.append(replacement);
    from = at + marker.size();
  }
  if (from == 0) return;
  out.append(text, from, std::string::npos);
  text = std::move(out);
}

// The screens and their help topics, by the class name Qt reports; an entry
// with a caption applies to the screen of that caption only.
struct TScreenTopic {
  std::string_view className;
  std::string_view caption;
  int topic;
};

const std::array kScreenTopics = {
    TScreenTopic{"korvela::TFMain", {}, kHelpTopicMainWindow},
    TScreenTopic{"korvela::TFLogin", {}, kHelpTopicLogin},
    TScreenTopic{"korvela::TFHelp", {}, kHelpWindowTopic},
    TScreenTopic{"korvela::TFFoodLogForm", {}, 50},
    TScreenTopic{"korvela::TFFoodWeights", {}, 33},
    TScreenTopic{"korvela::TFMealDefinitions", {}, 34},
    TScreenTopic{"korvela::TFLogFood", {}, 37},
    TScreenTopic{"korvela::TFRecipeBook", {}, 35},
    TScreenTopic{"korvela::TFIngredient", {}, 36},
    TScreenTopic{"korvela::TFOpenLog", {}, 38},
    TScreenTopic{"korvela::TFMenuOptions", {}, 39},
    TScreenTopic{"korvela::TFOpenMenu", {}, 39},
    TScreenTopic{"korvela::TFFoodEditor", {}, 41},
    TScreenTopic{"korvela::TFSkinfold", SkinfoldCaption(TSkinfoldMethod::ThreeSite), 65},
    TScreenTopic{"korvela::TFSkinfold", SkinfoldCaption(TSkinfoldMethod::SevenSite), 66},
    TScreenTopic{"korvela::TFWeighIn", {}, 72},
    TScreenTopic{"korvela::TFExpenditure", {}, 60},
    TScreenTopic{"korvela::TFCaloriesBurned", {}, 61},
    TScreenTopic{"korvela::TFBodyMassIndex", {}, 62},
    TScreenTopic{"korvela::TFLeanBodyMass", {}, 63},
    TScreenTopic{"korvela::TFCompareBodies", {}, 64},
    TScreenTopic{"korvela::TFWaistBodyFat", {}, 67},
    TScreenTopic{"korvela::TFActivityLog", {}, 80},
    TScreenTopic{"korvela::TFSportsDictionary", {}, 81},
    TScreenTopic{"korvela::TFSportEditor", {}, 82},
    TScreenTopic{"korvela::TFSelectMET", {}, 105},
    TScreenTopic{"korvela::TFPersonalInfo", {}, 74},
    TScreenTopic{"korvela::TFInternational", {}, 75},
    TScreenTopic{"korvela::TFTrain", {}, 90},
    TScreenTopic{"korvela::TFExercises", {}, 83},
    TScreenTopic{"korvela::TFClassSelector", {}, 83},
    TScreenTopic{"korvela::TFExerciseEditor", {}, 84},
    TScreenTopic{"korvela::TFSelectExercise", {}, 104},
    TScreenTopic{"korvela::TFMaxStrength", {}, 68},
    TScreenTopic{"korvela::TFPRHistory", {}, 85},
    TScreenTopic{"korvela::TFPREditor", {}, 86},
    TScreenTopic{"korvela::TFPrilepin", {}, 100},
    TScreenTopic{"korvela::TFReports", {}, 69},
    TScreenTopic{"korvela::TFGraphs", {}, 71},
    TScreenTopic{"korvela::TFFluctuations", {}, 71},
    TScreenTopic{"korvela::TFTrainingGraphs", {}, 71},
    TScreenTopic{"korvela::TFImportExport", {}, 31},
    TScreenTopic{"korvela::TFDiaryBackup", {}, 208},
    TScreenTopic{"korvela::TFAbout", {}, kHelpMenuTopic},
};

}  // namespace

THelpBook::THelpBook(const std::filesystem::path& file, TRandom& random, TFileSystem& fs)
    : db_(file, kHelpBookKind, random, fs) {}

std::optional<THelpScreen> THelpBook::LoadHelpTopic(int topic) {
  const XMLNode* node = db_.Get(topic, kDataKey, 0);
  if (!node) return std::nullopt;
  return THelpScreen{node->AttrOrEmpty(kHelpTopicAttr), node->AttrOrEmpty(kHelpContentAttr)};
}

std::vector<int> THelpBook::Topics() const {
  std::vector<int> topics;
  for (const XMLHandle& handle : db_.Handles())
    if (handle.Date == 0 && db_.Has(handle.ID, 0)) topics.push_back(handle.ID);
  std::sort(topics.begin(), topics.end());
  topics.erase(std::unique(topics.begin(), topics.end()), topics.end());
  return topics;
}

void THelpBook::PutHelpTopic(int topic, const THelpScreen& screen) {
  auto node = std::make_unique<XMLNode>(kHelpElement);
  node->AddAttr(kHelpTopicAttr, screen.Topic);
  node->AddAttr(kHelpContentAttr, screen.Content);
  db_.Put(std::move(node), topic, kDataKey, 0);
}

std::string ComposeHelpPage(std::string_view pageTemplate, std::string_view title,
                            std::string_view body) {
  std::string page(pageTemplate);
  ReplaceAll(page, kHelpTitleMarker, title);
  ReplaceAll(page, kHelpContentMarker, body);
  return page;
}

std::optional<int> ParseHelpLinkTopic(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  // from_chars takes a minus but not a plus.
  if (text.front() == '+') text.remove_prefix(1);
  int topic = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, topic);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return topic;
}

THelpState::THelpState(THelpBook* book, std::filesystem::path pageFile, TFileSystem& fs)
    : book_(book), pageFile_(std::move(pageFile)), fs_(fs) {}

THelpState::~THelpState() = default;

void THelpState::ShowHelp(int topic) {
  history_.assign(1, topic);
  queries_.assign(1, std::string());
  historyPos_ = 0;
  requestedTopic_ = topic;
}

void THelpState::Push(int topic, std::string_view query) {
  if (history_.empty()) {
    queries_.clear();
  } else {
    history_.resize(historyPos_ + 1);
    queries_.resize(historyPos_ + 1);
  }
  history_.push_back(topic);
  queries_.emplace_back(query);
  MoveTo(history_.size() - 1);
}

void THelpState::OpenTopic(int topic) { Push(topic, {}); }

void THelpState::Search(std::string_view query) { Push(kHelpSearchTopic, query); }

const THelpIndex& THelpState::Index() {
  if (!index_)
    index_ = std::make_unique<THelpIndex>(book_ ? LoadHelpPages(*book_)
                                                : std::vector<THelpTopicEntry>{});
  return *index_;
}

THelpLinkAction THelpState::FollowLink(std::string_view address) {
  const std::size_t hash = address.find('#');
  if (address.size() < 2 || hash == std::string_view::npos) return THelpLinkAction::Navigate;
  const std::optional<int> topic = ParseHelpLinkTopic(address.substr(hash + 1));
  if (!topic) return THelpLinkAction::Ignore;
  Push(*topic, {});
  return THelpLinkAction::Render;
}

void THelpState::Back() {
  if (CanGoBack()) MoveTo(historyPos_ - 1);
}

void THelpState::Forward() {
  if (CanGoForward()) MoveTo(historyPos_ + 1);
}

void THelpState::MoveTo(std::size_t pos) {
  historyPos_ = pos;
  requestedTopic_ = history_[pos];
  Render();
}

bool THelpState::Render() {
  const std::string& query = RequestedQuery();
  if (shownTopic_ == requestedTopic_ && shownQuery_ == query) return false;
  if (!template_ && book_) {
    if (std::optional<THelpScreen> t = book_->LoadHelpTopic(kHelpTemplateTopic))
      template_ = std::move(t->Content);
  }
  std::optional<THelpScreen> screen;
  if (requestedTopic_ == kHelpContentsTopic)
    screen = THelpScreen{kHelpContentsTitle, Index().ContentsBody()};
  else if (requestedTopic_ == kHelpSearchTopic)
    screen = THelpScreen{kHelpSearchTitle, HelpSearchBody(query, Index().Search(query))};
  else if (requestedTopic_ > kHelpTemplateTopic && book_)
    screen = book_->LoadHelpTopic(requestedTopic_);
  if (!screen) screen = THelpScreen{kNoHelpFound, {}};

  // The title is plain text; the body is the page's own HTML.
  const std::string page =
      ComposeHelpPage(template_ ? std::string_view(*template_) : kPlainTemplate,
                      EscapeHelpText(screen->Topic), screen->Content);
  ReplaceFile(fs_, pageFile_,
              [&page](TWritableFile& file) { file.Write(page.data(), page.size()); });
  ++pageVersion_;
  shownTopic_ = requestedTopic_;
  shownQuery_ = query;
  shownTitle_ = std::move(screen->Topic);
  return true;
}

int HelpTopicOfScreen(std::string_view className, std::string_view caption) {
  const auto it = std::find_if(
      kScreenTopics.begin(), kScreenTopics.end(), [className, caption](const TScreenTopic& s) {
        return s.className == className && (s.caption.empty() || s.caption == caption);
      });
  return it == kScreenTopics.end() ? 0 : it->topic;
}

}  // namespace korvela
