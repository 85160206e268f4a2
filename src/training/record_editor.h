#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/date_time.h"
#include "training/personal_record.h"
#include "users/configurator.h"

namespace korvela {

// Texts of the personal records history and its record editor.
inline constexpr const char* kRecordHistoryCaption = "Personal Records History";
inline constexpr const char* kRecordFilterCaption = "Filter by Exercise: ";
inline constexpr const char* kRecordEditorCaption = "Add/Edit a Personal Record";
inline constexpr const char* kRecordStepOne = "Step 1. Select Exercise (Press the \"<..\" Button)";
inline constexpr const char* kRecordStepTwo = "Step 2. Enter the Date of the Record";
inline constexpr const char* kRecordStepThree = "Step 3. Enter Record";
inline constexpr const char* kRecordStepFour = "Step 4. Enter Record Notes";

// "Do you really want to delete the Bench Press Record?"
std::string RecordDeleteQuestion(std::string_view exerciseName);

// A new record: no exercise, no limb, dated `today`, its weight and
// distance units those of the user's unit system.
TDrillPR NewRecord(const TConfigurator& config, TDateTime today);
// The exercise picked in the editor. Another exercise than the record's
// starts the record afresh: no limb, no weight, repetitions, time or
// distance. Date and notes stay.
void ChooseRecordExercise(TDrillPR& record, std::int32_t did);

// The record editor's time picker holds minutes and seconds of less than a
// day; a time of an hour or more shows its whole minutes ("75:00").
inline constexpr int kMaxRecordSeconds = 24 * 3600 - 1;
std::string MinutesSecondsText(int seconds);
// Reads "mm:ss" (any number of minute digits, two second digits below 60);
// none for other text or beyond the picker's range.
std::optional<int> ParseMinutesSeconds(std::string_view text);

}  // namespace korvela
