#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "energy/body_records.h"
#include "reports/report_rows.h"
#include "reports/ui/reports_form.h"
#include "support/csv_reader.h"
#include "support/tab_chain.h"
#include "training/training_records.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna is logged in on Friday 15 June 2007; on Tuesday 12 June she pressed
// and squatted, on Thursday she squatted and ran.
struct TReportsFixture : TProgramFixture {
  TReportsFixture() {
    (void)program.LoadSharedCollections();
    AddAccount("Anna");
    bench = Add("Bench <b>Press</b>", TMeasureKind::Weight);
    squat = Add("Squat", TMeasureKind::Weight);
    run = Add("Running", TMeasureKind::DistanceTime);
    Log(EncodeDate(2007, 6, 12), {bench, squat});
    Log(EncodeDate(2007, 6, 14), {squat, run});
  }
  std::int32_t Add(const std::string& name, TMeasureKind kind) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    return program.Exercises().AddExercise(d).ID;
  }
  void Log(TDateTime day, std::vector<std::int32_t> ids) {
    TWorkout workout;
    workout.Date = day;
    for (const std::int32_t id : ids) {
      TDrillSet set;
      set.DID = id;
      set.Sets = 2;
      set.Reps = "5";
      set.Weight.Q = "50";
      workout.Lines.push_back(set);
    }
    AppendWorkoutLog(program.Session()->DayRecords(), program.Exercises(), workout);
  }
  std::int32_t bench = 0, squat = 0, run = 0;
};

QString Text(const QWidget& form, const char* edit) { return Child<QLineEdit>(form, edit)->text(); }

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

class TReportsFormTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensOnThisWeekWithEveryColumnTicked() {
    TReportsFixture f;
    TFReports form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Reports"));
    QCOMPARE(Text(form, "fromDateLineEdit"), QStringLiteral("11 Jun 2007"));
    QCOMPARE(Text(form, "toDateLineEdit"), QStringLiteral("17 Jun 2007"));
    auto* ready = Child<QListWidget>(form, "readyPeriodListWidget");
    QCOMPARE(ready->currentRow(), 0);
    QCOMPARE(ready->count(), 8);
    ready->setCurrentRow(4);  // Last month
    QCOMPARE(Text(form, "fromDateLineEdit"), QStringLiteral("1 May 2007"));
    QCOMPARE(Text(form, "toDateLineEdit"), QStringLiteral("31 May 2007"));
    // Dates typed by hand that make no ready period are the custom one, which
    // keeps them when chosen; dates that make one choose it.
    auto* from = Child<QLineEdit>(form, "fromDateLineEdit");
    const auto type = [from](const char* text) {
      from->selectAll();
      QTest::keyClicks(from, QString::fromUtf8(text));
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(from, &out);
    };
    type("10 May 2007");
    QCOMPARE(ready->currentItem()->text(), QString::fromUtf8(kCustomPeriodName.data()));
    ready->setCurrentRow(0);
    ready->setCurrentRow(7);
    QCOMPARE(Text(form, "fromDateLineEdit"), QStringLiteral("11 Jun 2007"));
    QCOMPARE(ready->currentRow(), 0);  // this week's dates are this week
    type("1 Jun 2007");
    Child<QLineEdit>(form, "toDateLineEdit")->selectAll();
    QTest::keyClicks(Child<QLineEdit>(form, "toDateLineEdit"), QStringLiteral("30 Jun 2007"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Child<QLineEdit>(form, "toDateLineEdit"), &out);
    QCOMPARE(ready->currentItem()->text(), QStringLiteral("This month"));
    for (QCheckBox* check : form.findChildren<QCheckBox*>()) QVERIFY(check->isChecked());
    QCOMPARE(form.findChildren<QCheckBox*>().size(), 10 + 6 + 9 + 3 + 9);
    QCOMPARE(Child<QCheckBox>(form, "nutrition7CheckBox")->text(),
             QStringLiteral("Protein Grams per kg"));
    QCOMPARE(Child<QComboBox>(form, "distanceUnitComboBox")->currentText(),
             QStringLiteral("kilometers"));
    QVERIFY(!Child<QPushButton>(form, "phasesButton")->isEnabled());
    QCOMPARE(
        TabChainFaults(form, {QStringLiteral("showReportButton"), QStringLiteral("exportCsvButton"),
                              QStringLiteral("okButton"), QStringLiteral("helpButton")}),
        QStringList());
  }

  void APhasePickedSetsThePeriod() {
    TReportsFixture f;
    TPhaseList phases(1);
    phases[0].Date = EncodeDate(2007, 4, 1);
    phases[0].Values = {kNoColor, EncodeDate(2007, 6, 30), "Cutting", ""};
    ReplacePhases(f.program.Session()->DayRecords(), phases);
    TFReports form(f.program, f.prompter);
    QVERIFY(Child<QPushButton>(form, "phasesButton")->isEnabled());
    form.PickPhaseRange = [] { return TDateRange{-1, -1}; };
    Child<QPushButton>(form, "phasesButton")->click();
    QCOMPARE(Text(form, "fromDateLineEdit"), QStringLiteral("11 Jun 2007"));
    form.PickPhaseRange = [] {
      return TDateRange{EncodeDate(2007, 4, 1), EncodeDate(2007, 6, 30)};
    };
    Child<QPushButton>(form, "phasesButton")->click();
    QCOMPARE(Text(form, "fromDateLineEdit"), QStringLiteral("1 Apr 2007"));
    QCOMPARE(Text(form, "toDateLineEdit"), QStringLiteral("30 Jun 2007"));
  }

  void ShowReportBuildsTheChosenReportWithTheTickedColumns() {
    TReportsFixture f;
    TFReports form(f.program, f.prompter);
    std::vector<TPageTable> pages;
    form.ShowPage = [&pages](TMyReport& report) { pages.push_back(ReadPage(report)); };
    Child<QTabWidget>(form, "reportTabWidget")->setCurrentIndex(1);
    Child<QCheckBox>(form, "bodyweight1CheckBox")->setChecked(false);  // Goal
    Child<QPushButton>(form, "showReportButton")->click();
    QCOMPARE(pages.size(), std::size_t{1});
    QCOMPARE(Q(pages[0].Headings[0]), QStringLiteral("Bodyweight Report"));
    QCOMPARE(pages[0].Rows.size(), std::size_t{8});  // header and seven days
    QCOMPARE(pages[0].Rows[0].Cells,
             (std::vector<std::string>{"Date", "Reported", "Projected", "BF%", "Lean Body Mass",
                                       "Fat Mass"}));
    QVERIFY(f.prompter.shown.empty());
  }

  void UnreadableOrReversedDatesAreWarnedAndTheScreenStays() {
    TReportsFixture f;
    TFReports form(f.program, f.prompter);
    int shown = 0;
    form.ShowPage = [&shown](TMyReport&) { ++shown; };
    form.show();
    auto* from = Child<QLineEdit>(form, "fromDateLineEdit");
    // Typed and left: the entry keeps its date.
    from->setFocus();
    from->selectAll();
    QTest::keyClicks(from, QStringLiteral("31 Foo"));
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(form.Request().Period.From, EncodeDate(2007, 6, 11));
    QCOMPARE(shown, 0);  // Enter in the entry showed no report
    if (auto* calendar = form.findChild<QWidget*>(QStringLiteral("dropDownCalendar")))
      QTest::keyClick(calendar, Qt::Key_Escape);
    // Text that was never left is read when the report is asked for.
    from->setText(QStringLiteral("31 Foo"));
    Child<QPushButton>(form, "showReportButton")->click();
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please, enter a valid date")});
    QCOMPARE(shown, 0);
    QVERIFY(form.isVisible());

    from->setText(QStringLiteral("20 Jun 2007"));
    Child<QPushButton>(form, "exportCsvButton")->click();
    QCOMPARE(Q(f.prompter.Last()),
             QStringLiteral("warn: Please, select a \"From Date\" that is before \"To Date\""));
    QCOMPARE(form.focusWidget(), from);
    from->setText(QStringLiteral("17 Jun 2007"));
    Child<QPushButton>(form, "showReportButton")->click();
    QCOMPARE(shown, 1);
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
  }

  void ExercisesOfThePeriodCanBePicked() {
    TReportsFixture f;
    TFReports form(f.program, f.prompter);
    std::vector<TPageTable> pages;
    form.ShowPage = [&pages](TMyReport& report) { pages.push_back(ReadPage(report)); };
    Child<QTabWidget>(form, "reportTabWidget")->setCurrentIndex(2);
    auto* list = Child<QListWidget>(form, "exerciseListWidget");
    auto* title = Child<QLabel>(form, "exerciseTitleLabel");
    QCOMPARE(list->count(), 0);
    Child<QRadioButton>(form, "specifyExercisesRadioButton")->setChecked(true);
    QCOMPARE(Items(*list), (QStringList{QStringLiteral("Bench <b>Press</b>"),
                                        QStringLiteral("Squat"), QStringLiteral("Running")}));
    QCOMPARE(title->text(), QStringLiteral("Exercises done from 11 Jun 2007 to 17 Jun 2007"));
    // A shorter period lists only its own exercises.
    auto* to = Child<QLineEdit>(form, "toDateLineEdit");
    to->setFocus();
    to->selectAll();
    QTest::keyClicks(to, QStringLiteral("13 Jun 2007"));
    QTest::keyClick(to, Qt::Key_Return);
    QCOMPARE(Items(*list),
             (QStringList{QStringLiteral("Bench <b>Press</b>"), QStringLiteral("Squat")}));
    list->item(1)->setSelected(true);
    Child<QPushButton>(form, "showReportButton")->click();
    QCOMPARE(Q(pages.back().Headings.back()), QStringLiteral("Exercises: Squat; "));
    QCOMPARE(Q(pages.back().Rows[1].Cells[4]), QStringLiteral("10 lifts"));

    Child<QRadioButton>(form, "allExercisesRadioButton")->setChecked(true);
    QCOMPARE(list->count(), 0);
    QCOMPARE(title->text(), QStringLiteral("Exercises"));
    Child<QPushButton>(form, "showReportButton")->click();
    QCOMPARE(Q(pages.back().Headings.back()), QStringLiteral("Exercises: All from the period"));
    QCOMPARE(Q(pages.back().Rows[1].Cells[4]), QStringLiteral("20 lifts"));
  }

  void ExportWritesTheCsvOrWarnsAndKeepsTheOldFile() {
    TReportsFixture f;
    TFReports form(f.program, f.prompter);
    Child<QTabWidget>(form, "reportTabWidget")->setCurrentIndex(2);
    const std::filesystem::path file = f.folder / "training.csv";
    QString proposed;
    form.ChooseFile = [&](QWidget*, const TExportDialog& dialog) {
      proposed = Q(std::string(dialog.proposedName));
      return QString::fromStdString(file.string());
    };
    Child<QPushButton>(form, "exportCsvButton")->click();
    QCOMPARE(proposed, QStringLiteral("Training Report.csv"));
    // It says where it wrote and how many rows.
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QCOMPARE(Q(f.prompter.Last()), QStringLiteral("inform: Exported 2 rows to ") +
                                       Q(file.string()) + QStringLiteral("."));
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto records = ReadCsv(text);
    QCOMPARE(records.size(), std::size_t{3});
    QCOMPARE(Q(records[0][3]), QStringLiteral("volume_kg"));
    QCOMPARE(Q(records[1][0]), QStringLiteral("2007-06-12"));
    QCOMPARE(Q(records[1][3]), QStringLiteral("1000"));

    // The disk refuses the temporary file: a warning naming the file, and
    // the earlier export stays.
    std::filesystem::create_directory(TemporaryNameFor(file));
    Child<QTabWidget>(form, "reportTabWidget")->setCurrentIndex(0);
    Child<QPushButton>(form, "exportCsvButton")->click();
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
    QVERIFY(f.prompter.Last().starts_with("warn: "));
    QVERIFY(f.prompter.Last().find("training") != std::string::npos);
    std::ifstream again(file, std::ios::binary);
    QCOMPARE(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()),
             text);

    form.ChooseFile = [](QWidget*, const TExportDialog&) { return QString(); };
    Child<QPushButton>(form, "exportCsvButton")->click();
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
  }
};

}  // namespace
}  // namespace korvela::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  korvela::test::TReportsFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "reports_form_test.moc"
