#include <gtest/gtest.h>

#include "storage/errors.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

TEST(NormalizeFraction, TrimsFoldsSpacesAndClosesTheFirstSlash) {
  EXPECT_EQ(NormalizeFraction("  1   1 / 2  "), "1 1/2");
  EXPECT_EQ(NormalizeFraction("3 /  4 / 5"), "3/4 / 5");
  EXPECT_EQ(NormalizeFraction("\t2\r\n"), "2");
  EXPECT_EQ(NormalizeFraction(""), "");
}

TEST(ParseFraction, NumbersFractionsAndMixedNumbers) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"2", 2},           {"1/2", 0.5}, {" 1 / 2 ", 0.5}, {"1 1/2", 1.5},
      {"1  1 /  2", 1.5}, {"2,5", 2.5}, {"0.5/2", 0.25},  {"-3", -3},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseFraction(c.text, ','), c.value) << c.text;
}

TEST(ParseFraction, RejectsOtherShapes) {
  for (const char* bad :
       {"", "1/0", "1 2", "1 1/2/3", "1/2/3", "a", "1/", "/2", "1 /2 3", "1 1 1", "1 1/0", "1 1/x"})
    EXPECT_THROW(ParseFraction(bad, '.'), EConvertError) << bad;
}

TEST(ParseFraction, TakesNumbersWrittenOutNotInExponentForm) {
  // ParseNumber reads "1e30" (stored texts use the form); a typed quantity
  // is digits with at most one decimal character.
  for (const char* bad :
       {"1e30", "1E5", "2.5e-1", "1 1e2/3", "1/2e1", "0x10", "1,5,", "+-1", ".", "inf"})
    EXPECT_THROW(ParseFraction(bad, ','), EConvertError) << bad;
  EXPECT_DOUBLE_EQ(ParseFraction("12345.", ','), 12345);
  EXPECT_DOUBLE_EQ(ParseFraction(",25", ','), 0.25);
  EXPECT_DOUBLE_EQ(ParseFraction("+2 3/4", ','), 2.75);
}

TEST(FindWordStart, SkipsOccurrencesInsideWords) {
  const struct {
    const char* word;
    const char* text;
    std::size_t position;
  } cases[] = {
      {"SALT", "UNSALTED SALT", 10}, {"SALT", "SALT", 1},      {"SALT", "UNSALTED", 0},
      {"SALT", "(SALT)", 2},         {"SALT", "NO-SALT", 4},   {"salt", "SALT", 0},
      {"AB", "XAB XAB AB", 9},       {"SALT", "SALT2SALT", 1}, {"OIL", "BOIL, OIL", 7},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindWordStart(c.word, c.text), c.position) << c.word << " in " << c.text;
}

TEST(SameTextIgnoringCase, OnlyLettersIgnoreTheirCase) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {{"PS12007.dat", "ps12007.DAT", true},
               {"True", "tRUE", true},
               {"Oats", "Oat", false},
               {"@", "`", false},
               {"[", "{", false},
               {"", "", true}};
  for (const auto& c : cases)
    EXPECT_EQ(SameTextIgnoringCase(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(SignedText, PlusOnlyForNonZeroPositiveNumbers) {
  EXPECT_EQ(SignedText("5"), "+5");
  EXPECT_EQ(SignedText("0"), "0");
  EXPECT_EQ(SignedText(""), "");
  EXPECT_EQ(SignedText("-3"), "-3");
  EXPECT_EQ(SignedText("0.5"), "+0.5");
}

TEST(Ellipsize, ShortensLongTextsOnCharacterBoundaries) {
  EXPECT_EQ(Ellipsize("Oatmeal", 7), "Oatmeal");
  EXPECT_EQ(Ellipsize("Oatmeal cookies", 10), "Oatmeal...");
  EXPECT_EQ(Ellipsize("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                      "e",
                      8),
            "Cr\xC3\xA8me...");
  EXPECT_EQ(Ellipsize("Cr\xC3\xA8me", 5), "Cr\xC3\xA8me");
}

}  // namespace
}  // namespace korvela
