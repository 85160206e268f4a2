// An import is cut at every write step it makes, once by a disk that refuses
// the step and once by the end of the program; the diary must then read as
// it was or as wholly imported.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "energy/weigh_in_import.h"
#include "energy_fixture.h"
#include "storage/garbled_stream.h"
#include "storage/staged_commit.h"
#include "storage/xml_db.h"
#include "support/disk_limit.h"

namespace korvela {
namespace {

// The program ends at this step: nothing after it happens.
struct TKilled {};

enum class TCut { Refused, Killed };

// Passes everything to the real files; the n-th write step (a file created
// or opened for writing, a write, a flush, a close, a rename, a removal) is
// refused as a full disk refuses it, or ends the program. A cut write first
// writes half of its bytes. After a kill every later operation fails too.
class TCuttingFileSystem final : public TFileSystem {
 public:
  void Arm(TCut cut, int at) {
    cut_ = cut;
    at_ = at;
    steps_ = 0;
    dead_ = false;
  }
  void Disarm() {
    at_ = -1;
    dead_ = false;
  }
  int Steps() const { return steps_; }
  bool Dead() const { return dead_; }

  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
    if (dead_) throw TKilled{};
    return real_.OpenRead(p);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
    Step(p);
    return std::make_unique<TFile>(*this, real_.Create(p), p);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
    Step(p);
    return std::make_unique<TFile>(*this, real_.OpenUpdate(p), p);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Step(to);
    real_.Rename(from, to);
  }
  void Remove(const std::filesystem::path& p) override {
    Step(p);
    real_.Remove(p);
  }
  bool Exists(const std::filesystem::path& p) override {
    if (dead_) throw TKilled{};
    return real_.Exists(p);
  }

 private:
  class TFile final : public TWritableFile {
   public:
    TFile(TCuttingFileSystem& fs, std::unique_ptr<TWritableFile> real, std::filesystem::path path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    void Write(const void* data, std::size_t size) override {
      if (fs_.Cuts()) {
        real_->Write(data, size / 2);
        real_->Flush();
        fs_.Cut(path_);
      }
      real_->Write(data, size);
    }
    void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
      fs_.Step(path_);
      real_->WriteAt(offset, data, size);
    }
    void Flush() override {
      fs_.Step(path_);
      real_->Flush();
    }
    void Close() override {
      fs_.Step(path_);
      real_->Close();
    }
    std::int64_t Size() const override { return real_->Size(); }

   private:
    TCuttingFileSystem& fs_;
    std::unique_ptr<TWritableFile> real_;
    std::filesystem::path path_;
  };

  bool Cuts() {
    if (dead_) throw TKilled{};
    return at_ >= 0 && steps_++ == at_;
  }
  [[noreturn]] void Cut(const std::filesystem::path& p) {
    if (cut_ == TCut::Killed) {
      dead_ = true;
      throw TKilled{};
    }
    throw EXMLIOError(p.string(), "No space left on device");
  }
  void Step(const std::filesystem::path& p) {
    if (Cuts()) Cut(p);
  }

  TFileSystem& real_ = PosixFileSystem();
  TCut cut_ = TCut::Refused;
  int at_ = -1;
  int steps_ = 0;
  bool dead_ = false;
};

// Every record of every day-record file of a folder, by kind and day, as
// its text form: what the diary holds, whatever file it sits in.
using TDiary = std::map<std::tuple<std::int32_t, double>, std::string>;

TDiary ReadDiary(const std::filesystem::path& folder) {
  TDiary diary;
  auto random = MakeSeededRandom(1);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("PS") || !name.ends_with(".dat")) continue;
    XMLDB db(entry.path(), kDayRecordsKind, *random);
    std::vector<std::tuple<std::int32_t, double>> keys;
    for (const XMLHandle& h : db.Handles()) keys.emplace_back(h.ID, h.Date);
    for (const auto& [id, date] : keys)
      if (const XMLNode* node = db.Get(id, kDataKey, date))
        diary[{id, date}] = name + " " + node->ToText();
  }
  return diary;
}

bool HasLeftovers(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().ends_with("tmp")) return true;
  return false;
}

// As the program's start does: temporary files of a replacement ("PS12007tmp").
void RemoveHalfWrittenFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> leftovers;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with("tmp") && name.find('.') == std::string::npos)
      leftovers.push_back(entry.path());
  }
  for (const auto& path : leftovers) std::filesystem::remove(path);
}

class WeighInImportCommitTest : public test::EnergyTest {
 protected:
  // The account was made 30 days ago (in May) at 82 kg, food logged since;
  // everything is on the disk. The import brings two April weigh-ins (the
  // file of January-April) and two recent ones, the newest of all 5 days ago.
  WeighInImportCommitTest() {
    WeighInAndRestart(kToday - 30, 82, 1.6F);
    for (int d = 30; d >= 1; --d) PutEaten(kToday - d, 2200);
    model->RestartEnergyModel();
    Reopen();
    model->RestartEnergyModel();
    model.reset();
    store->CloseDayRecords();
    store.reset();
    for (const auto& [name, bytes] : test::FolderContents(folder.Path()))
      pristine_[name] = bytes;
    csv_ = "date,weight_kg,body_fat_pct\n" + Iso(kToday - 60) + ",84,18\n" + Iso(kToday - 50) +
           ",83.5,\n" + Iso(kToday - 12) + ",80\n" + Iso(kToday - 5) + ",79,17\n";
  }

  static std::string Iso(TDateTime day) {
    const TYearMonthDay d = DecodeDate(day);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", d.year, d.month, d.day);
    return buffer;
  }

  void RestorePristine() {
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      std::filesystem::remove(entry.path());
    for (const auto& [name, bytes] : pristine_) test::WriteBytes(folder / name, bytes);
  }

  // A login on the pristine folder, with the store's files opened through `fs`.
  void Login(TFileSystem& fs) {
    model.reset();
    store = std::make_unique<TDayRecordStore>(registry, *random, fs);
    store->OpenDayRecords(folder.Path());
    model = std::make_unique<TEnergyModel>(*store, user, clock);
    model->RestartEnergyModel();
  }

  TImportPreview Preview() {
    std::string why;
    std::optional<TImportPreview> preview =
        PreviewImport(csv_, TImportUnit::Kilograms, *store, kToday, &why);
    EXPECT_TRUE(preview) << why;
    return preview ? *preview : TImportPreview{};
  }

  // The diary before and after an import that nothing cut.
  void ReadReferences() {
    RestorePristine();
    Login(PosixFileSystem());
    before_ = ReadDiary(folder.Path());
    ApplyImport(Preview(), *model, *store, user);
    after_ = ReadDiary(folder.Path());
    store.reset();
    model.reset();
    ASSERT_NE(before_, after_);
  }

  std::map<std::string, std::string> pristine_;
  std::string csv_;
  TDiary before_;
  TDiary after_;
};

TEST_F(WeighInImportCommitTest, TheReferenceImportTouchesTwoFilesAndWritesEachOnce) {
  ReadReferences();
  std::set<std::string> changed;
  for (const auto& [key, text] : after_)
    if (!before_.contains(key) || before_.at(key) != text) changed.insert(text.substr(0, 11));
  EXPECT_EQ(changed, (std::set<std::string>{"PS12007.dat", "PS22007.dat"}));

  // Each changed file is replaced once, by the rename of its staged file,
  // and the commit list is put in place once.
  RestorePristine();
  std::map<std::string, int> renames;
  class TCountingFileSystem final : public TFileSystem {
   public:
    explicit TCountingFileSystem(std::map<std::string, int>& renames) : renames_(renames) {}
    std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
      return real_.OpenRead(p);
    }
    std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
      return real_.Create(p);
    }
    std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
      return real_.OpenUpdate(p);
    }
    void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
      ++renames_[to.filename().string()];
      real_.Rename(from, to);
    }
    void Remove(const std::filesystem::path& p) override { real_.Remove(p); }
    bool Exists(const std::filesystem::path& p) override { return real_.Exists(p); }

   private:
    std::map<std::string, int>& renames_;
    TFileSystem& real_ = PosixFileSystem();
  } counting(renames);
  Login(counting);
  renames.clear();
  const TImportOutcome outcome = ApplyImport(Preview(), *model, *store, user);
  EXPECT_EQ(outcome.stored, 4);
  EXPECT_TRUE(outcome.inPlace);
  EXPECT_EQ(renames["PS12007.dat"], 1);
  EXPECT_EQ(renames["PS22007.dat"], 1);
  EXPECT_EQ(renames[std::string(kCommitListName)], 1);
  EXPECT_EQ(ReadDiary(folder.Path()), after_);
  EXPECT_FALSE(HasLeftovers(folder.Path()));
}

TEST_F(WeighInImportCommitTest, ARefusedStepLeavesDiskRecordsAndModelAsTheyWere) {
  ReadReferences();
  TCuttingFileSystem fs;
  int refused = 0;
  int decided = 0;
  for (int at = 0;; ++at) {
    RestorePristine();
    Login(fs);
    const TImportPreview preview = Preview();
    const std::size_t weighIns = store->List(kWeightStatKind).size();
    const Extended lastWeight = model->LastWeighInWeight;
    const float coefficient = model->CurrentActivityCoefficient;
    fs.Arm(TCut::Refused, at);
    TImportOutcome outcome;
    try {
      outcome = ApplyImport(preview, *model, *store, user);
    } catch (const EXMLIOError& e) {
      ++refused;
      fs.Disarm();
      EXPECT_EQ(ReadDiary(folder.Path()), before_) << "step " << at;
      EXPECT_FALSE(HasLeftovers(folder.Path())) << "step " << at;
      // The session goes on with the diary as it was: nothing of the import
      // is held in memory to reach the disk with a later save.
      EXPECT_EQ(store->List(kWeightStatKind).size(), weighIns) << "step " << at;
      EXPECT_EQ(model->LastWeighInWeight, lastWeight) << "step " << at;
      EXPECT_EQ(model->CurrentActivityCoefficient, coefficient) << "step " << at;
      EXPECT_NE(ImportRefusedText(e).find(kMsgWeighInsNotImported), std::string::npos);
      store->FlushDayRecords();
      EXPECT_EQ(ReadDiary(folder.Path()), before_) << "step " << at;
      // Tried again once the disk has room, the import is whole.
      ApplyImport(preview, *model, *store, user);
      EXPECT_EQ(ReadDiary(folder.Path()), after_) << "step " << at;
      continue;
    }
    fs.Disarm();
    const bool cut = fs.Steps() > at;
    if (!outcome.inPlace) {
      // Refused after the import was decided: it is whole once the diary
      // is next opened.
      ++decided;
      model.reset();
      store.reset();
      CompleteStagedCommit(PosixFileSystem(), folder.Path());
    }
    EXPECT_EQ(ReadDiary(folder.Path()), after_) << "step " << at;
    if (!cut) break;  // every write step has been refused once
  }
  std::printf("[          ] import: %d write steps refused in turn: %d left the diary as it "
              "was, %d wholly imported\n",
              refused + decided, refused, decided);
  EXPECT_GT(decided, 0);
  EXPECT_GT(refused, 10);
}

TEST_F(WeighInImportCommitTest, KilledAtAnyStepTheDiaryIsAsItWasOrWhollyImported) {
  ReadReferences();
  TCuttingFileSystem fs;
  int asItWas = 0;
  int imported = 0;
  for (int at = 0;; ++at) {
    RestorePristine();
    Login(fs);
    const TImportPreview preview = Preview();
    fs.Arm(TCut::Killed, at);
    try {
      ApplyImport(preview, *model, *store, user);
    } catch (const TKilled&) {
    }
    const bool killed = fs.Dead();
    // The program is gone: nothing of it is saved.
    model.reset();
    store.reset();
    fs.Disarm();
    if (!killed) {
      EXPECT_EQ(ReadDiary(folder.Path()), after_);
      break;
    }
    // The next start removes half-written temporary files; the login then
    // finishes what was decided.
    RemoveHalfWrittenFiles(folder.Path());
    CompleteStagedCommit(PosixFileSystem(), folder.Path());
    const TDiary diary = ReadDiary(folder.Path());
    EXPECT_TRUE(diary == before_ || diary == after_) << "killed at step " << at;
    EXPECT_FALSE(HasLeftovers(folder.Path())) << "killed at step " << at;
    (diary == before_ ? asItWas : imported) += 1;
  }
  std::printf("[          ] import: %d write steps cut by a kill, %d left the diary as it was, "
              "%d wholly imported\n",
              asItWas + imported, asItWas, imported);
  EXPECT_GT(asItWas, 0);
  EXPECT_GT(imported, 0);
}

}  // namespace
}  // namespace korvela
