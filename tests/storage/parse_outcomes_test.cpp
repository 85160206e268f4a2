// The parser's outcome on every seed of the fuzz corpora, and on every
// one-byte change and every cut of the seeds it accepts, against outcomes
// recorded in parse_outcomes.txt. A change to the parser that accepts, refuses
// or reads any of these inputs differently shows here.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

const std::filesystem::path kCorpus = KORVELA_FUZZ_CORPUS;
const std::filesystem::path kOutcomes = KORVELA_PARSE_OUTCOMES;

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// "refused", or "ok" and the checksum of the tree's text form (which holds
// every name, value, text, child and blob).
std::string Outcome(const std::string& bytes) {
  std::unique_ptr<XMLNode> root;
  try {
    root = XMLNode::Parse(bytes.data(), bytes.size());
  } catch (const EInvalidXMLFile&) {
    return "refused";
  }
  const std::string text = root->ToText();
  char digest[16];
  std::snprintf(digest, sizeof digest, "%08x", Crc32Update(0xFFFFFFFFu, text.data(), text.size()));
  return std::string("ok ") + digest;
}

// One checksum over the outcomes of every cut and every replacement of one
// byte by a character that matters to the grammar.
std::string SweepDigest(const std::string& bytes) {
  static constexpr char kProbes[] = {'<', '>', '/', '"', '\'', '=', ' ', '\n', '&', ';', 'a', '\0'};
  std::uint32_t crc = 0xFFFFFFFFu;
  auto add = [&crc](const std::string& variant) {
    const std::string outcome = Outcome(variant) + "|";
    crc = Crc32Update(crc, outcome.data(), outcome.size());
  };
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    add(bytes.substr(0, i));
    for (const char probe : kProbes) {
      std::string variant = bytes;
      variant[i] = probe;
      add(variant);
    }
  }
  char digest[16];
  std::snprintf(digest, sizeof digest, "%08x", crc);
  return digest;
}

TEST(ParseOutcomes, EveryCorpusSeedAndItsVariantsReadAsRecorded) {
  std::map<std::string, std::string> expected;
  {
    std::ifstream in(kOutcomes);
    ASSERT_TRUE(in) << kOutcomes;
    std::string name, line;
    while (in >> name && std::getline(in >> std::ws, line)) expected[name] = line;
  }
  // The corpora of the storage targets, those the outcomes name; other
  // targets' seeds (packages) are read by their own readers.
  std::set<std::string> folders;
  for (const auto& [name, line] : expected) folders.insert(name.substr(0, name.find('/')));
  std::set<std::filesystem::path> seeds;
  for (const auto& folder : std::filesystem::directory_iterator(kCorpus))
    if (folders.count(folder.path().filename().string()))
      for (const auto& file : std::filesystem::directory_iterator(folder.path()))
        seeds.insert(file.path());
  ASSERT_FALSE(seeds.empty());
  std::size_t accepted = 0;
  for (const auto& seed : seeds) {
    const std::string name =
        seed.parent_path().filename().string() + "/" + seed.filename().string();
    const std::string bytes = ReadBytes(seed);
    std::string outcome = Outcome(bytes);
    if (outcome != "refused") {
      ++accepted;
      outcome += " sweep " + SweepDigest(bytes);
    }
    EXPECT_EQ(outcome, expected[name]) << name;
  }
  EXPECT_GT(accepted, 10u);
}

}  // namespace
}  // namespace korvela
