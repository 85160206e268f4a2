#include "korvela_data/build_foods_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nutrition/food_catalogue.h"
#include "storage/garbled_stream.h"
#include "storage/xml_node.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

const std::string kHeader = "group\tfood\tprotein\tfat\tcarbohydrate\talcohol\tmeasures\n";

class TBuildFoodsTest : public TToolTest {
 protected:
  TToolRun Build(const std::string& table) {
    WriteBytes(File("foods.tsv"), table);
    return Run({"build-foods", Name("foods.tsv"), Name("foods.dat")});
  }
  std::unique_ptr<XMLNode> Catalogue() { return LoadXMLFile(File("foods.dat"), kDataKey); }
};

TEST_F(TBuildFoodsTest, GroupsBecomeCategoriesInOrderOfFirstAppearance) {
  // The third line returns to the first group; the fourth food has no
  // measure; names keep quotes, commas, semicolons and double blanks.
  const std::string table = kHeader +
                            "Dairy\tButter, salted\t0.85\t81.11\t0.06\t0.0\t"
                            "1|pat (1\" sq, 1/3\" high)|5.0;1|tbsp|14.2\r\n"
                            "Beverages\tBeer; regular\t0.46\t0.00\t3.55\t3.9\t1|fl oz|29.7\n"
                            "Dairy\tMilk  whole\t3.15\t3.25\t4.80\t0\t0.5|cup|122\n"
                            "Spices\t\t10\t0\t0\t0\t\n";
  const TToolRun run = Build(table);
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;

  // Numbers keep the table's own text.
  const std::string expected =
      "<Foods>\r\n"
      "<Cat name=\"Dairy\">\r\n"
      "<Food name=\"Butter, salted\" P=\"0.85\" F=\"81.11\" C=\"0.06\" A=\"0.0\">\r\n"
      "<w mod=\"1\" desc=\"pat (1&quot; sq, 1/3&quot; high)\" gr=\"5.0\">\r\n</w>\r\n"
      "<w mod=\"1\" desc=\"tbsp\" gr=\"14.2\">\r\n</w>\r\n"
      "</Food>\r\n"
      "<Food name=\"Milk  whole\" P=\"3.15\" F=\"3.25\" C=\"4.80\" A=\"0\">\r\n"
      "<w mod=\"0.5\" desc=\"cup\" gr=\"122\">\r\n</w>\r\n"
      "</Food>\r\n"
      "</Cat>\r\n"
      "<Cat name=\"Beverages\">\r\n"
      "<Food name=\"Beer; regular\" P=\"0.46\" F=\"0.00\" C=\"3.55\" A=\"3.9\">\r\n"
      "<w mod=\"1\" desc=\"fl oz\" gr=\"29.7\">\r\n</w>\r\n"
      "</Food>\r\n"
      "</Cat>\r\n"
      "<Cat name=\"Spices\">\r\n"
      "<Food name=\"\" P=\"10\" F=\"0\" C=\"0\" A=\"0\">\r\n</Food>\r\n"
      "</Cat>\r\n"
      "</Foods>\r\n";
  const std::unique_ptr<XMLNode> catalogue = Catalogue();
  ASSERT_TRUE(catalogue);
  EXPECT_EQ(catalogue->ToText(), expected);
}

TEST_F(TBuildFoodsTest, TheProgramLoadsTheBuiltCatalogue) {
  const TToolRun run =
      Build(kHeader + "Fruits\tApples, raw\t0.26\t0.17\t13.81\t0.0\t1|large|223\n");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  TFoodTree tree;
  TUnitDictionary units;
  ASSERT_TRUE(LoadFoodCatalogue(tree, units, folder_.Path(), *MakeSeededRandom(1)));
  ASSERT_EQ(tree.Lists.size(), 3u);
  EXPECT_EQ(tree.Lists[0].Name, "Fruits");
  ASSERT_EQ(tree.Lists[0].Foods.size(), 1u);
  const TFoodItem& apple = *tree.Lists[0].Foods[0];
  EXPECT_EQ(apple.Name, "Apples, raw");
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.C), 13.81);
  ASSERT_FALSE(apple.weights.empty());
  EXPECT_EQ(apple.weights[0].desc, "large");
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.weights[0].gr), 223);
}

TEST_F(TBuildFoodsTest, MalformedLineIsNamedAndLeavesTheCatalogueAsItWas) {
  const struct {
    std::string table;
    int line;
    const char* problem;
  } cases[] = {
      {"group\tfood\tprotein\tfat\tcarbohydrate\talcohol\n", 1, "the header"},
      {"", 1, "the header"},
      {kHeader + "G\tA\t1\t2\t3\t0\n", 2, "6 columns instead of 7"},
      {kHeader + "G\tA\t1\t2\t3\t0\t\t\n", 2, "8 columns instead of 7"},
      {kHeader + "G\tA\t1\t2\t3\t0\t\n\nG\tB\t1\t2\t3\t0\t\n", 3, "1 columns instead of 7"},
      {kHeader + "\tA\t1\t2\t3\t0\t\n", 2, "the group is empty"},
      {kHeader + "G\tA\tone\t2\t3\t0\t\n", 2, "the protein 'one' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t\t3\t0\t\n", 2, "the fat '' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t-3\t0\t\n", 2, "the carbohydrate '-3' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t3\t1e3\t\n", 2, "the alcohol '1e3' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t3\tnan\t\n", 2, "the alcohol 'nan' is not a plain decimal number"},
      {kHeader + "G\tA\t1.2.3\t2\t3\t0\t\n", 2,
       "the protein '1.2.3' is not a plain decimal number"},
      {kHeader + "G\tA\t.5\t2\t3\t0\t\n", 2, "the protein '.5' is not a plain decimal number"},
      {kHeader + "G\tA\t5.\t2\t3\t0\t\n", 2, "the protein '5.' is not a plain decimal number"},
      {kHeader + "G\tA\t 5\t2\t3\t0\t\n", 2, "the protein ' 5' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1|cup\n", 2, "the measure '1|cup' is not mod|desc|gr"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1|cup|5|x\n", 2, "the measure '1|cup|5|x' is not"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1||5\n", 2, "the measure '1||5' is not mod|desc|gr"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1|cup|5;\n", 2, "the measure '' is not mod|desc|gr"},
      {kHeader + "G\tA\t1\t2\t3\t0\tx|cup|5\n", 2,
       "the measure amount 'x' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1|cup|5g\n", 2,
       "the measure weight '5g' is not a plain decimal number"},
      {kHeader + "G\tA\t1\t2\t3\t0\t0|cup|5\n", 2, "an amount or weight of 0"},
      {kHeader + "G\tA\t1\t2\t3\t0\t1|cup|0.0\n", 2, "an amount or weight of 0"},
  };
  ASSERT_EQ(Build(kHeader + "G\tA\t1\t2\t3\t0\t\n").code, kExitSuccess);
  const std::string before = ReadBytes(File("foods.dat"));
  for (const auto& c : cases) {
    const TToolRun run = Build(c.table);
    EXPECT_EQ(run.code, kExitFailure) << c.table;
    const std::string where = Name("foods.tsv") + ":" + std::to_string(c.line) + ": ";
    test::ExpectOneLineNaming(run.err, where);
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(File("foods.dat")), before) << c.table;
  }
}

TEST_F(TBuildFoodsTest, AMissingTableIsNamed) {
  const TToolRun run = Run({"build-foods", Name("absent.tsv"), Name("foods.dat")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("absent.tsv"));
  EXPECT_TRUE(FolderIsEmpty());
}

TEST_F(TBuildFoodsTest, RefusesToBuildOverItsOwnTable) {
  WriteBytes(File("foods.tsv"), kHeader);
  const TToolRun run = Run({"build-foods", Name("foods.tsv"), Name("foods.tsv")});
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_EQ(ReadBytes(File("foods.tsv")), kHeader);
}

}  // namespace
}  // namespace korvela
