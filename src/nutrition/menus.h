#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "nutrition/day_plan.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The menus every user shares: a record database in the program folder, one
// "FoodLog" document (ForDate 0, MenuName) per menu under the menu's ID.
inline constexpr std::string_view kMenusFile = "FM.DAT";
inline constexpr std::int32_t kMenusKind = 834763;

// The menu list, read once at start-up and kept for the whole run. Menus are
// held by pointer so that a screen can work on a menu in the list itself.
// Every change is written to "FM.DAT" at once.
class TMenuList {
 public:
  TMenuList(const std::filesystem::path& programFolder, TRandom& random,
            TFileSystem& fs = PosixFileSystem());

  // Replaces the list with every menu of "FM.DAT" in file order. An absent
  // file holds no menus and is not created.
  void LoadMenus();

  const std::vector<std::unique_ptr<TDaysMeals>>& Menus() const { return menus_; }
  // Position of the menu object in the list; -1 when it is not in it.
  int IndexOf(const TDaysMeals& menu) const;

  // Stores the menu under its ID; a menu without one is given an ID and its
  // object is moved to the end of the list. Returns the menu in the list.
  TDaysMeals& SaveMenu(std::unique_ptr<TDaysMeals> menu);
  // Stores a menu already in the list.
  void SaveMenu(TDaysMeals& menu);
  // Deletes a stored menu's record and removes it from the list.
  void DeleteMenu(TDaysMeals& menu);
  // Discards the changes of a stored menu: a fresh object read from its
  // record takes its place in the list and is returned. A menu never stored
  // is returned as it is.
  TDaysMeals& RevertMenu(TDaysMeals& menu);

 private:
  std::filesystem::path file_;
  TRandom& random_;
  TFileSystem& fs_;
  std::vector<std::unique_ptr<TDaysMeals>> menus_;
};

}  // namespace korvela
