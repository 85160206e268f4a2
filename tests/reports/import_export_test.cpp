#include "reports/import_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "exchange_fixture.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/scripted_prompter.h"

namespace korvela {
namespace {

using test::TInstallation;
using test::TScriptedPrompter;

// A password dialog that must not be shown.
std::optional<std::string> NoPasswordExpected() {
  ADD_FAILURE() << "the password was asked for";
  return std::nullopt;
}

// Answers the password dialog from a list; none (Cancel) once it runs out.
struct TPasswordPlan {
  std::vector<std::string> typed;
  int asked = 0;
  TImportExport::TPasswordAsk Ask() {
    return [this]() -> std::optional<std::string> {
      if (static_cast<std::size_t>(asked) >= typed.size()) {
        ++asked;
        return std::nullopt;
      }
      return typed[static_cast<std::size_t>(asked++)];
    };
  }
};

std::vector<std::size_t> Positions(const std::vector<TIEListItem>& items) {
  std::vector<std::size_t> positions;
  for (const TIEListItem& item : items) positions.push_back(item.index);
  return positions;
}

std::vector<std::string> Names(const std::vector<TIEListItem>& items) {
  std::vector<std::string> names;
  for (const TIEListItem& item : items) names.push_back(item.name);
  return names;
}

constexpr std::size_t kFoods = 0, kRecipes = 1, kMenus = 2, kExercises = 3, kActivities = 4,
                      kWorkouts = 5;
// Package tabs: "All Items" first, then one per kind.
int Tab(std::size_t kind) { return static_cast<int>(kind) + 1; }

class ImportExportTest : public ::testing::Test {
 protected:
  // Exports every local item of the kinds from the sender into the package.
  void ExportAll(const std::vector<std::size_t>& kinds) {
    TImportExport screen(sender.stores, exportPrompter);
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
    for (const std::size_t kind : kinds)
      screen.Export(kind, Positions(screen.LocalItems(kind, "")));
    ASSERT_TRUE(screen.Close());
  }

  // Writes a package by hand: the header element and the item elements.
  void WritePackage(std::unique_ptr<XMLNode> header, std::vector<std::unique_ptr<XMLNode>> items) {
    XMLDB db(package, kPackageKind, *sender.random);
    if (header) db.Put(std::move(header), kPackageHeaderID, kDataKey, kPackageHeaderDate);
    std::int32_t id = 100;
    for (auto& item : items) db.Put(std::move(item), id++, kDataKey, 0);
    db.Close();
  }

  static std::unique_ptr<XMLNode> Header(std::int32_t level) {
    auto header = std::make_unique<XMLNode>(std::string(kPackageHeaderElement));
    header->AddIntAttr(std::string(kPackageLevelAttr), level);
    return header;
  }

  TInstallation sender{11};
  TInstallation receiver{12};
  test::TTempFolder outside;
  std::filesystem::path package = outside / "share.krv";
  TScriptedPrompter prompter;
  TScriptedPrompter exportPrompter;
};

TEST_F(ImportExportTest, ANewPackageHasTheFormatLevelAndNoPassword) {
  {
    TImportExport screen(sender.stores, prompter);
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
    EXPECT_TRUE(screen.CanSetPassword());
    EXPECT_EQ(screen.Package()->Password(), "");
    EXPECT_TRUE(screen.PackageItems(kAllItemsTab, "").empty());
  }
  auto random = MakeSeededRandom(1);
  XMLDB db(package, kPackageKind, *random);
  const XMLNode* header = db.Get(kPackageHeaderID, kDataKey, kPackageHeaderDate);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Name, kPackageHeaderElement);
  EXPECT_EQ(header->AttrInt(kPackageLevelAttr), kPackageFormatLevel);
  EXPECT_EQ(header->FindAttr(kPackagePasswordAttr), nullptr);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ImportExportTest, ThePasswordIsAskedUntilItMatchesAndABlankOneRemovesIt) {
  {
    TImportExport screen(sender.stores, prompter);
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
    screen.SetPassword("Open Sesame");
  }
  struct TCase {
    std::vector<std::string> typed;
    bool opened;
    int warnings;
  };
  const TCase cases[] = {
      {{"Open Sesame"}, true, 0},
      {{"open sesame", "Open Sesame"}, true, 1},  // compared exactly
      {{"wrong", "still wrong"}, false, 2},       // then Cancel
      {{}, false, 0},                             // Cancel at once
  };
  for (const TCase& c : cases) {
    const std::string before = test::ReadBytes(package);
    TScriptedPrompter local;
    TPasswordPlan plan{c.typed};
    {
      TImportExport screen(receiver.stores, local);
      EXPECT_EQ(screen.OpenPackage(package, plan.Ask()), c.opened);
      EXPECT_EQ(screen.IsOpen(), c.opened);
      // A later export into a package that was not opened warns and writes nothing.
      if (!c.opened) {
        receiver.AddFood("Rye Bread");
        EXPECT_EQ(screen.Export(kFoods, {0}), 0u);
        EXPECT_EQ(local.Last(), std::string("warn: ") + kMsgNoPackageOpen);
      }
    }
    EXPECT_EQ(std::count(local.shown.begin(), local.shown.end(),
                         std::string("warn: ") + kMsgBadPackagePassword),
              c.warnings);
    if (!c.opened) {
      EXPECT_EQ(test::ReadBytes(package), before);
    }
  }

  for (const std::string blank : {"", "   "}) {
    TPasswordPlan plan{{"Open Sesame"}};
    TImportExport screen(receiver.stores, prompter);
    ASSERT_TRUE(screen.OpenPackage(package, plan.Ask()));
    screen.SetPassword(blank);
    ASSERT_TRUE(screen.Close());
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected)) << "'" << blank << "'";
    EXPECT_EQ(screen.Package()->Password(), "");
    screen.SetPassword("Open Sesame");
  }
}

TEST_F(ImportExportTest, EveryKindTravelsToAnotherInstallation) {
  sender.AddFood("Rye Bread", 9);
  sender.AddRecipe("Rice Bowl");
  sender.AddMenu("Training Day");
  sender.AddExercise("Front Squat");
  sender.AddSport("Rowing, moderate", 7);
  sender.AddTemplate("Leg Day", {sender.exercises.Live().front()->ID});
  ExportAll({kFoods, kRecipes, kMenus, kExercises, kActivities, kWorkouts});
  EXPECT_EQ(exportPrompter.Last(), "inform: 1 item(s) exported successfully");

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  const auto listed = screen.PackageItems(kAllItemsTab, "");
  std::vector<std::string> kinds;
  for (const TIEListItem& item : listed) kinds.push_back(item.kindName);
  EXPECT_EQ(kinds, (std::vector<std::string>{"Food Item", "Recipe", "Daily Menu", "Exercise",
                                             "Sport, Activity", "Workout Template"}));
  EXPECT_EQ(screen.Import(kAllItemsTab, Positions(listed)), 6u);
  EXPECT_EQ(prompter.Last(), "inform: 6 item(s) imported successfully");

  // What the receiver holds in memory is also what its files hold.
  TFoodList foods{"User-Added Foods", {}};
  LoadUserFoods(foods, receiver.folder.Path(), *receiver.random);
  ASSERT_EQ(foods.Foods.size(), 1u);
  EXPECT_EQ(foods.Foods[0]->Name, "Rye Bread");
  EXPECT_EQ(foods.Foods[0]->P, 9);
  EXPECT_EQ(receiver.foods.UserFoodList().Foods.size(), 1u);
  TFoodList recipes{"Recipes", {}};
  LoadRecipes(recipes, receiver.folder.Path(), *receiver.random);
  ASSERT_EQ(recipes.Foods.size(), 1u);
  EXPECT_EQ(RecipeOf(*recipes.Foods[0]).NumServ, 2);
  TMenuList menus(receiver.folder.Path(), *receiver.random);
  menus.LoadMenus();
  ASSERT_EQ(menus.Menus().size(), 1u);
  EXPECT_EQ(menus.Menus()[0]->MenuName, "Training Day");
  EXPECT_TRUE(menus.Menus()[0]->IsMenu());
  TSportList sports(receiver.folder.Path(), *receiver.random);
  sports.LoadSports();
  ASSERT_EQ(sports.Count(), 1u);
  EXPECT_EQ(sports.At(0).MET, 7);
  TExerciseDictionary exercises(receiver.folder.Path(), *receiver.random);
  exercises.Load();
  // The exercise itself and the one the template carries are the same name:
  // the template links to the imported exercise instead of adding another.
  ASSERT_EQ(exercises.Live().size(), 1u);
  EXPECT_EQ(exercises.Live()[0]->Name, "Front Squat");
  EXPECT_EQ(exercises.Live()[0]->UDOne, "");
  TTemplateList templates(receiver.folder.Path(), receiver.config, *receiver.random);
  templates.Load();
  ASSERT_EQ(templates.Templates().size(), 1u);
  EXPECT_EQ(std::get<TDrillSet>(templates.Templates()[0].Lines[0]).DID, exercises.Live()[0]->ID);
}

TEST_F(ImportExportTest, TheSameFoodExportedTwiceIsTwoItems) {
  sender.AddFood("Rye Bread");
  ExportAll({kFoods});
  ExportAll({kFoods});
  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  const auto& items = screen.Package()->Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_NE(items[0].ID, items[1].ID);
  for (const TIEXML& item : items) {
    EXPECT_GE(item.ID, kFirstFreeID);
    EXPECT_LT(item.ID, kIDLimit);
  }
}

TEST_F(ImportExportTest, ATemplateLinksItsExercisesByNameAndRestoresDeletedOnes) {
  const std::int32_t bench = sender.AddExercise("Bench Press");
  const std::int32_t plank = sender.AddExercise("Plank", TMeasureKind::Time);
  const std::int32_t rowing = sender.AddExercise("Cable Row");
  sender.AddTemplate("Upper", {bench, plank, bench, rowing});
  ExportAll({kWorkouts});

  // The receiver knows the bench press under other letter case and blanks,
  // once had a plank and never had the row; its own numbers differ.
  receiver.AddExercise("Curl");
  const std::int32_t localBench = receiver.AddExercise("bench  PRESS");
  const std::int32_t localPlank = receiver.AddExercise("PLANK", TMeasureKind::Time);
  receiver.exercises.DeleteExercise(2);
  ASSERT_EQ(receiver.exercises.DeletedList().size(), 1u);

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  ASSERT_EQ(screen.Import(Tab(kWorkouts), {0}), 1u);

  TExerciseDictionary reloaded(receiver.folder.Path(), *receiver.random);
  reloaded.Load();
  EXPECT_TRUE(reloaded.DeletedList().empty());
  ASSERT_EQ(reloaded.Live().size(), 4u);  // curl, bench, restored plank, new row
  const TDrill* row = nullptr;
  for (const auto& d : reloaded.Live())
    if (d->Name == "Cable Row") row = d.get();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->UDOne, "");
  EXPECT_EQ(reloaded.Find(localPlank)->Deleted, false);

  const TWorkout& imported = receiver.templates.Templates().back();
  std::vector<std::int32_t> dids;
  for (const TWLine& line : imported.Lines) dids.push_back(std::get<TDrillSet>(line).DID);
  EXPECT_EQ(dids, (std::vector<std::int32_t>{localBench, localPlank, localBench, row->ID}));
  EXPECT_EQ(receiver.exercises.Live().size(), 4u);
  EXPECT_TRUE(receiver.exercises.DeletedList().empty());
}

TEST_F(ImportExportTest, ALineNamingAnExerciseThePackageDoesNotCarryNamesNone) {
  // The sender's exercise has the number of an unrelated one at the receiver.
  const std::int32_t bench = receiver.AddExercise("Deadlift");
  auto item = std::make_unique<XMLNode>(std::string(kWorkoutPackElement));
  TWorkout workout;
  workout.Name = "Loose";
  TDrillSet line = NewSetLine(sender.config);
  line.DID = bench;
  line.Notes = "heavy";
  workout.Lines.push_back(line);
  item->AddChild(WriteWorkout(workout));
  item->AddChild(std::make_unique<XMLNode>(std::string(kWorkoutDrillsElement)));
  std::vector<std::unique_ptr<XMLNode>> items;
  items.push_back(std::move(item));
  WritePackage(Header(1), std::move(items));

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  ASSERT_EQ(screen.Import(kAllItemsTab, {0}), 1u);
  const TDrillSet& imported = std::get<TDrillSet>(receiver.templates.Templates().back().Lines[0]);
  EXPECT_EQ(imported.DID, -1);
  EXPECT_EQ(imported.Notes, "heavy");
}

TEST_F(ImportExportTest, AnExerciseMarkedDeletedComesInLiveWithoutTheSendersOwnValues) {
  TDrill drill;
  drill.Name = "Hack Squat";
  drill.TDM = TMeasureKind::Weight;
  drill.UDTwo = "sender's";
  drill.UImg = "/home/sender/squat.jpg";
  drill.Deleted = true;
  std::vector<std::unique_ptr<XMLNode>> items;
  items.push_back(WriteDrill(drill));
  WritePackage(Header(1), std::move(items));

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  ASSERT_EQ(screen.Import(Tab(kExercises), {0}), 1u);
  TExerciseDictionary reloaded(receiver.folder.Path(), *receiver.random);
  reloaded.Load();
  ASSERT_EQ(reloaded.Live().size(), 1u);
  EXPECT_TRUE(reloaded.DeletedList().empty());
  EXPECT_FALSE(reloaded.Live()[0]->Deleted);
  EXPECT_EQ(reloaded.Live()[0]->UDTwo, "");
  EXPECT_EQ(reloaded.Live()[0]->UImg, "");
}

TEST_F(ImportExportTest, AKindTabImportsOnlyItsOwnItems) {
  sender.AddFood("Rye Bread");
  sender.AddMenu("Rest Day");
  sender.AddMenu("Race Day");
  sender.AddSport("Cycling");
  ExportAll({kFoods, kMenus, kActivities});

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  const auto menus = screen.PackageItems(Tab(kMenus), "");
  EXPECT_EQ(Names(menus), (std::vector<std::string>{"Rest Day", "Race Day"}));
  // Import ALL on the Menus tab passes the listed items; even when handed
  // every item, the tab admits only menus.
  EXPECT_EQ(screen.Import(Tab(kMenus), Positions(screen.PackageItems(kAllItemsTab, ""))), 2u);
  EXPECT_EQ(receiver.menus.Menus().size(), 2u);
  EXPECT_TRUE(receiver.foods.UserFoodList().Foods.empty());
  EXPECT_EQ(receiver.sports.Count(), 0u);
}

TEST_F(ImportExportTest, FiltersKeepNamesWithEveryWord) {
  for (const char* name : {"Rye Bread", "White bread, toasted", "Rye Crackers"})
    sender.AddFood(name);
  ExportAll({kFoods});
  TImportExport screen(sender.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {"Rye Bread", "White bread, toasted", "Rye Crackers"}},
      {"bread", {"Rye Bread", "White bread, toasted"}},
      {"RYE bread", {"Rye Bread"}},
      {"toast,white", {"White bread, toasted"}},
      {"pasta", {}},
  };
  for (const auto& [filter, names] : cases) {
    EXPECT_EQ(Names(screen.LocalItems(kFoods, filter)), names) << filter;
    EXPECT_EQ(Names(screen.PackageItems(Tab(kFoods), filter)), names) << filter;
  }
}

TEST_F(ImportExportTest, DuplicatesAreImportedOnlyWhenTheAnswerSaysSo) {
  for (const char* name : {"Rye Bread", "Oat Bread", "Corn Bread"}) {
    sender.AddFood(name);
    receiver.AddFood(std::string("  ") + name + " ");
  }
  ExportAll({kFoods});
  struct TCase {
    std::vector<TAnswer> answers;
    std::size_t imported;
  };
  const TCase cases[] = {
      {{TAnswer::Yes, TAnswer::No, TAnswer::Yes}, 2},
      {{TAnswer::No, TAnswer::YesToAll}, 2},
      {{TAnswer::NoToAll}, 0},
      {{TAnswer::YesToAll}, 3},
  };
  for (const TCase& c : cases) {
    TScriptedPrompter local;
    for (const TAnswer a : c.answers) local.Plan(a);
    TImportExport screen(receiver.stores, local);
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
    const std::size_t before = receiver.foods.UserFoodList().Foods.size();
    EXPECT_EQ(screen.Import(kAllItemsTab, Positions(screen.PackageItems(kAllItemsTab, ""))),
              c.imported);
    EXPECT_TRUE(local.answers.empty()) << "every planned answer is used, no more";
    const std::string first = screen.PackageItems(kAllItemsTab, "").front().name;
    EXPECT_EQ(local.shown.front(), "ask: " + DuplicateQuestion(first));
    EXPECT_EQ(receiver.foods.UserFoodList().Foods.size(), before + c.imported);
    EXPECT_EQ(local.Last(), "inform: " + ImportedText(c.imported));
  }
}

TEST_F(ImportExportTest, DeletedItemsLeaveThePackageWhenItIsSaved) {
  for (const char* name : {"Rye Bread", "Oat Bread", "Corn Bread"}) sender.AddFood(name);
  ExportAll({kFoods});
  {
    TImportExport screen(sender.stores, prompter);
    ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
    prompter.Plan(TAnswer::No);
    EXPECT_FALSE(screen.DeleteItems({0, 2}));
    prompter.Plan(TAnswer::Yes);
    EXPECT_TRUE(screen.DeleteItems({2, 0}));
    EXPECT_EQ(Names(screen.PackageItems(kAllItemsTab, "")), std::vector<std::string>{"Oat Bread"});
    EXPECT_EQ(prompter.Last(), std::string("ask: ") + kMsgConfirmPackageDelete);
  }
  TImportExport screen(sender.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  EXPECT_EQ(Names(screen.PackageItems(kAllItemsTab, "")), std::vector<std::string>{"Oat Bread"});
}

TEST_F(ImportExportTest, APackageThatCannotBeOpenedIsNeitherReadNorWritten) {
  auto tooNew = [] { return Header(2); };
  auto noLevel = [] { return std::make_unique<XMLNode>(std::string(kPackageHeaderElement)); };
  auto otherName = [] {
    auto header = std::make_unique<XMLNode>("Header");
    header->AddIntAttr("REQ", 1);
    return header;
  };
  struct TCase {
    const char* what;
    std::function<void()> write;
    const char* warning;
  };
  std::vector<std::unique_ptr<XMLNode>> none;
  const TCase cases[] = {
      {"not a database", [&] { test::WriteBytes(package, "PK\x03\x04 a zip file, not ours"); },
       kMsgPackageNotOpened},
      {"another kind of database",
       [&] {
         XMLDB db(package, kMenusKind, *sender.random);
         db.Put(Header(1), kPackageHeaderID, kDataKey, kPackageHeaderDate);
         db.Close();
       },
       kMsgPackageNotOpened},
      {"truncated",
       [&] {
         sender.AddFood("Rye Bread");
         ExportAll({kFoods});
         std::string bytes = test::ReadBytes(package);
         test::WriteBytes(package, bytes.substr(0, bytes.size() - 30));
       },
       kMsgPackageNotOpened},
      {"records without a header",
       [&] {
         std::vector<std::unique_ptr<XMLNode>> items;
         items.push_back(std::make_unique<XMLNode>("UFood"));
         WritePackage(nullptr, std::move(items));
       },
       kMsgPackageNotOpened},
      {"header without a level", [&] { WritePackage(noLevel(), {}); }, kMsgPackageNotOpened},
      {"header of another name", [&] { WritePackage(otherName(), {}); }, kMsgPackageNotOpened},
      {"too new", [&] { WritePackage(tooNew(), {}); }, kMsgPackageTooNew},
  };
  for (const TCase& c : cases) {
    std::filesystem::remove(package);
    c.write();
    const std::string before = test::ReadBytes(package);
    TScriptedPrompter local;
    {
      TImportExport screen(receiver.stores, local);
      EXPECT_FALSE(screen.OpenPackage(package, NoPasswordExpected)) << c.what;
      EXPECT_FALSE(screen.CanSetPassword()) << c.what;
      EXPECT_TRUE(screen.PackageItems(kAllItemsTab, "").empty()) << c.what;
      receiver.AddFood("Barley");
      EXPECT_EQ(screen.Export(kFoods, {0}), 0u) << c.what;
    }
    EXPECT_EQ(local.shown, (std::vector<std::string>{std::string("warn: ") + c.warning,
                                                     std::string("warn: ") + kMsgNoPackageOpen}))
        << c.what;
    EXPECT_EQ(test::ReadBytes(package), before) << c.what;
  }
}

TEST_F(ImportExportTest, ItemsThatCannotBeReadAreSkippedWithOneWarning) {
  std::vector<std::unique_ptr<XMLNode>> items;
  TUserFood good("Rye Bread");
  good.P = 9;
  items.push_back(WriteUserFoodElement(good));
  auto noProtein = std::make_unique<XMLNode>(std::string(kUserFoodElement));
  noProtein->AddAttr("Name", "No Protein");
  items.push_back(std::move(noProtein));
  auto notANumber = WriteUserFoodElement(good);
  notANumber->Attributes[1].Value = "lots";
  items.push_back(std::move(notANumber));
  items.push_back(std::make_unique<XMLNode>("Spaceship"));
  TDaysMeals dayLog;
  dayLog.MenuName = "A day, not a menu";
  dayLog.ForDate = 45000;
  items.push_back(WriteFoodLogElement(dayLog));
  auto looseDrill = std::make_unique<XMLNode>(std::string(kWorkoutPackElement));
  TWorkout workout;
  workout.Name = "Bad exercise list";
  looseDrill->AddChild(WriteWorkout(workout));
  auto drills = std::make_unique<XMLNode>(std::string(kWorkoutDrillsElement));
  TDrill exported;
  exported.Name = "Positive number";
  exported.ID = 40;  // exported identifiers are negative
  drills->AddChild(WriteDrillExchange(exported));
  looseDrill->AddChild(std::move(drills));
  items.push_back(std::move(looseDrill));
  TSport sport;
  sport.Activity = "Walking";
  sport.MET = 3.5;
  items.push_back(sport.Write());
  WritePackage(Header(1), std::move(items));

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"warn: " + SkippedItemsText(5)});
  const auto listed = screen.PackageItems(kAllItemsTab, "");
  EXPECT_EQ(Names(listed), (std::vector<std::string>{"Rye Bread", "Walking"}));
  EXPECT_EQ(screen.Import(kAllItemsTab, Positions(listed)), 2u);

  TFoodList foods{"User-Added Foods", {}};
  LoadUserFoods(foods, receiver.folder.Path(), *receiver.random);
  ASSERT_EQ(foods.Foods.size(), 1u);
  EXPECT_EQ(foods.Foods[0]->Name, "Rye Bread");
  EXPECT_TRUE(receiver.menus.Menus().empty());
  EXPECT_TRUE(receiver.templates.Templates().empty());
  EXPECT_TRUE(receiver.exercises.Live().empty());
}

TEST_F(ImportExportTest, ARecordThatDoesNotDecodeIsSkipped) {
  sender.AddFood("Rye Bread");
  sender.AddFood("Oat Bread");
  ExportAll({kFoods});
  // Spoil one byte inside the last record's scrambled block.
  std::string bytes = test::ReadBytes(package);
  bytes[bytes.size() - 5] = static_cast<char>(bytes[bytes.size() - 5] ^ 0x5A);
  test::WriteBytes(package, bytes);

  TImportExport screen(receiver.stores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  EXPECT_EQ(prompter.shown, std::vector<std::string>{"warn: " + SkippedItemsText(1)});
  EXPECT_EQ(Names(screen.PackageItems(kAllItemsTab, "")), std::vector<std::string>{"Rye Bread"});
}

// The system's files, with every write under one folder refused as a full
// disk refuses it.
class TFullFolderFileSystem final : public TFileSystem {
 public:
  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& path) override {
    return PosixFileSystem().OpenRead(path);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& path) override {
    Check(path);
    return PosixFileSystem().Create(path);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& path) override {
    Check(path);
    return PosixFileSystem().OpenUpdate(path);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Check(to);
    PosixFileSystem().Rename(from, to);
  }
  void Remove(const std::filesystem::path& path) override { PosixFileSystem().Remove(path); }
  bool Exists(const std::filesystem::path& path) override { return PosixFileSystem().Exists(path); }

  std::filesystem::path full;

 private:
  void Check(const std::filesystem::path& path) const {
    if (!full.empty() && path.parent_path() == full)
      throw EXMLIOError(path.string(), "cannot create: No space left on device");
  }
};

TEST_F(ImportExportTest, AWriteTheDiskRefusesIsWarnedAboutAndCostsNothing) {
  TFullFolderFileSystem disk;
  TIEStores senderStores{sender.folder.Path(), sender.foods,     sender.menus,
                         sender.exercises,     sender.templates, sender.sports,
                         sender.config,        *sender.random,   disk};
  sender.AddFood("Rye Bread");
  sender.AddFood("Oat Bread");
  TImportExport screen(senderStores, prompter);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));
  ASSERT_TRUE(screen.Close());
  const std::string saved = test::ReadBytes(package);
  ASSERT_TRUE(screen.OpenPackage(package, NoPasswordExpected));

  // The package's folder is full: the export stays in the open package.
  disk.full = outside.Path();
  EXPECT_EQ(screen.Export(kFoods, {0, 1}), 2u);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_NE(prompter.Last().find("Korvela could not save the file"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(package), saved);
  EXPECT_FALSE(screen.Close());
  EXPECT_TRUE(screen.IsOpen());
  disk.full.clear();
  EXPECT_TRUE(screen.Close());

  // The program folder is full: the import stops with a warning and the
  // local list keeps only what was stored.
  TIEStores receiverStores{receiver.folder.Path(), receiver.foods,     receiver.menus,
                           receiver.exercises,     receiver.templates, receiver.sports,
                           receiver.config,        *receiver.random,   disk};
  TScriptedPrompter local;
  TImportExport importing(receiverStores, local);
  ASSERT_TRUE(importing.OpenPackage(package, NoPasswordExpected));
  disk.full = receiver.folder.Path();
  EXPECT_EQ(importing.Import(kAllItemsTab, {0, 1}), 0u);
  ASSERT_EQ(local.shown.size(), 1u);
  EXPECT_NE(local.Last().find(std::string(kUserFoodsFile)), std::string::npos);
  EXPECT_TRUE(receiver.foods.UserFoodList().Foods.empty());
  EXPECT_FALSE(std::filesystem::exists(receiver.folder / std::string(kUserFoodsFile)));
}

}  // namespace
}  // namespace korvela
