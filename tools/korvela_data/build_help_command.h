#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/help.h"
#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// A page of the help source that cannot be built into the help book. The
// message names the file ("FILE: what is wrong", "FILE:1: ..." for the
// heading line).
class EHelpSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct THelpPage {
  std::int32_t topic = 0;
  THelpScreen screen;
  std::filesystem::path file;
};

// Reads one page of the help source: UTF-8 text whose first line is
//   <!-- topic NUMBER: TITLE -->
// and whose remaining lines are the topic's body, an HTML fragment (for topic
// 10, the whole page template). A UTF-8 byte order mark and CR LF line ends
// are accepted; the body is kept byte for byte, without its trailing line
// ends. The number is a whole number from 1 to the last record identifier;
// the title must not be empty. A file that cannot be read raises EXMLIOError.
THelpPage ReadHelpPage(const std::filesystem::path& file, TFileSystem& fs);

// Every page of a help source folder: the files whose names end in ".htm",
// in name order. Each topic may be given once, and topic 10, the page
// template, must be there with both of its markers.
std::vector<THelpPage> ReadHelpSource(const std::filesystem::path& folder, TFileSystem& fs);

// Builds the help book `outFile` ("Help.dat") afresh from the pages of
// `folder`: the source is read and checked first, the book is written under
// the temporary name of `outFile` and renamed over it, so `outFile` holds
// either its old content or exactly the pages of the source.
void BuildHelpBook(const std::filesystem::path& folder, const std::filesystem::path& outFile,
                   TRandom& random, TFileSystem& fs);

// build-help DIR OUT
void RunBuildHelpCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
