#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The workout templates shared by every account: a record database in the
// program folder, one "Workout" document per template under its ID.
inline constexpr std::string_view kTemplateFile = "PWTD.DAT";
inline constexpr std::int32_t kTemplateDBKind = 482319762;
inline constexpr std::int32_t kFirstTemplateID = 11;

// The template list, read at start-up and kept for the run in file order.
class TTemplateList {
 public:
  TTemplateList(const std::filesystem::path& programFolder, const TConfigurator& config,
                TRandom& random, TFileSystem& fs = PosixFileSystem());
  ~TTemplateList();

  // Every record above 10, in file order; an absent file holds none and is
  // not created.
  void Load();
  // The training log screen keeps the file open while it is shown.
  void OpenFile();
  void CloseFile();

  // Writes the template made ready for writing, allocating its ID when it
  // has none, and puts it into the list (replacing the entry of its ID).
  // Returns the template in the list.
  const TWorkout& Save(TWorkout workout, const TExerciseDictionary& dictionary);
  // Removes a stored template; its ID becomes -1.
  void Delete(TWorkout& workout);

  const std::vector<TWorkout>& Templates() const { return templates_; }

 private:
  template <typename TAction>
  void WithFile(TAction action);

  std::filesystem::path file_;
  const TConfigurator& config_;
  TRandom& random_;
  TFileSystem& fs_;
  std::unique_ptr<XMLDB> db_;
  std::vector<TWorkout> templates_;
};

}  // namespace korvela
