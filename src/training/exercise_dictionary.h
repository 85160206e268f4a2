#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "storage/xml_node.h"

namespace korvela {

// The exercise dictionary shared by every account: a record database in the
// program folder; classifications under identifiers 11 to 20, exercises
// above, every record under date key 0.
inline constexpr std::string_view kExerciseFile = "GDDB.DAT";
inline constexpr std::int32_t kExerciseDBKind = 94387390;

inline constexpr std::int32_t kFirstClassID = 11;
inline constexpr std::int32_t kLastClassID = 20;
inline constexpr std::int32_t kMusclesClassID = 11;
inline constexpr std::int32_t kMovementClassID = 12;
inline constexpr std::int32_t kEquipmentClassID = 13;
inline constexpr std::int32_t kUserClassOneID = 14;
inline constexpr std::int32_t kUserClassFourID = 17;

inline constexpr const char* kDrillElement = "Drill";
inline constexpr const char* kDClassElement = "DClass";
inline constexpr const char* kSubClassElement = "SubC";

// How a set of an exercise is measured.
enum class TMeasureKind : std::uint8_t {
  Unset = 0,
  Weight = 1,        // repetitions and a weight
  Reps = 2,          // repetitions only
  Time = 3,          // a duration
  DistanceTime = 4,  // a distance and the time it took
  Distance = 5,      // a distance
};

struct TDrill {
  std::int32_t ID = -1;
  std::string Name;
  std::string ShortName;
  std::string Muscles;
  std::string Equipment;
  std::string TOM;  // movement type
  TMeasureKind TDM = TMeasureKind::Unset;
  std::uint8_t LAT = 0;  // 1: one hand, leg or side at a time
  std::string Instructions;
  std::string UDOne, UDTwo, UDThree, UDFour;
  std::string UImg;  // path of an external picture
  bool Deleted = false;

  bool Unilateral() const { return LAT == 1; }
  // The value of a classification (11 to 17) in this exercise.
  std::string& ClassValue(std::int32_t classID);
  const std::string& ClassValue(std::int32_t classID) const;
};

// A classification with its sub-class names in order.
struct TDClass {
  std::int32_t ID = -1;
  std::string Name;
  std::vector<std::string> SubClasses;
};

// The default name of classification 11 to 17.
std::string DefaultClassName(std::int32_t classID);

// Element forms: the stored form (dictionary file, exchange packages of
// exercises) and the exchange form inside workout-template packages, which
// carries "ID" and never the picture or the deleted mark.
std::unique_ptr<XMLNode> WriteDrill(const TDrill& drill);
std::unique_ptr<XMLNode> WriteDrillExchange(const TDrill& drill);
// Reads either form; "Name", "TDM" and "LAT" are required.
TDrill ReadDrill(const XMLNode& element, bool exchangeForm);
std::unique_ptr<XMLNode> WriteDClass(const TDClass& dclass);
TDClass ReadDClass(const XMLNode& element, std::int32_t id);

// Eight filter texts: name, target muscles, equipment, movement type, user
// defined #1 to #4.
using TExerciseFilter = std::array<std::string, 8>;

// Whether a filter text matches a field: blank, or every word of it occurs in
// the field, letter case ignored. Words are separated by blanks and
// ! # $ % & ( ) * , . : ; @ [ \ ] ^ _ ~ (not by "-", "/", "+", quotes or digits).
bool FilterTextMatches(std::string_view filter, std::string_view field);
// Names are the same when equal after removing every blank, letter case ignored.
bool SameExerciseName(std::string_view a, std::string_view b);

// The dictionary from start-up to exit: the live exercises (sorted by name
// when loaded and whenever a list shows them whole), the deleted ones (still
// named by old workouts) and the classifications.
class TExerciseDictionary {
 public:
  TExerciseDictionary(const std::filesystem::path& programFolder, TRandom& random,
                      TFileSystem& fs = PosixFileSystem());
  ~TExerciseDictionary();

  // Reads the whole file (creating it when absent), stores the missing
  // classifications 11 to 17 and sorts the live list. An unreadable record
  // raises EInvalidXMLFile naming the file.
  void Load();

  // The dictionary screen keeps the file open while it is shown; saves
  // outside it open the file for the one write.
  void OpenFile();
  void CloseFile();
  bool IsFileOpen() const { return db_ != nullptr; }

  // Writes the exercise, allocating its identifier when it has none. A disk
  // that refuses the write raises EXMLIOError and leaves the file and the
  // exercise as they were (a new one gets its identifier back to -1).
  void SaveExercise(TDrill& drill);
  // Raises EInternalError "Bad DClass ID" for a classification without one.
  void SaveClass(const TDClass& dclass);

  // Live exercises first, then deleted ones; none when absent.
  const TDrill* Find(std::int32_t id) const;
  TDClass* FindClass(std::int32_t id);
  const TDClass* FindClass(std::int32_t id) const;
  // The name a classification (11 to 17) has now.
  std::string ClassName(std::int32_t classID) const;

  // The short name when asked for and set, else the full name; empty for an
  // unknown identifier.
  std::string DisplayName(std::int32_t id, bool shortNames) const;
  // Another live exercise (a different identifier) has this name.
  bool IsDuplicate(std::string_view name, std::int32_t id) const;
  // Positions in the live list of the exercises every filter text matches.
  std::vector<std::size_t> Filter(const TExerciseFilter& filter) const;

  void SortLive();
  const std::vector<std::unique_ptr<TDrill>>& Live() const { return live_; }
  const std::vector<std::unique_ptr<TDrill>>& DeletedList() const { return deleted_; }
  const std::vector<TDClass>& Classes() const { return classes_; }

  // The dictionary screen's commands, each saved at once: a new exercise is
  // appended to the live list, an edited one replaces the one at its
  // position, a deleted one moves to the deleted list.
  const TDrill& AddExercise(TDrill drill);
  const TDrill& ReplaceExercise(std::size_t position, TDrill drill);
  void DeleteExercise(std::size_t position);
  // Brings the deleted exercise at this position of DeletedList() back: it
  // loses its deleted mark, is saved and moves to the end of the live list.
  const TDrill& RestoreExercise(std::size_t deletedPosition);
  // The same list changes for an exercise the editor has saved already.
  const TDrill& AppendSaved(TDrill drill);
  const TDrill& ReplaceSaved(std::size_t position, TDrill drill);

  const std::filesystem::path& FileName() const { return file_; }

 private:
  template <typename TAction>
  void WithFile(TAction action);

  std::filesystem::path file_;
  TRandom& random_;
  TFileSystem& fs_;
  std::unique_ptr<XMLDB> db_;
  std::vector<std::unique_ptr<TDrill>> live_;
  std::vector<std::unique_ptr<TDrill>> deleted_;
  std::vector<TDClass> classes_;
};

}  // namespace korvela
