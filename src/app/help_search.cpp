#include "app/help_search.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <map>

namespace korvela {
namespace {

// The subjects of the contents page in their order, and the topics each
// holds as ranges of topic numbers; a topic belongs to the first range that
// holds it.
constexpr std::array<std::string_view, 9> kSubjects = {
    "Getting started",
    "Questions and answers",
    "Nutrition",
    "Bodyweight, goals and recovery",
    "Sports and activities",
    "Training",
    "Calculators",
    "Graphs, reports and your data",
    kOtherHelpSubject,
};

struct TSubjectRange {
  int first;
  int last;
  std::size_t subject;  // index in kSubjects
};

constexpr TSubjectRange kSubjectRanges[] = {
    {20, 20, 0}, {200, 200, 0}, {209, 209, 0}, {21, 29, 1}, {201, 207, 1}, {33, 59, 2},
    {72, 79, 3}, {80, 82, 4},   {105, 105, 4}, {83, 99, 5}, {101, 104, 5}, {106, 107, 5},
    {60, 68, 6}, {100, 100, 6}, {31, 32, 7},   {69, 71, 7}, {208, 208, 7},
};

std::size_t SubjectIndex(int topic) {
  for (const TSubjectRange& r : kSubjectRanges)
    if (topic >= r.first && topic <= r.last) return r.subject;
  return kSubjects.size() - 1;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out += ' ';
  } else if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The character a reference names, or none (0) for a name not known here.
std::uint32_t NamedCharacter(std::string_view name) {
  static const std::map<std::string_view, std::uint32_t, std::less<>> kNames = {
      {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},
      {"apos", '\''},    {"nbsp", ' '},     {"middot", 0xB7},  {"ndash", 0x2013},
      {"mdash", 0x2014}, {"minus", 0x2212}, {"times", 0xD7},   {"divide", 0xF7},
      {"sup2", 0xB2},    {"sup3", 0xB3},    {"deg", 0xB0},     {"ldquo", 0x201C},
      {"rdquo", 0x201D}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"hellip", 0x2026},
      {"frac12", 0xBD},  {"plusmn", 0xB1},  {"le", 0x2264},    {"ge", 0x2265},
      {"rarr", 0x2192},  {"larr", 0x2190},  {"copy", 0xA9},    {"eacute", 0xE9},
  };
  const auto it = kNames.find(name);
  return it == kNames.end() ? 0 : it->second;
}

// Reads the reference at text[at] == '&'; returns the bytes it took (0 when
// it is no reference, a lone "&").
std::size_t ReadReference(std::string_view text, std::size_t at, std::string& out) {
  const std::size_t semi = text.find(';', at);
  if (semi == std::string_view::npos || semi - at > 12 || semi == at + 1) return 0;
  const std::string_view name = text.substr(at + 1, semi - at - 1);
  std::uint32_t cp = 0;
  if (name.front() == '#') {
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    const auto [ptr, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) cp = 0;
  } else {
    if (std::any_of(name.begin(), name.end(), [](char c) {
          return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
        }))
      return 0;
    cp = NamedCharacter(name);
  }
  AppendUtf8(out, cp);
  return semi - at + 1;
}

// The ">" that ends the tag at html[at] == '<', past quoted attribute
// values; npos when the tag is cut short.
std::size_t TagEnd(std::string_view html, std::size_t at) {
  char quote = 0;
  for (std::size_t i = at + 1; i < html.size(); ++i) {
    const char c = html[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return std::string_view::npos;
}

bool IsBlockTag(std::string_view name) {
  static constexpr std::string_view kBlocks[] = {
      "p",   "br", "li",  "ul",         "ol",    "td",   "th",   "tr",   "table",
      "div", "h1", "h2",  "h3",         "h4",    "h5",   "h6",   "hr",   "dt",
      "dd",  "dl", "pre", "blockquote", "title", "body", "head", "html", "caption"};
  return std::find(std::begin(kBlocks), std::end(kBlocks), name) != std::end(kBlocks);
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

constexpr std::uint32_t kBrokenCharacter = 0x10000;

// The code point at text[at] and its length in bytes; a broken sequence is
// taken as one byte of its own, a letter.
std::uint32_t CodePointAt(std::string_view text, std::size_t at, std::size_t& length) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  length = 1;
  if (lead < 0x80) return lead;
  const std::size_t need = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (need == 0 || at + need >= text.size()) return kBrokenCharacter;
  std::uint32_t cp = lead & (0x3F >> need);
  for (std::size_t i = 1; i <= need; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return kBrokenCharacter;
    cp = (cp << 6) | (byte(at + i) & 0x3F);
  }
  length = need + 1;
  return cp;
}

// Letters and digits make words; among the characters beyond ASCII, the
// punctuation, dashes, quotes and signs of the pages part them.
bool IsWordCharacter(std::uint32_t cp) {
  if (cp < 0x80)
    return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9');
  if (cp >= 0x80 && cp <= 0xBF) return false;      // Latin-1 signs: no-break space, middle dot...
  if (cp == 0xD7 || cp == 0xF7) return false;      // times, divide
  if (cp >= 0x2000 && cp <= 0x2BFF) return false;  // punctuation, arrows, mathematical signs
  if (cp >= 0x3000 && cp <= 0x303F) return false;
  return true;
}

std::string Excerpt(std::string_view text, const std::vector<THelpWord>& words,
                    const std::vector<std::string>& asked) {
  const auto answers = [&asked](const THelpWord& w) {
    return std::any_of(asked.begin(), asked.end(),
                       [&w](const std::string& a) { return HelpWordMatches(a, w.text); });
  };
  constexpr std::size_t kBefore = 70;
  constexpr std::size_t kAfter = 120;
  const auto first = std::find_if(words.begin(), words.end(), answers);
  std::size_t from = 0;
  std::size_t to = std::min(text.size(), kBefore + kAfter);
  if (first != words.end()) {
    from = first->pos > kBefore ? first->pos - kBefore : 0;
    to = std::min(text.size(), first->pos + first->size + kAfter);
  }
  // Whole words only: start at a word, end after one.
  auto begin = std::find_if(words.begin(), words.end(),
                            [from](const THelpWord& w) { return w.pos >= from; });
  if (from == 0) begin = words.begin();
  std::size_t start = from == 0 ? 0 : (begin == words.end() ? text.size() : begin->pos);
  std::size_t end = start;
  for (auto w = begin; w != words.end() && w->pos + w->size <= to; ++w) end = w->pos + w->size;
  if (to == text.size()) end = text.size();
  std::string out;
  if (start > 0) out += "... ";
  std::size_t at = start;
  for (auto w = begin; w != words.end() && w->pos + w->size <= end; ++w) {
    if (w->pos < at) continue;
    out += EscapeHelpText(text.substr(at, w->pos - at));
    const std::string_view shown = text.substr(w->pos, w->size);
    out += answers(*w) ? "<b>" + EscapeHelpText(shown) + "</b>" : EscapeHelpText(shown);
    at = w->pos + w->size;
  }
  if (at < end) out += EscapeHelpText(text.substr(at, end - at));
  if (end < text.size()) out += " ...";
  return out;
}

}  // namespace

std::vector<THelpTopicEntry> LoadHelpPages(THelpBook& book) {
  std::vector<THelpTopicEntry> pages;
  for (const int topic : book.Topics()) {
    if (topic <= kHelpTemplateTopic) continue;
    if (std::optional<THelpScreen> screen = book.LoadHelpTopic(topic))
      pages.push_back({topic, std::move(*screen)});
  }
  return pages;
}

std::string_view HelpSubjectOfTopic(int topic) { return kSubjects[SubjectIndex(topic)]; }

const std::vector<std::string_view>& HelpSubjects() {
  static const std::vector<std::string_view> subjects(kSubjects.begin(), kSubjects.end());
  return subjects;
}

std::string EscapeHelpText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HelpPlainText(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  const auto blank = [&out] {
    if (!out.empty() && out.back() != ' ') out += ' ';
  };
  std::size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      if (html.substr(i, 4) == "<!--") {
        const std::size_t end = html.find("-->", i + 4);
        i = end == std::string_view::npos ? html.size() : end + 3;
        continue;
      }
      const std::size_t close = TagEnd(html, i);
      if (close == std::string_view::npos) break;  // a tag cut short: nothing more to read
      std::string_view tag = html.substr(i + 1, close - i - 1);
      const bool closing = !tag.empty() && tag.front() == '/';
      if (closing) tag.remove_prefix(1);
      const std::string name = LowerAscii(tag.substr(0, tag.find_first_of(" \t\r\n/")));
      i = close + 1;
      // What a style sheet or a script holds is never read.
      if ((name == "style" || name == "script") && !closing && !tag.ends_with('/')) {
        const std::size_t end = LowerAscii(html.substr(i)).find("</" + name);
        i = end == std::string::npos ? html.size() : i + end;
        continue;
      }
      if (IsBlockTag(name)) blank();
      continue;
    }
    if (c == '&') {
      std::string decoded;
      if (const std::size_t taken = ReadReference(html, i, decoded)) {
        i += taken;
        if (decoded == " ")
          blank();
        else
          out += decoded;
        continue;
      }
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank();
    } else {
      out += c;
    }
    ++i;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::vector<THelpWord> HelpWords(std::string_view text) {
  std::vector<THelpWord> words;
  std::size_t i = 0;
  std::size_t start = std::string_view::npos;
  std::string word;
  const auto finish = [&](std::size_t end) {
    if (start == std::string_view::npos) return;
    words.push_back({word, start, end - start});
    word.clear();
    start = std::string_view::npos;
  };
  while (i < text.size()) {
    std::size_t length = 1;
    const std::uint32_t cp = CodePointAt(text, i, length);
    if (!IsWordCharacter(cp)) {
      finish(i);
      i += length;
      continue;
    }
    if (start == std::string_view::npos) start = i;
    if (cp >= 'A' && cp <= 'Z') {
      word += static_cast<char>(cp - 'A' + 'a');
    } else if (length == 2 && cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) {
      AppendUtf8(word, cp + 0x20);  // Latin-1 capitals
    } else {
      word.append(text.substr(i, length));
    }
    i += length;
  }
  finish(text.size());
  return words;
}

bool HelpWordMatches(std::string_view asked, std::string_view word) {
  if (asked.empty()) return false;
  return word == asked || (asked.size() >= 3 && word.starts_with(asked));
}

THelpIndex::THelpIndex(const std::vector<THelpTopicEntry>& pages) {
  pages_.reserve(pages.size());
  for (const THelpTopicEntry& entry : pages) {
    TPage page{entry.topic, entry.screen.Topic, HelpPlainText(entry.screen.Content), {}, {}};
    page.titleWords = HelpWords(page.title);
    page.textWords = HelpWords(page.text);
    pages_.push_back(std::move(page));
  }
}

std::vector<THelpHit> THelpIndex::Search(std::string_view query) const {
  std::vector<std::string> asked;
  for (THelpWord& w : HelpWords(query))
    if (std::find(asked.begin(), asked.end(), w.text) == asked.end())
      asked.push_back(std::move(w.text));
  std::vector<THelpHit> hits;
  if (asked.empty()) return hits;
  const auto answers = [&asked](const THelpWord& w) {
    return std::any_of(asked.begin(), asked.end(),
                       [&w](const std::string& a) { return HelpWordMatches(a, w.text); });
  };
  for (const TPage& page : pages_) {
    const bool holdsAll = std::all_of(asked.begin(), asked.end(), [&page](const std::string& a) {
      const auto found = [&a](const THelpWord& w) { return HelpWordMatches(a, w.text); };
      return std::any_of(page.titleWords.begin(), page.titleWords.end(), found) ||
             std::any_of(page.textWords.begin(), page.textWords.end(), found);
    });
    if (!holdsAll) continue;
    THelpHit hit;
    hit.topic = page.topic;
    hit.title = page.title;
    hit.titleHits =
        static_cast<int>(std::count_if(page.titleWords.begin(), page.titleWords.end(), answers));
    hit.textHits =
        static_cast<int>(std::count_if(page.textWords.begin(), page.textWords.end(), answers));
    hit.excerpt = Excerpt(page.text, page.textWords, asked);
    hits.push_back(std::move(hit));
  }
  std::sort(hits.begin(), hits.end(), [](const THelpHit& a, const THelpHit& b) {
    if (a.titleHits != b.titleHits) return a.titleHits > b.titleHits;
    if (a.textHits != b.textHits) return a.textHits > b.textHits;
    const std::string ta = LowerAscii(a.title);
    const std::string tb = LowerAscii(b.title);
    if (ta != tb) return ta < tb;
    return a.topic < b.topic;
  });
  return hits;
}

std::string THelpIndex::ContentsBody() const {
  std::vector<std::vector<const TPage*>> bySubject(kSubjects.size());
  for (const TPage& page : pages_) bySubject[SubjectIndex(page.topic)].push_back(&page);
  std::string body =
      "<p>Every page of the help by subject. <a href=\"#12\">Search Help</a> finds the pages "
      "that hold the words you look for.</p>\n";
  for (std::size_t s = 0; s < kSubjects.size(); ++s) {
    std::vector<const TPage*>& pages = bySubject[s];
    if (pages.empty()) continue;
    std::sort(pages.begin(), pages.end(),
              [](const TPage* a, const TPage* b) { return a->topic < b->topic; });
    body += "<h2>" + EscapeHelpText(kSubjects[s]) + "</h2>\n<ul>\n";
    for (const TPage* page : pages) {
      const std::string title =
          page->title.empty() ? "Topic " + std::to_string(page->topic) : page->title;
      body += "<li><a href=\"#" + std::to_string(page->topic) + "\">" + EscapeHelpText(title) +
              "</a></li>\n";
    }
    body += "</ul>\n";
  }
  return body;
}

std::string HelpSearchBody(std::string_view query, const std::vector<THelpHit>& hits) {
  const std::string contents = "<a href=\"#11\">contents</a>";
  if (HelpWords(query).empty()) {
    return "<p>Type one or more words in the <b>Search</b> field above and press Enter. The "
           "pages that hold every word are listed best first: pages whose title holds them "
           "come before pages that only mention them.</p>\n"
           "<p>A word of three letters or more also finds the words it starts, so "
           "<b>weig</b> finds weight and weigh-in; a shorter word finds only itself.</p>\n"
           "<p>You can also look through the " +
           contents + " of the help.</p>\n";
  }
  const std::string asked = "&ldquo;" + EscapeHelpText(query) + "&rdquo;";
  if (hits.empty()) {
    return "<p>No page holds every word of " + asked +
           ".</p>\n<p>Try fewer words, or the first letters of a word, or look through the " +
           contents + ".</p>\n";
  }
  std::string body = "<p>" + std::to_string(hits.size()) +
                     (hits.size() == 1 ? " page holds " : " pages hold ") + asked + ":</p>\n<ol>\n";
  for (const THelpHit& hit : hits) {
    body +=
        "<li><a href=\"#" + std::to_string(hit.topic) + "\">" + EscapeHelpText(hit.title) + "</a>";
    if (!hit.excerpt.empty()) body += "<br>" + hit.excerpt;
    body += "</li>\n";
  }
  body += "</ol>\n";
  return body;
}

}  // namespace korvela
