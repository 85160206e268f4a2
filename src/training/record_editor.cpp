#include "training/record_editor.h"

#include <algorithm>

#include "training/record_history.h"
#include "users/unit_text.h"

namespace korvela {

std::string RecordDeleteQuestion(std::string_view exerciseName) {
  return "Do you really want to delete the " + std::string(exerciseName) + " Record?";
}

TDrillPR NewRecord(const TConfigurator& config, TDateTime today) {
  TDrillPR record;
  record.Weight = TWeightWrap::New(config);
  record.Dist = TDistWrap::New(config);
  record.Date = today;
  return record;
}

void ChooseRecordExercise(TDrillPR& record, std::int32_t did) {
  if (did == record.DID) return;
  record.DID = did;
  record.Limb = kNoLimb;
  record.Weight.Q.clear();
  record.Reps = -1;
  record.Time = -1;
  record.Dist.Q = -1;
}

std::string MinutesSecondsText(int seconds) {
  return RecordTimeText(TimeFromSeconds(std::clamp(seconds, 0, kMaxRecordSeconds)));
}

std::optional<int> ParseMinutesSeconds(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 4) return std::nullopt;
  const std::string_view minutes = text.substr(0, colon);
  const std::string_view seconds = text.substr(colon + 1);
  const auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (seconds.size() != 2 || !digits(minutes) || !digits(seconds)) return std::nullopt;
  int m = 0;
  for (const char c : minutes) m = m * 10 + (c - '0');
  const int s = (seconds[0] - '0') * 10 + (seconds[1] - '0');
  if (s >= 60) return std::nullopt;
  const int total = m * 60 + s;
  if (total > kMaxRecordSeconds) return std::nullopt;
  return total;
}

}  // namespace korvela
