// Every file operation of a save is made to fail in turn; afterwards the file
// must load with either its old or its new content.
#include <gtest/gtest.h>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

enum class TStep { Create, Write, Flush, Rename };
constexpr TStep kSteps[] = {TStep::Create, TStep::Write, TStep::Flush, TStep::Rename};

const char* StepName(TStep step) {
  switch (step) {
    case TStep::Create:
      return "create";
    case TStep::Write:
      return "write";
    case TStep::Flush:
      return "flush";
    case TStep::Rename:
      return "rename";
  }
  return "";
}

// Passes everything to the real files, except that the n-th operation of one
// step fails. A failing write first writes half of its bytes, as a full disk
// would.
class TFaultyFileSystem final : public TFileSystem {
 public:
  void Arm(TStep step, int failAt) {
    step_ = step;
    failAt_ = failAt;
    seen_ = 0;
  }
  void Disarm() { failAt_ = -1; }
  int Seen() const { return seen_; }

  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
    return real_.OpenRead(p);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
    Hit(TStep::Create, p);
    return std::make_unique<TFaultyFile>(*this, real_.Create(p), p);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
    Hit(TStep::Create, p);
    return std::make_unique<TFaultyFile>(*this, real_.OpenUpdate(p), p);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    Hit(TStep::Rename, to);
    real_.Rename(from, to);
  }
  void Remove(const std::filesystem::path& p) override { real_.Remove(p); }
  bool Exists(const std::filesystem::path& p) override { return real_.Exists(p); }

 private:
  class TFaultyFile final : public TWritableFile {
   public:
    TFaultyFile(TFaultyFileSystem& fs, std::unique_ptr<TWritableFile> real,
                std::filesystem::path path)
        : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
    void Write(const void* data, std::size_t size) override {
      if (fs_.Fails(TStep::Write)) {
        real_->Write(data, size / 2);
        real_->Flush();
        throw EXMLIOError(path_.string(), "injected write failure");
      }
      real_->Write(data, size);
    }
    void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
      fs_.Hit(TStep::Write, path_);
      real_->WriteAt(offset, data, size);
    }
    void Flush() override {
      fs_.Hit(TStep::Flush, path_);
      real_->Flush();
    }
    void Close() override { real_->Close(); }
    std::int64_t Size() const override { return real_->Size(); }

   private:
    TFaultyFileSystem& fs_;
    std::unique_ptr<TWritableFile> real_;
    std::filesystem::path path_;
  };

  bool Fails(TStep step) {
    if (step != step_ || failAt_ < 0) return false;
    return seen_++ == failAt_;
  }
  void Hit(TStep step, const std::filesystem::path& p) {
    if (Fails(step))
      throw EXMLIOError(p.string(), std::string("injected ") + StepName(step) + " failure");
  }

  TFileSystem& real_ = PosixFileSystem();
  TStep step_ = TStep::Create;
  int failAt_ = -1;
  int seen_ = 0;
};

std::unique_ptr<XMLNode> Version(const std::string& text) {
  auto node = std::make_unique<XMLNode>("LI");
  node->AddAttr("Version", text);
  // Large enough to need several buffered writes.
  node->AddAttr("Padding", std::string(600000, 'p'));
  return node;
}

TEST(FaultInjection, SaveXMLFileLeavesTheOldOrTheNewDocument) {
  TTempFolder folder;
  auto random = MakeSeededRandom(2);
  const auto file = folder / "LI.DAT";
  TFaultyFileSystem fs;
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      SaveXMLFile(*Version("old"), file, kDataKey, *random);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        SaveXMLFile(*Version("new"), file, kDataKey, *random, fs);
      } catch (const EXMLIOError&) {
        failed = true;
      }
      const auto loaded = LoadXMLFile(file, kDataKey);
      ASSERT_TRUE(loaded) << StepName(step) << " " << failAt;
      EXPECT_EQ(loaded->AttrText("Version"), failed ? "old" : "new") << StepName(step) << failAt;
      if (!failed) break;  // every occurrence of this step has been tried
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

TEST(FaultInjection, XMLDBSaveLeavesTheOldOrTheNewRecordsAndCanBeRetried) {
  TTempFolder folder;
  auto random = MakeSeededRandom(4);
  const auto file = folder / "FM.DAT";
  constexpr std::int32_t kKind = 834763;
  TFaultyFileSystem fs;
  auto names = [&](XMLDB& db) {
    std::string all;
    for (std::int32_t id : {100, 200, 300}) {
      const XMLNode* node = db.Get(id, kDataKey, 0);
      all += node ? node->AttrText("Version") : "-";
      all += ' ';
    }
    return all;
  };
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      std::filesystem::remove(file);
      {
        XMLDB db(file, kKind, *random);
        db.Put(Version("a"), 100, kDataKey, 0);
        db.Put(Version("b"), 200, kDataKey, 0);
        db.Close();
      }
      XMLDB db(file, kKind, *random, fs);
      db.Put(Version("B"), 200, kDataKey, 0);
      db.Put(Version("C"), 300, kDataKey, 0);
      db.Delete(100, 0);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        db.Save();
      } catch (const EXMLIOError&) {
        failed = true;
      }
      fs.Disarm();
      {
        XMLDB check(file, kKind, *random);
        EXPECT_EQ(names(check), failed ? "a b - " : "- B C ") << StepName(step) << " " << failAt;
      }
      if (!failed) break;
      // The database's own state survived the failure: saving again works.
      db.Save();
      XMLDB retried(file, kKind, *random);
      EXPECT_EQ(names(retried), "- B C ") << StepName(step) << " " << failAt;
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

TEST(FaultInjection, AppendingRecordsLeavesTheTargetAsItWasOrWithAllOfThem) {
  TTempFolder folder;
  auto random = MakeSeededRandom(4);
  const auto source = folder / "FROM.DAT";
  const auto target = folder / "TO.DAT";
  {
    XMLDB from(source, 77, *random);
    for (int day = 1; day <= 3; ++day) from.Put(Version("moved"), 12, kDataKey, day);
    from.Save();
    XMLDB to(target, 77, *random);
    to.Put(Version("kept"), 12, kDataKey, 100);
    to.Save();
  }
  const std::string before = test::ReadBytes(target);
  TFaultyFileSystem fs;
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      test::WriteBytes(target, before);
      XMLDB from(source, 77, *random);
      XMLDB to(target, 77, *random, fs);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        to.AppendStoredRecords(from, {0, 2});
      } catch (const EXMLIOError&) {
        failed = true;
      }
      fs.Disarm();
      XMLDB reread(target, 77, *random);
      ASSERT_EQ(reread.Handles().size(), failed ? 1u : 3u) << StepName(step) << " " << failAt;
      EXPECT_NE(reread.Get(12, kDataKey, 100), nullptr);
      if (!failed) {
        EXPECT_EQ(reread.Get(12, kDataKey, 3)->AttrText("Version"), "moved");
        EXPECT_FALSE(reread.Has(12, 2));
        break;
      }
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

}  // namespace
}  // namespace korvela
