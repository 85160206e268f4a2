#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "energy/skinfold.h"
#include "energy/ui/skinfold_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"
#include "widgets/labeled_edit.h"

Q_DECLARE_METATYPE(korvela::TSkinfoldMethod)

namespace korvela::test {
namespace {

// Anna (woman, 27 on the fixture's day) and Ben (man, born 1 May 1977: 30).
struct TTwoUsers : TProgramFixture {
  TTwoUsers() : anna(AddAccount("Anna")) {
    TNewAccount account;
    account.name = "Ben";
    account.birthDate = EncodeDate(1977, 5, 1);
    account.sex = TSex::Male;
    account.heightCm = 182;
    account.weightKg = 84;
    ben = &program.CreateAccount(account);
  }
  // Makes the account the current user.
  void LogIn(TUser& user) {
    program.LogOff();
    program.Login(user);
  }
  TUser& anna;
  TUser* ben = nullptr;
};

constexpr int kSites[2] = {3, 7};
int SiteCount(TSkinfoldMethod method) { return kSites[static_cast<int>(method)]; }

QLineEdit* Edit(const QWidget& form, const QString& name) {
  return Child<QLineEdit>(form, name.toUtf8().constData());
}

QString SkinfoldEditName(int site, const char* type) {
  return QStringLiteral("skinfold%1%2").arg(site + 1).arg(QString::fromUtf8(type));
}

// The captions of the skinfold fields, first to last, and what a screen
// reader announces for each entry.
QStringList Captions(const QWidget& form, TSkinfoldMethod method) {
  QStringList captions;
  for (int site = 0; site < SiteCount(method); ++site) {
    const auto* edit =
        Child<TLabeledEdit>(form, SkinfoldEditName(site, "Edit").toUtf8().constData());
    captions << edit->CaptionLabel()->text();
  }
  return captions;
}
QStringList AccessibleNames(const QWidget& form, TSkinfoldMethod method) {
  QStringList names;
  for (int site = 0; site < SiteCount(method); ++site)
    names << Edit(form, SkinfoldEditName(site, "LineEdit"))->accessibleName();
  return names;
}

void TypeSkinfolds(QWidget& form, const QStringList& skinfolds) {
  for (int site = 0; site < skinfolds.size(); ++site)
    Edit(form, SkinfoldEditName(site, "LineEdit"))->setText(skinfolds[site]);
}

QString Result(const QWidget& form) {
  return Edit(form, QStringLiteral("bodyFatLineEdit"))->text();
}

void Click(QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

void ShowActive(QWidget& form) {
  form.show();
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));
}

const QStringList kManThreeSites{QStringLiteral("Chest"), QStringLiteral("Abdomen"),
                                 QStringLiteral("Thigh")};
const QStringList kWomanThreeSites{QStringLiteral("Triceps"), QStringLiteral("Suprailiac"),
                                   QStringLiteral("Thigh")};
const QStringList kSevenSites{QStringLiteral("Chest"),   QStringLiteral("Midaxillary"),
                              QStringLiteral("Triceps"), QStringLiteral("Subscapula"),
                              QStringLiteral("Abdomen"), QStringLiteral("Suprailiac"),
                              QStringLiteral("Thigh")};

}  // namespace

class TSkinfoldFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAreNamedForTestsAndScreenReaders_data() {
    QTest::addColumn<TSkinfoldMethod>("method");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::newRow("3-site") << TSkinfoldMethod::ThreeSite
                            << QStringLiteral("3 site skinfold measurement body fat % calculator")
                            << QStringLiteral(
                                   "Calculate body fat % using 3-site skinfold measurements");
    QTest::newRow("7-site") << TSkinfoldMethod::SevenSite
                            << QStringLiteral("7 site skinfold measurement body fat % calculator")
                            << QStringLiteral(
                                   "Calculate body fat % using 7-site skinfold measurements");
  }
  void ControlsAreNamedForTestsAndScreenReaders() {
    QFETCH(TSkinfoldMethod, method);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, method);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(Child<QLabel>(form, "headingLabel")->text(), heading);
    QCOMPARE(UnnamedControls(form), QStringList());

    auto* sex = Child<QComboBox>(form, "sexComboBox");
    QCOMPARE(sex->accessibleName(), QStringLiteral("Sex:"));
    QCOMPARE(sex->count(), 2);
    QCOMPARE(sex->itemText(0), QStringLiteral("Male"));
    QCOMPARE(sex->itemText(1), QStringLiteral("Female"));
    QCOMPARE(Edit(form, QStringLiteral("ageLineEdit"))->accessibleName(), QStringLiteral("Age:"));
    for (int site = 0; site < SiteCount(method); ++site) {
      const auto* edit =
          Child<TLabeledEdit>(form, SkinfoldEditName(site, "Edit").toUtf8().constData());
      QCOMPARE(edit->UnitLabel()->text(), QStringLiteral("mm"));
      QVERIFY(edit->UnitLabel()->isVisibleTo(&form));
      QCOMPARE(edit->CaptionLabel()->buddy(), edit->Edit());
    }
    QVERIFY2(!form.findChild<QLineEdit*>(SkinfoldEditName(SiteCount(method), "LineEdit")),
             "one entry per site, no more");
    QCOMPARE(Child<QLabel>(form, "inchNoteLabel")->text(),
             QStringLiteral("Note: 1 inch = 25.4 mm"));
    QCOMPARE(Child<QLabel>(form, "cmNoteLabel")->text(), QStringLiteral("1 cm = 10 mm"));
    QCOMPARE(Child<QPushButton>(form, "calculateButton")->text(), QStringLiteral("Calculate"));
    QCOMPARE(Child<QPushButton>(form, "closeButton")->text(), QStringLiteral("Close"));

    const auto* bodyFat = Child<TLabeledEdit>(form, "bodyFatEdit");
    QCOMPARE(bodyFat->Edit()->accessibleName(), QStringLiteral("Body Fat:"));
    QCOMPARE(bodyFat->UnitLabel()->text(), QStringLiteral("%"));
    QVERIFY(bodyFat->Edit()->isReadOnly());
    QVERIFY(bodyFat->Edit()->text().isEmpty());
    auto* group = qobject_cast<QGroupBox*>(bodyFat->parentWidget());
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral("Result"));
  }

  void OpensWithTheUsersSexAndPresentAge_data() {
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("sexIndex");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("woman") << QStringLiteral("Anna") << 1 << QStringLiteral("27")
                           << kWomanThreeSites;
    QTest::newRow("man") << QStringLiteral("Ben") << 0 << QStringLiteral("30") << kManThreeSites;
  }
  void OpensWithTheUsersSexAndPresentAge() {
    QFETCH(QString, user);
    QFETCH(int, sexIndex);
    QFETCH(QString, age);
    QFETCH(QStringList, captions);
    TTwoUsers f;
    f.LogIn(user == QStringLiteral("Anna") ? f.anna : *f.ben);
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::ThreeSite);
    QCOMPARE(Child<QComboBox>(form, "sexComboBox")->currentIndex(), sexIndex);
    QCOMPARE(Edit(form, QStringLiteral("ageLineEdit"))->text(), age);
    QCOMPARE(Captions(form, TSkinfoldMethod::ThreeSite), captions);
    QCOMPARE(AccessibleNames(form, TSkinfoldMethod::ThreeSite), captions);
  }

  // The age follows the clock: Ben's birthday on 1 May makes him 31 the day
  // after.
  void AgeIsTheAgeOnTheDayTheScreenOpens() {
    TTwoUsers f;
    f.clock.Set(EncodeDate(2008, 5, 2) + 0.5);
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::SevenSite);
    QCOMPARE(Edit(form, QStringLiteral("ageLineEdit"))->text(), QStringLiteral("31"));
  }

  // Typed skinfolds stay where they are; only the names beside them change.
  void ChangingTheSexRelabelsTheThreeSiteFields() {
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::ThreeSite);
    const QStringList typed{QStringLiteral("18"), QStringLiteral("15"), QStringLiteral("27")};
    TypeSkinfolds(form, typed);
    auto* sex = Child<QComboBox>(form, "sexComboBox");
    const struct {
      int index;
      const QStringList& captions;
    } steps[] = {{0, kManThreeSites}, {1, kWomanThreeSites}, {0, kManThreeSites}};
    for (const auto& step : steps) {
      sex->setCurrentIndex(step.index);
      QCOMPARE(Captions(form, TSkinfoldMethod::ThreeSite), step.captions);
      QCOMPARE(AccessibleNames(form, TSkinfoldMethod::ThreeSite), step.captions);
      for (int site = 0; site < typed.size(); ++site)
        QCOMPARE(Edit(form, SkinfoldEditName(site, "LineEdit"))->text(), typed[site]);
    }
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void SevenSiteFieldsKeepTheirNamesForEitherSex() {
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::SevenSite);
    auto* sex = Child<QComboBox>(form, "sexComboBox");
    for (int index : {1, 0, 1}) {
      sex->setCurrentIndex(index);
      QCOMPARE(Captions(form, TSkinfoldMethod::SevenSite), kSevenSites);
    }
  }

  // The hand-worked cases of the core test, entered through the screen: the
  // sex chosen on the screen and the typed age are the ones used.
  void CalculateShowsTheBodyFat_data() {
    QTest::addColumn<TSkinfoldMethod>("method");
    QTest::addColumn<int>("sexIndex");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QStringList>("skinfolds");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("bodyFat");
    QTest::newRow("3-site man, 30")
        << TSkinfoldMethod::ThreeSite << 0 << QStringLiteral("30")
        << QStringList{QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("15")}
        << QStringLiteral(".") << QStringLiteral("17.8");
    QTest::newRow("3-site woman, 27, decimal comma")
        << TSkinfoldMethod::ThreeSite << 1 << QStringLiteral("27")
        << QStringList{QStringLiteral("18"), QStringLiteral("14,5"), QStringLiteral("27,5")}
        << QStringLiteral(",") << QStringLiteral("23,4");
    QTest::newRow("7-site man, 40")
        << TSkinfoldMethod::SevenSite << 0 << QStringLiteral("40")
        << QStringList{QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("12"),
                       QStringLiteral("14"), QStringLiteral("20"), QStringLiteral("13"),
                       QStringLiteral("16")}
        << QStringLiteral(".") << QStringLiteral("15.9");
    QTest::newRow("7-site woman, 35")
        << TSkinfoldMethod::SevenSite << 1 << QStringLiteral("35")
        << QStringList{QStringLiteral("14"), QStringLiteral("12"), QStringLiteral("20"),
                       QStringLiteral("16"), QStringLiteral("22"), QStringLiteral("19"),
                       QStringLiteral("17")}
        << QStringLiteral(".") << QStringLiteral("23.5");
  }
  void CalculateShowsTheBodyFat() {
    QFETCH(TSkinfoldMethod, method);
    QFETCH(int, sexIndex);
    QFETCH(QString, age);
    QFETCH(QStringList, skinfolds);
    QFETCH(QString, decimal);
    QFETCH(QString, bodyFat);
    TTwoUsers f;
    f.program.Config().SetFloatingChar(decimal.at(0).toLatin1());
    // Ben opens the screen; the sex and age on the screen are what count.
    TFSkinfold form(f.program, f.prompter, method);
    form.show();
    Child<QComboBox>(form, "sexComboBox")->setCurrentIndex(sexIndex);
    Edit(form, QStringLiteral("ageLineEdit"))->setText(age);
    TypeSkinfolds(form, skinfolds);
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter), QStringList());
    QCOMPARE(Result(form), bodyFat);
    QVERIFY(form.isVisible());
  }

  // Enter in an entry presses "Calculate", not "Close".
  void EnterCalculates() {
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::ThreeSite);
    ShowActive(form);
    TypeSkinfolds(form, {QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("15")});
    QLineEdit* last = Edit(form, SkinfoldEditName(2, "LineEdit"));
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    QCOMPARE(Result(form), QStringLiteral("17.8"));
    QVERIFY(form.isVisible());
  }

  // The warning names the field; the field gets the focus with its text
  // selected, and the last result stays on screen.
  void ARefusedEntryWarnsAndTakesTheFocus_data() {
    QTest::addColumn<TSkinfoldMethod>("method");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    const QString age = QStringLiteral("warn: Please, enter a valid age(10-100)");
    const QString skinfold = QStringLiteral("warn: Enter a valid skinfold measurement");
    QTest::newRow("age 101") << TSkinfoldMethod::ThreeSite << QStringLiteral("ageLineEdit")
                             << QStringLiteral("101") << age;
    QTest::newRow("3-site second site in letters")
        << TSkinfoldMethod::ThreeSite << QStringLiteral("skinfold2LineEdit")
        << QStringLiteral("abc") << skinfold;
    QTest::newRow("3-site third site negative")
        << TSkinfoldMethod::ThreeSite << QStringLiteral("skinfold3LineEdit") << QStringLiteral("-2")
        << skinfold;
    QTest::newRow("7-site last site over 1000 mm")
        << TSkinfoldMethod::SevenSite << QStringLiteral("skinfold7LineEdit")
        << QStringLiteral("1001") << skinfold;
  }
  void ARefusedEntryWarnsAndTakesTheFocus() {
    QFETCH(TSkinfoldMethod, method);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, method);
    ShowActive(form);
    TypeSkinfolds(form, QStringList(SiteCount(method), QStringLiteral("10")));
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter), QStringList());
    const QString before = Result(form);
    QVERIFY(!before.isEmpty());

    Child<QPushButton>(form, "calculateButton")->setFocus();
    Edit(form, field)->setText(typed);
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter), QStringList{warning});
    QCOMPARE(QApplication::focusWidget()->objectName(), field);
    QCOMPARE(Edit(form, field)->selectedText(), typed);
    QCOMPARE(Result(form), before);
    QVERIFY(form.isVisible());
  }

  void AnImpossibleDensityWarnsAndEmptiesTheResult() {
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::ThreeSite);
    ShowActive(form);
    TypeSkinfolds(form, {QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("15")});
    Click(form, "calculateButton");
    QCOMPARE(Result(form), QStringLiteral("17.8"));

    // A man of 10 with no fat at all: Brozek's equation goes below zero.
    Edit(form, QStringLiteral("ageLineEdit"))->setText(QStringLiteral("10"));
    TypeSkinfolds(form, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral(
                 "warn: The formula calculated a negative body fat %. There is something wrong "
                 "with your measurements. Please, measure again and check the numbers!")});
    QCOMPARE(Result(form), QString());
    QVERIFY(form.isVisible());
  }

  void F1OpensTheCalculatorsHelpTopic_data() {
    QTest::addColumn<TSkinfoldMethod>("method");
    QTest::addColumn<int>("topic");
    QTest::newRow("3-site") << TSkinfoldMethod::ThreeSite << 65;
    QTest::newRow("7-site") << TSkinfoldMethod::SevenSite << 66;
  }
  void F1OpensTheCalculatorsHelpTopic() {
    QFETCH(TSkinfoldMethod, method);
    QFETCH(int, topic);
    TTwoUsers f;
    std::vector<int> topics;
    f.program.SetHelpHandler([&](int t) { topics.push_back(t); });
    TFSkinfold form(f.program, f.prompter, method);
    ShowActive(form);
    QTest::keyClick(Edit(form, QStringLiteral("ageLineEdit")), Qt::Key_F1);
    QCOMPARE(topics, std::vector<int>{topic});
    QVERIFY(form.isVisible());
  }

  void CloseClosesTheScreen() {
    TTwoUsers f;
    TFSkinfold form(f.program, f.prompter, TSkinfoldMethod::SevenSite);
    form.show();
    Click(form, "closeButton");
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(Shown(f.prompter), QStringList());
  }
};

int RunSkinfoldFormTests(int argc, char** argv) {
  TSkinfoldFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "skinfold_form_test.moc"
