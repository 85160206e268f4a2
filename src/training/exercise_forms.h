#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "training/exercise_dictionary.h"

namespace korvela {

// Texts of the exercise screens.
inline constexpr const char* kDictionaryCaption = "Dictionary of Exercises";
inline constexpr const char* kPickerCaption = "Select Exercise";
inline constexpr const char* kPickerHeading = "Filter Exercises By...";
inline constexpr const char* kExerciseEditorCaption = "Exercise Editor...";
inline constexpr const char* kSelectorCaption = "Selector";
inline constexpr const char* kHowToMeasureCaption = "    How to measure this exercise?     ";
inline constexpr std::array<const char*, 5> kMeasureCaptions = {
    "Weight                 (bench press; weighted pullups...)",
    "Reps(no weight)   (non-weighted pullups, pushups...)",
    "Time                     (holding a bridge for time...)",
    "Distance/Time     (jogging, running...) ",
    "Distance              (long jump, high jump, throws...)"};
inline constexpr const char* kUnilateralCaption =
    "Unilateral (executed with one hand/leg/side at a time)";
inline constexpr const char* kImageCaption = "Associate exercise with external image:";
inline constexpr const char* kImageChooserTitle = "Assign image to an exercise";
inline constexpr const char* kNewExerciseName = "A new exercise";
inline constexpr const char* kCopyNamePrefix = "A Copy of ";
inline constexpr const char* kSelectorHint = "* Hold the CTRL key for multiple selections";
inline constexpr const char* kNewSubClassName = "new...";
inline constexpr std::array<const char*, 4> kDictionaryColumns = {"Exercise", "Target Muscles",
                                                                  "Equipment", "Movement Type"};

inline constexpr const char* kNameMissingMessage = "Please, enter a name for the exercise";
inline constexpr const char* kKindMissingMessage =
    "Please, classify the exercise according to how it is measured";
inline constexpr const char* kDuplicateExerciseMessage =
    "This exercise has been already added to the dictionary!";
inline constexpr const char* kClassNameMissingMessage = "Please, provide a classification name";

// "Do you really want to delete <name>?"
std::string DeleteQuestion(std::string_view name);

// The editor's fields as the user typed them.
struct TExerciseForm {
  std::string name, shortName, muscles, equipment, movement;
  std::array<std::string, 4> user;
  int kindIndex = -1;  // the chosen measurement caption, -1 for none
  bool unilateral = false;
  std::string instructions;
  std::string image;
};

TExerciseForm FormOf(const TDrill& drill);

// What the editor starts from: a new exercise, a copy of one for editing
// (same identifier) or for a new exercise made from it.
enum class TEditMode { New, Edit, Copy };
TDrill EditorStart(TEditMode mode, const TDrill* chosen);

enum class TExerciseField { Name, Kind };
struct TFormProblem {
  TExerciseField field;
  const char* message;
};

// The name field on leaving it: blank after trimming is a mistake.
std::optional<TFormProblem> CheckExerciseName(std::string_view name);
// OK: a name, a measurement kind, and no other live exercise of that name.
std::optional<TFormProblem> CheckExerciseForm(const TExerciseForm& form, std::int32_t id,
                                              const TExerciseDictionary& dictionary);
// The checked fields into the exercise: names and the first two
// classifications trimmed, the rest as typed.
void ApplyExerciseForm(const TExerciseForm& form, TDrill& drill);

// The classification selector's Result text: a selected sub-class is
// appended after ", "; a deselected one is removed as a whole item.
std::string AddToResult(std::string_view result, std::string_view name);
std::string RemoveFromResult(std::string_view result, std::string_view name);

// Moves the selected items one place up (an item at the top stays) or down
// (the last stays); the selection moves with them.
void MoveSelectedUp(std::vector<std::string>& items, std::vector<bool>& selected);
void MoveSelectedDown(std::vector<std::string>& items, std::vector<bool>& selected);

// The preview's information cell: each non-empty field as "Label: value"
// lines, every text escaped, instructions last with their line breaks kept.
std::string ExerciseInformationHtml(const TExerciseForm& form,
                                    const TExerciseDictionary& dictionary);
// The preview's name: the shorter name when asked for and typed.
std::string PreviewName(const TExerciseForm& form, bool shortNames);
// A "file://" address of a local path, every character outside the
// unreserved set percent-encoded (a relative path is made absolute).
std::string FileUrl(std::string_view path);

}  // namespace korvela
