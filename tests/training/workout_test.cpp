#include <gtest/gtest.h>

#include <cstring>

#include "storage/errors.h"

#include "storage/date_time.h"
#include "storage/garbled_stream.h"
#include "training/workout_templates.h"
#include "training_fixture.h"

namespace korvela {
namespace {

class WorkoutTest : public test::TrainingTest {
 protected:
  TDrillSet Set(std::int32_t did) {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Sets = 3;
    d.Reps = "10";
    d.Weight.Q = "60";
    d.Tempo = "3010";
    d.Dist.Q = 400;
    d.Dur = 90;
    d.Rest = 120;
    return d;
  }

  TWorkout Full() {
    TWorkout w;
    w.Name = "Push & <pull>";
    w.Date = EncodeDate(2003, 9, 6);
    w.TOD = 0.75;
    w.MET = 6;
    w.METStr = "Weightlifting, vigorous - 6";
    w.Dur = 75;
    w.Notes = "two\r\nlines";
    w.ColMap = TColMap::Default();
    w.ColMap.Cols[13].HIDDEN = 1;
    TWSection section;
    section.Name = "Warm-up";
    section.Reps = 2;
    section.Rest = 60;
    SetColumnValue(section.Values, "RPE", "7");
    w.Lines.emplace_back(section);
    TDrillSet set = Set(bench);
    set.Limb = kNoLimb;
    set.Notes = "easy";
    SetColumnValue(set.Values, "Grip", "wide");
    w.Lines.emplace_back(set);
    w.Lines.emplace_back(NewSetLine(config));
    w.Lines.emplace_back(Set(pullup));
    return w;
  }
};

TEST_F(WorkoutTest, ElementFormRoundTripsAndOmitsWhatIsNotSet) {
  const TWorkout w = Full();
  const auto node = WriteWorkout(w);
  EXPECT_EQ(ReadWorkout(*node, config), w);
  EXPECT_EQ(node->Children[0]->Name, "SCOLMAP");
  EXPECT_EQ(node->Children[1]->Name, "WSets");
  EXPECT_EQ(node->Children[1]->Children[0]->Name, "WSec");
  EXPECT_EQ(node->Children[1]->Children[1]->Name, "DSet");

  TWorkout bare;
  bare.Name = "Template";
  const auto bareNode = WriteWorkout(bare);
  EXPECT_EQ(bareNode->Attributes.size(), 1u);
  EXPECT_EQ(bareNode->Children.size(), 1u) << "no WSets without lines";
  const auto again = WriteWorkout(Full());
  const XMLNode& emptySet = *again->Children[1]->Children[2];
  EXPECT_EQ(emptySet.Attributes.size(), 1u) << "only Limb";
  EXPECT_TRUE(emptySet.FindChild("WeightWrap") && emptySet.FindChild("DistWrap"));
}

TEST_F(WorkoutTest, ReaderRequiresColumnMapLimbAndQuantities) {
  const auto withoutPart = [&](auto remove) {
    auto node = WriteWorkout(Full());
    remove(*node);
    return node;
  };
  const auto firstSet = [](XMLNode& w) -> XMLNode& { return *w.FindChild("WSets")->Children[1]; };
  const auto eraseChild = [](XMLNode& n, std::string_view name) {
    std::erase_if(n.Children, [name](const auto& c) { return c->Name == name; });
  };
  const std::unique_ptr<XMLNode> broken[] = {
      withoutPart([&](XMLNode& w) { eraseChild(w, "SCOLMAP"); }),
      withoutPart([&](XMLNode& w) {
        std::erase_if(firstSet(w).Attributes, [](const XMLAttr& a) { return a.Name == "Limb"; });
      }),
      withoutPart([&](XMLNode& w) { eraseChild(firstSet(w), "WeightWrap"); }),
      withoutPart([&](XMLNode& w) { eraseChild(firstSet(w), "DistWrap"); }),
  };
  for (const auto& node : broken) EXPECT_THROW(ReadWorkout(*node, config), EInvalidXMLFile);

  TColMap full;
  full.Count = 30;
  auto many = WriteColMap(full);
  EXPECT_EQ(ReadColMap(*many).Count, 30);
  many->AddChild(std::make_unique<XMLNode>("COL"));
  EXPECT_THROW(ReadColMap(*many), EInvalidXMLFile);

  // A child of WSets not named DSet is a section header, and every child of
  // UDCS is a value whatever its name.
  auto renamed = WriteWorkout(Full());
  XMLNode& header = *renamed->FindChild("WSets")->Children[0];
  header.Name = "Header";
  header.FindChild("UDCS")->Children[0]->Name = "x";
  const TWorkout w = ReadWorkout(*renamed, config);
  ASSERT_TRUE(std::holds_alternative<TWSection>(w.Lines[0]));
  EXPECT_EQ(ColumnValue(std::get<TWSection>(w.Lines[0]).Values, "rpe"), "7");
}

TEST_F(WorkoutTest, WritingDropsTrailingEmptyLinesAndKeepsInnerOnes) {
  TWorkout w = Full();
  w.Lines.emplace_back(TWSection{});
  w.Lines.emplace_back(NewSetLine(config));
  w.Lines.emplace_back(NewSetLine(config));
  PrepareForWriting(w, dictionary);
  ASSERT_EQ(w.Lines.size(), 5u) << "the trailing section header stops the drop";
  w.Lines.pop_back();
  w.Lines.emplace_back(NewSetLine(config));
  PrepareForWriting(w, dictionary);
  ASSERT_EQ(w.Lines.size(), 4u);
  EXPECT_TRUE(std::get<TDrillSet>(w.Lines[2]).IsEmpty()) << "an inner empty line stays";
  TDrillSet noted = NewSetLine(config);
  noted.Notes = "keep me";
  w.Lines.emplace_back(noted);
  PrepareForWriting(w, dictionary);
  EXPECT_EQ(w.Lines.size(), 5u);
}

TEST_F(WorkoutTest, WritingClearsWhatTheMeasurementKindDoesNotUse) {
  const struct {
    std::int32_t* did;
    bool weight, distance, time, tempo;
  } cases[] = {
      {&bench, true, false, false, true},  {&pullup, false, false, false, true},
      {&plank, false, false, true, false}, {&run, false, true, true, false},
      {&jump, false, true, false, false},
  };
  for (const auto& c : cases) {
    TWorkout w;
    w.Lines.emplace_back(Set(*c.did));
    PrepareForWriting(w, dictionary);
    const TDrillSet& d = std::get<TDrillSet>(w.Lines[0]);
    EXPECT_EQ(!d.Weight.Q.empty(), c.weight) << *c.did;
    EXPECT_EQ(d.Dist.Q != -1, c.distance) << *c.did;
    EXPECT_EQ(d.Dist.M, kMeter) << "the unit stays";
    EXPECT_EQ(d.Dur != -1, c.time) << *c.did;
    EXPECT_EQ(!d.Tempo.empty(), c.tempo) << *c.did;
    EXPECT_EQ(d.Sets, 3);
    EXPECT_EQ(d.Rest, 120);
  }
}

TEST_F(WorkoutTest, SectionScopeEndsAtTheNextHeaderOrAnEmptyLine) {
  TWorkout w;
  w.Lines.emplace_back(Set(bench));  // 0: outside every section
  TWSection s;
  s.Reps = 3;
  w.Lines.emplace_back(s);                   // 1
  w.Lines.emplace_back(Set(bench));          // 2
  w.Lines.emplace_back(Set(pullup));         // 3
  w.Lines.emplace_back(NewSetLine(config));  // 4
  w.Lines.emplace_back(Set(bench));          // 5: after the empty line
  w.Lines.emplace_back(TWSection{});         // 6: repeat count not set
  w.Lines.emplace_back(Set(bench));          // 7
  const std::int32_t want[] = {1, 1, 3, 3, 1, 1, 1, 1};
  for (std::size_t i = 0; i < w.Lines.size(); ++i) EXPECT_EQ(RepeatMultiplier(w, i), want[i]) << i;
}

TEST_F(WorkoutTest, ColumnValuesAreFoundWithoutRegardToCase) {
  TUDCValues values;
  SetColumnValue(values, "Grip", "wide");
  SetColumnValue(values, "GRIP", "narrow");
  SetColumnValue(values, "Band", "red");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(ColumnValue(values, "grip"), "narrow");
  EXPECT_EQ(ColumnValue(values, "Chalk"), "");
  EXPECT_EQ(ColumnTitle(TColEntry{0, 14, "Band", 40}), "Band");
  EXPECT_EQ(ColumnTitle(TColEntry{0, 4, "", 40}), "%1RM");
  EXPECT_EQ(ColumnTitle(TColEntry{}), "UNDEFINED");
}

TEST_F(WorkoutTest, WorkoutLogsLiveInTheDaysRecordAndMarkTheDay) {
  const TDateTime day = EncodeDate(2003, 9, 6);
  EXPECT_EQ(NewWorkoutLogName(day), "Workout Log 6 September 2003");
  EXPECT_FALSE(HasWorkout(*store, day));
  TWorkout first = Full();
  first.Lines.emplace_back(NewSetLine(config));
  EXPECT_EQ(AppendWorkoutLog(*store, dictionary, first), 1);
  TWorkout second = Full();
  second.Name = "Evening";
  second.Date = day + 0.5;
  EXPECT_EQ(AppendWorkoutLog(*store, dictionary, second), 2);
  Reopen();
  EXPECT_TRUE(HasWorkout(*store, day + 0.3));
  EXPECT_FALSE(HasWorkout(*store, day + 1));
  EXPECT_EQ(store->FindDayRecord(kWorkoutDayKind, day + 1), nullptr) << "no record created";
  const auto logs = WorkoutsOfDay(*store, day);
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[0].Lines.size(), 4u) << "the trailing empty line was dropped";
  EXPECT_EQ(logs[1].Name, "Evening");
  RemoveWorkoutLog(*store, day, 1);
  EXPECT_EQ(WorkoutsOfDay(*store, day)[0].Name, "Evening");
  RemoveWorkoutLog(*store, day, 1);
  Reopen();
  EXPECT_FALSE(HasWorkout(*store, day));
}

TEST_F(WorkoutTest, TrainingSettingsAndPersonalRecordsAreDayRecords) {
  EXPECT_FALSE(FetchTrainOpt(*store).ShortNames());
  SaveTrainOpt(*store, TTrainOpt{1, 3, true});
  EXPECT_EQ(FetchDefaultColMap(*store), TColMap::Default());
  TDBC& map = store->GetOrCreateDayRecord(kColMapKind, kColMapKey);
  store->Loaded<TColMapStat>(map).Count = 2;
  store->SaveDayRecord(map);
  TDBC& col = store->GetOrCreateDayRecord(kUDCKind, 42);
  store->Loaded<TUDC>(col).Name = "RPE";
  store->SaveDayRecord(col);
  TDrillPR pr;
  pr.DID = bench;
  pr.Weight = {"100", kKilograms};
  pr.Reps = 5;
  pr.Date = 39000;
  pr.Notes = "PR!";
  TDBC& prs = store->GetOrCreateDayRecord(kPRWrapperKind, 39000);
  store->Loaded<TPRWrapper>(prs).Records.push_back(pr);
  store->SaveDayRecord(prs);
  Reopen();
  const TTrainOpt opt = FetchTrainOpt(*store);
  EXPECT_TRUE(opt.ShortNames());
  EXPECT_EQ(opt.Pace, 3);
  EXPECT_TRUE(opt.PrintDrills);
  EXPECT_EQ(FetchDefaultColMap(*store).Count, 2);
  EXPECT_EQ(store->Loaded<TUDC>(*store->FindDayRecord(kUDCKind, 42)).Name, "RPE");
  EXPECT_EQ(store->Loaded<TPRWrapper>(*store->FindDayRecord(kPRWrapperKind, 39000)).Records[0], pr);
}

TEST_F(WorkoutTest, ColumnKeysAreDrawnFromTheFreeOnesAndRunOut) {
  for (int i = 0; i < 99; ++i) {
    const auto key = NewColumnKey(*store, *random);
    ASSERT_TRUE(key);
    ASSERT_GE(*key, 20);
    ASSERT_LE(*key, 119);
    ASSERT_EQ(store->FindDayRecord(kUDCKind, *key), nullptr);
    store->GetOrCreateDayRecord(kUDCKind, *key);
  }
  const auto last = NewColumnKey(*store, *random);
  ASSERT_TRUE(last);
  store->GetOrCreateDayRecord(kUDCKind, *last);
  EXPECT_FALSE(NewColumnKey(*store, *random)) << "every key taken: refused, no endless draw";
}

TEST_F(WorkoutTest, PersonalRecordValidityFollowsTheMeasurementKindAndLimb) {
  const auto pr = [](std::int32_t did, const char* w, std::int32_t reps, double time, double dist,
                     std::uint8_t limb = kNoLimb) {
    TDrillPR r;
    r.DID = did;
    r.Weight.Q = w;
    r.Reps = reps;
    r.Time = time;
    r.Dist.Q = dist;
    r.Limb = limb;
    return r;
  };
  const struct {
    TDrillPR record;
    bool valid;
  } cases[] = {
      {pr(bench, "100", 5, -1, -1), true},
      {pr(bench, "  ", 5, -1, -1), false},
      {pr(bench, "100", 0, -1, -1), false},
      {pr(pullup, "", 12, -1, -1), true},
      {pr(plank, "", -1, 0.001, -1), true},
      {pr(plank, "", -1, 0.001, 5), false},
      {pr(run, "", -1, 0.02, 5), true},
      {pr(run, "", -1, 0.02, -1), false},
      {pr(jump, "", -1, -1, 2.5), true},
      {pr(jump, "", -1, 0.1, 2.5), false},
      {pr(row, "40", 8, -1, -1, kLeftLimb), true},
      {pr(row, "40", 8, -1, -1), false},
      {pr(bench, "100", 5, -1, -1, kRightLimb), false},
      {pr(999999, "100", 5, -1, -1), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsValidRecord(c.record, dictionary), c.valid)
        << c.record.DID << " " << c.record.Weight.Q;
}

TEST_F(WorkoutTest, TemplatesAreStoredInTheSharedFile) {
  TTemplateList list(folder.Path(), config, *random);
  list.Load();
  EXPECT_TRUE(list.Templates().empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "PWTD.DAT"));
  TWorkout t = Full();
  t.Date = -1;
  t.TOD = -1;
  t.Lines.emplace_back(NewSetLine(config));
  const std::int32_t id = list.Save(t, dictionary).ID;
  EXPECT_GE(id, 11);
  TWorkout second = Full();
  second.Date = -1;
  second.Name = "B";
  list.Save(second, dictionary);

  TTemplateList again(folder.Path(), config, *random);
  again.Load();
  ASSERT_EQ(again.Templates().size(), 2u);
  EXPECT_EQ(again.Templates()[0].ID, id);
  EXPECT_EQ(again.Templates()[0].Lines.size(), 4u);
  EXPECT_EQ(again.Templates()[1].Name, "B");
  TWorkout first = again.Templates()[0];
  first.Name = "A renamed";
  again.Save(first, dictionary);
  again.Delete(first);
  EXPECT_EQ(first.ID, -1);
  TTemplateList third(folder.Path(), config, *random);
  third.Load();
  ASSERT_EQ(third.Templates().size(), 1u);
  EXPECT_EQ(third.Templates()[0].Name, "B");
}

}  // namespace
}  // namespace korvela
