#pragma once
// What the backup fuzz target and its seed writer share: the day-record kinds
// a diary holds, and the text form of a backup.
#include <memory>
#include <string>

#include "energy/energy_records.h"
#include "storage/day_records.h"
#include "training/training_records.h"
#include "users/configurator.h"

namespace korvela::fuzz {

inline const TDayRecordRegistry& DiaryRegistry() {
  static const TConfigurator config;
  static const TDayRecordRegistry registry = [] {
    TDayRecordRegistry r;
    RegisterEnergyRecords(r);
    RegisterTrainingRecords(r, config);
    return r;
  }();
  return registry;
}

// In the text form of a backup, a "BFILE" element whose "DOC" attribute is
// set holds a data file's document in text form, written scrambled.
inline constexpr const char* kDocumentAttr = "DOC";

}  // namespace korvela::fuzz
