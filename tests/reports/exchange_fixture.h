#pragma once
#include <memory>
#include <string>

#include "activities/sport_list.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "reports/exchange_kinds.h"
#include "storage/random.h"
#include "support/temp_folder.h"
#include "training/exercise_dictionary.h"
#include "training/workout_templates.h"
#include "users/configurator.h"

namespace korvela::test {

// One installation's shared collections in a program folder of its own, as
// the program holds them after start-up.
class TInstallation {
 public:
  explicit TInstallation(std::uint64_t seed) : random(MakeSeededRandom(seed)) {
    foods.Lists.push_back({"Vegetables", {}});
    foods.Lists.push_back({std::string(kUserFoodsListName), {}});
    foods.Lists.push_back({std::string(kRecipesListName), {}});
    exercises.Load();
    sports.LoadSports();
  }

  TUserFood& AddFood(const std::string& name, Extended protein = 10) {
    auto food = std::make_unique<TUserFood>(name);
    food->P = protein;
    food->F = 2;
    food->C = 30;
    food->CategoryID = 0;
    food->weights.push_back({"slice", 1, 35});
    SaveUserFood(*food, folder.Path(), *random);
    auto& list = foods.UserFoodList().Foods;
    list.push_back(std::move(food));
    return static_cast<TUserFood&>(*list.back());
  }

  TRecipeFood& AddRecipe(const std::string& name) {
    auto recipe = std::make_unique<TRecipeFood>(TFoodItem(name));
    TRecepta contents;
    contents.ServStr = "2";
    contents.NumServ = 2;
    TWFoodItem rice;
    rice.Name = "Rice";
    rice.C = 78;
    rice.WI = 0;
    rice.WM = 150;
    rice.WMStr = "150";
    contents.ingredients.push_back(rice);
    SetRecipe(*recipe, contents);
    SaveRecipe(*recipe, folder.Path(), *random);
    auto& list = foods.RecipeList().Foods;
    list.push_back(std::move(recipe));
    return static_cast<TRecipeFood&>(*list.back());
  }

  TDaysMeals& AddMenu(const std::string& name) {
    auto menu = std::make_unique<TDaysMeals>();
    menu->MenuName = name;
    TMeal breakfast;
    breakfast.Name = "Breakfast";
    breakfast.TOD = 0.3;
    TWFoodItem oats;
    oats.Name = "Oats";
    oats.P = 13;
    oats.WI = 0;
    oats.WM = 80;
    oats.WMStr = "80";
    breakfast.foods.push_back(oats);
    menu->meals.push_back(breakfast);
    return menus.SaveMenu(std::move(menu));
  }

  std::int32_t AddExercise(const std::string& name, TMeasureKind kind = TMeasureKind::Weight) {
    TDrill drill;
    drill.Name = name;
    drill.TDM = kind;
    drill.Muscles = "Chest";
    drill.UDOne = "own note";
    return exercises.AddExercise(drill).ID;
  }

  const TSport& AddSport(const std::string& name, double met = 6) {
    TSport sport;
    sport.Activity = name;
    sport.MET = met;
    sport.Per = 30;
    return sports.AddSport(sport);
  }

  // A template with one set line per exercise identifier.
  const TWorkout& AddTemplate(const std::string& name, const std::vector<std::int32_t>& drills) {
    TWorkout workout;
    workout.Name = name;
    for (const std::int32_t id : drills) {
      TDrillSet line = NewSetLine(config);
      line.DID = id;
      line.Sets = 3;
      line.Reps = "8";
      workout.Lines.push_back(line);
    }
    return templates.Save(std::move(workout), exercises);
  }

  TTempFolder folder;
  TConfigurator config;
  std::unique_ptr<TRandom> random;
  TFoodTree foods;
  TMenuList menus{folder.Path(), *random};
  TExerciseDictionary exercises{folder.Path(), *random};
  TTemplateList templates{folder.Path(), config, *random};
  TSportList sports{folder.Path(), *random};
  TIEStores stores{folder.Path(), foods,  menus,   exercises,        templates,
                   sports,        config, *random, PosixFileSystem()};
};

}  // namespace korvela::test
