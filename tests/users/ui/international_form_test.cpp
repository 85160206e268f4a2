#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "program_fixture.h"
#include "screen_tests.h"
#include "users/configurator.h"
#include "users/ui/international_form.h"

namespace korvela::test {
namespace {

struct TSettings {
  bool metric;
  TTimeFormat timeFormat;
  char floatChar;
  int firstDay;
};

void Apply(TConfigurator& config, const TSettings& s) {
  config.SetMetricSystem(s.metric);
  config.SetTimeFormat(s.timeFormat);
  config.SetFloatingChar(s.floatChar);
  config.SetFirstDOW(s.firstDay);
}

TSettings Current(const TConfigurator& config) {
  return {config.MetricSystem(), config.TimeFormat(), config.FloatingChar(), config.FirstDOW()};
}

TSettings Stored(const std::filesystem::path& file) {
  TConfigurator probe;
  const std::unique_ptr<TConfigData> data = TConfigData::Load(probe, file);
  return {data->MetricSystem, data->TimeFormat, data->FloatChar, data->FirstDayOfWeek};
}

// "metric, 24 h, '.', Monday": comparable, and readable when a test fails.
QString Text(const TSettings& s) {
  return QStringLiteral("%1, %2 h, '%3', %4")
      .arg(s.metric ? QStringLiteral("metric") : QStringLiteral("US"),
           s.timeFormat == TTimeFormat::hr12 ? QStringLiteral("12") : QStringLiteral("24"),
           QChar::fromLatin1(s.floatChar), QString::number(s.firstDay));
}

// What the screen shows, read from its controls.
TSettings OnScreen(const TFInternational& form) {
  return {Child<QRadioButton>(form, "metricRadioButton")->isChecked(),
          Child<QRadioButton>(form, "hour12RadioButton")->isChecked() ? TTimeFormat::hr12
                                                                      : TTimeFormat::hr24,
          Child<QRadioButton>(form, "commaRadioButton")->isChecked() ? ',' : '.',
          Child<QComboBox>(form, "firstDayComboBox")->currentIndex()};
}

void Choose(TFInternational& form, const TSettings& s) {
  Child<QRadioButton>(form, s.metric ? "metricRadioButton" : "usImperialRadioButton")->click();
  Child<QRadioButton>(form,
                      s.timeFormat == TTimeFormat::hr12 ? "hour12RadioButton" : "hour24RadioButton")
      ->click();
  Child<QRadioButton>(form, s.floatChar == ',' ? "commaRadioButton" : "pointRadioButton")->click();
  Child<QComboBox>(form, "firstDayComboBox")->setCurrentIndex(s.firstDay);
}

constexpr TSettings kDefaults{true, TTimeFormat::hr24, '.', 0};
constexpr TSettings kOpposite{false, TTimeFormat::hr12, ',', 6};

void Click(QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

}  // namespace

class TInternationalFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAreNamedForTestsAndScreenReaders() {
    TProgramFixture f;
    f.AddAccount("Anna");
    TFInternational form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Internalization options"));
    QCOMPARE(UnnamedControls(form), QStringList());
    QCOMPARE(Child<QComboBox>(form, "firstDayComboBox")->itemText(6), QStringLiteral("Sunday"));
  }

  void OpensWithTheCurrentSettings() {
    for (const TSettings& settings : {kDefaults, kOpposite}) {
      TProgramFixture f;
      f.AddAccount("Anna");
      Apply(f.program.Config(), settings);
      TFInternational form(f.program, f.prompter);
      QCOMPARE(Text(OnScreen(form)), Text(settings));
    }
  }

  // Every setting changes; the decimal character, units, time format and
  // first day are set in that order, then the user's file is written.
  void OkAppliesAndStoresTheChoices() {
    TProgramFixture f;
    TUser& anna = f.AddAccount("Anna");
    TConfigurator& config = f.program.Config();
    // The settings as each change is announced.
    QStringList announced;
    const TConfigurator::THandle handle = config.Register(
        TConfigurator::TNotice::AnyChange, [&] { announced << Text(Current(config)); });
    TFInternational form(f.program, f.prompter);
    form.show();
    Choose(form, kOpposite);
    QCOMPARE(Text(Current(config)), Text(kDefaults));
    Click(form, "okButton");
    config.Unregister(handle);

    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(announced, (QStringList{Text({true, TTimeFormat::hr24, ',', 0}),
                                     Text({false, TTimeFormat::hr24, ',', 0}),
                                     Text({false, TTimeFormat::hr12, ',', 0}), Text(kOpposite)}));
    QCOMPARE(Text(Current(config)), Text(kOpposite));
    QCOMPARE(Text(Stored(anna.Folder / kConfigFileName)), Text(kOpposite));
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void CancelChangesNothing() {
    TProgramFixture f;
    TUser& anna = f.AddAccount("Anna");
    const std::string before = ReadBytes(anna.Folder / kConfigFileName);
    TFInternational form(f.program, f.prompter);
    form.show();
    Choose(form, kOpposite);
    Click(form, "cancelButton");
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(Text(Current(f.program.Config())), Text(kDefaults));
    QCOMPARE(ReadBytes(anna.Folder / kConfigFileName), before);
  }

  void HelpOpensTopic75() {
    TProgramFixture f;
    f.AddAccount("Anna");
    std::vector<int> topics;
    f.program.SetHelpHandler([&](int topic) { topics.push_back(topic); });
    TFInternational form(f.program, f.prompter);
    form.show();
    Click(form, "helpButton");
    QCOMPARE(topics, std::vector<int>{75});
    QVERIFY(form.isVisible());
  }
};

int RunInternationalFormTests(int argc, char** argv) {
  TInternationalFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "international_form_test.moc"
