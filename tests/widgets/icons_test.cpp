#include "widgets/icons.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QStringList>

namespace korvela {
namespace {

// Every picture the screens ask for, with the size it is drawn for.
struct TIconCase {
  const char* name;
  int size;
};
constexpr TIconCase kIcons[] = {
    {"food-logs", 48},       {"recipe-book", 48},       {"training-logs", 48},
    {"my-records", 48},      {"activities-logs", 48},   {"bodyweight-goals", 48},
    {"weigh-in", 48},        {"measurements", 48},      {"phases", 48},
    {"graphs", 48},          {"reports", 48},           {"personal-info", 48},
    {"import-export", 48},   {"ask-question", 48},      {"app-icon", 48},
    {"mark-weigh-in", 16},   {"mark-measurements", 16}, {"mark-workout", 16},
    {"mark-pass", 16},       {"mark-fail", 16},         {"mark-not-available", 16},
    {"arrow-left", 24},      {"arrow-right", 24},       {"arrow-left-hot", 24},
    {"arrow-right-hot", 24}, {"tab-pen", 16},           {"tab-star", 16},
};

// Pixels that are not fully transparent.
int InkedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).alpha() > 0) ++n;
  return n;
}

TEST(KorvelaIcons, EveryPictureDrawsOnATransparentGround) {
  for (const TIconCase& c : kIcons) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(KorvelaIcon(c.name).isNull());
    for (int size : {c.size, 32}) {
      const QPixmap pixmap = KorvelaPixmap(c.name, size);
      ASSERT_FALSE(pixmap.isNull()) << size;
      const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
      const int area = image.width() * image.height();
      EXPECT_GE(image.width(), size);
      // Drawn, and drawn as a shape rather than a filled square.
      EXPECT_GT(InkedPixels(image), area / 10) << size;
      EXPECT_LT(InkedPixels(image), area) << size;
    }
  }
}

TEST(KorvelaIcons, TheResourcesHoldExactlyThePicturesOfTheProgram) {
  KorvelaIcon("app-icon");
  QStringList want;
  for (const TIconCase& c : kIcons) want << QString::fromLatin1(c.name) + QStringLiteral(".svg");
  want.sort();
  QStringList have = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
  have.sort();
  EXPECT_EQ(have, want);
}

TEST(KorvelaIcons, NamesWithoutAPictureGiveNothing) {
  for (const char* name : {"no-such-icon", "", "food-logs.svg", "Food-Logs", "../icons/food-logs",
                           "/icons/food-logs", " food-logs"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(KorvelaIcon(name).isNull());
    EXPECT_TRUE(KorvelaPixmap(name, 32).isNull());
  }
  EXPECT_TRUE(KorvelaPixmap("food-logs", 0).isNull());
}

}  // namespace
}  // namespace korvela
