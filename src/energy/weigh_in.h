#pragma once
#include <optional>
#include <string>

#include "energy/energy_model.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kWeighInCaption = "Weigh in weight and body fat %";
inline constexpr const char* kWeighInHeading =
    "Today my bodyweight and my body fat percentage are...";
inline constexpr const char* kIDontKnow = "I don't know";
inline constexpr const char* kMsgInvalidBodyFatPercentage =
    "Please, enter a valid body fat percentage or select \"I don't know\"";
inline constexpr const char* kMsgSelectAccuracy =
    "Please, select one of the three answers on the accuracy of your logs!\n"
    "Help us better predict your energy expenditure!";
inline constexpr const char* kMsgReadjusted =
    "Based on your last \"Weigh Ins\", Korvela has recalculated and readjusted various calorie "
    "coefficients and variables to make them more accurate!\n"
    "Please, do understand that this could lead to significant changes in the calorie numbers "
    "you see. Be aware!";
inline constexpr const char* kAccuracyQuestion =
    "How accurately have you been logging your foods and training recently?";
inline constexpr const char* kAccuracyAnswers[3] = {
    "I have logged all my foods and training very precisely all or almost all of the time!",
    "Well, I frequently forget to log foods or I am not certain about the amounts I have logged",
    "I totally misreported my food intake. Korvela will restart the calorie calculations!"};

// How well the user logged since the last weigh-in: it limits how far one
// weigh-in may move the activity coefficient.
enum class TLogAccuracy { Precise = 0, Approximate = 1, Misreported = 2 };

// The body fat field: "I don't know" is -1; otherwise a number from 1 to 60
// (the user's decimal character accepted), or none when the text is not.
std::optional<float> ReadBodyFatField(const TConfigurator& config, const std::string& text);

// What a weigh-in did with the activity coefficient.
enum class TReadjustment {
  Readjusted,    // it moved
  Restarted,     // the logs were misreported: back to the default
  TooFewDays,    // 4 whole days or fewer since the previous weigh-in
  NoFoodLogged,  // no day since the previous weigh-in has food logged
  AtLimit,       // the step would leave 1.2 ... 3, where it already stands
  Agrees,        // the weight is what the logged balances predicted
};

struct TWeighInOutcome {
  float activityCoefficient = 0;  // the coefficient the weigh-in settled on
  bool readjusted = false;        // the coefficient moved (answers 0 and 1)
  TReadjustment readjustment = TReadjustment::TooFewDays;
  // The figures behind it: the previous weigh-in the new weight was compared
  // with, the whole days since, the days of that period with food logged and
  // the coefficient before.
  TDateTime referenceDay = 0;
  int days = 0;
  int reportedDays = 0;
  float coefficientBefore = 0;
};

// The information shown after a weigh-in: that the coefficients were
// readjusted, or plainly why they were not; none after misreported logs.
std::optional<std::string> WeighInMessage(const TWeighInOutcome& outcome);

// Stores today's weigh-in and readjusts the activity coefficient from the
// weight change since the reference weigh-in against the calorie balances
// logged in between; then the model restarts from the new weight.
// `day`, when given, is the day of a weigh-in brought in afterwards (an
// import): it must be on or after the latest weigh-in and not after today,
// and stands for today in the comparison.
TWeighInOutcome WeighIn(TEnergyModel& model, TDayRecordStore& records, const TUser& user,
                        double weightKg, float bodyFat, TLogAccuracy accuracy,
                        std::optional<TDateTime> day = std::nullopt);

}  // namespace korvela
