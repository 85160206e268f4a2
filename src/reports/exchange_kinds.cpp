#include "reports/exchange_kinds.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <variant>

#include "activities/sport_list.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_element.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "training/exercise_dictionary.h"
#include "training/workout.h"
#include "training/workout_templates.h"

namespace korvela {

std::string_view TrimmedName(std::string_view name) {
  const std::size_t first = name.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = name.find_last_not_of(" \t\r\n");
  return name.substr(first, last - first + 1);
}

bool TIEBase::IsDuplicate(const XMLNode& element) const {
  const std::string itemName = ItemName(element);
  const std::string_view name = TrimmedName(itemName);
  for (std::size_t i = 0; i < LocalCount(); ++i)
    if (SameTextIgnoringCase(TrimmedName(LocalName(i)), name)) return true;
  return false;
}

namespace {

void Require(bool condition) {
  if (!condition) throw EInvalidXMLFile();
}

bool Finite(Extended value) { return std::isfinite(static_cast<double>(value)); }

// What every food of a package must hold for the local lists: a name, finite
// nutrient values and finite measures.
void CheckFood(const TFoodItem& food) {
  Require(!TrimmedName(food.Name).empty());
  Require(Finite(food.P) && Finite(food.F) && Finite(food.C) && Finite(food.A));
  for (const TWeightItem& weight : food.weights) Require(Finite(weight.mod) && Finite(weight.gr));
}

class TIEFood final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return List().Foods.size(); }
  std::string LocalName(std::size_t index) const override { return List().Foods.at(index)->Name; }
  std::string ItemName(const XMLNode& element) const override {
    return element.AttrOrEmpty(kFoodNameAttr);
  }
  std::string KindName() const override { return "Food Item"; }
  std::string_view ElementName() const override { return kUserFoodElement; }
  std::string TabName() const override { return "Foods"; }

  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    const TFoodItem& food = *List().Foods.at(index);
    if (const auto* user = dynamic_cast<const TUserFood*>(&food))
      return WriteUserFoodElement(*user);
    TUserFood copy;
    static_cast<TFoodItem&>(copy) = food;
    copy.CategoryID = UserListIndex();
    return WriteUserFoodElement(copy);
  }

  void CheckItem(const XMLNode& element) const override { Read(element); }

  void ImportItem(const XMLNode& element) override {
    auto food = std::make_unique<TUserFood>(Read(element));
    food->ID = -1;
    // The category is a position in the sender's catalogue; one this
    // catalogue does not have files the food under "User-Added Foods".
    if (food->CategoryID < 0 || food->CategoryID > UserListIndex())
      food->CategoryID = UserListIndex();
    SaveUserFood(*food, stores_.programFolder, stores_.random, stores_.fs);
    stores_.foods.UserFoodList().Foods.push_back(std::move(food));
  }

 private:
  const TFoodList& List() const { return stores_.foods.UserFoodList(); }
  std::int32_t UserListIndex() const {
    return static_cast<std::int32_t>(stores_.foods.Lists.size()) - 2;
  }
  static TUserFood Read(const XMLNode& element) {
    Require(element.Name == kUserFoodElement);
    TUserFood food;
    ReadUserFoodElement(element, food);
    CheckFood(food);
    return food;
  }
};

class TIERecipe final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return List().Foods.size(); }
  std::string LocalName(std::size_t index) const override { return List().Foods.at(index)->Name; }
  std::string ItemName(const XMLNode& element) const override {
    return element.AttrOrEmpty(kFoodNameAttr);
  }
  std::string KindName() const override { return "Recipe"; }
  std::string_view ElementName() const override { return kFoodElement; }
  std::string TabName() const override { return "Recipes"; }

  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    return WriteFoodElement(*List().Foods.at(index));
  }

  void CheckItem(const XMLNode& element) const override { Read(element); }

  void ImportItem(const XMLNode& element) override {
    auto recipe = std::make_unique<TRecipeFood>(Read(element));
    recipe->ID = -1;
    SaveRecipe(*recipe, stores_.programFolder, stores_.random, stores_.fs);
    stores_.foods.RecipeList().Foods.push_back(std::move(recipe));
  }

 private:
  const TFoodList& List() const { return stores_.foods.RecipeList(); }
  static TRecipeFood Read(const XMLNode& element) {
    Require(element.Name == kFoodElement);
    TRecipeFood recipe;
    ReadFoodElement(element, recipe);
    CheckFood(recipe);
    Require(recipe.recipe != nullptr && RecipeNesting(recipe) <= kMaxRecipeNesting);
    const TRecepta contents = RecipeOf(recipe);
    Require(Finite(contents.NumServ) && contents.NumServ > 0);
    return recipe;
  }
};

class TIEMenu final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return stores_.menus.Menus().size(); }
  std::string LocalName(std::size_t index) const override {
    return stores_.menus.Menus().at(index)->MenuName;
  }
  std::string ItemName(const XMLNode& element) const override {
    return element.AttrOrEmpty(kMenuNameAttr);
  }
  std::string KindName() const override { return "Daily Menu"; }
  std::string_view ElementName() const override { return kFoodLogElement; }
  std::string TabName() const override { return "Menus"; }

  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    return WriteFoodLogElement(*stores_.menus.Menus().at(index));
  }

  void CheckItem(const XMLNode& element) const override { Read(element); }

  void ImportItem(const XMLNode& element) override {
    auto menu = std::make_unique<TDaysMeals>(Read(element));
    menu->ID = -1;
    stores_.menus.SaveMenu(std::move(menu));
  }

 private:
  // Only a menu (no date) is taken; a day's log is not an item of any kind.
  static TDaysMeals Read(const XMLNode& element) {
    Require(element.Name == kFoodLogElement);
    TDaysMeals menu = ReadFoodLogElement(element);
    Require(menu.IsMenu());
    return menu;
  }
};

// An exercise as it comes into the dictionary: a new, live exercise without
// the sender's own values and picture.
TDrill IncomingExercise(TDrill drill) {
  drill.ID = -1;
  drill.UDOne.clear();
  drill.UDTwo.clear();
  drill.UDThree.clear();
  drill.UDFour.clear();
  drill.UImg.clear();
  drill.Deleted = false;
  return drill;
}

TDrill ReadPackageDrill(const XMLNode& element, bool exchangeForm) {
  Require(element.Name == kDrillElement);
  TDrill drill = ReadDrill(element, exchangeForm);
  Require(!TrimmedName(drill.Name).empty());
  return drill;
}

class TIEDrill final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return stores_.exercises.Live().size(); }
  std::string LocalName(std::size_t index) const override {
    return stores_.exercises.Live().at(index)->Name;
  }
  std::string ItemName(const XMLNode& element) const override {
    return element.AttrOrEmpty("Name");
  }
  std::string KindName() const override { return "Exercise"; }
  std::string_view ElementName() const override { return kDrillElement; }
  std::string TabName() const override { return "Exercises"; }

  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    return WriteDrill(*stores_.exercises.Live().at(index));
  }
  void OpenStore() override { stores_.exercises.OpenFile(); }
  void CloseStore() override { stores_.exercises.CloseFile(); }

  void CheckItem(const XMLNode& element) const override { ReadPackageDrill(element, false); }

  void ImportItem(const XMLNode& element) override {
    stores_.exercises.AddExercise(IncomingExercise(ReadPackageDrill(element, false)));
  }
};

class TIESport final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return stores_.sports.Count(); }
  std::string LocalName(std::size_t index) const override {
    return stores_.sports.At(index).Activity;
  }
  std::string ItemName(const XMLNode& element) const override {
    return element.AttrOrEmpty(kSportActivityAttr);
  }
  std::string KindName() const override { return "Sport, Activity"; }
  std::string_view ElementName() const override { return kSportElement; }
  std::string TabName() const override { return "Activities"; }

  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    return stores_.sports.At(index).Write();
  }

  void CheckItem(const XMLNode& element) const override { Read(element); }

  void ImportItem(const XMLNode& element) override {
    TSport sport = Read(element);
    sport.ID = -1;
    stores_.sports.AddSport(sport);
  }

 private:
  static TSport Read(const XMLNode& element) {
    TSport sport;
    sport.Read(element);
    Require(!TrimmedName(sport.Activity).empty());
    Require(std::isfinite(sport.MET) && sport.MET > 0);
    Require(sport.Per >= 0 && sport.Per <= 1440);
    return sport;
  }
};

// A workout template read from its package element, with the exercises it
// carries.
struct TPackedTemplate {
  TWorkout workout;
  std::vector<TDrill> drills;  // each with the sender's identifier negated
};

class TIEWorkout final : public TIEBase {
 public:
  using TIEBase::TIEBase;
  std::size_t LocalCount() const override { return stores_.templates.Templates().size(); }
  std::string LocalName(std::size_t index) const override {
    return stores_.templates.Templates().at(index).Name;
  }
  std::string ItemName(const XMLNode& element) const override {
    const XMLNode* workout = element.FindChild("Workout");
    return workout ? std::string(workout->AttrOrEmpty("Name")) : std::string();
  }
  std::string KindName() const override { return "Workout Template"; }
  std::string_view ElementName() const override { return kWorkoutPackElement; }
  std::string TabName() const override { return "Workouts"; }

  // The template and, in order of first use, every exercise its lines name,
  // in exchange form under its identifier negated.
  std::unique_ptr<XMLNode> ExportItem(std::size_t index) const override {
    const TWorkout& workout = stores_.templates.Templates().at(index);
    auto element = std::make_unique<XMLNode>(std::string(kWorkoutPackElement));
    element->AddChild(WriteWorkout(workout));
    auto drills = std::make_unique<XMLNode>(std::string(kWorkoutDrillsElement));
    std::vector<std::int32_t> written;
    for (const TWLine& line : workout.Lines) {
      const auto* set = std::get_if<TDrillSet>(&line);
      if (!set || set->DID < 0) continue;
      if (std::find(written.begin(), written.end(), set->DID) != written.end()) continue;
      written.push_back(set->DID);
      const TDrill* drill = stores_.exercises.Find(set->DID);
      if (!drill) continue;
      TDrill exchange = *drill;
      exchange.ID = -drill->ID;
      drills->AddChild(WriteDrillExchange(exchange));
    }
    element->AddChild(std::move(drills));
    return element;
  }
  void OpenStore() override {
    stores_.exercises.OpenFile();
    stores_.templates.OpenFile();
  }
  void CloseStore() override {
    stores_.templates.CloseFile();
    stores_.exercises.CloseFile();
  }

  void CheckItem(const XMLNode& element) const override { Read(element); }

  void ImportItem(const XMLNode& element) override {
    TPackedTemplate packed = Read(element);
    // The sender's exercise identifiers and the local exercises they become.
    std::map<std::int32_t, std::int32_t> local;
    for (TDrill& drill : packed.drills) {
      const std::int32_t sent = -drill.ID;
      local[sent] = LinkIncomingExercise(stores_.exercises, std::move(drill));
    }
    // A line naming an exercise the package does not carry would otherwise
    // point at whatever local exercise has that number: it keeps its values
    // but names no exercise.
    for (TWLine& line : packed.workout.Lines) {
      auto* set = std::get_if<TDrillSet>(&line);
      if (!set || set->DID == -1) continue;
      const auto found = local.find(set->DID);
      set->DID = found == local.end() ? -1 : found->second;
    }
    stores_.templates.Save(std::move(packed.workout), stores_.exercises);
  }

 private:
  TPackedTemplate Read(const XMLNode& element) const {
    Require(element.Name == kWorkoutPackElement);
    const XMLNode* workout = element.FindChild("Workout");
    Require(workout != nullptr);
    TPackedTemplate packed{ReadWorkout(*workout, stores_.config), {}};
    packed.workout.ID = -1;
    packed.workout.Date = -1;
    if (const XMLNode* drills = element.FindChild(kWorkoutDrillsElement)) {
      for (const auto& child : drills->Children) packed.drills.push_back(ReadSentExercise(*child));
    }
    return packed;
  }
};

}  // namespace

std::int32_t LinkIncomingExercise(TExerciseDictionary& dictionary, TDrill drill) {
  drill = IncomingExercise(std::move(drill));
  for (const auto& live : dictionary.Live())
    if (SameExerciseName(live->Name, drill.Name)) return live->ID;
  const auto& deleted = dictionary.DeletedList();
  for (std::size_t i = 0; i < deleted.size(); ++i)
    if (SameExerciseName(deleted[i]->Name, drill.Name)) return dictionary.RestoreExercise(i).ID;
  return dictionary.AddExercise(std::move(drill)).ID;
}

TDrill ReadSentExercise(const XMLNode& element) {
  TDrill drill = ReadPackageDrill(element, true);
  // Sent identifiers are negated exercise identifiers.
  Require(drill.ID < -1);
  return drill;
}

std::vector<std::unique_ptr<TIEBase>> MakeExchangeKinds(TIEStores& stores) {
  std::vector<std::unique_ptr<TIEBase>> kinds;
  kinds.push_back(std::make_unique<TIEFood>(stores));
  kinds.push_back(std::make_unique<TIERecipe>(stores));
  kinds.push_back(std::make_unique<TIEMenu>(stores));
  kinds.push_back(std::make_unique<TIEDrill>(stores));
  kinds.push_back(std::make_unique<TIESport>(stores));
  kinds.push_back(std::make_unique<TIEWorkout>(stores));
  return kinds;
}

}  // namespace korvela
