#pragma once
#include <array>
#include <string>
#include <utility>

#include "energy/energy_model.h"
#include "energy/nutrition_plan.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

// The two emphasis colours of the dashboard; None keeps the panel's own.
enum class TEmphasis { None, Blue, Red };

struct TCalorieBalancePanel {
  std::string eaten;
  std::string thermicEffect;
  std::string restingRate;
  std::string physicalActivity;
  std::string exercise;
  std::string expenditure;
  std::string balance;
  TEmphasis balanceColour = TEmphasis::None;
  bool balanceUnitShown = true;  // the "cal" after the balance
};

// Rows protein, fats, carbs; columns grams, calories, percent, per bodyweight.
struct TCompositionPanel {
  std::string perWeightTitle;  // "gr. per kg" or "gr. per lbs"
  std::array<std::array<std::string, 4>, 3> cells;
};

struct TActivityZonePanel {
  std::array<std::string, 3> lines;
  std::array<bool, 3> lineShown{};
  bool pointerShown = false;
  int pointer = 0;  // on the gauge's scale, 16 ... 224
};

struct TWeightProfilePanel {
  std::string lastWeighIn;
  std::string projectedWeight;
  std::string targetWeight;
  std::string targetDate;
  std::string remaining;
};

// Everything the main window's panels show for one day.
struct TDashboardView {
  std::string longHeading;   // "15 June, 2007": the balance and composition panels, the date label
  std::string shortHeading;  // the weight and activity profile panels
  TCalorieBalancePanel balance;
  TCompositionPanel composition;
  TActivityZonePanel zone;
  TWeightProfilePanel weight;
  TNutritionPlan plan;
  // The model asks for a weigh-in: the window puts the question now. It is
  // raised once until the model's flags are cleared.
  bool askForWeighIn = false;
};

inline constexpr const char* kNotReported = "Not reported";
inline constexpr const char* kNoRecord = "N/R";
inline constexpr const char* kNotAvailable = "N/A";
inline constexpr const char* kNoZoneInformation = "No Information Available";
inline constexpr const char* kNotSet = "Not Set";
inline constexpr const char* kWeighInQuestion =
    "Based on your food reports, Korvela has detected that your weight has changed "
    "significantly since your last \"Weigh In\".Please, weigh in your bodyweight today. It "
    "will help Korvela learn about your current metabolic rate and make the calorie "
    "calculations more accurate. Do you want to \"Weigh In\" now?";

// The net balance as the panel shows it: "+120" in blue, "(-350)" in red.
std::pair<std::string, TEmphasis> BalanceText(Extended balance, const TConfigurator& config);
// The zone lines and pointer for a day's activity ((expenditure less the
// thermic effect) x 1.1) against its resting rate.
TActivityZonePanel ActivityZone(Extended resting, Extended activity, const TConfigurator& config);
// The activity zone gauge: the pointer's place for a ratio of activity to
// resting rate (1 at the left end, 2.5 at the right, 1.75 in the middle).
int ZonePointer(Extended ratio);
// "15 June, 2007".
std::string DashboardDateText(TDateTime day);

// Computes the panels for the day from the records; finds records but never
// creates one. Runs the model's check of today's projection first.
TDashboardView CalendarChange(TDateTime day, TEnergyModel& model, TDayRecordStore& records,
                              const TConfigurator& config);

}  // namespace korvela
