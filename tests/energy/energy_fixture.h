#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "storage/day_records.h"
#include "support/temp_folder.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela::test {

// A user folder with the energy records registered, a store opened on it, a
// fixed clock and a model. The user is a man of 30 years (on the dates used
// here), 180 cm, moderately active.
class EnergyTest : public ::testing::Test {
 protected:
  static constexpr TDateTime kToday = 39248;  // 15 June 2007

  EnergyTest() {
    RegisterEnergyRecords(registry);
    user.UserName = "Tom";
    user.UserHeight = 180;
    user.UserBirthDate = EncodeDate(1977, 1, 1);
    user.UserSex = TSex::Male;
    user.UserActivityLevel = 1;
    user.Folder = folder.Path();
    OpenStore();
  }

  void OpenStore() {
    model.reset();
    store = std::make_unique<TDayRecordStore>(registry, *random);
    store->OpenDayRecords(folder.Path());
    model = std::make_unique<TEnergyModel>(*store, user, clock);
  }

  // Closes the store (saving everything) and opens it again, so that what
  // follows reads the records from their files.
  void Reopen() {
    model.reset();
    store->CloseDayRecords();
    OpenStore();
  }

  TCalStat& Cal(TDateTime day) {
    return store->Loaded<TCalStat>(store->GetOrCreateDayRecord(kCalStatKind, day));
  }
  TCalStat* FindCal(TDateTime day) {
    TDBC* entry = store->FindDayRecord(kCalStatKind, day);
    return entry ? &store->Loaded<TCalStat>(*entry) : nullptr;
  }

  // A calorie record as a weigh-in or account creation leaves it, stored
  // directly (not through the model).
  TCalStat& PutCal(TDateTime day, double projectedWeight, float coefficient) {
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, day);
    TCalStat& cal = store->Loaded<TCalStat>(entry);
    cal.PW = projectedWeight;
    cal.AC = coefficient;
    store->SaveDayRecord(entry);
    return cal;
  }

  // Food of a day: `calories` as grams of carbohydrate only.
  TCalStat& PutEaten(TDateTime day, double calories) {
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, day);
    TCalStat& cal = store->Loaded<TCalStat>(entry);
    cal.C = calories / 4;
    store->SaveDayRecord(entry);
    return cal;
  }

  void PutWeighIn(TDateTime day, double weight, float bodyFat = -1) {
    TDBC& entry = store->GetOrCreateDayRecord(kWeightStatKind, day);
    TWeightStat& w = store->Loaded<TWeightStat>(entry);
    w.W = weight;
    w.BFP = bodyFat;
    store->SaveDayRecord(entry);
  }

  // A weigh-in of `weight` kg on `day` with that day's calorie record set as
  // the weigh-in sets it, then the model restarted.
  void WeighInAndRestart(TDateTime day, double weight, float coefficient, float bodyFat = -1) {
    PutWeighIn(day, weight, bodyFat);
    PutCal(day, weight, coefficient);
    model->ClearFlags();
    model->RestartEnergyModel();
  }

  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(7);
  TDayRecordRegistry registry;
  TUser user;
  TFixedClock clock{kToday + 0.6};
  std::unique_ptr<TDayRecordStore> store;
  std::unique_ptr<TEnergyModel> model;
};

}  // namespace korvela::test
