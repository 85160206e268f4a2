#include "korvela_data/opened_diary.h"

#include "energy/energy_records.h"
#include "training/training_records.h"

namespace korvela {

TOpenedDiary::TOpenedDiary(const std::filesystem::path& userFolder, const TClock& clock,
                           TRandom& random, TFileSystem& fs)
    : settings(TConfigData::Load(config, userFolder / kConfigFileName)),
      user(LoadUser(userFolder)),
      store(registry, random, fs),
      model(store, *user, clock) {
  RegisterEnergyRecords(registry);
  RegisterTrainingRecords(registry, config);
  store.OpenDayRecords(userFolder);
  model.RestartEnergyModel();
}

}  // namespace korvela
