#include <gtest/gtest.h>

#include "users/quantity_entry.h"

namespace korvela {
namespace {

TEST(QuantityEntry, PoundsAreStoredAsKilogramsAndShownAgain) {
  TConfigurator config;
  config.SetMetricSystem(false);
  TQuantityEntry weight(config, TQuantityKind::Weight);
  weight.SetText("154");
  EXPECT_TRUE(weight.Validate(true).ok);
  EXPECT_DOUBLE_EQ(weight.Value(), 70);
  EXPECT_EQ(weight.Text(), "154");
  config.SetMetricSystem(true);
  weight.Refresh();
  EXPECT_EQ(weight.Text(), "70");
  EXPECT_EQ(weight.UnitLabel(), "kg");
}

TEST(QuantityEntry, RangeMessagesInTheCurrentUnit) {
  TConfigurator config;
  TQuantityEntry weight(config, TQuantityKind::Weight);
  weight.MinValue = 30;
  weight.MaxValue = 600;
  TQuantityEntry height(config, TQuantityKind::Distance);
  height.MinValue = 100;
  height.MaxValue = 300;
  const struct {
    bool metric;
    TQuantityEntry* entry;
    const char* text;
    const char* message;
  } cases[] = {
      {false, &weight, "1400", "This Weight field requires values between 66 and 1320 lbs"},
      {true, &weight, "29.99", "This Weight field requires values between 30 and 600 kg"},
      {true, &weight, "abc", "This Weight field requires values between 30 and 600 kg"},
      {true, &height, "301", "Height field requires values between 100 and 300 cm"},
      {false, &height, "20", "Height field requires values between 39.37 and 118.11 inches"},
  };
  for (const auto& c : cases) {
    config.SetMetricSystem(c.metric);
    c.entry->SetValue(-1);
    c.entry->SetText(c.text);
    const auto check = c.entry->Validate(false);
    EXPECT_FALSE(check.ok) << c.text;
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(c.entry->Value(), -1);
  }
  config.SetMetricSystem(true);
  height.SetText("300");
  EXPECT_TRUE(height.Validate(true).ok);  // limits are included
  EXPECT_EQ(height.Value(), 300);
}

TEST(QuantityEntry, EmptyEntryWarnsOnlyWhenCheckedExplicitly) {
  TConfigurator config;
  TQuantityEntry weight(config, TQuantityKind::Weight);
  TQuantityEntry waist(config, TQuantityKind::Distance);
  waist.DistString = "Waist";
  weight.SetText("   ");
  EXPECT_TRUE(weight.Validate(false).ok);
  EXPECT_EQ(weight.Validate(true).message, "Please enter a weight");
  EXPECT_EQ(waist.Validate(true).message, "Please enter a Waist");
  EXPECT_EQ(weight.Value(), -1);
}

TEST(QuantityEntry, DecimalCharacterChangesTheShownText) {
  TConfigurator config;
  TQuantityEntry weight(config, TQuantityKind::Weight);
  weight.SetValue(72.5);
  EXPECT_EQ(weight.Text(), "72.5");
  config.SetFloatingChar(',');
  weight.Refresh();
  EXPECT_EQ(weight.Text(), "72,5");
  weight.SetText("80,25");
  EXPECT_TRUE(weight.Validate(true).ok);
  EXPECT_DOUBLE_EQ(weight.Value(), 80.25);
}

}  // namespace
}  // namespace korvela
