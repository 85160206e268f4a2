#pragma once
#include <filesystem>
#include <memory>

#include "energy/energy_model.h"
#include "storage/day_records.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {

// A user's diary opened as the program opens it at login: the user's
// settings applied to a configurator of its own, the energy and training
// records indexed and the energy model restarted. The commands open a
// private copy this way.
struct TOpenedDiary {
  TOpenedDiary(const std::filesystem::path& userFolder, const TClock& clock, TRandom& random,
               TFileSystem& fs);

  TConfigurator config;
  std::unique_ptr<TConfigData> settings;
  std::unique_ptr<TUser> user;
  TDayRecordRegistry registry;
  TDayRecordStore store;
  TEnergyModel model;
};

}  // namespace korvela
