#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "storage/day_records.h"
#include "support/temp_folder.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "users/configurator.h"

namespace korvela::test {

// A program folder with an exercise dictionary of a few exercises, and a
// user folder with the training records registered and a store opened on it.
class TrainingTest : public ::testing::Test {
 protected:
  TrainingTest() {
    RegisterTrainingRecords(registry, config);
    std::filesystem::create_directories(folder / "usr1");
    dictionary.Load();
    bench = AddDrill("Bench Press", TMeasureKind::Weight);
    pullup = AddDrill("Pullups", TMeasureKind::Reps);
    plank = AddDrill("Plank", TMeasureKind::Time);
    run = AddDrill("Running", TMeasureKind::DistanceTime);
    jump = AddDrill("Long Jump", TMeasureKind::Distance);
    row = AddDrill("One-Arm Row", TMeasureKind::Weight, 1);
    OpenStore();
  }

  std::int32_t AddDrill(const std::string& name, TMeasureKind kind, std::uint8_t lat = 0) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    d.LAT = lat;
    return dictionary.AddExercise(d).ID;
  }

  void OpenStore() {
    store = std::make_unique<TDayRecordStore>(registry, *random);
    store->OpenDayRecords(folder / "usr1");
  }
  void Reopen() {
    store->CloseDayRecords();
    OpenStore();
  }

  TTempFolder folder;
  TConfigurator config;
  std::unique_ptr<TRandom> random = MakeSeededRandom(7);
  TExerciseDictionary dictionary{folder.Path(), *random};
  TDayRecordRegistry registry;
  std::unique_ptr<TDayRecordStore> store;
  std::int32_t bench = 0, pullup = 0, plank = 0, run = 0, jump = 0, row = 0;
};

}  // namespace korvela::test
