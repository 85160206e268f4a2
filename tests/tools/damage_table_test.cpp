// Every record database the program reads, each damaged in every way a disk
// or a stopped copy damages a file: `check` names the file, start-up and
// login offer the way past, no readable record is lost and no other file
// changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "activities/sport.h"
#include "app/program.h"
#include "app/record_files.h"
#include "app/string_table.h"
#include "energy/energy_records.h"
#include "energy/weight_stat.h"
#include "korvela_data/check_command.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_element.h"
#include "nutrition/food_log_store.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "nutrition/unit_dictionary.h"
#include "nutrition/user_foods.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/record_salvage.h"
#include "storage/xml_db.h"
#include "support/new_account.h"
#include "support/scripted_prompter.h"
#include "tool_test.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout.h"
#include "training/workout_templates.h"
#include "users/clock.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TScriptedPrompter;
using test::WriteBytes;

const TDateTime kToday = EncodeDate(2007, 6, 15);

struct TFileKind {
  const char* name;   // in the program folder, or with `user` in the account folder
  std::int32_t kind;  // of a record database; 0 for a file of one document
  bool user;
  bool shipped;
};

constexpr TFileKind kKinds[] = {
    {"UA.DAT", kUserFoodsKind, false, false},
    {"RBOX.DAT", kRecipeBoxKind, false, false},
    {"FM.DAT", kMenusKind, false, false},
    {"GDDB.DAT", kExerciseDBKind, false, true},
    {"PWTD.DAT", kTemplateDBKind, false, false},
    {"SAA.DAT", kSportsKind, false, true},
    {"FF.DAT", kFrequentFoodsKind, true, false},
    {"FDBC.DAT", kFoodLogKind, true, false},
    {"FDBA.DAT", kFoodLogKind, true, false},
    {"PS22007.dat", kDayRecordsKind, true, false},
    // Files of one document each (kind 0), which have defaults.
    {"CI.DAT", 0, true, false},
    {"MI.DAT", 0, true, false},
    {"FW.DAT", 0, false, false},
};

enum class TDamage { Empty, Half, OneByteShort, FlipMiddle, FlipNearEnd, OtherKind, Folder };
constexpr TDamage kDamages[] = {TDamage::Empty,      TDamage::Half,        TDamage::OneByteShort,
                                TDamage::FlipMiddle, TDamage::FlipNearEnd, TDamage::OtherKind,
                                TDamage::Folder};

const char* DamageName(TDamage d) {
  switch (d) {
    case TDamage::Empty:
      return "empty";
    case TDamage::Half:
      return "half";
    case TDamage::OneByteShort:
      return "one byte short";
    case TDamage::FlipMiddle:
      return "byte flipped in the middle";
    case TDamage::FlipNearEnd:
      return "byte flipped near the end";
    case TDamage::OtherKind:
      return "another kind's file";
    case TDamage::Folder:
      return "a folder in its place";
  }
  return "";
}

std::vector<TRecordSpan> SpansOf(const std::string& bytes, std::int32_t kind) {
  const test::TTempFolder scratch;
  WriteBytes(scratch / "f", bytes);
  const auto in = PosixFileSystem().OpenRead(scratch / "f");
  return ScanRecordDatabase(*in, kind).records;
}

// A byte inside a record's scrambled body: the middle of the body of the
// record that holds the file's middle byte.
std::int64_t MiddleBodyByte(const std::string& bytes, std::int32_t kind) {
  const auto middle = static_cast<std::int64_t>(bytes.size() / 2);
  for (const TRecordSpan& r : SpansOf(bytes, kind))
    if (middle < r.Offset + r.Size)
      return r.Offset + kBlockHeaderSize + (r.Size - kBlockHeaderSize) / 2;
  return middle;
}

// Every file under a folder with its bytes.
std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    files[fs::relative(e.path(), folder)] = e.is_regular_file() ? ReadBytes(e.path()) : "(folder)";
  return files;
}

class DamageTable : public test::TToolTest {
 protected:
  fs::path Data() const { return File("data"); }
  fs::path Shipped() const { return File("shipped"); }
  fs::path Pristine() const { return File("pristine"); }

  std::unique_ptr<TProgram> Start() {
    auto program = std::make_unique<TProgram>(Data(), TSystemDefaults{}, clock_, *random_);
    program->SetShippedFolder(Shipped());
    program->Start();
    return program;
  }

  // Start-up and login as the program runs them, then log off and exit.
  void RunProgram() {
    auto program = Start();
    (void)program->LoadSharedCollections(&prompter_);
    program->Login(*program->Accounts()[0], &prompter_);
    program->LogOff();
    program->Exit();
  }

  template <typename TMake>
  void PutRecords(const fs::path& file, std::int32_t kind, std::int32_t firstID, int count,
                  TMake make, double date = 0) {
    XMLDB db(file, kind, *random_);
    for (int i = 0; i < count; ++i)
      db.Put(make(i), firstID + i, kDataKey, date == 0 ? 0 : date - i);
    db.Close();
  }

  // A data folder as a user leaves it: the shipped dictionaries with items
  // of the user's own, foods, recipes, menus, templates and Ann's account
  // with favourites, food logs, weigh-ins and a workout.
  void SetUp() override {
    fs::create_directory(Data());
    fs::create_directory(Shipped());
    ASSERT_EQ(Run({"build-exercises", KORVELA_SHIPPED_EXERCISES, KORVELA_SHIPPED_INSTRUCTIONS,
                   (Shipped() / "GDDB.DAT").string()})
                  .code,
              kExitSuccess);
    ASSERT_EQ(
        Run({"build-activities", KORVELA_SHIPPED_ACTIVITIES, (Shipped() / "SAA.DAT").string()})
            .code,
        kExitSuccess);
    fs::copy_file(Shipped() / "GDDB.DAT", Data() / "GDDB.DAT");
    fs::copy_file(Shipped() / "SAA.DAT", Data() / "SAA.DAT");
    TStringTable strings(Data() / kStringTableFileName, *random_);
    strings.PutString(kTitleString, "Korvela");
    strings.Close();
    XMLNode catalogue("Foods");
    catalogue.AddChild(std::make_unique<XMLNode>("Cat")).AddAttr("name", "Fruit");
    SaveXMLFile(catalogue, Data() / "foods.dat", kDataKey, *random_);
    SaveUnitDictionary(DefaultUnits(), Data(), *random_);
    {
      auto program = Start();
      user_ = program->CreateAccount(test::AnnAccount()).Folder;
      program->LogOff();
      program->Exit();
    }
    const std::string notes(300, 'n');
    PutRecords(Data() / "UA.DAT", kUserFoodsKind, 100, 5, [&](int i) {
      TUserFood food("Food " + std::to_string(i) + notes);
      food.CategoryID = 1;
      food.weights = {{"cup", 1, 240}};
      return WriteUserFoodElement(food);
    });
    PutRecords(Data() / "RBOX.DAT", kRecipeBoxKind, 200, 5, [&](int i) {
      TRecipeFood recipe = NewRecipe();
      recipe.Name = "Recipe " + std::to_string(i) + notes;
      return WriteFoodElement(recipe);
    });
    PutRecords(Data() / "FM.DAT", kMenusKind, 300, 5, [&](int i) {
      TDaysMeals menu = NewDayPlan(0, DefaultMealDefinitions());
      menu.MenuName = "Menu " + std::to_string(i);
      menu.MenuNotes = notes;
      return WriteFoodLogElement(menu);
    });
    PutRecords(Data() / "GDDB.DAT", kExerciseDBKind, 5000000, 3, [&](int i) {
      TDrill drill;
      drill.Name = "My exercise " + std::to_string(i);
      drill.TDM = TMeasureKind::Weight;
      drill.Instructions = notes;
      return WriteDrill(drill);
    });
    PutRecords(Data() / "PWTD.DAT", kTemplateDBKind, 400, 5, [&](int i) {
      TWorkout w;
      w.Name = "Template " + std::to_string(i);
      w.Notes = notes;
      return WriteWorkout(w);
    });
    PutRecords(Data() / "SAA.DAT", kSportsKind, 7000000, 3, [&](int i) {
      TSport sport;
      sport.Activity = "My sport " + std::to_string(i) + notes;
      sport.MET = 5;
      sport.Per = 30;
      return sport.Write();
    });
    PutRecords(user_ / "FF.DAT", kFrequentFoodsKind, 500, 5, [&](int i) {
      TFrequentFood food(TFoodItem("Favourite " + std::to_string(i) + notes));
      food.weights = {{"cup", 1, 240}};
      return WriteFrequentFoodElement(food);
    });
    const auto log = [&](int) {
      TDaysMeals day = NewDayPlan(kToday, DefaultMealDefinitions());
      day.MenuNotes = notes;
      return WriteFoodLogElement(day);
    };
    PutRecords(user_ / "FDBC.DAT", kFoodLogKind, kFoodLogID, 1, log, kToday - 1);
    {
      XMLDB db(user_ / "FDBC.DAT", kFoodLogKind, *random_);
      XMLDB archive(user_ / "FDBA.DAT", kFoodLogKind, *random_);
      for (int ago = 1; ago <= 5; ++ago) db.Put(log(0), kFoodLogID, kDataKey, kToday - ago);
      for (int ago = 100; ago <= 104; ++ago)
        archive.Put(log(0), kFoodLogID, kDataKey, kToday - ago);
      db.Close();
      archive.Close();
    }
    {
      TConfigurator config;
      TDayRecordRegistry registry;
      RegisterEnergyRecords(registry);
      RegisterTrainingRecords(registry, config);
      XMLDB db(user_ / "PS22007.dat", kDayRecordsKind, *random_);
      for (int day = 1; day <= 5; ++day)
        db.Put(registry.Create(kWeightStatKind, nullptr)->Write(), kWeightStatKind, kDataKey,
               EncodeDate(2007, 6, day));
      db.Put(registry.Create(120, nullptr)->Write(), 120, kDataKey, EncodeDate(2007, 6, 10));
      db.Put(registry.Create(115, nullptr)->Write(), 115, kDataKey, EncodeDate(2007, 6, 11));
      db.Close();
    }
    // One run settles what the program writes on its own.
    RunProgram();
    ASSERT_TRUE(prompter_.shown.empty()) << prompter_.shown[0];
    fs::copy(Data(), Pristine(), fs::copy_options::recursive);
  }

  void Restore() {
    fs::remove_all(Data());
    fs::copy(Pristine(), Data(), fs::copy_options::recursive);
    prompter_.shown.clear();
    prompter_.answers.clear();
  }

  fs::path PathOf(const TFileKind& k) const { return (k.user ? user_ : Data()) / k.name; }

  TFixedClock clock_{kToday + 0.4};
  TScriptedPrompter prompter_;
  fs::path user_;
};

TEST_F(DamageTable, EveryFileKindAndDamage) {
  TRecordReaders readers;
  int cases = 0, named = 0, offered = 0, readEmpty = 0;
  int kept = 0, lost = 0, filled = 0;
  std::map<std::string, std::pair<int, int>> perKind;  // records kept and lost
  for (const TFileKind& k : kKinds) {
    for (const TDamage d : kDamages) {
      SCOPED_TRACE(std::string(k.name) + ", " + DamageName(d));
      ++cases;
      Restore();
      const fs::path file = PathOf(k);
      const bool document = k.kind == 0;
      ASSERT_TRUE(fs::is_regular_file(file));
      const std::string sound = ReadBytes(file);
      std::string bytes = sound;
      switch (d) {
        case TDamage::Empty:
          bytes.clear();
          break;
        case TDamage::Half:
          bytes.resize(bytes.size() / 2);
          break;
        case TDamage::OneByteShort:
          bytes.pop_back();
          break;
        case TDamage::FlipMiddle: {
          const std::int64_t at = document ? static_cast<std::int64_t>(bytes.size() / 2)
                                           : MiddleBodyByte(bytes, k.kind);
          bytes[static_cast<std::size_t>(at)] ^= 0x10;
          break;
        }
        case TDamage::FlipNearEnd:
          bytes[bytes.size() - 3] ^= 0x10;
          break;
        case TDamage::OtherKind:
          bytes = document ? ReadBytes(user_ / "LI.DAT")
                           : ReadBytes(Data() / (k.kind == kMenusKind ? "UA.DAT" : "FM.DAT"));
          break;
        case TDamage::Folder:
          break;
      }
      if (d == TDamage::Folder) {
        fs::remove(file);
        fs::create_directory(file);
        WriteBytes(file / "inside", "a file inside");
      } else {
        WriteBytes(file, bytes);
      }
      const TRecordFile recordFile{file, k.kind, "", k.shipped};
      const TDatabaseCheck before =
          document ? TDatabaseCheck{} : CheckRecordFile(recordFile, readers);
      const auto untouched = Snapshot(Data());

      // check names the file (an empty database is read as one without
      // records, and is no damage).
      std::ostringstream out;
      const bool allSound = CheckDataFolder(Data(), out, PosixFileSystem());
      EXPECT_EQ(Snapshot(Data()), untouched);
      const bool readAsEmpty = d == TDamage::Empty && !document;
      if (readAsEmpty) {
        EXPECT_TRUE(allSound) << out.str();
        ++readEmpty;
      } else {
        EXPECT_FALSE(allSound);
        const bool names = out.str().find(file.string() + ": ") != std::string::npos;
        EXPECT_TRUE(names) << out.str();
        named += names;
      }

      // The program offers the way past; Yes keeps every readable record.
      prompter_.Plan(TAnswer::Yes);
      try {
        RunProgram();
      } catch (const std::exception& e) {
        ADD_FAILURE() << "the program stopped: " << e.what();
        continue;
      }
      if (readAsEmpty) {
        EXPECT_TRUE(prompter_.shown.empty());
        continue;
      }
      ASSERT_EQ(prompter_.shown.size(), 1u);
      EXPECT_NE(prompter_.shown[0].find(file.string()), std::string::npos) << prompter_.shown[0];
      ++offered;
      const fs::path aside = file.string() + ".damaged";
      if (d == TDamage::Folder)
        EXPECT_EQ(ReadBytes(aside / "inside"), "a file inside");
      else
        EXPECT_EQ(ReadBytes(aside), bytes);
      // Every readable record is in the new file, byte for byte.
      const std::string now = ReadBytes(file);
      for (const TRecordSpan& r : before.readable) {
        const std::string record =
            bytes.substr(static_cast<std::size_t>(r.Offset - kRecordHeaderSize),
                         static_cast<std::size_t>(r.Size + kRecordHeaderSize));
        EXPECT_NE(now.find(record), std::string::npos) << "record " << r.ID;
      }
      if (document) {
        // The defaults took the file's place; nothing else changed.
        auto changed = Snapshot(Data());
        auto expected = untouched;
        for (auto* files : {&changed, &expected})
          for (auto it = files->begin(); it != files->end();)
            it = it->first.string().starts_with(fs::relative(file, Data()).string())
                     ? files->erase(it)
                     : std::next(it);
        EXPECT_EQ(changed, expected);
        prompter_.shown.clear();
        RunProgram();
        EXPECT_TRUE(prompter_.shown.empty());
        continue;
      }
      const TDatabaseCheck after = CheckRecordFile(recordFile, readers);
      EXPECT_TRUE(after.Sound());
      kept += static_cast<int>(before.readable.size());
      lost += before.Lost();
      perKind[k.name].first += static_cast<int>(before.readable.size());
      perKind[k.name].second += before.Lost();
      if (k.shipped) {
        // What the damage lost of the shipped items comes back.
        const TDatabaseCheck shipped =
            CheckRecordFile({Shipped() / k.name, k.kind, "", false}, readers);
        EXPECT_GE(after.readable.size(), shipped.readable.size());
        filled += static_cast<int>(after.readable.size() - before.readable.size());
      }
      // No other file changed.
      auto changed = Snapshot(Data());
      auto expected = untouched;
      for (auto* files : {&changed, &expected})
        for (auto it = files->begin(); it != files->end();)
          it = it->first.string().starts_with(fs::relative(file, Data()).string())
                   ? files->erase(it)
                   : std::next(it);
      EXPECT_EQ(changed, expected);
      // The next run asks nothing.
      prompter_.shown.clear();
      RunProgram();
      EXPECT_TRUE(prompter_.shown.empty());
    }
  }
  std::cout << "damage table: " << std::size(kKinds) << " file kinds x " << std::size(kDamages)
            << " damages = " << cases << " cases; check named " << named << " of "
            << cases - readEmpty << " damaged files (" << readEmpty
            << " empty files read as empty databases); the way past offered " << offered
            << " times; records kept " << kept << ", lost " << lost
            << ", shipped items taken again " << filled << "\n";
  for (const auto& [name, counts] : perKind)
    std::cout << "  " << name << ": kept " << counts.first << ", lost " << counts.second << "\n";
  EXPECT_EQ(named, cases - readEmpty);
  EXPECT_EQ(offered, cases - readEmpty);
}

// No to the question ends in the error report naming the file, and the
// damaged file stays as it was, not set aside.
TEST_F(DamageTable, NoKeepsTheDamagedFileAndTheErrorNamesIt) {
  for (const TFileKind& k : {kKinds[3], kKinds[8]}) {  // GDDB.DAT at start, FDBA.DAT at login
    SCOPED_TRACE(k.name);
    Restore();
    const fs::path file = PathOf(k);
    std::string bytes = ReadBytes(file);
    bytes.resize(bytes.size() / 2);
    WriteBytes(file, bytes);
    prompter_.Plan(TAnswer::No);
    try {
      RunProgram();
      ADD_FAILURE() << "no error";
    } catch (const EKorvelaError& e) {
      EXPECT_EQ(e.File(), file.string()) << e.what();
    }
    EXPECT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_FALSE(fs::exists(file.string() + ".damaged"));
  }
}

}  // namespace
}  // namespace korvela
