#pragma once
#include <array>
#include <string>

#include "energy/body_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kRecoveryCaption = "Track and evaluate my daily recovery status";
inline constexpr const char* kColdsCaption =
    "I have had higher than usual susceptibility to colds and flus, allergies and minor "
    "infections";
inline constexpr const char* kRecoveryScoreLabel = "Recovery Score:";
inline constexpr const char* kRecoveryLegendTitle = "*Recovery Scores Legend";

// The six rated questions, index 0 first, in the order of the score.
struct TRatingScale {
  const char* title;
  std::array<const char*, 5> items;
};
inline constexpr std::array<TRatingScale, 6> kRatingScales = {{
    {"Sleep", {"very deep", "normal", "restless", "bad with breaks", "not at all"}},
    {"Appetite", {"very good", "good", "lost some appetite", "no appetite", "did not eat"}},
    {"Waking Pulse",
     {"don't know", "normal range(+/- 3 beats)", "lower than usual", "higher than usual",
      "much higher than usual(+10 or more)"}},
    {"Energy", {"higher than usual", "normal", "slightly tired", "tired", "very tired"}},
    {"Training/Mental Performance",
     {"better than usual", "normal", "planned underperformance", "unexpected loss of performance",
      "disastrous"}},
    {"Desire to train",
     {"desire more training", "normal", "not feel like training", "no desire to train", "no way"}},
}};

// The bands of the score legend, best first.
struct TRecoveryBand {
  const char* range;
  const char* text;
  TColorValue color;
  double lowest;  // the lowest score of the band
};
inline constexpr std::array<TRecoveryBand, 4> kRecoveryLegend = {{
    {"4 - 5", "Optimal Recovery", RgbColor(0, 176, 0), 4},
    {"3 - 4", "Somewhat Overtrained", RgbColor(255, 255, 0), 3},
    {"2 - 3", "Overtrained", RgbColor(255, 128, 0), 2},
    {"Below 2", "Severely Overtrained", RgbColor(255, 0, 0), -1},
}};
// The band of a score (-1 scores have none: nullptr).
const TRecoveryBand* RecoveryBandOf(double score);

// What the recovery screen's fields hold.
struct TRecoveryFields {
  std::string hours;  // as typed
  bool colds = false;
  std::array<int, 6> ratings = {-1, -1, -1, -1, -1, -1};  // index of the chosen item
  int wakeUpSeconds = 6 * 3600 + 30 * 60;                 // seconds after midnight
};

// A record as the fields show it: hours with one decimal (empty when not
// given), 6:30 when no wake-up time is given.
TRecoveryFields RecoveryFieldsOf(const TConfigurator& config, const TRecovery& record);
// The fields taken into a record: hours that are not a number, negative or
// above 48 are not given; the wake-up time is kept only when it is not 6:30.
TRecovery TakeRecoveryFields(const TConfigurator& config, const TRecoveryFields& fields);
// The score the screen shows for its fields, always with two decimals in the
// user's decimal character ("4.02", "5.00"); empty while the
// hours are not a number or a rating is missing. Any number of hours counts,
// limited to 0-9.5.
std::string RecoveryScoreText(const TConfigurator& config, const TRecoveryFields& fields);

// The recovery screen's copy of the records and the day it shows.
class TRecoveryEditor {
 public:
  // Shows `day`, adding an empty record for it when there is none.
  TRecoveryEditor(TRecoveryList records, TDateTime day);

  const TRecoveryList& Records() const { return records_; }
  TDateTime Day() const { return records_[current_].Date; }
  const TRecovery& Current() const { return records_[current_].Values; }

  // The fields go into the shown record.
  void Take(const TConfigurator& config, const TRecoveryFields& fields);
  // The fields go into the shown record, then `day` is shown (added empty
  // when missing).
  void ChangeDay(const TConfigurator& config, const TRecoveryFields& fields, TDateTime day);

 private:
  void Show(TDateTime day);

  TRecoveryList records_;
  std::size_t current_ = 0;
};

}  // namespace korvela
