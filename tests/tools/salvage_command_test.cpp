#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "nutrition/day_plan.h"
#include "nutrition/food_log_store.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/menus.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "tool_test.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TToolRun;
using test::WriteBytes;

class TSalvageCommandTest : public test::TToolTest {
 protected:
  TSalvageCommandTest() {
    fs::create_directories(User());
    XMLDB menus(Data() / "FM.DAT", kMenusKind, *random_);
    XMLDB logs(User() / "FDBC.DAT", kFoodLogKind, *random_);
    for (int i = 0; i < 3; ++i) {
      TDaysMeals menu = NewDayPlan(0, DefaultMealDefinitions());
      menu.MenuName = "Menu " + std::to_string(i);
      menus.Put(WriteFoodLogElement(menu), 100 + i, kDataKey, 0);
      const TDateTime day = 39240 + i;
      logs.Put(WriteFoodLogElement(NewDayPlan(day, DefaultMealDefinitions())), kFoodLogID, kDataKey,
               day);
    }
    menus.Close();
    logs.Close();
  }
  fs::path Data() const { return File("data"); }
  fs::path User() const { return Data() / "usr7"; }
};

TEST_F(TSalvageCommandTest, ADamagedFileKeepsItsReadableRecordsAndTheExitIsOne) {
  std::string bytes = ReadBytes(User() / "FDBC.DAT");
  bytes[bytes.size() - 5] ^= 0x01;  // inside the last log
  WriteBytes(User() / "FDBC.DAT", bytes);

  const TToolRun run = Run({"salvage", Data().string(), "usr7"});
  EXPECT_EQ(run.code, kExitFailure) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_EQ(run.out, (Data() / "FM.DAT").string() + ": sound, 3 records\n" +
                         (User() / "FDBC.DAT").string() +
                         ": kept 2 records, 1 could not be read; the damaged file is kept as "
                         "FDBC.DAT.damaged\n");
  EXPECT_EQ(ReadBytes(User() / "FDBC.DAT.damaged"), bytes);
  XMLDB logs(User() / "FDBC.DAT", kFoodLogKind, *random_);
  EXPECT_TRUE(logs.Has(kFoodLogID, 39240));
  EXPECT_TRUE(logs.Has(kFoodLogID, 39241));
  EXPECT_FALSE(logs.Has(kFoodLogID, 39242));

  // Salvaged, the folder is sound: nothing more is set aside.
  const TToolRun again = Run({"salvage", Data().string(), (User()).string()});
  EXPECT_EQ(again.code, kExitSuccess) << again.err;
  EXPECT_EQ(again.out, (Data() / "FM.DAT").string() + ": sound, 3 records\n" +
                           (User() / "FDBC.DAT").string() + ": sound, 2 records\n");
  EXPECT_FALSE(fs::exists(User() / "FDBC.DAT.2.damaged"));
}

TEST_F(TSalvageCommandTest, AFileThatIsNoDatabaseIsSetAsideWhole) {
  WriteBytes(Data() / "FM.DAT", "not a database");
  const TToolRun run = Run({"salvage", Data().string()});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_EQ(run.out, (Data() / "FM.DAT").string() +
                         ": no record could be read (not a record database); the damaged file is "
                         "kept as FM.DAT.damaged\n");
  EXPECT_EQ(ReadBytes(Data() / "FM.DAT.damaged"), "not a database");
  EXPECT_TRUE(XMLDB(Data() / "FM.DAT", kMenusKind, *random_).Handles().empty());
}

TEST_F(TSalvageCommandTest, UsageAndMissingFolders) {
  EXPECT_EQ(Run({"salvage"}).code, kExitUsage);
  EXPECT_EQ(Run({"salvage", "a", "b", "c"}).code, kExitUsage);
  const TToolRun missing = Run({"salvage", Data().string(), "usr9"});
  EXPECT_EQ(missing.code, kExitFailure);
  test::ExpectOneLineNaming(missing.err, (Data() / "usr9").string());
  EXPECT_TRUE(missing.out.empty());
}

}  // namespace
}  // namespace korvela
