#include <gtest/gtest.h>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "support/temp_folder.h"
#include "users/configurator.h"

namespace korvela {
namespace {

using Notice = TConfigurator::TNotice;

TEST(Configurator, NotifiesThePropertysListenersThenAnyChangeOnlyOnRealChanges) {
  TConfigurator config;
  std::vector<std::string> calls;
  config.Register(Notice::AnyChange, [&] { calls.push_back("any"); });
  config.Register(Notice::MetricSystem, [&] { calls.push_back("metric 1"); });
  const auto second = config.Register(Notice::MetricSystem, [&] { calls.push_back("metric 2"); });
  config.Register(Notice::FloatingChar, [&] { calls.push_back("char"); });
  config.Register(Notice::TimeFormat, [&] { calls.push_back("time"); });

  config.SetMetricSystem(false);
  EXPECT_EQ(calls, (std::vector<std::string>{"metric 1", "metric 2", "any"}));
  calls.clear();
  config.SetMetricSystem(false);  // unchanged: nothing
  config.SetFloatingChar('.');
  EXPECT_TRUE(calls.empty());
  config.SetFirstDOW(6);
  config.SetFloatingChar(',');
  config.SetTimeFormat(TTimeFormat::hr12);
  EXPECT_EQ(calls, (std::vector<std::string>{"any", "char", "any", "time", "any"}));
  calls.clear();
  config.Unregister(second);
  config.SetMetricSystem(true);
  EXPECT_EQ(calls, (std::vector<std::string>{"metric 1", "any"}));
  EXPECT_EQ(config.Register(Notice::AnyChange, nullptr), 0);
}

TEST(Configurator, DefaultsComeFromTheSystem) {
  TSystemDefaults defaults;
  defaults.metric = false;
  defaults.timeFormat = TTimeFormat::hr12;
  defaults.firstDOW = 6;
  defaults.dayFirst = false;
  TConfigurator config(defaults);
  EXPECT_FALSE(config.MetricSystem());
  EXPECT_EQ(config.TimeFormat(), TTimeFormat::hr12);
  EXPECT_EQ(config.FloatingChar(), '.');
  EXPECT_EQ(config.FirstDOW(), 6);
  EXPECT_FALSE(config.DayFirst());
}

TEST(ConfigData, SavesMirroredSettingsAndAppliesThemAtTheNextLogin) {
  test::TTempFolder folder;
  auto random = MakeSeededRandom(1);
  const auto file = folder / "CI.DAT";
  TConfigurator config;
  {
    auto data = TConfigData::FromCurrent(config);
    config.SetMetricSystem(false);
    config.SetFloatingChar(',');
    config.SetTimeFormat(TTimeFormat::hr12);
    config.SetFirstDOW(3);
    EXPECT_FALSE(data->MetricSystem);  // mirrors the program-wide settings
    EXPECT_EQ(data->FloatChar, ',');
    data->Save(file, *random);
  }
  const auto root = LoadXMLFile(file, kDataKey);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->ToText(),
            "<ConfigInfo MetricSystem=\"0\" TimeFormat=\"0\" FloatChar=\",\" "
            "FirstDayOfWeek=\"3\">\r\n</ConfigInfo>\r\n");

  TConfigurator other;
  int notices = 0;
  other.Register(Notice::AnyChange, [&] { ++notices; });
  auto data = TConfigData::Load(other, file);
  EXPECT_FALSE(other.MetricSystem());
  EXPECT_EQ(other.FloatingChar(), ',');
  EXPECT_EQ(other.TimeFormat(), TTimeFormat::hr12);
  EXPECT_EQ(other.FirstDOW(), 3);
  EXPECT_EQ(notices, 4);
  data.reset();  // log off: the settings keep their values
  EXPECT_FALSE(other.MetricSystem());
}

TEST(ConfigData, MissingOrDamagedFileFailsTheLogin) {
  test::TTempFolder folder;
  TConfigurator config;
  EXPECT_THROW(TConfigData::Load(config, folder / "CI.DAT"), EXMLIOError);
  auto random = MakeSeededRandom(1);
  XMLNode partial("ConfigInfo");
  partial.AddAttr("MetricSystem", "1");
  SaveXMLFile(partial, folder / "CI.DAT", kDataKey, *random);
  try {
    TConfigData::Load(config, folder / "CI.DAT");
    FAIL() << "no error";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_NE(std::string(e.what()).find("CI.DAT"), std::string::npos);
  }
}

// A refused write reaches the caller, naming the file, so that the screen can
// tell the user; nothing is left behind.
TEST(ConfigData, ARefusedWriteNamesTheFile) {
  test::TTempFolder folder;
  auto random = MakeSeededRandom(1);
  TConfigurator config;
  auto data = TConfigData::FromCurrent(config);
  const std::filesystem::path file = folder / "missing-folder" / "CI.DAT";
  try {
    data->Save(file, *random);
    ADD_FAILURE() << "the save did not fail";
  } catch (const EXMLIOError& e) {
    EXPECT_EQ(e.File(), file.string());
  }
}

}  // namespace
}  // namespace korvela
