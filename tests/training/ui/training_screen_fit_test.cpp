// The personal records screens and the strength tools on real displays (run
// under Xvfb at 1366x768, 1280x720 and at scale factor 2 on 2732x1536): each
// opens within the screen's free area, a very long exercise name does not
// widen a window, and with KORVELA_SCREENSHOTS set each is photographed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

#include "training/record_editor.h"
#include "training/record_history.h"
#include "training/ui/records_form.h"
#include "training/ui/strength_forms.h"
#include "users/ui/program_fixture.h"
#include "users/unit_text.h"
#include "widgets/window_fit.h"

namespace korvela {
namespace {

constexpr TDateTime kToday = 39248;  // 15 June 2007

class TrainingScreenFitTest : public ::testing::Test {
 protected:
  TrainingScreenFitTest() {
    (void)f.program.LoadSharedCollections();
    f.AddAccount("Anna");
    bench = Add("Barbell Bench Press", TMeasureKind::Weight, 0);
    row = Add("One-Arm Dumbbell Row", TMeasureKind::Weight, 1);
    run = Add("Running", TMeasureKind::DistanceTime, 0);
    for (int i = 0; i < 30; ++i) {
      TDrillPR r;
      r.DID = i % 2 ? bench : row;
      r.Limb = i % 2 ? kNoLimb : kRightLimb;
      r.Weight.Q = std::to_string(60 + i);
      r.Reps = 5;
      r.Date = kToday - 7 * i;
      r.Notes = "Paused at the bottom, belt on";
      StoreRecord(f.program.Session()->DayRecords(), r);
    }
  }
  std::int32_t Add(const std::string& name, TMeasureKind kind, std::uint8_t lat) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    d.LAT = lat;
    return f.program.Exercises().AddExercise(d).ID;
  }
  static QRect Area() { return QApplication::primaryScreen()->availableGeometry(); }

  // Shows the screen and checks that it and everything its layout needs fit
  // the screen's free area; photographs it when asked.
  void ExpectFits(QWidget& screen, const char* name) {
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QCoreApplication::processEvents();
    const QRect area = Area();
    // With its frame, once the window manager has framed and placed it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return area.contains(screen.frameGeometry()); }, 3000))
        << name << ": frame " << screen.frameGeometry().width() << "x"
        << screen.frameGeometry().height();
    EXPECT_LE(screen.minimumSizeHint().width(), area.width()) << name;
    EXPECT_LE(screen.minimumSizeHint().height(), area.height()) << name;
    const QString folder = qEnvironmentVariable("KORVELA_SCREENSHOTS");
    if (!folder.isEmpty()) {
      QTest::qWait(200);
      screen.grab().save(QStringLiteral("%1/%2-%3x%4@%5.png")
                             .arg(folder, QString::fromUtf8(name))
                             .arg(area.width())
                             .arg(area.height())
                             .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))));
    }
  }

  test::TProgramFixture f;
  std::int32_t bench = 0, row = 0, run = 0;
};

TEST_F(TrainingScreenFitTest, RecordsHistoryAndEditorFit) {
  TFPRHistory history(f.program, f.prompter);
  history.Grid()->selectRow(2);
  ExpectFits(history, "records-history");
  TFPREditor weight(f.program, f.prompter, history.Rows()[1].Record);
  ExpectFits(weight, "record-editor-weight");
  TDrillPR distance = NewRecord(f.program.Config(), kToday);
  ChooseRecordExercise(distance, run);
  distance.Dist.Q = 10;
  distance.Time = TimeFromSeconds(4500);
  TFPREditor distanceEditor(f.program, f.prompter, distance);
  ExpectFits(distanceEditor, "record-editor-distance");
}

TEST_F(TrainingScreenFitTest, ALongExerciseNameDoesNotWidenTheWindows) {
  TFPRHistory plain(f.program, f.prompter);
  TDrillPR r = NewRecord(f.program.Config(), kToday);
  ChooseRecordExercise(r, run);
  r.Dist.Q = 5;
  r.Time = TimeFromSeconds(1500);
  TFPREditor plainEditor(f.program, f.prompter, r);
  const int historyWidth = plain.sizeHint().width();
  const int editorWidth = plainEditor.sizeHint().width();

  const std::int32_t longOne = Add(std::string(300, 'W'), TMeasureKind::DistanceTime, 1);
  ChooseRecordExercise(r, longOne);
  r.Limb = kLeftLimb;
  r.Date = kToday - 1000;  // listed first
  r.Dist.Q = 5;
  r.Time = TimeFromSeconds(1500);
  StoreRecord(f.program.Session()->DayRecords(), r);
  TFPRHistory history(f.program, f.prompter);
  TFPREditor editor(f.program, f.prompter, r);
  ASSERT_EQ(history.Grid()->CellText(1, 0).size(), 306);
  EXPECT_EQ(history.sizeHint().width(), historyWidth);
  EXPECT_EQ(editor.sizeHint().width(), editorWidth);
  ExpectFits(history, "records-history-long-name");
  ExpectFits(editor, "record-editor-long-name");
}

TEST_F(TrainingScreenFitTest, StrengthToolsFit) {
  f.program.Config().SetMetricSystem(false);
  TFMaxStrength calculator(f.program, f.prompter);
  calculator.findChild<QLineEdit*>(QStringLiteral("weightLineEdit"))
      ->setText(QStringLiteral("225"));
  calculator.findChild<QComboBox*>(QStringLiteral("repsComboBox"))->setCurrentIndex(4);
  calculator.findChild<QPushButton*>(QStringLiteral("calculateButton"))->click();
  ASSERT_EQ(calculator.Grid()->CellText(1, 0), QStringLiteral("253.15 lbs"));
  ExpectFits(calculator, "max-strength");
  QDialog owner;
  TFPrilepin* table = ShowPrilepinTable(f.program, &owner);
  ExpectFits(*table, "prilepin");
}

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  QApplication app(argc, argv);
  korvela::FitWindowsOnShow(app);  // as the program does
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
