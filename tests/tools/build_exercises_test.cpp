#include "korvela_data/build_exercises_command.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/random.h"
#include "tool_test.h"
#include "training/exercise_dictionary.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

const std::string kHeader =
    "name\tshort_name\ttarget_muscles\tequipment\tmovement_type\tmeasure\tunilateral\t"
    "instructions\timage\n";

class TBuildExercisesTest : public TToolTest {
 protected:
  TToolRun Build(const std::string& table, const std::string& instructions = "") {
    WriteBytes(File("ex.tsv"), table);
    WriteBytes(File("in.tsv"), instructions);
    return Run({"build-exercises", Name("ex.tsv"), Name("in.tsv"), Name("GDDB.DAT")});
  }
  std::unique_ptr<TExerciseDictionary> Loaded() {
    auto d = std::make_unique<TExerciseDictionary>(folder_.Path(), *random_);
    d->Load();
    return d;
  }
};

TEST_F(TBuildExercisesTest, RowsBecomeExercisesWithClassificationsAndOurInstructions) {
  const TToolRun run = Build(kHeader +
                                 "Pullups\t\tLats, Biceps\tBody Only\tPull, Compound\treps\t0\t\t\n"
                                 "Barbell Squat\tSquat\tQuadriceps, Glutes\tBarbell\tPush, "
                                 "Compound\tweight\t0\t\t\n"
                                 "Side Bridge\t\tAbdominals\t\tStatic\ttime\t1\t\t\r\n",
                             "# comment\n\nBarbell Squat\tBar on the back. | Sit down.\n");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  TExerciseDictionary d(folder_.Path(), *random_);
  d.Load();
  ASSERT_EQ(d.Live().size(), 3u);
  const TDrill& squat = *d.Live()[0];
  EXPECT_EQ(squat.Name, "Barbell Squat");
  EXPECT_EQ(squat.ShortName, "Squat");
  EXPECT_EQ(squat.TDM, TMeasureKind::Weight);
  EXPECT_EQ(squat.Instructions, "Bar on the back.\r\nSit down.");
  EXPECT_GE(squat.ID, 21);
  EXPECT_EQ(d.Live()[2]->TDM, TMeasureKind::Time);
  EXPECT_TRUE(d.Live()[2]->Unilateral());
  EXPECT_EQ(d.FindClass(11)->SubClasses,
            (std::vector<std::string>{"Abdominals", "Biceps", "Glutes", "Lats", "Quadriceps"}));
  EXPECT_EQ(d.FindClass(12)->SubClasses,
            (std::vector<std::string>{"Compound", "Pull", "Push", "Static"}));
  EXPECT_EQ(d.FindClass(13)->SubClasses, (std::vector<std::string>{"Barbell", "Body Only"}));
  EXPECT_EQ(d.FindClass(14)->Name, "User Defined #1");

  // Identifiers follow the names: a row added in front moves none of them.
  const std::int32_t squatID = squat.ID;
  ASSERT_EQ(Build(kHeader + "Air Bike\t\t\t\t\treps\t0\t\t\n"
                            "Barbell Squat\t\t\t\t\tweight\t0\t\t\n")
                .code,
            kExitSuccess);
  EXPECT_EQ(Loaded()->Live()[1]->ID, squatID);
}

TEST_F(TBuildExercisesTest, AMalformedLineStopsTheBuildAndKeepsTheOldFile) {
  ASSERT_EQ(Build(kHeader + "Row\t\t\t\t\tweight\t0\t\t\n").code, kExitSuccess);
  const std::string before = ReadBytes(File("GDDB.DAT"));
  const struct {
    std::string table;
    std::string instructions;
    std::string problem;
  } cases[] = {
      {"name\tshort\n", "", ":1: the header"},
      {kHeader + "Row\t\t\t\t\tlifting\t0\t\t\n", "", ":2: the measure 'lifting'"},
      {kHeader + "Row\t\t\t\t\treps\t2\t\t\n", "", ":2: unilateral is '2'"},
      {kHeader + "Row\t\t\t\t\treps\t0\t\n", "", ":2: 8 columns"},
      {kHeader + "Row\t\t\t\t\treps\t0\t\t\nROW\t\t\t\t\treps\t0\t\t\n", "", ":3: the name"},
      {kHeader + "Row\t\t\t\t\treps\t0\t\t\n", "Squat\tGo down.\n", "in.tsv:1: no exercise"},
      {kHeader + "Row\t\t\t\t\treps\t0\t\t\n", "#\nRow Go down.\n", "in.tsv:2: not NAME"},
  };
  for (const auto& c : cases) {
    const TToolRun run = Build(c.table, c.instructions);
    EXPECT_EQ(run.code, kExitFailure) << c.problem;
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(File("GDDB.DAT")), before) << c.problem;
  }
}

TEST_F(TBuildExercisesTest, TheShippedTableBuildsWithInstructionsForSixtyExercises) {
  const TToolRun run = Run({"build-exercises", KORVELA_SHIPPED_EXERCISES,
                            KORVELA_SHIPPED_INSTRUCTIONS, Name("GDDB.DAT")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  const auto loaded = Loaded();
  const TExerciseDictionary& d = *loaded;
  EXPECT_EQ(d.Live().size(), 873u);
  std::size_t withInstructions = 0;
  for (const auto& drill : d.Live()) withInstructions += !drill->Instructions.empty();
  EXPECT_EQ(withInstructions, 60u);
  EXPECT_EQ(d.FindClass(11)->SubClasses.size(), 17u);
  for (const auto& drill : d.Live()) EXPECT_FALSE(d.IsDuplicate(drill->Name, drill->ID));
}

}  // namespace
}  // namespace korvela
