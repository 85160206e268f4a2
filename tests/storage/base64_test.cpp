#include "storage/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace korvela {
namespace {

TEST(Base64, EncodesTheKnownVectorsAndReadsThemBack) {
  // The vectors of RFC 4648, section 10.
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(EncodeBase64(bytes), text) << bytes;
    EXPECT_EQ(DecodeBase64(text), bytes) << text;
  }
}

TEST(Base64, EveryByteValueSurvivesTheRoundTrip) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  for (std::size_t cut = 0; cut < 4; ++cut) {
    const std::string part = bytes.substr(cut);
    EXPECT_EQ(DecodeBase64(EncodeBase64(part)), part) << cut;
  }
}

TEST(Base64, RefusesTextThatIsNotBase64) {
  for (const char* text :
       {"Zg=", "Zg", "Z===", "Zm9v\n", "Zm 9", "Zm9-", "Zh==", "Zm9=Zm9v", "====", "Zm8x=Zm9"}) {
    EXPECT_FALSE(DecodeBase64(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace korvela
