#include <gtest/gtest.h>

#include "energy/cal_stat.h"
#include "energy/weight_stat.h"
#include "energy_fixture.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

std::unique_ptr<XMLNode> ParseText(const std::string& text) {
  return XMLNode::Parse(text.data(), text.size());
}

void FillTwoActivities(TCalStat& cal) {
  cal.P = 120.5;
  cal.F = 62.25;
  cal.C = 310;
  cal.A = 14;
  cal.AC = 1.395f;
  cal.PW = 81.75;
  cal.Entries.push_back(
      {EncodeDate(2007, 6, 15) + 0.3125, "Cycling, <20 km/h & \"easy\"", 6.5f, 45, 0});
  cal.Entries.push_back({EncodeDate(2007, 6, 15) + 0.75, "Legs day", 5, 70, 2});
}

TCalStat TwoActivities() {
  TCalStat cal(nullptr);
  FillTwoActivities(cal);
  return cal;
}

TEST(CalorieRecordForm, AttributesInOrderWithActivityEntriesAsChildren) {
  EXPECT_EQ(TwoActivities().Write()->ToText(),
            "<SCal P=\" 1.20500000000000E+0002\" F=\" 6.22500000000000E+0001\""
            " C=\" 3.10000000000000E+0002\" A=\" 1.40000000000000E+0001\""
            // AC is a 32-bit field: 1.395 is stored as the nearest float.
            " AC=\" 1.39499998092651E+0000\" PW=\" 8.17500000000000E+0001\">\r\n"
            "<SECE Time=\" 3.92483125000000E+0004\""
            " Name=\"Cycling, &lt;20 km/h &amp; &quot;easy&quot;\""
            " MET=\" 6.50000000000000E+0000\" Dur=\"45\" Type=\"0\">\r\n"
            "</SECE>\r\n"
            "<SECE Time=\" 3.92487500000000E+0004\" Name=\"Legs day\""
            " MET=\" 5.00000000000000E+0000\" Dur=\"70\" Type=\"2\">\r\n"
            "</SECE>\r\n"
            "</SCal>\r\n");
}

TEST(CalorieRecordForm, NewRecordWritesAllSixAttributesWithUnknownWeight) {
  EXPECT_EQ(TCalStat(nullptr).Write()->ToText(),
            "<SCal P=\" 0.00000000000000E+0000\" F=\" 0.00000000000000E+0000\""
            " C=\" 0.00000000000000E+0000\" A=\" 0.00000000000000E+0000\""
            " AC=\" 0.00000000000000E+0000\" PW=\"-1.00000000000000E+0000\">\r\n"
            "</SCal>\r\n");
}

TEST(CalorieRecordForm, ReadsBackWhatItWrote) {
  const TCalStat original = TwoActivities();
  TCalStat read(nullptr);
  read.Read(*ParseText(original.Write()->ToText()));
  EXPECT_EQ(read.P, original.P);
  EXPECT_EQ(read.F, original.F);
  EXPECT_EQ(read.C, original.C);
  EXPECT_EQ(read.A, original.A);
  EXPECT_EQ(read.AC, original.AC);
  EXPECT_EQ(read.PW, original.PW);
  ASSERT_EQ(read.Entries.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(read.Entries[i].Time, original.Entries[i].Time);
    EXPECT_EQ(read.Entries[i].Name, original.Entries[i].Name);
    EXPECT_EQ(read.Entries[i].MET, original.Entries[i].MET);
    EXPECT_EQ(read.Entries[i].Dur, original.Entries[i].Dur);
    EXPECT_EQ(read.Entries[i].Type, original.Entries[i].Type);
  }
}

TEST(CalorieRecordForm, EveryChildIsAnActivityEntryAndMissingNumbersKeepNewRecordValues) {
  TCalStat read(nullptr);
  read.Entries.push_back({});  // replaced by what is read
  read.Read(*ParseText(
      "<SCal P=\"12.5\" AC=\"1.5\">\r\n"
      "<Walk Time=\"39248.5\" Name=\"Dog\" MET=\"3\" Dur=\"30\" Type=\"0\">\r\n</Walk>\r\n"
      "<SECE Name=\"Swim\" MET=\"8\" Dur=\"20\" Type=\"1\">\r\n</SECE>\r\n"
      "</SCal>\r\n"));
  EXPECT_EQ(read.P, 12.5);
  EXPECT_EQ(read.F, 0);
  EXPECT_EQ(read.AC, 1.5f);
  EXPECT_EQ(read.PW, -1);
  ASSERT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(read.Entries[0].Name, "Dog");
  EXPECT_EQ(read.Entries[0].Time, 39248.5);
  EXPECT_EQ(read.Entries[1].Name, "Swim");
  EXPECT_EQ(read.Entries[1].Type, 1);
}

TEST(WeighInForm, BodyFatIsWrittenOnlyWhenKnown) {
  const struct {
    double weight;
    float bodyFat;
    const char* text;
  } cases[] = {
      {72.5, -1, "<SWeight W=\" 7.25000000000000E+0001\">\r\n</SWeight>\r\n"},
      // BFP is a 32-bit field.
      {72.5, 18.3f,
       "<SWeight W=\" 7.25000000000000E+0001\" BFP=\" 1.82999992370605E+0001\">\r\n"
       "</SWeight>\r\n"},
      {0, -1, "<SWeight W=\" 0.00000000000000E+0000\">\r\n</SWeight>\r\n"},
  };
  for (const auto& c : cases) {
    TWeightStat w(nullptr);
    w.W = c.weight;
    w.BFP = c.bodyFat;
    const std::string text = w.Write()->ToText();
    EXPECT_EQ(text, c.text);
    TWeightStat read(nullptr);
    read.BFP = 99;
    read.Read(*ParseText(text));
    EXPECT_EQ(read.W, c.weight) << c.text;
    EXPECT_EQ(read.BFP, c.bodyFat) << c.text;
  }
}

TEST(WeighInForm, NewWeighInHasNoWeightAndNoBodyFat) {
  const TWeightStat w(nullptr);
  EXPECT_EQ(w.W, 0);
  EXPECT_EQ(w.BFP, -1);
}

using EnergyRecords = test::EnergyTest;

TEST_F(EnergyRecords, BothKindsLiveInTheDayRecordFilesUnderTheirKinds) {
  TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, kToday);
  FillTwoActivities(store->Loaded<TCalStat>(entry));
  store->SaveDayRecord(entry);
  PutWeighIn(kToday, 80.5, 15);
  Reopen();

  ASSERT_EQ(store->List(kCalStatKind).size(), 1u);
  ASSERT_EQ(store->List(kWeightStatKind).size(), 1u);
  const TCalStat* read = FindCal(kToday);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->PW, 81.75);
  EXPECT_EQ(read->Entries.size(), 2u);
  EXPECT_EQ(read->Owner, store->FindDayRecord(kCalStatKind, kToday));
  TWeightStat& w = store->Loaded<TWeightStat>(*store->List(kWeightStatKind).front());
  EXPECT_EQ(w.W, 80.5);
  EXPECT_EQ(w.BFP, 15);
  EXPECT_TRUE(std::filesystem::exists(folder / "PS22007.dat"));
}

}  // namespace
}  // namespace korvela
