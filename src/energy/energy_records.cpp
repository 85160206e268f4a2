#include "energy/energy_records.h"

#include "energy/body_records.h"
#include "energy/cal_stat.h"
#include "energy/goal_records.h"
#include "energy/weight_stat.h"

namespace korvela {

void RegisterEnergyRecords(TDayRecordRegistry& registry) {
  registry.Register(kCalStatKind, [](TDBC* owner) { return std::make_unique<TCalStat>(owner); });
  registry.Register(kWeightStatKind,
                    [](TDBC* owner) { return std::make_unique<TWeightStat>(owner); });
  registry.Register(kDietCompStatKind,
                    [](TDBC* owner) { return std::make_unique<TDietCompStat>(owner); });
  registry.Register(kWeightGoalStatKind,
                    [](TDBC* owner) { return std::make_unique<TWeightGoalStat>(owner); });
  registry.Register(kMeasureStatKind,
                    [](TDBC* owner) { return std::make_unique<TMeasureStat>(owner); });
  registry.Register(kPhaseStatKind,
                    [](TDBC* owner) { return std::make_unique<TPhaseStat>(owner); });
  registry.Register(kRecoveryStatKind,
                    [](TDBC* owner) { return std::make_unique<TRecoveryStat>(owner); });
}

}  // namespace korvela
