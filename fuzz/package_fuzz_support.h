#pragma once
// A throw-away installation for the package fuzz target and its seed writer:
// the shared collections of a program folder, as the program holds them after
// start-up, with a few local items so that duplicates and restored exercises
// are reached.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "activities/sport_list.h"
#include "fuzz_support.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "reports/exchange_kinds.h"
#include "storage/random.h"
#include "storage/unsynced_file_system.h"
#include "training/exercise_dictionary.h"
#include "training/workout_templates.h"
#include "users/configurator.h"
#include "users/prompter.h"

namespace korvela::fuzz {

inline TFileSystem& ScratchFileSystem() {
  static TUnsyncedFileSystem fs;
  return fs;
}

class TScratchInstallation {
 public:
  TScratchInstallation(std::filesystem::path folder, std::uint64_t seed)
      : folder_(std::move(folder)), random_(MakeSeededRandom(seed)) {
    foods_.Lists.push_back({"Breads", {}});
    foods_.Lists.push_back({std::string(kUserFoodsListName), {}});
    foods_.Lists.push_back({std::string(kRecipesListName), {}});
    LoadUserFoods(foods_.UserFoodList(), folder_, *random_, fs_);
    LoadRecipes(foods_.RecipeList(), folder_, *random_, fs_);
    menus_.LoadMenus();
    exercises_.Load();
    templates_.Load();
    sports_.LoadSports();
  }

  // Local items of every kind: a food, a recipe, a menu, exercises (one of
  // them deleted), an activity and a template naming two exercises.
  void Populate() {
    auto food = std::make_unique<TUserFood>("Rye Bread");
    food->P = 8.5;
    food->C = 48;
    food->CategoryID = 0;
    food->weights.push_back({"slice", 1, 32});
    SaveUserFood(*food, folder_, *random_, fs_);
    foods_.UserFoodList().Foods.push_back(std::move(food));

    auto recipe = std::make_unique<TRecipeFood>(TFoodItem("Porridge"));
    TRecepta contents;
    TWFoodItem oats;
    oats.Name = "Oats";
    oats.P = 13;
    oats.C = 60;
    oats.WI = 0;
    oats.WM = 80;
    oats.WMStr = "80";
    contents.ingredients.push_back(oats);
    SetRecipe(*recipe, contents);
    SaveRecipe(*recipe, folder_, *random_, fs_);
    foods_.RecipeList().Foods.push_back(std::move(recipe));

    auto menu = std::make_unique<TDaysMeals>();
    menu->MenuName = "Rest Day";
    menu->meals.push_back({"Breakfast", 0.3, {oats}});
    menus_.SaveMenu(std::move(menu));

    TDrill bench;
    bench.Name = "Bench Press";
    bench.TDM = TMeasureKind::Weight;
    bench.Muscles = "Chest";
    const std::int32_t benchID = exercises_.AddExercise(bench).ID;
    TDrill plank;
    plank.Name = "Plank";
    plank.TDM = TMeasureKind::Time;
    const std::int32_t plankID = exercises_.AddExercise(plank).ID;
    TDrill run;
    run.Name = "Running";
    run.TDM = TMeasureKind::DistanceTime;
    exercises_.AddExercise(run);

    TSport sport;
    sport.Activity = "Rowing";
    sport.MET = 7;
    sport.Per = 30;
    sports_.AddSport(sport);

    TWorkout workout;
    workout.Name = "Upper Body";
    workout.Lines.push_back(TWSection{});
    for (const std::int32_t id : {benchID, plankID, benchID}) {
      TDrillSet line = NewSetLine(config_);
      line.DID = id;
      line.Sets = 3;
      line.Reps = "8";
      workout.Lines.push_back(line);
    }
    templates_.Save(std::move(workout), exercises_);
  }

  // Deletes the exercise of that name, so that an import may restore it.
  void DeleteExercise(const std::string& name) {
    for (std::size_t i = 0; i < exercises_.Live().size(); ++i)
      if (exercises_.Live()[i]->Name == name) {
        exercises_.DeleteExercise(i);
        return;
      }
  }

  TIEStores& Stores() { return stores_; }
  TRandom& Random() { return *random_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<TRandom> random_;
  TFileSystem& fs_ = ScratchFileSystem();
  TConfigurator config_;
  TFoodTree foods_;
  TMenuList menus_{folder_, *random_, fs_};
  TExerciseDictionary exercises_{folder_, *random_, fs_};
  TTemplateList templates_{folder_, config_, *random_, fs_};
  TSportList sports_{folder_, *random_, fs_};
  TIEStores stores_{folder_, foods_,  menus_,   exercises_, templates_,
                    sports_, config_, *random_, fs_};
};

// A program folder of the populated installation with "Plank" deleted, made
// once per process under this scratch name; every run copies it.
inline const std::filesystem::path& PopulatedTemplateFolder(const char* name) {
  static const std::filesystem::path folder = [name] {
    std::filesystem::path f = ScratchFile(name);
    std::filesystem::remove_all(f);
    std::filesystem::create_directories(f);
    TScratchInstallation installation(f, 1);
    installation.Populate();
    installation.DeleteExercise("Plank");
    return f;
  }();
  return folder;
}

// Says nothing and imports every duplicate.
class TQuietPrompter final : public TPrompter {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::YesToAll; }
};

// The password the fuzz target types once when a package asks for one.
inline constexpr const char* kFuzzPassword = "fuzz";

}  // namespace korvela::fuzz
