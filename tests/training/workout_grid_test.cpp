#include "training/workout_grid.h"

#include <gtest/gtest.h>

#include "support/scripted_prompter.h"
#include "training/weight_rounding.h"
#include "training/workout_columns.h"
#include "training_fixture.h"

namespace korvela {
namespace {

constexpr TDateTime kDay = 39248;  // 15 June 2007

class WorkoutGridTest : public test::TrainingTest {
 protected:
  TDrillSet Line(std::int32_t did, std::int32_t sets = -1, const char* reps = "",
                 const char* weight = "") {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Sets = sets;
    d.Reps = reps;
    d.Weight.Q = weight;
    return d;
  }
  TWorkout Template() {
    TWorkout w;
    w.Name = "Template";
    w.ColMap = TColMap::Default();
    return w;
  }
  TWorkout Log() {
    TWorkout w = Template();
    w.Name = "Log";
    w.Date = kDay;
    return w;
  }
  TWorkoutGrid Grid(TWorkout& w) {
    return TWorkoutGrid({config, dictionary, store.get(), false}, w, w.ColMap);
  }
  // The grid column showing a column identity.
  static std::size_t Col(const TWorkoutGrid& grid, std::uint8_t id) {
    for (std::size_t c = 0; c < grid.ColumnCount(); ++c)
      if (grid.ColumnID(c) == id) return c;
    ADD_FAILURE() << "no column " << int(id);
    return 0;
  }
  void PutRecord(TDateTime day, std::int32_t did, const char* weight, std::int32_t reps) {
    TDrillPR r;
    r.DID = did;
    r.Weight.Q = weight;
    r.Reps = reps;
    r.Date = day;
    TDBC& entry = store->GetOrCreateDayRecord(kPRWrapperKind, day);
    store->Loaded<TPRWrapper>(entry).Records.push_back(r);
    store->SaveDayRecord(entry);
  }
};

TEST_F(WorkoutGridTest, TypedSetsRepsAndTimesAreTakenWithinTheirRanges) {
  TWorkout w = Template();
  w.Lines.push_back(Line(bench, 3, "10", "100"));
  w.Lines.push_back(TWSection{});
  TWorkoutGrid grid = Grid(w);
  const struct {
    std::size_t line;
    std::uint8_t column;
    const char* typed;
    const char* shown;
  } cases[] = {
      {0, kSetsColumn, "3+1", "4"},
      {0, kSetsColumn, "0", "4"},
      {0, kSetsColumn, "101", "4"},
      {0, kSetsColumn, "100", "100"},
      {0, kRepsColumn, "12-2", "10"},
      {0, kRepsColumn, "1001", "10"},
      {0, kRepsColumn, "8+", "10"},
      {0, kRestColumn, "1:30", "01:30"},
      {1, kRepsColumn, "3", "3"},
      {1, kRepsColumn, "1001", "3"},
      {1, kRepsColumn, " ", ""},
      {1, kTimeColumn, "1:02:03", "01:02:03"},
      {1, kTimeColumn, "1:62:03", "01:02:03"},
      {1, kExerciseColumn, "  ", "A New Section"},
      {1, kExerciseColumn, "Pyramid", "Pyramid"},
  };
  for (const auto& c : cases) {
    grid.Commit(c.line, Col(grid, c.column), c.typed);
    EXPECT_EQ(grid.Text(c.line, Col(grid, c.column)), c.shown) << c.typed;
  }
  EXPECT_EQ(std::get<TWSection>(w.Lines[1]).Dur, 3723);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Rest, 90);
}

TEST_F(WorkoutGridTest, TimeTextsOfSectionsAndLines) {
  TWorkout w = Template();
  TWSection s;
  s.Rest = 90;
  w.Lines.push_back(s);
  w.Lines.push_back(Line(plank, 2));
  w.Lines.push_back(Line(bench, 1));
  std::get<TDrillSet>(w.Lines[2]).Rest = 3725;  // the hour is dropped
  TWorkoutGrid grid = Grid(w);
  const std::size_t time = Col(grid, kTimeColumn), rest = Col(grid, kRestColumn);
  EXPECT_EQ(grid.Text(0, time), "");
  EXPECT_EQ(grid.Text(0, rest), "01:30");
  EXPECT_EQ(grid.Text(1, time), "00:00:00");  // editable, not set
  EXPECT_EQ(grid.Text(1, rest), "");
  EXPECT_EQ(grid.Text(2, time), "");  // a weight line has no time
  EXPECT_EQ(grid.Text(2, rest), "02:05");
  EXPECT_TRUE(grid.CommitSeconds(1, time, 45));
  EXPECT_EQ(grid.Text(1, time), "00:00:45");
  EXPECT_EQ(grid.EditSeconds(1, time), 45);
  EXPECT_EQ(grid.EditSeconds(1, rest), 0);
}

TEST_F(WorkoutGridTest, DurationTextsAreRead) {
  const struct {
    const char* text;
    std::optional<std::int32_t> seconds;
  } cases[] = {{"1:02:03", 3723},      {"01:30", 90},
               {" 0:00:00 ", 0},       {"90", std::nullopt},
               {"1:60", std::nullopt}, {"a:10", std::nullopt},
               {"1::2", std::nullopt}, {"1:2:3:4", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseDurationText(c.text), c.seconds) << c.text;
}

TEST_F(WorkoutGridTest, TypingIntoATimePickerMustNameATime) {
  const struct {
    const char* typed;
    std::size_t first;
    bool withHours;
    bool fits;
  } cases[] = {
      {"99:99", 0, false, false}, {"99:99", 0, true, false},  {"01:30", 0, false, true},
      {"1:2", 0, false, true},    {"1:02:03", 0, true, true}, {"24", 0, true, false},
      {"23:59:59", 0, true, true}, {"59", 1, false, true},    {"60", 1, false, false},
      {"7", 0, false, true},      {"73", 0, false, false},    {"01:30:00", 0, false, false},
      {"123", 0, true, true},     {"", 0, false, true},       {"45", 2, true, true},
      {"0130", 0, false, true},   {"013099", 0, true, false}, {"1:3a", 0, false, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TypedTimeFits(c.typed, c.first, c.withHours), c.fits)
        << c.typed << " from section " << c.first;
}

TEST_F(WorkoutGridTest, CellsFollowTheExerciseKind) {
  TWorkout w = Template();
  w.Lines.push_back(Line(bench, 3, "10", "100"));
  std::get<TDrillSet>(w.Lines[0]).Tempo = "3010";
  w.Lines.push_back(Line(pullup, 2, "8"));
  TDrillSet runLine = Line(run, 1);
  runLine.Dist = {5, kKm};
  runLine.Dur = 1500;
  w.Lines.push_back(runLine);
  w.Lines.push_back(Line(row, 1, "5", "80%5RM"));
  std::get<TDrillSet>(w.Lines[3]).Limb = kRightLimb;
  TWorkoutGrid grid = Grid(w);
  const struct {
    std::size_t line;
    std::uint8_t column;
    const char* text;
  } cases[] = {
      {0, kExerciseColumn, "Bench Press"},
      {0, kWeightColumn, "100 kg"},
      {0, kVolumeColumn, "3000 kg"},
      {0, kTUTColumn, "120"},
      {0, kTempoColumn, "3010"},
      {0, kDistanceColumn, ""},
      {0, kPaceColumn, ""},
      {1, kWeightColumn, ""},
      {1, kVolumeColumn, "16 reps"},
      {1, kOneRMColumn, ""},
      {2, kDistanceColumn, "5 km"},
      {2, kPaceColumn, "05:00 per km"},
      {2, kTempoColumn, "12 kph"},
      {2, kTimeColumn, "00:25:00"},
      {2, kVolumeColumn, ""},
      {3, kExerciseColumn, "One-Arm Row (Right)"},
      {3, kWeightColumn, "80%5RM"},
      {3, kOneRMColumn, "71%"},
      {3, kNRMColumn, "80%5RM"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(grid.Text(c.line, Col(grid, c.column)), c.text)
        << "line " << c.line << " column " << int(c.column);
}

TEST_F(WorkoutGridTest, EditableCellsByKind) {
  TWorkout w = Template();
  w.Lines.push_back(TWSection{});
  w.Lines.push_back(Line(bench));
  w.Lines.push_back(Line(pullup));
  w.Lines.push_back(Line(plank));
  w.Lines.push_back(Line(run));
  w.Lines.push_back(Line(jump));
  w.Lines.push_back(Line(-1));
  TWorkoutGrid grid = Grid(w);
  // Columns: exercise, SETS, REPS, WEIGHT, %1RM, %NRM, TEMPO, TUT, VOLUME,
  // PACE, DISTANCE, TIME, REST, NOTES; the last row is below the lines.
  const char* expected[] = {
      "X.R........IEN",  // section
      "XSRW..T.....EN",  // weight
      "XSR...T.....EN",  // reps
      "XS.........IEN",  // time
      "XS........DIEN",  // distance and time
      "XS........D.EN",  // distance
      "X............N",  // empty line
      "X............N",  // below the last line
  };
  const char marks[] = "XSRW1nTUVPDIEN";
  for (std::size_t line = 0; line < 8; ++line) {
    std::string got;
    for (std::size_t c = 0; c < grid.ColumnCount(); ++c)
      got += grid.CanEdit(line, c) ? marks[c] : '.';
    EXPECT_EQ(got, expected[line]) << "line " << line;
  }
}

TEST_F(WorkoutGridTest, ExerciseEditorCompletesFullAndShortNames) {
  TDrill curl;
  curl.Name = "Barbell Curl";
  curl.TDM = TMeasureKind::Weight;
  curl.ShortName = "BC";
  const std::int32_t curlID = dictionary.AddExercise(curl).ID;
  dictionary.SortLive();
  const struct {
    const char* typed;
    const char* text;
    std::size_t prefix;
    std::int32_t did;
    std::uint8_t limb;
  } cases[] = {
      {"b", "Barbell Curl", 1, curlID, kNoLimb},
      {"be", "Bench Press", 2, bench, kNoLimb},
      {"bex", "Bench Press", 2, bench, kNoLimb},  // "x" continues nothing
      {"bc", "BC", 2, curlID, kNoLimb},
      {"one-arm row (r", "One-Arm Row (Right)", 14, row, kRightLimb},
      {"ONE", "One-Arm Row (Left)", 3, row, kLeftLimb},
      {"zz", "", 0, -1, kNoLimb},
  };
  for (const auto& c : cases) {
    const TExerciseMatch m = CompleteExercise(dictionary, c.typed);
    EXPECT_EQ(m.Text, c.text) << c.typed;
    EXPECT_EQ(m.PrefixLength, c.prefix) << c.typed;
    EXPECT_EQ(m.DID, c.did) << c.typed;
    EXPECT_EQ(m.Limb, c.limb) << c.typed;
  }
}

TEST_F(WorkoutGridTest, ExerciseEditorStartsOnTheLeftAndEmptyingResetsTheLine) {
  TWorkout w = Template();
  TDrillSet right = Line(row, 3, "8", "40");
  right.Limb = kRightLimb;
  right.Notes = "slow";
  w.Lines.push_back(right);
  TWorkoutGrid grid = Grid(w);
  const auto start = grid.StartExerciseEdit(0);
  EXPECT_EQ(start.Text, "One-Arm Row (Left)");
  EXPECT_FALSE(start.ReadOnly);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Limb, kLeftLimb);

  EXPECT_TRUE(grid.ApplyExercise(0, -1, kNoLimb));
  const TDrillSet& reset = std::get<TDrillSet>(w.Lines[0]);
  EXPECT_EQ(reset.Sets, -1);
  EXPECT_EQ(reset.Reps, "");
  EXPECT_EQ(reset.Weight.Q, "");
  EXPECT_EQ(reset.Limb, kNoLimb);
  EXPECT_EQ(reset.Notes, "slow");

  // A blank row takes an exercise with one set; no exercise leaves it alone.
  EXPECT_FALSE(grid.ApplyExercise(4, -1, kNoLimb));
  EXPECT_EQ(w.Lines.size(), 1u);
  EXPECT_TRUE(grid.ApplyExercise(4, bench, kNoLimb));
  ASSERT_EQ(w.Lines.size(), 5u);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[4]).Sets, 1);

  dictionary.DeleteExercise(0);  // Bench Press, first by name
  EXPECT_TRUE(grid.StartExerciseEdit(4).ReadOnly);
}

TEST_F(WorkoutGridTest, RowCommands) {
  TWorkout w = Template();
  w.Lines.push_back(Line(bench, 1));
  TWorkoutGrid grid = Grid(w);
  EXPECT_TRUE(grid.DeleteRow(0));
  EXPECT_TRUE(w.Lines.empty());
  EXPECT_FALSE(grid.DeleteRow(0));
  EXPECT_FALSE(grid.InsertEmptyRow(0));

  TWorkoutClipboard clipboard = {Line(pullup, 2)};
  EXPECT_TRUE(grid.Paste(4, clipboard));  // row 5
  ASSERT_EQ(w.Lines.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(std::get<TDrillSet>(w.Lines[i]).IsEmpty());
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[4]).DID, pullup);

  EXPECT_TRUE(grid.InsertSection(2));
  EXPECT_TRUE(grid.IsSection(2));
  EXPECT_EQ(grid.MoveRowUp(2), 1u);
  EXPECT_TRUE(grid.IsSection(1));
  EXPECT_EQ(grid.MoveRowDown(1), 2u);
  EXPECT_TRUE(grid.IsSection(2));
  EXPECT_FALSE(grid.MoveRowUp(0));
  EXPECT_FALSE(grid.MoveRowDown(6));
  EXPECT_TRUE(grid.RepeatRow(5));
  ASSERT_EQ(w.Lines.size(), 7u);
  EXPECT_EQ(w.Lines[5], w.Lines[6]);
  // A move up from the first blank row brings a new empty line along.
  EXPECT_EQ(grid.MoveRowUp(7), 6u);
  EXPECT_EQ(w.Lines.size(), 8u);
}

TEST_F(WorkoutGridTest, CopyingASectionTakesItsExercisesOnly) {
  TWorkout w = Template();
  w.Lines.push_back(TWSection{});
  w.Lines.push_back(Line(bench, 1, "5", "80%1RM"));
  std::get<TDrillSet>(w.Lines[1]).Weight.M = kPounds;
  w.Lines.push_back(Line(pullup, 1));
  w.Lines.push_back(Line(-1));
  w.Lines.push_back(Line(plank, 1));
  w.Lines.push_back(Line(-1));
  TWorkoutGrid grid = Grid(w);
  TWorkoutClipboard clipboard;
  EXPECT_TRUE(grid.CopyRow(0, clipboard));
  ASSERT_EQ(clipboard.size(), 3u);
  // A weight of repetition maxima takes the user's (metric) unit.
  EXPECT_EQ(std::get<TDrillSet>(clipboard[1]).Weight.M, kKilograms);
  EXPECT_FALSE(grid.CopyRow(9, clipboard));
  EXPECT_EQ(clipboard.size(), 3u);

  grid.CopyWorkout(clipboard);
  EXPECT_EQ(w.Lines.size(), 5u);  // the trailing empty line went
  EXPECT_EQ(clipboard.size(), 5u);
}

TEST_F(WorkoutGridTest, PastingIntoALogStoresTheWeightARecordGives) {
  PutRecord(kDay - 3, bench, "100", 5);
  TWorkout w = Log();
  TWorkoutGrid grid = Grid(w);
  grid.Paste(0, {Line(bench, 3, "5", "80%1RM"), Line(pullup, 1, "5", "")});
  // 80 % of the 1RM 100 / 0.8888.
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Weight.Q, "90.009");
  EXPECT_EQ(grid.Text(0, Col(grid, kOneRMColumn)), "80%");

  TWorkout t = Template();
  t.Lines.push_back(Line(bench, 3, "5", "80%1RM"));
  TWorkoutGrid target = Grid(w);
  target.ReplaceLines(t);
  ASSERT_EQ(w.Lines.size(), 1u);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Weight.Q, "90.009");
}

TEST_F(WorkoutGridTest, LogRepsOfARepsExerciseFollowTheRecord) {
  PutRecord(kDay - 1, pullup, "0", 20);
  TWorkout w = Log();
  w.Lines.push_back(Line(pullup, 1, "10"));
  TWorkoutGrid grid = Grid(w);
  const std::size_t reps = Col(grid, kRepsColumn);
  EXPECT_TRUE(grid.Commit(0, reps, " 80% "));
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Reps, "80%");
  EXPECT_EQ(grid.Text(0, reps), "16");
  EXPECT_EQ(grid.EditText(0, reps), "80%");

  TWorkout t = Template();
  t.Lines.push_back(Line(pullup, 1, "10"));
  TWorkoutGrid tgrid = Grid(t);
  EXPECT_TRUE(tgrid.Commit(0, reps, "80%MR"));
  EXPECT_EQ(std::get<TDrillSet>(t.Lines[0]).Reps, "80%MR");
  EXPECT_TRUE(tgrid.Commit(0, reps, "6+6"));
  EXPECT_EQ(std::get<TDrillSet>(t.Lines[0]).Reps, "12");
}

TEST_F(WorkoutGridTest, WeightRounding) {
  const struct {
    Extended v, minimal, step, want;
  } cases[] = {
      {101, 20, 2.5L, 100},       {101.25L, 20, 2.5L, 102.5L}, {15, 20, 2.5L, 20},
      {102.5L, 20, 2.5L, 102.5L}, {100, 44, 5.5L, 99},         {0.36L, 0, 0.1L, 0.4L},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(static_cast<double>(RoundWeight(c.v, c.minimal, c.step)),
                static_cast<double>(c.want), 1e-9)
        << static_cast<double>(c.v);
}

TEST_F(WorkoutGridTest, RoundingWorkoutLinesInTheirUnits) {
  TWorkout w = Template();
  w.Lines.push_back(Line(bench, 1, "5", "101"));
  w.Lines.push_back(Line(bench, 1, "5", "100"));
  std::get<TDrillSet>(w.Lines[1]).Weight.M = kPounds;
  w.Lines.push_back(Line(bench, 1, "5", "80%1RM"));  // not absolute
  w.Lines.push_back(Line(pullup, 1, "5", "33"));     // not a weight exercise
  TRoundWeights r = DefaultRounding(config);
  EXPECT_EQ(RoundWorkoutWeights(config, dictionary, w, r, 0), 2u);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Weight.Q, "100");
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[1]).Weight.Q, "99");  // 44 + 10 x 5.5 lbs
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[2]).Weight.Q, "80%1RM");
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[3]).Weight.Q, "33");

  std::get<TDrillSet>(w.Lines[0]).Weight.Q = "101.25";
  std::get<TDrillSet>(w.Lines[1]).Weight.Q = "101.25";
  r.AllRows = false;
  EXPECT_EQ(RoundWorkoutWeights(config, dictionary, w, r, 1), 1u);
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[0]).Weight.Q, "101.25");
  EXPECT_EQ(std::get<TDrillSet>(w.Lines[1]).Weight.Q, "99");
}

TEST_F(WorkoutGridTest, RoundingInputIsChecked) {
  const struct {
    const char *minimal, *step, *message;
  } cases[] = {{"20", "2.5", ""},
               {"0", "1", ""},
               {"-1", "1", kMsgBadMinimalWeight},
               {"x", "1", kMsgBadMinimalWeight},
               {"20", "0", kMsgBadIncrement},
               {"20", "", kMsgBadIncrement}};
  for (const auto& c : cases) {
    const TRoundingInput in = ReadRoundingInput(config, c.minimal, c.step, kKilograms, true);
    EXPECT_EQ(in.message, c.message) << c.minimal << " " << c.step;
    EXPECT_EQ(in.rounding.has_value(), *c.message == 0);
  }
}

TEST_F(WorkoutGridTest, UserColumnsNeverOverfillTheMap) {
  TColMap map = TColMap::Default();
  for (int i = 0; i < 16; ++i)
    map.Cols[14 + i] = {0, kUserColumnID, "old " + std::to_string(i), 40};
  map.Count = 30;
  std::vector<TUserColumn> columns = {{20, "Old 3", 40}, {21, "RPE", 30}};
  // "old 3" is there under another letter case; "RPE" takes a vanished slot.
  EXPECT_TRUE(SyncUserColumns(map, columns).empty());
  EXPECT_EQ(map.Count, 16);
  EXPECT_EQ(map.Cols[14].UDCNAME, "old 3");
  EXPECT_EQ(map.Cols[15].UDCNAME, "RPE");
  EXPECT_EQ(map.Cols[16].COLID, kUndefinedColumnID);

  // Full of existing columns: refused, and the map still reads back.
  for (int i = 16; i < 30; ++i) map.Cols[i] = {0, kUserColumnID, "c" + std::to_string(i), 40};
  map.Count = 30;
  columns.clear();
  for (int i = 14; i < 30; ++i)
    columns.push_back({i + 20, i == 14 ? "old 3" : i == 15 ? "RPE" : "c" + std::to_string(i), 1});
  columns.push_back({99, "Mood", 40});
  EXPECT_EQ(SyncUserColumns(map, columns), std::vector<std::string>{"Mood"});
  EXPECT_EQ(map.Count, 30);
  EXPECT_EQ(ReadColMap(*WriteColMap(map)), map);
}

TEST_F(WorkoutGridTest, ColumnsMoveHideAndKeepTheirWidths) {
  TColMap map = TColMap::Default();
  MoveColumn(map, 13, 1);  // NOTES after the exercise
  EXPECT_EQ(map.Cols[1].COLID, kNotesColumn);
  EXPECT_EQ(map.Cols[2].COLID, kSetsColumn);
  MoveColumn(map, 1, 13);
  EXPECT_EQ(map, TColMap::Default());

  THideShowColumns dialog(map);
  dialog.Hide({1, 4, 5});
  EXPECT_EQ(dialog.Hidden(), (std::vector<std::size_t>{1, 4, 5}));
  dialog.Show({4});
  EXPECT_EQ(dialog.Hidden(), (std::vector<std::size_t>{1, 5}));
  EXPECT_EQ(dialog.Title(5), "%NRM");
  map = dialog.Result();
  std::vector<std::int32_t> widths(12, 77);
  StoreColumnWidths(map, widths);
  EXPECT_EQ(map.Cols[1].WIDTH, 32);  // hidden, kept
  EXPECT_EQ(map.Cols[2].WIDTH, 77);

  TWorkout w = Template();
  w.Lines.push_back(Line(bench, 3));
  TWorkoutGrid grid(TWorkoutGrid::TContext{config, dictionary, nullptr, false}, w, map);
  EXPECT_EQ(grid.ColumnCount(), 12u);
  EXPECT_EQ(grid.Title(1), "REPS");
}

TEST_F(WorkoutGridTest, UserColumnsEditor) {
  test::TScriptedPrompter prompter;
  {
    TUserColumnsEditor editor(*store, *random, prompter);
    for (std::size_t i = 0; i < kMaxUserColumns; ++i) ASSERT_TRUE(editor.Add());
    EXPECT_FALSE(editor.CanAdd());
    EXPECT_FALSE(editor.Add());
    editor.Rename(0, "RPE");
    editor.Rename(1, "   ");  // reverts
    prompter.Plan(TAnswer::No);
    EXPECT_FALSE(editor.Delete(2));
    for (int i = 0; i < 8; ++i) {
      prompter.Plan(TAnswer::Yes);
      EXPECT_TRUE(editor.Delete(2));
    }
    editor.Save();
  }
  Reopen();
  std::vector<TUserColumn> stored = ListUserColumns(*store);
  ASSERT_EQ(stored.size(), 2u);
  std::sort(stored.begin(), stored.end(),
            [](const TUserColumn& a, const TUserColumn& b) { return a.Name > b.Name; });
  EXPECT_EQ(stored[0].Name, "RPE");
  EXPECT_EQ(stored[0].Width, 30);
  EXPECT_EQ(stored[1].Name, kNewUserColumnName);
  EXPECT_NE(stored[0].Key, stored[1].Key);

  // A rename keeps the key.
  TUserColumnsEditor editor(*store, *random, prompter);
  const std::int32_t key = editor.Columns()[0].Key;
  editor.Rename(0, "Mood");
  editor.Save();
  Reopen();
  const auto again = ListUserColumns(*store);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_TRUE(std::any_of(again.begin(), again.end(), [&](const TUserColumn& c) {
    return c.Key == key && c.Name == "Mood" && c.Width == 40;
  }));
}

}  // namespace
}  // namespace korvela
