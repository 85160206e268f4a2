#include "users/access_keys.h"

#include <gtest/gtest.h>

namespace korvela {
namespace {

TEST(AccessKeys, EveryCaptionGetsAKeyNoOtherHas) {
  struct TCase {
    std::vector<std::string> captions;
    std::vector<std::string> keyed;
  };
  const TCase cases[] = {
      // Given keys stay; the others take word starts first.
      {{"&Save", "Save As", "Cancel", "Help"}, {"&Save", "Save &As", "&Cancel", "&Help"}},
      // A key taken earlier is moved.
      {{"&Open", "&Options"}, {"&Open", "O&ptions"}},
      // Case does not make two keys different.
      {{"&log", "&Log"}, {"&log", "L&og"}},
      // Plain ampersands show; "&&" stays one.
      {{"Fish & chips", "Salt && pepper"}, {"&Fish && chips", "&Salt && pepper"}},
      // Digits count; empty captions stay; a given key wins over a caption
      // without one, which is left without when nothing else is free.
      {{"", "1", "&1", "!!"}, {"", "1", "&1", "!!"}},
      {{"[File]", "[Nutrition]"}, {"[&File]", "[&Nutrition]"}},
      // As many as can get one do, even when that moves an earlier choice.
      {{"ab", "a"}, {"a&b", "&a"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(WithAccessKeys(c.captions), c.keyed);
}

TEST(AccessKeys, TheKeyOfACaption) {
  EXPECT_EQ(AccessKeyOf("Save &As"), 'a');
  EXPECT_EQ(AccessKeyOf("Salt && pepper"), 0);
  EXPECT_EQ(AccessKeyOf("Salt && &Pepper"), 'p');
  EXPECT_EQ(AccessKeyOf("Fish & chips"), 0);
  EXPECT_EQ(AccessKeyOf("End&"), 0);
}

}  // namespace
}  // namespace korvela
