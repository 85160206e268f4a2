#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "program_fixture.h"
#include "screen_tests.h"
#include "users/account_forms.h"
#include "users/configurator.h"
#include "users/ui/who_am_i_form.h"
#include "widgets/quantity_edit.h"

namespace korvela::test {
namespace {

// What a person enters on the screen; texts as typed.
struct TEntries {
  QString name = QStringLiteral("Anna");
  int day = 10;
  int month = 3;
  QString year = QStringLiteral("1980");
  QString weight = QStringLiteral("65");
  QString height = QStringLiteral("170");
  bool protect = false;
  QString password;
  QString confirmation;
};

void Enter(TFWhoAmI& form, const TEntries& e) {
  Child<QLineEdit>(form, "nameLineEdit")->setText(e.name);
  Child<QComboBox>(form, "birthDayComboBox")->setCurrentIndex(e.day - 1);
  Child<QComboBox>(form, "birthMonthComboBox")->setCurrentIndex(e.month - 1);
  auto* year = Child<QSpinBox>(form, "birthYearSpinBox");
  year->clear();
  QTest::keyClicks(year, e.year);
  Child<QLineEdit>(form, "weightLineEdit")->setText(e.weight);
  Child<QLineEdit>(form, "heightLineEdit")->setText(e.height);
  auto* protect = Child<QCheckBox>(form, "passwordCheckBox");
  if (e.protect || !e.password.isEmpty()) protect->setChecked(true);
  Child<QLineEdit>(form, "passwordLineEdit")->setText(e.password);
  Child<QLineEdit>(form, "confirmPasswordLineEdit")->setText(e.confirmation);
  protect->setChecked(e.protect);
}

void Click(TFWhoAmI& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

int AccountFolders(const std::filesystem::path& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_directory()) ++count;
  return count;
}

}  // namespace

class TWhoAmIFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAreNamedForTestsAndScreenReaders() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Who am I?"));
    QCOMPARE(UnnamedControls(form), QStringList());
  }

  void OpensEmptyWithTheDocumentedChoices() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    QVERIFY(Child<QLineEdit>(form, "nameLineEdit")->text().isEmpty());
    QCOMPARE(Child<QComboBox>(form, "birthDayComboBox")->currentText(), QStringLiteral("1"));
    QCOMPARE(Child<QComboBox>(form, "birthDayComboBox")->count(), 31);
    QCOMPARE(Child<QComboBox>(form, "birthMonthComboBox")->currentText(),
             QStringLiteral("January"));
    QCOMPARE(Child<QComboBox>(form, "birthMonthComboBox")->itemText(11),
             QStringLiteral("December"));
    auto* year = Child<QSpinBox>(form, "birthYearSpinBox");
    QCOMPARE(year->text(), QStringLiteral("1980"));
    QCOMPARE(year->minimum(), 1900);
    QCOMPARE(year->maximum(), 2000);
    QVERIFY(Child<QRadioButton>(form, "maleRadioButton")->isChecked());
    QVERIFY(Child<QLineEdit>(form, "weightLineEdit")->text().isEmpty());
    QVERIFY(Child<QLineEdit>(form, "heightLineEdit")->text().isEmpty());
    QCOMPARE(Child<QComboBox>(form, "activityComboBox")->currentText(),
             QStringLiteral("Light Activity"));
    QVERIFY(!Child<QCheckBox>(form, "passwordCheckBox")->isChecked());
    for (const char* name : {"passwordLineEdit", "confirmPasswordLineEdit"}) {
      auto* edit = Child<QLineEdit>(form, name);
      QVERIFY(!edit->isEnabled());
      QCOMPARE(edit->echoMode(), QLineEdit::Password);
    }
    Child<QCheckBox>(form, "passwordCheckBox")->click();
    QVERIFY(Child<QLineEdit>(form, "passwordLineEdit")->isEnabled());
    QVERIFY(Child<QLineEdit>(form, "confirmPasswordLineEdit")->isEnabled());
    QVERIFY(Child<QPushButton>(form, "okButton")->isDefault());
  }

  // Each row breaks one entry and every entry checked after it: only the
  // first check in order may speak, and nothing is created.
  void OkStopsAtTheFirstFailingCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("warning");
    const QString empty;
    const QString differ = QStringLiteral("other");
    QTest::newRow("empty name") << empty << 31 << 2 << QStringLiteral("1980") << empty
                                << QStringLiteral("350") << differ
                                << QStringLiteral("Please enter your name");
    QTest::newRow("31 February") << QStringLiteral("Anna") << 31 << 2 << QStringLiteral("1980")
                                 << empty << QStringLiteral("350") << differ
                                 << QStringLiteral("Please, enter a valid birth date");
    QTest::newRow("year typed short")
        << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("19") << empty
        << QStringLiteral("350") << differ << QStringLiteral("Please, enter a valid birth date");
    QTest::newRow("weight empty") << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("1980")
                                  << empty << QStringLiteral("350") << differ
                                  << QStringLiteral("Please enter a weight");
    QTest::newRow("weight below 30 kg")
        << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("1980") << QStringLiteral("29")
        << QStringLiteral("350") << differ
        << QStringLiteral("This Weight field requires values between 30 and 600 kg");
    QTest::newRow("height empty") << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("1980")
                                  << QStringLiteral("65") << empty << differ
                                  << QStringLiteral("Please enter a Height");
    QTest::newRow("height above 300 cm")
        << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("1980") << QStringLiteral("65")
        << QStringLiteral("301") << differ
        << QStringLiteral("Height field requires values between 100 and 300 cm");
    QTest::newRow("passwords differ")
        << QStringLiteral("Anna") << 10 << 3 << QStringLiteral("1980") << QStringLiteral("65")
        << QStringLiteral("170") << differ
        << QStringLiteral("The passwords that you entered are NOT the same");
  }
  void OkStopsAtTheFirstFailingCheck() {
    QFETCH(QString, name);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(QString, year);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, confirmation);
    QFETCH(QString, warning);
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    form.show();
    Enter(form,
          {name, day, month, year, weight, height, true, QStringLiteral("secret"), confirmation});
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: ") + warning});
    QVERIFY(form.isVisible());
    QVERIFY(f.program.Accounts().empty());
    QVERIFY(!f.program.CurrentUser());
    QCOMPARE(AccountFolders(f.folder.Path()), 0);
  }

  // US/Imperial entries are stored in centimetres; the choice of units
  // becomes the new user's setting. A password typed and then unticked is
  // not kept.
  void OkCreatesTheAccountAndMakesItCurrent_data() {
    QTest::addColumn<bool>("protect");
    QTest::addColumn<QString>("password");
    QTest::newRow("password typed, then unticked") << false << QStringLiteral("typed");
    QTest::newRow("password") << true << QStringLiteral("Pass word");
  }
  void OkCreatesTheAccountAndMakesItCurrent() {
    QFETCH(bool, protect);
    QFETCH(QString, password);
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    form.show();
    Child<QRadioButton>(form, "usImperialRadioButton")->click();
    Child<QRadioButton>(form, "femaleRadioButton")->click();
    Child<QComboBox>(form, "activityComboBox")->setCurrentIndex(2);
    Enter(form, {QStringLiteral("Anna Berg"), 29, 2, QStringLiteral("1980"), QStringLiteral("154"),
                 QStringLiteral("65"), protect, password, password});
    Click(form, "okButton");

    QCOMPARE(Shown(f.prompter), QStringList());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(f.program.Accounts().size(), std::size_t{1});
    TUser& created = *f.program.Accounts().front();
    QCOMPARE(f.program.CurrentUser(), &created);
    QVERIFY(f.program.Session());
    QVERIFY(std::filesystem::exists(created.Folder / kAccountFileName));
    QVERIFY(std::filesystem::exists(created.Folder / kConfigFileName));

    const std::unique_ptr<TUser> stored = LoadUser(created.Folder);
    QCOMPARE(Q(stored->UserName), QStringLiteral("Anna Berg"));
    QCOMPARE(stored->UserBirthDate, EncodeDate(1980, 2, 29));
    QCOMPARE(stored->UserSex, TSex::Female);
    QCOMPARE(stored->UserActivityLevel, 2);
    QCOMPARE(stored->UserHeight, 65 * 2.54);
    QCOMPARE(stored->UserCreationDate, EncodeDate(2007, 6, 15));
    if (protect) {
      QVERIFY(LoginAccepted(*stored, password.toStdString()));
      QVERIFY(!LoginAccepted(*stored, ""));
    } else {
      QVERIFY(stored->Password.empty());
    }
    TConfigurator probe;
    QVERIFY(!TConfigData::Load(probe, created.Folder / kConfigFileName)->MetricSystem);
  }

  void CancelCreatesNothing() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    form.show();
    Enter(form, {});
    Click(form, "cancelButton");
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());
    QVERIFY(f.program.Accounts().empty());
    QCOMPARE(AccountFolders(f.folder.Path()), 0);
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  // The choice starts from the program's setting and changes it at once; the
  // entries show their values again in the new unit.
  void MeasurementChoiceSwitchesTheEntryUnits_data() {
    QTest::addColumn<bool>("metricAtStart");
    QTest::newRow("metric at start") << true;
    QTest::newRow("US/Imperial at start") << false;
  }
  void MeasurementChoiceSwitchesTheEntryUnits() {
    QFETCH(bool, metricAtStart);
    TSystemDefaults defaults;
    defaults.metric = metricAtStart;
    TProgramFixture f(defaults);
    TFWhoAmI form(f.program, f.prompter);
    auto* metric = Child<QRadioButton>(form, "metricRadioButton");
    auto* imperial = Child<QRadioButton>(form, "usImperialRadioButton");
    auto* weight = Child<TWeightEdit>(form, "weightEdit");
    auto* height = Child<TDistEdit>(form, "heightEdit");
    QCOMPARE(metric->isChecked(), metricAtStart);
    QCOMPARE(imperial->isChecked(), !metricAtStart);
    weight->SetValue(80);
    height->SetValue(180);

    const struct {
      QRadioButton* choice;
      bool metric;
      const char* weightText;
      const char* weightUnit;
      const char* heightText;
      const char* heightUnit;
    } steps[] = {
        {imperial, false, "176", "lbs", "70.87", "inches"},
        {metric, true, "80", "kg", "180", "cm"},
    };
    for (const auto& step : steps) {
      step.choice->click();
      QCOMPARE(f.program.Config().MetricSystem(), step.metric);
      QCOMPARE(weight->Edit()->text(), QString::fromUtf8(step.weightText));
      QCOMPARE(weight->UnitLabel()->text(), QString::fromUtf8(step.weightUnit));
      QCOMPARE(height->Edit()->text(), QString::fromUtf8(step.heightText));
      QCOMPARE(height->UnitLabel()->text(), QString::fromUtf8(step.heightUnit));
      QCOMPARE(weight->Value(), 80.0);
    }
  }
};

int RunWhoAmIFormTests(int argc, char** argv) {
  TWhoAmIFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "who_am_i_form_test.moc"
