#pragma once

#include "storage/day_records.h"

namespace korvela {

// Plugs the calorie record (kind 112) and the weigh-in (kind 111) into the
// day-record store.
void RegisterEnergyRecords(TDayRecordRegistry& registry);

}  // namespace korvela
