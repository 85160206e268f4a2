#include <QComboBox>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "energy/goals.h"
#include "energy/ui/weight_goal_form.h"
#include "energy/weight_goals.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"
#include "users/unit_text.h"
#include "widgets/chart.h"
#include "widgets/date_edit.h"

namespace korvela::test {
namespace {

// Anna, created on the fixture's day (15 June 2007) at 65 kg, is logged in.
struct TWeightGoalFixture : TProgramFixture {
  TWeightGoalFixture() { AddAccount("Anna"); }

  TDateTime Today() const { return clock.Today(); }

  // The goal set today, or null.
  const TWeightGoalStat* TodaysGoal() {
    TDayRecordStore& records = program.Session()->DayRecords();
    TDBC* entry = records.FindDayRecord(kWeightGoalStatKind, Today());
    return entry ? &records.Loaded<TWeightGoalStat>(*entry) : nullptr;
  }

  static void ChooseGoal(TFWeightGoal& form, TWeightGoalType type) {
    auto* goal = Child<QComboBox>(form, "goalComboBox");
    goal->setCurrentIndex(static_cast<int>(type));
    emit goal->activated(goal->currentIndex());
  }

  static void SetTarget(TFWeightGoal& form, const char* weight, TDateTime date) {
    auto* edit = Child<QLineEdit>(form, "targetWeightLineEdit");
    edit->setText(QString::fromUtf8(weight));
    emit edit->editingFinished();
    Child<TMyDate>(form, "targetDateEdit")->SetDate(date);
  }
};

void ShowActive(QWidget& form) {
  form.show();
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));
}

QString GoalText(const TFWeightGoal& form) {
  return Child<QComboBox>(form, "goalComboBox")->currentText();
}

class TWeightGoalFormTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensWithMaintenanceAHundredDaysAheadWithoutAGoal() {
    TWeightGoalFixture f;
    TFWeightGoal form(f.program, f.prompter);
    QCOMPARE(UnnamedControls(form), QStringList{});
    QCOMPARE(GoalText(form), QStringLiteral("Maintain weight"));
    QCOMPARE(Child<TMyDate>(form, "targetDateEdit")->Date(), f.Today() + 100);
    QCOMPARE(Child<QLineEdit>(form, "targetDateLineEdit")->text(), QStringLiteral("23 Sep 2007"));
    QVERIFY(!Child<QLineEdit>(form, "targetWeightLineEdit")->isEnabled());
    QVERIFY(!Child<QLineEdit>(form, "targetDateLineEdit")->isEnabled());
    QVERIFY(Child<QPlainTextEdit>(form, "dietDescriptionTextEdit")->toPlainText().isEmpty());
    QVERIFY(f.prompter.shown.empty());
  }

  void AdoptingALoseGoalStoresItsTargetInKilograms() {
    TWeightGoalFixture f;
    f.program.Config().SetMetricSystem(false);
    TFWeightGoal form(f.program, f.prompter);
    ShowActive(form);
    TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Gain);
    QVERIFY(Child<QLineEdit>(form, "targetWeightLineEdit")->isEnabled());
    // 132 lbs is below Anna's 143 lbs: leaving the field makes it a goal to lose.
    TWeightGoalFixture::SetTarget(form, "132", f.Today() + 70);
    QCOMPARE(GoalText(form), QStringLiteral("Lose weight"));
    Child<QPushButton>(form, "calculateButton")->click();
    QVERIFY(Child<QPlainTextEdit>(form, "dietDescriptionTextEdit")
                ->toPlainText()
                .startsWith(QStringLiteral("Anna,\nto reach your goal weight of 132 lbs on 24 Aug "
                                           "2007 you need to lose 11 lbs(1.08 lbs per week).")));
    auto* chart = Child<TChart>(form, "goalChart");
    QCOMPARE(chart->Title(), QStringLiteral("Average loss 1.08 lbs per week."));
    QCOMPARE(chart->SeriesCount(), 1);
    QCOMPARE(chart->Kind(0), TSeriesKind::Arrow);
    QCOMPARE(chart->Points(0),
             (QList<QPointF>{QPointF(f.Today(), 143), QPointF(f.Today() + 70, 132)}));
    Child<QPushButton>(form, "adoptButton")->click();

    QCOMPARE(Shown(f.prompter), QStringList{});
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    const TWeightGoalStat* goal = f.TodaysGoal();
    QVERIFY(goal != nullptr);
    QCOMPARE(goal->WeightGoalType, TWeightGoalType::Lose);
    QCOMPARE(goal->TargetWeight, 60.0);
    QCOMPARE(goal->TargetDate, f.Today() + 70);
  }

  void ATargetDateOfTodayIsRefusedAndBecomesTomorrow() {
    TWeightGoalFixture f;
    TFWeightGoal form(f.program, f.prompter);
    ShowActive(form);
    TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Lose);
    TWeightGoalFixture::SetTarget(form, "60", f.Today());
    for (const char* button : {"calculateButton", "adoptButton"}) {
      f.prompter.shown.clear();
      Child<TMyDate>(form, "targetDateEdit")->SetDate(f.Today());
      Child<QPushButton>(form, button)->click();
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral("warn: Please, select a target date in the future")});
      QCOMPARE(form.result(), 0);
      QCOMPARE(Child<TMyDate>(form, "targetDateEdit")->Date(), f.Today() + 1);
      QCOMPARE(QApplication::focusWidget(), Child<QLineEdit>(form, "targetDateLineEdit"));
    }
    QVERIFY(f.TodaysGoal() == nullptr);
  }

  void AnInvalidTargetWeightStopsWithTheEntrysWarning() {
    TWeightGoalFixture f;
    TFWeightGoal form(f.program, f.prompter);
    ShowActive(form);
    TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Gain);
    Child<TMyDate>(form, "targetDateEdit")->SetDate(f.Today() + 30);
    Child<QPushButton>(form, "adoptButton")->click();
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please enter a weight")});
    QCOMPARE(form.result(), 0);
    QVERIFY(f.TodaysGoal() == nullptr);
  }

  void AdoptingMaintenanceKeepsThePresentWeight() {
    TWeightGoalFixture f;
    TFWeightGoal form(f.program, f.prompter);
    TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Lose);
    TWeightGoalFixture::SetTarget(form, "60", f.Today() + 50);
    Child<QPushButton>(form, "calculateButton")->click();
    TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Maintain);
    Child<QPushButton>(form, "calculateButton")->click();
    QVERIFY(Child<QPlainTextEdit>(form, "dietDescriptionTextEdit")
                ->toPlainText()
                .startsWith(QStringLiteral("Anna,\nto maintain your current weight of 65 kg,")));
    QCOMPARE(Child<TChart>(form, "goalChart")->Title(), QStringLiteral("Bodyweight"));
    // Only the new arrow is drawn, no head of the one before.
    int heads = 0;
    for (QGraphicsItem* item : Child<TChart>(form, "goalChart")->scene()->items())
      heads += qgraphicsitem_cast<QGraphicsPolygonItem*>(item) != nullptr;
    QCOMPARE(heads, 1);
    QCOMPARE(form.findChildren<TChart*>().size(), 1);
    // A month ahead at the present weight.
    QCOMPARE(Child<TChart>(form, "goalChart")->Points(0),
             (QList<QPointF>{QPointF(f.Today(), 65), QPointF(EncodeDate(2007, 7, 15), 65)}));
    Child<QPushButton>(form, "adoptButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(f.TodaysGoal()->WeightGoalType, TWeightGoalType::Maintain);
    QCOMPARE(f.TodaysGoal()->TargetWeight, 65.0);
    QCOMPARE(f.TodaysGoal()->TargetDate, 0.0);
  }

  void OpensWithTheActiveGoalCalculated() {
    TWeightGoalFixture f;
    {
      TFWeightGoal form(f.program, f.prompter);
      TWeightGoalFixture::ChooseGoal(form, TWeightGoalType::Gain);
      TWeightGoalFixture::SetTarget(form, "68", f.Today() + 30);
      Child<QPushButton>(form, "adoptButton")->click();
    }
    TFWeightGoal form(f.program, f.prompter);
    QCOMPARE(GoalText(form), QStringLiteral("Gain weight"));
    QCOMPARE(Child<QLineEdit>(form, "targetWeightLineEdit")->text(), QStringLiteral("68"));
    QCOMPARE(Child<TMyDate>(form, "targetDateEdit")->Date(), f.Today() + 30);
    QVERIFY(Child<QPlainTextEdit>(form, "dietDescriptionTextEdit")
                ->toPlainText()
                .startsWith(QStringLiteral("Anna,\nto reach your goal weight of 68 kg on 15 Jul "
                                           "2007 you need to gain 3 kg(0.68 kg per week).")));
    Child<QPushButton>(form, "cancelButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(f.TodaysGoal()->TargetWeight, 68.0);
  }
};

}  // namespace

int RunWeightGoalFormTests(int argc, char** argv) {
  TWeightGoalFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "weight_goal_form_test.moc"
