// A damaged file that has defaults is offered to be set aside: Yes renames it
// (its bytes kept) and goes on with the defaults; No lets the error, naming
// the file, go on to the error report and leaves the file as it was.
#include <gtest/gtest.h>

#include "app/damaged_files.h"
#include "app/program.h"
#include "storage/garbled_stream.h"
#include "support/new_account.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TScriptedPrompter;
using test::TTempFolder;
using test::WriteBytes;

struct TDamage {
  const char* file;
  bool inProgramFolder;  // read at start-up, not at login
  const char* bytes;     // null: the user's "CI.DAT", a document of another kind
};

constexpr TDamage kDamages[] = {
    {"CI.DAT", false, "garbage, not a settings file"},
    {"MI.DAT", false, "garbage"},
    {"MI.DAT", false, nullptr},
    {"FF.DAT", false, "not a record database at all"},
    {"FW.DAT", true, "garbage"},
    {"FW.DAT", true, nullptr},
};

class DamagedFiles : public ::testing::Test {
 protected:
  // A program folder with a catalogue (so that "FW.DAT" is read) and Ann's
  // account, logged off; returns the damaged file.
  std::filesystem::path Prepare(const TDamage& d) {
    XMLNode catalogue("Foods");
    catalogue.AddChild(std::make_unique<XMLNode>("Cat")).AddAttr("name", "Fruit");
    folder = std::make_unique<TTempFolder>();
    SaveXMLFile(catalogue, *folder / "foods.dat", kDataKey, *random);
    auto program = Start();
    const std::filesystem::path user = program->CreateAccount(test::AnnAccount(1)).Folder;
    program->LogOff();
    program->Exit();
    const std::filesystem::path file = (d.inProgramFolder ? folder->Path() : user) / d.file;
    damaged = d.bytes ? std::string(d.bytes) : ReadBytes(user / "CI.DAT");
    WriteBytes(file, damaged);
    return file;
  }

  std::unique_ptr<TProgram> Start() {
    auto program = std::make_unique<TProgram>(folder->Path(), TSystemDefaults{}, clock, *random);
    program->Start();
    return program;
  }

  // Start-up and login as the program runs them, with the prompter.
  void Run(TProgram& program, bool onlyStartUp) {
    (void)program.LoadSharedCollections(&prompter);
    if (!onlyStartUp) program.Login(*program.Accounts()[0], &prompter);
  }

  std::unique_ptr<TTempFolder> folder;
  TFixedClock clock{EncodeDate(2007, 6, 15) + 0.4};
  std::unique_ptr<TRandom> random = MakeSeededRandom(4);
  TScriptedPrompter prompter;
  std::string damaged;
};

TEST_F(DamagedFiles, NoKeepsTheFileAndTheErrorNamesIt) {
  for (const TDamage& d : kDamages) {
    SCOPED_TRACE(std::string(d.file) + (d.bytes ? " garbled" : " of another kind"));
    const std::filesystem::path file = Prepare(d);
    prompter.Plan(TAnswer::No);
    auto program = Start();
    try {
      Run(*program, d.inProgramFolder);
      ADD_FAILURE() << "no error";
    } catch (const EKorvelaError& e) {
      EXPECT_NE(std::string(e.what()).find(d.file), std::string::npos) << e.what();
    }
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].find(file.string()), std::string::npos) << prompter.shown[0];
    EXPECT_NE(prompter.shown[0].find(std::string(d.file) + ".damaged"), std::string::npos);
    EXPECT_EQ(ReadBytes(file), damaged);
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".damaged"));
    prompter.shown.clear();
  }
}

TEST_F(DamagedFiles, YesSetsTheFileAsideAndGoesOnWithTheDefaults) {
  for (const TDamage& d : kDamages) {
    SCOPED_TRACE(std::string(d.file) + (d.bytes ? " garbled" : " of another kind"));
    const std::filesystem::path file = Prepare(d);
    // An earlier damaged copy is never overwritten.
    WriteBytes(file.string() + ".damaged", "kept from before");
    prompter.Plan(TAnswer::Yes);
    {
      auto program = Start();
      Run(*program, d.inProgramFolder);
      if (!d.inProgramFolder) {
        ASSERT_NE(program->Session(), nullptr);
        EXPECT_EQ(program->Session()->MealDefinitions().size(), 6u);
      } else {
        EXPECT_FALSE(program->Units().empty());
      }
      program->LogOff();
      program->Exit();
    }
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(ReadBytes(file.string() + ".2.damaged"), damaged);
    EXPECT_EQ(ReadBytes(file.string() + ".damaged"), "kept from before");
    // The next run reads what this one wrote (or the defaults) without a question.
    prompter.shown.clear();
    auto again = Start();
    Run(*again, false);
    EXPECT_TRUE(prompter.shown.empty());
    again->LogOff();
  }
}

TEST(SetAside, OnlyTheFileTheErrorNamesAndOnlyWithAPrompter) {
  TTempFolder folder;
  WriteBytes(folder / "MI.DAT", "x");
  TScriptedPrompter prompter;
  const EInvalidXMLFile other((folder / "CI.DAT").string());
  EXPECT_FALSE(OfferToSetAside(other, folder / "MI.DAT", "meals", &prompter));
  const EInvalidXMLFile named((folder / "MI.DAT").string());
  EXPECT_FALSE(OfferToSetAside(named, folder / "MI.DAT", "meals", nullptr));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(std::filesystem::exists(folder / "MI.DAT"));
}

}  // namespace
}  // namespace korvela
