#include "nutrition/unit_dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/random.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

constexpr double kNone = 2147483647;

TEST(UnitDictionary, WithoutTheFileThe23DefaultUnitsComeInOrder) {
  const struct {
    const char* desc;
    double gr;
  } want[] = {
      {"oz", 28.35},          {"kg", 1000},     {"pound(s)", 453},  {"tablespoon(s)", kNone},
      {"teaspoon(s)", kNone}, {"pint", kNone},  {"quart", kNone},   {"gallon", kNone},
      {"liter", 1000},        {"ml", 1},        {"dl", 100},        {"half", kNone},
      {"slice", kNone},       {"piece", kNone}, {"serving", kNone}, {"small", kNone},
      {"medium", kNone},      {"large", kNone}, {"package", kNone}, {"bar", kNone},
      {"bag", kNone},         {"box", kNone},   {"meal", kNone},
  };
  TTempFolder folder;
  const TUnitDictionary units = LoadUnitDictionary(folder.Path());
  ASSERT_EQ(units.size(), 23u);
  for (std::size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(units[i].desc, want[i].desc) << i;
    EXPECT_EQ(units[i].mod, 1) << want[i].desc;
    EXPECT_DOUBLE_EQ(static_cast<double>(units[i].gr), want[i].gr) << want[i].desc;
  }
  // The defaults are not written.
  EXPECT_FALSE(std::filesystem::exists(folder / "FW.DAT"));
}

TEST(UnitDictionary, SavedUnitsAreWrittenWholeAndReadBackInOrder) {
  TTempFolder folder;
  const std::unique_ptr<TRandom> random = MakeSeededRandom(77);
  TUnitDictionary units = LoadUnitDictionary(folder.Path());
  units.erase(units.begin() + 1);
  units.push_back({"mug", 1, 250});
  units.push_back({"handful", 2, 60.5L});
  SaveUnitDictionary(units, folder.Path(), *random);

  const std::unique_ptr<XMLNode> root = LoadXMLFile(folder / "FW.DAT", kDataKey);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Name, "WeightsInformation");
  ASSERT_EQ(root->Children.size(), 24u);
  EXPECT_EQ(root->Children.back()->ToText(),
            "<w mod=\" 2.00000000000000E+0000\" desc=\"handful\" "
            "gr=\" 6.05000000000000E+0001\">\r\n</w>\r\n");
  EXPECT_EQ(root->Children[2]->ToText(),
            "<w mod=\" 1.00000000000000E+0000\" desc=\"tablespoon(s)\" "
            "gr=\" 2.14748364700000E+0009\">\r\n</w>\r\n");

  const TUnitDictionary read = LoadUnitDictionary(folder.Path());
  ASSERT_EQ(read.size(), units.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].desc, units[i].desc) << i;
    EXPECT_DOUBLE_EQ(static_cast<double>(read[i].mod), static_cast<double>(units[i].mod)) << i;
    EXPECT_DOUBLE_EQ(static_cast<double>(read[i].gr), static_cast<double>(units[i].gr)) << i;
  }

  // An empty dictionary stays empty; it does not fall back to the defaults.
  SaveUnitDictionary({}, folder.Path(), *random);
  EXPECT_TRUE(LoadUnitDictionary(folder.Path()).empty());
}

TEST(UnitDictionary, ADamagedFileRaisesATypedErrorNamingTheFile) {
  TTempFolder folder;
  const std::unique_ptr<TRandom> random = MakeSeededRandom(78);
  SaveUnitDictionary({{"mug", 1, 250}}, folder.Path(), *random);
  std::string bytes = ReadBytes(folder / "FW.DAT");
  bytes[bytes.size() / 2] ^= 0x20;
  WriteBytes(folder / "FW.DAT", bytes);
  try {
    (void)LoadUnitDictionary(folder.Path());
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_EQ(e.File(), (folder / "FW.DAT").string());
  }

  XMLNode root("WeightsInformation");
  root.AddChild(std::make_unique<XMLNode>("w")).AddAttr("desc", "mug");
  SaveXMLFile(root, folder / "FW.DAT", kDataKey, *random);
  try {
    (void)LoadUnitDictionary(folder.Path());
    ADD_FAILURE() << "loaded a unit without mod and gr";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_EQ(e.File(), (folder / "FW.DAT").string());
  }
}

}  // namespace
}  // namespace korvela
