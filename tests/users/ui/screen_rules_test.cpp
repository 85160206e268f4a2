// Rules every account screen keeps: user text is never markup, a mistake gets
// one message, Cancel and Escape check nothing, Tab reaches every control and
// the buttons, and a write the disk refuses keeps the screen open.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "program_fixture.h"
#include "screen_tests.h"
#include "support/disk_limit.h"
#include "support/tab_chain.h"
#include "users/account_forms.h"
#include "users/ui/international_form.h"
#include "users/ui/login_form.h"
#include "users/ui/personal_info_form.h"
#include "users/ui/who_am_i_form.h"

namespace korvela::test {
namespace {

const QString kOk = QStringLiteral("okButton");
const QString kCancel = QStringLiteral("cancelButton");

class TScreenRulesTest : public QObject {
  Q_OBJECT
 private slots:
  void AMarkupAccountNameIsListedAndDeletedAsTyped() {
    TProgramFixture f;
    const std::string name = "<img src=\"/dev/zero\"><b>Bold</b>";
    f.AddAccount(name);
    f.AddAccount("Bob");
    f.program.LogOff();
    TFLogin form(f.program, f.prompter, {});
    form.show();
    QCOMPARE(Child<QListWidget>(form, "userNameListWidget")->item(0)->text(), Q(name));
    QCOMPARE(Child<QLabel>(form, "titleLabel")->textFormat(), Qt::PlainText);
    f.prompter.Plan(TAnswer::Yes);
    Child<QListWidget>(form, "userNameListWidget")->setCurrentRow(0);
    QTest::mouseClick(Child<QPushButton>(form, "deleteButton"), Qt::LeftButton);
    QCOMPARE(Shown(f.prompter), QStringList{Q("ask: Do you really want to delete " + name + "?")});
    QCOMPARE(f.program.Accounts().size(), std::size_t{1});
    QCOMPARE(Q(f.program.Accounts()[0]->UserName), QStringLiteral("Bob"));
  }

  void NamesAreLimitedWhereTheyAreTyped() {
    TProgramFixture f;
    TFWhoAmI whoAmI(f.program, f.prompter);
    auto* name = Child<QLineEdit>(whoAmI, "nameLineEdit");
    QTest::keyClicks(name, QString(kMaxNameLength + 5, QLatin1Char('x')));
    QCOMPARE(name->text().size(), kMaxNameLength);
    f.AddAccount("Anna");
    TFPersonalInfo info(f.program, f.prompter);
    QCOMPARE(Child<QLineEdit>(info, "nameLineEdit")->maxLength(), kMaxNameLength);
  }

  void AnInvalidWeightLeftForOkGetsOneMessage_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");
    QTest::newRow("weight") << QStringLiteral("weightLineEdit") << QStringLiteral("20")
                            << QStringLiteral(
                                   "warn: This Weight field requires values between 30 and 600 kg");
    QTest::newRow("height") << QStringLiteral("heightLineEdit") << QStringLiteral("20")
                            << QStringLiteral(
                                   "warn: Height field requires values between 100 and 300 cm");
  }
  void AnInvalidWeightLeftForOkGetsOneMessage() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Child<QLineEdit>(form, "nameLineEdit")->setText(QStringLiteral("Anna"));
    Child<QLineEdit>(form, "weightLineEdit")->setText(QStringLiteral("65"));
    Child<QLineEdit>(form, "heightLineEdit")->setText(QStringLiteral("170"));
    auto* edit = Child<QLineEdit>(form, field.toUtf8().constData());
    edit->setText(text);
    edit->setFocus();
    QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
    QCOMPARE(Shown(f.prompter), QStringList{warning});
    QVERIFY(form.isVisible());
    QVERIFY(f.program.Accounts().empty());
  }

  void LeavingAnInvalidFieldForAnotherFieldWarnsOnce() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* weight = Child<QLineEdit>(form, "weightLineEdit");
    weight->setFocus();
    QTest::keyClicks(weight, QStringLiteral("20"));
    QTest::keyClick(weight, Qt::Key_Tab);
    QCOMPARE(Shown(f.prompter),
             QStringList{
                 QStringLiteral("warn: This Weight field requires values between 30 and 600 kg")});
    QCOMPARE(QApplication::focusWidget(), weight);
  }

  void CancelAndEscapeCheckNothing() {
    for (const bool escape : {false, true}) {
      TProgramFixture f;
      TFWhoAmI form(f.program, f.prompter);
      form.show();
      QVERIFY(QTest::qWaitForWindowActive(&form));
      auto* weight = Child<QLineEdit>(form, "weightLineEdit");
      weight->setFocus();
      QTest::keyClicks(weight, QStringLiteral("20"));
      if (escape)
        QTest::keyClick(weight, Qt::Key_Escape);
      else
        QTest::mouseClick(Child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
      QCOMPARE(form.result(), static_cast<int>(QDialog::Rejected));
      QCOMPARE(Shown(f.prompter), QStringList{});
    }
  }

  void AnImpossibleBirthDateWarnsAndTheScreenStaysOpen() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    Child<QLineEdit>(form, "nameLineEdit")->setText(QStringLiteral("Anna"));
    Child<QComboBox>(form, "birthDayComboBox")->setCurrentIndex(30);
    Child<QComboBox>(form, "birthMonthComboBox")->setCurrentIndex(1);
    Child<QSpinBox>(form, "birthYearSpinBox")->setValue(1988);
    Child<QLineEdit>(form, "weightLineEdit")->setText(QStringLiteral("65"));
    Child<QLineEdit>(form, "heightLineEdit")->setText(QStringLiteral("170"));
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, enter a valid birth date")});
    QCOMPARE(form.result(), 0);
    QVERIFY(f.program.Accounts().empty());
  }

  void EveryPartOfTheBirthDateHasItsLabelAsBuddy() {
    TProgramFixture f;
    TFWhoAmI form(f.program, f.prompter);
    for (const char* field : {"birthDayComboBox", "birthMonthComboBox", "birthYearSpinBox"}) {
      bool found = false;
      for (const QLabel* label : form.findChildren<QLabel*>())
        found = found || label->buddy() == Child<QWidget>(form, field);
      QVERIFY2(found, field);
    }
  }

  void TabReachesEveryControlAndTheButtons() {
    TProgramFixture f;
    {
      TFWhoAmI form(f.program, f.prompter);
      form.show();
      QCOMPARE(TabChainFaults(form, {kOk, kCancel}), QStringList{});
    }
    f.AddAccount("Anna");
    {
      TFPersonalInfo form(f.program, f.prompter);
      form.show();
      QCOMPARE(TabChainFaults(form, {kOk, kCancel}), QStringList{});
    }
    {
      TFInternational form(f.program, f.prompter);
      form.show();
      QCOMPARE(TabChainFaults(form, {kOk, kCancel, QStringLiteral("helpButton")}), QStringList{});
    }
    f.program.LogOff();
    {
      TFLogin form(f.program, f.prompter, {});
      form.show();
      QCOMPARE(TabChainFaults(form, {QStringLiteral("loginButton"), QStringLiteral("exitButton")}),
               QStringList{});
    }
  }

  void ARefusedWriteOfTheSettingsKeepsTheScreenOpen() {
    TProgramFixture f;
    f.AddAccount("Anna");
    const std::filesystem::path userFolder = f.program.CurrentUser()->Folder;
    const auto before = FolderContents(userFolder);
    TFInternational form(f.program, f.prompter);
    Child<QRadioButton>(form, "commaRadioButton")->setChecked(true);
    {
      const TDiskLimit fullDisk(16);
      Child<QPushButton>(form, "okButton")->click();
    }
    QCOMPARE(form.result(), 0);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QVERIFY2(Q(f.prompter.shown[0]).contains(QStringLiteral("CI.DAT")),
             f.prompter.shown[0].c_str());
    QVERIFY(FolderContents(userFolder) == before);
  }

  void ARefusedWriteOfPersonalInformationKeepsTheOldName() {
    TProgramFixture f;
    f.AddAccount("Anna");
    TFPersonalInfo form(f.program, f.prompter);
    Child<QLineEdit>(form, "nameLineEdit")->setText(QStringLiteral("Annabel"));
    {
      const TDiskLimit fullDisk(16);
      Child<QPushButton>(form, "okButton")->click();
    }
    QCOMPARE(form.result(), 0);
    QVERIFY2(Q(f.prompter.Last()).contains(QStringLiteral("LI.DAT")), f.prompter.Last().c_str());
    QCOMPARE(Q(f.program.CurrentUser()->UserName), QStringLiteral("Anna"));
    QCOMPARE(Child<QLineEdit>(form, "nameLineEdit")->text(), QStringLiteral("Annabel"));
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(Q(f.program.CurrentUser()->UserName), QStringLiteral("Annabel"));
  }
};

}  // namespace

int RunScreenRulesTests(int argc, char** argv) {
  TScreenRulesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "screen_rules_test.moc"
