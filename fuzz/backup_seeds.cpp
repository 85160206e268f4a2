// Writes the seed corpus of backup_fuzz into the folder given: the backup of a
// small diary (a food log, a weigh-in, an activity, a workout and a personal
// record naming the installation's items) as file bytes, and its account
// file, items and exercises in text form.
#include <fstream>
#include <iostream>
#include <variant>

#include "backup_fuzz_support.h"
#include "energy/cal_stat.h"
#include "energy/weight_stat.h"
#include "fuzz_support.h"
#include "nutrition/food_log_store.h"
#include "package_fuzz_support.h"
#include "reports/diary_backup.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "users/user.h"

namespace {

using namespace korvela;
namespace fs = std::filesystem;

constexpr TDateTime kDay = 39248;  // 15 June 2007

void WriteSeed(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteDiary(const fs::path& user, TIEStores& stores, TRandom& random) {
  fs::create_directories(user);
  TUser account;
  account.UserName = "Ann";
  account.UserHeight = 168;
  account.UserBirthDate = EncodeDate(1980, 5, 17);
  account.UserCreationDate = kDay - 30;
  account.Folder = user;
  SaveUser(account, random);

  TDaysMeals log;
  log.ForDate = kDay;
  TWFoodItem bread(*stores.foods.UserFoodList().Foods.front());
  bread.WI = 0;
  bread.WM = 2;
  bread.WMStr = "2";
  log.meals.push_back({"Breakfast", 0.3, {bread}});
  TFoodLogStore logs(user, random);
  logs.StoreDayLog(log, kDay);
  logs.Close();

  TDayRecordStore store(fuzz::DiaryRegistry(), random);
  store.OpenDayRecords(user);
  TDBC& weight = store.GetOrCreateDayRecord(kWeightStatKind, kDay);
  store.Loaded<TWeightStat>(weight).W = 61.5;
  store.SaveDayRecord(weight);
  TDBC& cal = store.GetOrCreateDayRecord(kCalStatKind, kDay);
  store.Loaded<TCalStat>(cal).Entries.push_back({kDay + 0.5, "Rowing", 7, 30, 0});
  store.SaveDayRecord(cal);
  const TWorkout& plan = stores.templates.Templates().front();
  TWorkout workout = plan;
  workout.Name = "Monday";
  workout.Date = kDay;
  TDBC& day = store.GetOrCreateDayRecord(kWorkoutDayKind, kDay);
  store.Loaded<TWorkoutDay>(day).Workouts.push_back(workout);
  store.SaveDayRecord(day);
  TDBC& best = store.GetOrCreateDayRecord(kPRWrapperKind, kDay);
  TDrillPR record;
  for (const TWLine& line : plan.Lines)
    if (const auto* set = std::get_if<TDrillSet>(&line)) record.DID = set->DID;
  record.Weight.Q = "80";
  record.Reps = 5;
  record.Date = kDay;
  store.Loaded<TPRWrapper>(best).Records.push_back(record);
  store.SaveDayRecord(best);
  store.CloseDayRecords();
}

// The account file as a document, the items and the exercises, in text form.
std::string TextForm(const fs::path& backup, const fs::path& user) {
  auto random = MakeSeededRandom(7);
  const std::unique_ptr<XMLNode> account = LoadXMLFile(user / kAccountFileName, kDataKey);
  XMLNode file("BFILE", XMLString(account->ToText()));
  file.AddAttr("NAME", kAccountFileName);
  file.AddAttr(fuzz::kDocumentAttr, "1");
  std::string text = file.ToText();
  XMLDB db(backup, kBackupKind, *random);
  for (const XMLHandle& handle : db.Handles()) {
    if (handle.Date != 3 && handle.Date != 4) continue;
    text += '\0';
    text += db.Get(handle.ID, kDataKey, handle.Date)->ToText();
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: backup_seeds FOLDER\n";
    return 2;
  }
  const fs::path out = argv[1];
  fs::create_directories(out);
  const fs::path folder = fuzz::ScratchFile("seed-backup-program");
  fs::remove_all(folder);
  fs::create_directories(folder);
  {
    fuzz::TScratchInstallation installation(folder, 3);
    installation.Populate();
    const fs::path user = folder / "usr1";
    WriteDiary(user, installation.Stores(), installation.Random());
    const fs::path backup = folder / "seed.kvb";
    BackUpDiary(user, fuzz::DiaryRegistry(), installation.Stores(), backup);
    WriteSeed(out / "diary.kvb", ReadAll(backup));
    WriteSeed(out / "diary.txt", TextForm(backup, user));
  }
  fs::remove_all(folder);
  return 0;
}
