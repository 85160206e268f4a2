#include "korvela_data/build_help_command.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

#include "korvela_data/arguments.h"
#include "korvela_data/data_files.h"
#include "storage/errors.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeadingStart = "<!--";
constexpr std::string_view kTopicWord = "topic";
constexpr std::string_view kHeadingEnd = "-->";
constexpr std::string_view kPageExtension = ".htm";

[[noreturn]] void Refuse(const std::filesystem::path& file, const std::string& problem) {
  throw EHelpSourceError(file.string() + ": " + problem);
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::int32_t ReadTopicNumber(const std::filesystem::path& file, std::string_view field) {
  std::int32_t number = 0;
  const char* end = field.data() + field.size();
  if (!field.empty() && field.find_first_not_of("0123456789") == std::string_view::npos) {
    const auto [ptr, ec] = std::from_chars(field.data(), end, number);
    if (ec == std::errc() && ptr == end && number >= 1 && number < kIDLimit) return number;
  }
  Refuse(file, "1: '" + std::string(field) + "' is not a topic number (a whole number from 1 to " +
                   std::to_string(kIDLimit - 1) + ")");
}

}  // namespace

THelpPage ReadHelpPage(const std::filesystem::path& file, TFileSystem& fs) {
  const std::string content = ReadWholeFile(file, fs);
  std::string_view rest = content;
  if (rest.starts_with(kByteOrderMark)) rest.remove_prefix(kByteOrderMark.size());

  const std::size_t lineEnd = rest.find('\n');
  std::string_view heading = rest.substr(0, lineEnd);
  if (heading.ends_with('\r')) heading.remove_suffix(1);
  std::string_view body =
      lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);
  while (body.ends_with('\n') || body.ends_with('\r')) body.remove_suffix(1);

  heading = Trimmed(heading);
  if (heading.size() < kHeadingStart.size() + kHeadingEnd.size() ||
      !heading.starts_with(kHeadingStart) || !heading.ends_with(kHeadingEnd))
    Refuse(file, "1: the first line must be '<!-- topic NUMBER: TITLE -->'");
  heading = Trimmed(heading.substr(kHeadingStart.size(),
                                   heading.size() - kHeadingStart.size() - kHeadingEnd.size()));
  if (!heading.starts_with(kTopicWord) || heading.size() == kTopicWord.size() ||
      (heading[kTopicWord.size()] != ' ' && heading[kTopicWord.size()] != '\t'))
    Refuse(file, "1: the first line must be '<!-- topic NUMBER: TITLE -->'");
  heading.remove_prefix(kTopicWord.size());
  const std::size_t colon = heading.find(':');
  if (colon == std::string_view::npos)
    Refuse(file, "1: no ':' between the topic number and the title");

  THelpPage page;
  page.file = file;
  page.topic = ReadTopicNumber(file, Trimmed(heading.substr(0, colon)));
  page.screen.Topic = std::string(Trimmed(heading.substr(colon + 1)));
  if (page.screen.Topic.empty())
    Refuse(file, "1: the title of topic " + std::to_string(page.topic) + " is empty");
  page.screen.Content = std::string(body);
  return page;
}

std::vector<THelpPage> ReadHelpSource(const std::filesystem::path& folder, TFileSystem& fs) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) throw EXMLIOError(folder.string(), "cannot list the folder: " + ec.message());
  for (const auto& entry : it) {
    if (entry.path().filename().string().ends_with(kPageExtension)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());

  std::vector<THelpPage> pages;
  std::map<std::int32_t, std::filesystem::path> given;
  for (const std::filesystem::path& file : files) {
    THelpPage page = ReadHelpPage(file, fs);
    const auto [earlier, added] = given.emplace(page.topic, file);
    if (!added)
      Refuse(file, "topic " + std::to_string(page.topic) + " is already given in " +
                       earlier->second.string());
    pages.push_back(std::move(page));
  }

  const auto pageTemplate = std::find_if(
      pages.begin(), pages.end(), [](const THelpPage& p) { return p.topic == kHelpTemplateTopic; });
  if (pageTemplate == pages.end())
    Refuse(folder, "no page template (a page of topic " + std::to_string(kHelpTemplateTopic) + ")");
  for (const char* marker : {kHelpTitleMarker, kHelpContentMarker}) {
    if (pageTemplate->screen.Content.find(marker) == std::string::npos)
      Refuse(pageTemplate->file, std::string("the page template lacks the marker ") + marker);
  }
  return pages;
}

void BuildHelpBook(const std::filesystem::path& folder, const std::filesystem::path& outFile,
                   TRandom& random, TFileSystem& fs) {
  const std::vector<THelpPage> pages = ReadHelpSource(folder, fs);

  // THelpBook works on the operating system's files, so the book is
  // replaced there too. A build cut short may have left its temporary file;
  // the new book must not start from it.
  TFileSystem& files = PosixFileSystem();
  const std::filesystem::path temp = TemporaryNameFor(outFile);
  files.Remove(temp);
  try {
    THelpBook book(temp, random);
    for (const THelpPage& page : pages) book.PutHelpTopic(page.topic, page.screen);
    book.Close();
    files.Rename(temp, outFile);
  } catch (...) {
    RemoveQuietly(files, TemporaryNameFor(temp));
    RemoveQuietly(files, temp);
    throw;
  }
}

void RunBuildHelpCommand(TCommandArgs args, TToolEnvironment& env) {
  const std::filesystem::path folder(args[0]);
  const std::filesystem::path out(args[1]);
  if (!std::filesystem::is_directory(folder))
    throw EUsageError("DIR must be a folder of help pages: " + folder.string());
  if (out.filename().string().ends_with(kPageExtension) && SameFile(out.parent_path(), folder))
    throw EUsageError("OUT must not be a page of DIR");
  BuildHelpBook(folder, out, env.random, env.fs);
}

}  // namespace korvela
