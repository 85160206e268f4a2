#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"
#include "training/exercise_dictionary.h"

namespace korvela {

class TFoodTree;
class TMenuList;
class TExerciseDictionary;
class TTemplateList;
class TSportList;
class TConfigurator;

// The local collections an exchange reads from and adds to.
struct TIEStores {
  std::filesystem::path programFolder;
  TFoodTree& foods;
  TMenuList& menus;
  TExerciseDictionary& exercises;
  TTemplateList& templates;
  TSportList& sports;
  const TConfigurator& config;
  TRandom& random;
  TFileSystem& fs;
};

inline constexpr std::string_view kWorkoutPackElement = "IEW";
inline constexpr std::string_view kWorkoutDrillsElement = "IED";

// One kind of item a package carries: how its local items are listed and
// exported, and how a package element of the kind is named, checked and
// imported.
class TIEBase {
 public:
  explicit TIEBase(TIEStores& stores) : stores_(stores) {}
  virtual ~TIEBase() = default;
  TIEBase(const TIEBase&) = delete;
  TIEBase& operator=(const TIEBase&) = delete;

  // By element name.
  virtual bool IsOfKind(const XMLNode& element) const { return element.Name == ElementName(); }
  virtual std::size_t LocalCount() const = 0;
  virtual std::string LocalName(std::size_t index) const = 0;
  virtual std::string ItemName(const XMLNode& element) const = 0;
  virtual std::string KindName() const = 0;
  virtual std::unique_ptr<XMLNode> ExportItem(std::size_t index) const = 0;
  virtual void OpenStore() {}
  // A local item has the same name: both trimmed of blanks, letter case
  // ignored.
  virtual bool IsDuplicate(const XMLNode& element) const;
  // Reads the element completely with the kind's own reader and checks what
  // the local collection relies on; raises EKorvelaError when it cannot be
  // imported. Nothing is stored.
  virtual void CheckItem(const XMLNode& element) const = 0;
  // Reads the element into a new local item, stores it and lists it.
  virtual void ImportItem(const XMLNode& element) = 0;
  virtual void CloseStore() {}

  virtual std::string_view ElementName() const = 0;
  // The caption of the kind's tab.
  virtual std::string TabName() const = 0;

 protected:
  TIEStores& stores_;
};

// The six kinds in the order of the screen's tabs: foods, recipes, menus,
// exercises, activities, workout templates.
std::vector<std::unique_ptr<TIEBase>> MakeExchangeKinds(TIEStores& stores);

// The local exercise a sent exercise stands for: the live exercise of its
// name, else a deleted one of that name brought back, else the exercise
// added as a new one without the sender's own values and picture. Returns
// its identifier.
std::int32_t LinkIncomingExercise(TExerciseDictionary& dictionary, TDrill drill);
// An exercise sent in exchange form under its negated identifier; raises
// EInvalidXMLFile when it is not one.
TDrill ReadSentExercise(const XMLNode& element);

// The name trimmed of leading and trailing blanks.
std::string_view TrimmedName(std::string_view name);

}  // namespace korvela
