#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "energy/ui/weigh_in_form.h"
#include "energy/weigh_in.h"
#include "screen_tests.h"
#include "support/disk_limit.h"
#include "support/tab_chain.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna, created on the fixture's day with 65 kg, is logged in.
struct TWeighInFixture : TProgramFixture {
  // The account is made on `created`, the fixture's day unless given.
  explicit TWeighInFixture(TDateTime created = 0) {
    if (created != 0) clock.Set(created + 0.5);
    AddAccount("Anna");
  }

  // Fills the dialog; an answer of -1 leaves the accuracy question open.
  void Fill(TFWeighIn& form, const char* weight, const char* bodyFat, int answer) {
    Child<QLineEdit>(form, "weightLineEdit")->setText(QString::fromUtf8(weight));
    Child<QComboBox>(form, "bodyFatComboBox")->setEditText(QString::fromUtf8(bodyFat));
    if (answer >= 0)
      Child<QRadioButton>(form, QStringLiteral("accuracy%1RadioButton").arg(answer).toUtf8())
          ->setChecked(true);
  }

  const TWeightStat* TodaysWeighIn() {
    TDayRecordStore& records = program.Session()->DayRecords();
    TDBC* entry = records.FindDayRecord(kWeightStatKind, clock.Today());
    return entry ? &records.Loaded<TWeightStat>(*entry) : nullptr;
  }
};

class TWeighInFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ChecksRunInOrderAndLeaveTheDialogOpen() {
    const struct {
      const char* weight;
      const char* bodyFat;
      int answer;
      const char* warning;
    } cases[] = {
        {"", "I don't know", 0, "warn: Please enter a weight"},
        {"20", "I don't know", 0, "warn: This Weight field requires values between 30 and 600 kg"},
        {"64", "0.5", 0,
         "warn: Please, enter a valid body fat percentage or select \"I don't know\""},
        {"64", "61", 0,
         "warn: Please, enter a valid body fat percentage or select \"I don't know\""},
        {"64", "I don't know", -1,
         "warn: Please, select one of the three answers on the accuracy of your logs!\n"
         "Help us better predict your energy expenditure!"},
    };
    for (const auto& c : cases) {
      TWeighInFixture f;
      TFWeighIn form(f.program, f.prompter);
      f.Fill(form, c.weight, c.bodyFat, c.answer);
      Child<QPushButton>(form, "okButton")->click();
      QCOMPARE(Shown(f.prompter), QStringList{QString::fromUtf8(c.warning)});
      QCOMPARE(form.result(), 0);
      QCOMPARE(f.TodaysWeighIn()->W, 65.0);  // the weigh-in of the new account, unchanged
    }
  }

  void AFirstWeighInIsStoredAndTheUserIsToldWhyNothingWasReadjusted() {
    TWeighInFixture f;
    TFWeighIn form(f.program, f.prompter);
    f.Fill(form, "63.5", "24", 1);
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    // The account's weigh-in was made today: nothing to compare with.
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral(
                 "inform: Your weigh-in is stored. Korvela has kept its calorie coefficients as "
                 "they were: your previous weigh-in was today.\nThey are readjusted when at "
                 "least 5 days lie between two weigh-ins and food is logged in between.")});
    QCOMPARE(f.TodaysWeighIn()->W, 63.5);
    QCOMPARE(f.TodaysWeighIn()->BFP, 24.0F);
    QCOMPARE(static_cast<double>(f.program.Session()->Energy().LastWeighInWeight), 63.5);
  }

  void AWeighInAWeekAfterLoggedDaysIsReadjustedAndSaysSo() {
    const TDateTime created = EncodeDate(2007, 6, 8);
    TWeighInFixture f(created);
    TUserSession& session = *f.program.Session();
    for (int d = 0; d < 7; ++d) {
      TDBC& entry = session.DayRecords().GetOrCreateDayRecord(kCalStatKind, created + d);
      session.DayRecords().Loaded<TCalStat>(entry).C = 2000.0 / 4;
      session.Energy().SaveCalRecord(entry);
    }
    f.clock.Set(created + 7.5);
    session.Energy().RestartEnergyModel();
    const float before = session.Energy().CurrentActivityCoefficient;
    TFWeighIn form(f.program, f.prompter);
    f.Fill(form, "62", "I don't know", 1);  // 3 kg lost: far more than the logs say
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("inform: ") + QString::fromUtf8(kMsgReadjusted)});
    QCOMPARE(session.Energy().CurrentActivityCoefficient, before + 0.1F);
  }

  void MisreportedLogsResetTheCoefficientWithoutAMessage() {
    TWeighInFixture f;
    TFWeighIn form(f.program, f.prompter);
    f.Fill(form, "64", "I don't know", 2);
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(f.prompter.shown.empty());
    QCOMPARE(f.TodaysWeighIn()->BFP, -1.0F);
  }

  void PoundsAreStoredAsKilograms() {
    TWeighInFixture f;
    f.program.Config().SetMetricSystem(false);
    TFWeighIn form(f.program, f.prompter);
    f.Fill(form, "154", "I don't know", 0);
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(f.TodaysWeighIn()->W, 70.0);
  }

  void CancelStoresNothingAndEveryControlIsNamed() {
    TWeighInFixture f;
    TFWeighIn form(f.program, f.prompter);
    QCOMPARE(UnnamedControls(form), QStringList{});
    f.Fill(form, "60", "I don't know", 0);
    Child<QPushButton>(form, "cancelButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(f.TodaysWeighIn()->W, 65.0);
  }

  void ARefusedWriteKeepsTheDialogTheEntriesAndTheOldFile() {
    TWeighInFixture f;
    const std::filesystem::path userFolder = f.program.CurrentUser()->Folder;
    const auto before = FolderContents(userFolder);
    TFWeighIn form(f.program, f.prompter);
    f.Fill(form, "63.5", "24", 1);
    {
      const TDiskLimit fullDisk(64);
      Child<QPushButton>(form, "okButton")->click();
    }
    QCOMPARE(form.result(), 0);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    const QString warning = Q(f.prompter.shown[0]);
    QVERIFY2(warning.startsWith(QStringLiteral("warn: Korvela could not save the file")),
             qPrintable(warning));
    QVERIFY2(warning.contains(QStringLiteral("File too large")), qPrintable(warning));
    QVERIFY2(warning.contains(QString::fromStdString(userFolder.string())), qPrintable(warning));
    QCOMPARE(Child<QLineEdit>(form, "weightLineEdit")->text(), QStringLiteral("63.5"));
    // The files are as they were, and no temporary file is left beside them.
    QVERIFY(FolderContents(userFolder) == before);

    // With room on the disk again, OK stores the weigh-in.
    f.prompter.shown.clear();
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(f.TodaysWeighIn()->W, 63.5);
  }

  void AMistakeGetsOneMessageAndCancelNone() {
    TWeighInFixture f;
    TFWeighIn form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.Fill(form, "20", "I don't know", 0);
    auto* weight = Child<QLineEdit>(form, "weightLineEdit");
    weight->setFocus();
    // The click takes the focus from the field to OK first; only OK checks.
    QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
    QCOMPARE(Shown(f.prompter),
             QStringList{
                 QStringLiteral("warn: This Weight field requires values between 30 and 600 kg")});
    QVERIFY(form.isVisible());

    f.prompter.shown.clear();
    weight->setFocus();
    QTest::mouseClick(Child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
    QCOMPARE(form.result(), static_cast<int>(QDialog::Rejected));

    TFWeighIn again(f.program, f.prompter);
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    f.Fill(again, "20", "I don't know", 0);
    auto* field = Child<QLineEdit>(again, "weightLineEdit");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(again.result(), static_cast<int>(QDialog::Rejected));
    QVERIFY(f.prompter.shown.empty());
  }

  void TabReachesEveryControlAndTheButtons() {
    TWeighInFixture f;
    TFWeighIn form(f.program, f.prompter);
    form.show();
    QCOMPARE(TabChainFaults(form, {QStringLiteral("okButton"), QStringLiteral("cancelButton")}),
             QStringList{});
  }
};

}  // namespace

int RunWeighInFormTests(int argc, char** argv) {
  TWeighInFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "weigh_in_form_test.moc"
