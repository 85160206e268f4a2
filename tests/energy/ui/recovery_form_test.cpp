#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <cmath>

#include "energy/body_records.h"
#include "energy/ui/recovery_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"
#include "users/unit_text.h"

namespace korvela::test {
namespace {

// Anna is logged in on 15 June 2007; she rated 14 June.
struct TRecoveryFixture : TProgramFixture {
  TRecoveryFixture() {
    AddAccount("Anna");
    TRecoveryList list(1);
    list[0].Date = EncodeDate(2007, 6, 14);
    list[0].Values.HSlept = 6;
    list[0].Values.RSleep = 2;
    list[0].Values.RWakeUpTime = 5.5 / 24;
    ReplaceRecovery(Records(), list);
  }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }
};

// Rating groups: sleep, appetite, pulse, energy, performance, desire.
void Rate(const QWidget& form, const char* group, int item) {
  Child<QRadioButton>(form, QStringLiteral("%1%2RadioButton")
                                .arg(QString::fromUtf8(group))
                                .arg(item)
                                .toUtf8()
                                .constData())
      ->click();
}

QString Score(const QWidget& form) { return Child<QLineEdit>(form, "scoreLineEdit")->text(); }

class TRecoveryFormTest : public QObject {
  Q_OBJECT
 private slots:
  void TheScoreFollowsEveryChangeWithTwoDecimals() {
    TRecoveryFixture f;
    TFRecovery form(f.program, f.prompter, f.clock.Today());
    QCOMPARE(Score(form), QString());
    auto* hours = Child<QLineEdit>(form, "hoursLineEdit");
    QTest::keyClicks(hours, QStringLiteral("7.5"));
    for (const char* group : {"sleep", "appetite", "energy", "performance"}) Rate(form, group, 1);
    Rate(form, "pulse", 0);
    QCOMPARE(Score(form), QString());  // desire not rated yet
    Rate(form, "desire", 1);
    QCOMPARE(Score(form), QStringLiteral("4.02"));
    Rate(form, "pulse", 1);
    QCOMPARE(Score(form), QStringLiteral("4.08"));
    Child<QCheckBox>(form, "coldsCheckBox")->click();
    QCOMPARE(Score(form), QStringLiteral("3.84"));  // 5 - sqrt((16/9 + 4 + 5) / 8)
    hours->setText(QStringLiteral("many"));
    QCOMPARE(Score(form), QString());
  }

  void OkStoresTheDaysAndChangingTheDateKeepsWhatWasEntered() {
    TRecoveryFixture f;
    TFRecovery form(f.program, f.prompter, f.clock.Today());
    Child<QLineEdit>(form, "hoursLineEdit")->setText(QStringLiteral("8"));
    Rate(form, "energy", 3);
    Child<QTimeEdit>(form, "wakeUpTimeEdit")->setTime(QTime(7, 15));

    auto* date = Child<QLineEdit>(form, "dateLineEdit");
    date->clear();
    QTest::keyClicks(date, QStringLiteral("14 jun 2007"));
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(Child<QLineEdit>(form, "hoursLineEdit")->text(), QStringLiteral("6"));
    QVERIFY(Child<QRadioButton>(form, "sleep2RadioButton")->isChecked());
    QVERIFY(!Child<QRadioButton>(form, "energy3RadioButton")->isChecked());
    QCOMPARE(Child<QTimeEdit>(form, "wakeUpTimeEdit")->time(), QTime(5, 30));
    Child<QLineEdit>(form, "hoursLineEdit")->setText(QStringLiteral("49"));  // not kept

    QVERIFY(ListRecovery(f.Records())[0].Values.HSlept == 6);  // nothing stored before OK
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    const TRecoveryList stored = ListRecovery(f.Records());
    QCOMPARE(stored.size(), std::size_t{2});
    QCOMPARE(stored[0].Values.HSlept, -1.0);
    QCOMPARE(stored[0].Values.RSleep, 2);
    QCOMPARE(stored[1].Date, EncodeDate(2007, 6, 15));
    QCOMPARE(stored[1].Values.HSlept, 8.0);
    QCOMPARE(stored[1].Values.REnergy, 3);
    QCOMPARE(stored[1].Values.RSleep, -1);
    QCOMPARE(SecondsOfDay(stored[1].Values.RWakeUpTime), 7 * 3600 + 15 * 60);
  }

  void ADayLeftEmptyIsNotStored() {
    TRecoveryFixture f;
    TFRecovery form(f.program, f.prompter, f.clock.Today());
    QCOMPARE(Child<QTimeEdit>(form, "wakeUpTimeEdit")->time(), QTime(6, 30));
    Child<QPushButton>(form, "okButton")->click();
    const TRecoveryList stored = ListRecovery(f.Records());
    QCOMPARE(stored.size(), std::size_t{1});
    QCOMPARE(stored[0].Date, EncodeDate(2007, 6, 14));
  }
};

}  // namespace

int RunRecoveryFormTests(int argc, char** argv) {
  TRecoveryFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "recovery_form_test.moc"
