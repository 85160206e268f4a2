#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "program_fixture.h"
#include "screen_tests.h"
#include "users/account_forms.h"
#include "users/ui/login_form.h"
#include "users/ui/personal_info_form.h"
#include "widgets/labeled_edit.h"

namespace korvela::test {
namespace {

// "Anna", born 10 March 1980, 170 cm, password "Secret", logged in.
struct TAnnaLoggedIn : TProgramFixture {
  TAnnaLoggedIn() : anna(AddAccount("Anna", "Secret")) {}
  TUser& anna;
};

QLineEdit* Edit(const QWidget& form, const char* name) { return Child<QLineEdit>(form, name); }

void Click(QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

}  // namespace

class TPersonalInfoFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAreNamedForTestsAndScreenReaders() {
    TAnnaLoggedIn f;
    TFPersonalInfo form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("View/Change Personal Information"));
    QCOMPARE(UnnamedControls(form), QStringList());
  }

  void ShowsTheCurrentUser() {
    TAnnaLoggedIn f;
    TFPersonalInfo form(f.program, f.prompter);
    QCOMPARE(Edit(form, "nameLineEdit")->text(), QStringLiteral("Anna"));
    QCOMPARE(Edit(form, "birthDateLineEdit")->text(), QStringLiteral("10 March 1980"));
    QVERIFY(Edit(form, "birthDateLineEdit")->isReadOnly());
    QCOMPARE(Edit(form, "heightLineEdit")->text(), QStringLiteral("170"));
    const struct {
      const char* edit;
      const char* caption;
    } passwords[] = {{"currentPasswordEdit", kCurrentPasswordLabel},
                     {"newPasswordEdit", kNewPasswordLabel},
                     {"confirmPasswordEdit", kConfirmPasswordLabel}};
    for (const auto& p : passwords) {
      auto* edit = Child<TLabeledEdit>(form, p.edit);
      QCOMPARE(edit->CaptionLabel()->text(), QString::fromUtf8(p.caption));
      QCOMPARE(edit->Edit()->echoMode(), QLineEdit::Password);
      QVERIFY(!edit->Edit()->isEnabled());
    }
    Child<QCheckBox>(form, "changePasswordCheckBox")->click();
    for (const auto& p : passwords)
      QVERIFY2(Child<TLabeledEdit>(form, p.edit)->Edit()->isEnabled(), p.edit);
  }

  // The name is checked when left for another field and again on OK (which
  // Enter reaches without leaving it); an empty name is never stored.
  void EmptyNameIsRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces only") << QStringLiteral("   ");
  }
  void EmptyNameIsRefused() {
    QFETCH(QString, name);
    TAnnaLoggedIn f;
    const std::string before = ReadBytes(f.anna.Folder / kAccountFileName);
    TFPersonalInfo form(f.program, f.prompter);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit* nameEdit = Edit(form, "nameLineEdit");
    nameEdit->setFocus();
    nameEdit->setText(name);
    Edit(form, "heightLineEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please, enter a user name")});
    QCOMPARE(QApplication::focusWidget(), nameEdit);

    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), (QStringList{QStringLiteral("warn: Please, enter a user name"),
                                             QStringLiteral("warn: Please, enter a user name")}));
    QVERIFY(form.isVisible());
    QCOMPARE(ReadBytes(f.anna.Folder / kAccountFileName), before);
    QCOMPARE(Q(f.anna.UserName), QStringLiteral("Anna"));
  }

  void OkStoresNameAndHeightCancelKeepsThem_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("height");
    QTest::newRow("OK") << QStringLiteral("okButton") << QStringLiteral(" Anna Berg") << 175.5;
    QTest::newRow("Cancel") << QStringLiteral("cancelButton") << QStringLiteral("Anna") << 170.0;
  }
  void OkStoresNameAndHeightCancelKeepsThem() {
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(double, height);
    TAnnaLoggedIn f;
    TFPersonalInfo form(f.program, f.prompter);
    form.show();
    Edit(form, "nameLineEdit")->setText(QStringLiteral(" Anna Berg"));
    Edit(form, "heightLineEdit")->setText(QStringLiteral("175.5"));
    Click(form, button.toUtf8().constData());
    QCOMPARE(Shown(f.prompter), QStringList());
    QVERIFY(!form.isVisible());
    const std::unique_ptr<TUser> stored = LoadUser(f.anna.Folder);
    QCOMPARE(Q(stored->UserName), name);
    QCOMPARE(stored->UserHeight, height);
    QCOMPARE(Q(f.anna.UserName), name);
    QVERIFY(LoginAccepted(*stored, "Secret"));
  }

  void HeightIsCheckedBeforeAnythingIsStored_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("warning");
    QTest::newRow("empty") << QString() << QStringLiteral("Please enter a Height");
    QTest::newRow("below 100 cm") << QStringLiteral("99")
                                  << QStringLiteral(
                                         "Height field requires values between 100 and 300 cm");
  }
  void HeightIsCheckedBeforeAnythingIsStored() {
    QFETCH(QString, height);
    QFETCH(QString, warning);
    TAnnaLoggedIn f;
    const std::string before = ReadBytes(f.anna.Folder / kAccountFileName);
    TFPersonalInfo form(f.program, f.prompter);
    form.show();
    Edit(form, "nameLineEdit")->setText(QStringLiteral("Anna Berg"));
    Edit(form, "heightLineEdit")->setText(height);
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: ") + warning});
    QVERIFY(form.isVisible());
    QCOMPARE(ReadBytes(f.anna.Folder / kAccountFileName), before);
  }

  // The warnings are strings 47 and 48 of the string table; the faulty field
  // gets the focus and nothing is stored.
  void PasswordChangeIsRefused_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focused");
    QTest::newRow("current in other letter case")
        << QStringLiteral("secret") << QStringLiteral("New one")
        << QString::fromUtf8(kWrongPassword) << QStringLiteral("currentPasswordLineEdit");
    QTest::newRow("new passwords differ")
        << QStringLiteral("Secret") << QStringLiteral("New One")
        << QString::fromUtf8(kNewPasswordsDiffer) << QStringLiteral("newPasswordLineEdit");
  }
  void PasswordChangeIsRefused() {
    QFETCH(QString, current);
    QFETCH(QString, confirmation);
    QFETCH(QString, warning);
    QFETCH(QString, focused);
    TAnnaLoggedIn f;
    const std::string before = ReadBytes(f.anna.Folder / kAccountFileName);
    TFPersonalInfo form(f.program, f.prompter);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Child<QCheckBox>(form, "changePasswordCheckBox")->click();
    Edit(form, "currentPasswordLineEdit")->setText(current);
    Edit(form, "newPasswordLineEdit")->setText(QStringLiteral("New one"));
    Edit(form, "confirmPasswordLineEdit")->setText(confirmation);
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: ") + warning});
    QVERIFY(form.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    QCOMPARE(ReadBytes(f.anna.Folder / kAccountFileName), before);
  }

  // The new password is stored: a program started afresh on the folder logs
  // in with it and no longer with the old one.
  void ChangedPasswordOpensTheNextLogin() {
    TAnnaLoggedIn f;
    TFPersonalInfo form(f.program, f.prompter);
    form.show();
    Child<QCheckBox>(form, "changePasswordCheckBox")->click();
    Edit(form, "currentPasswordLineEdit")->setText(QStringLiteral("Secret"));
    Edit(form, "newPasswordLineEdit")->setText(QStringLiteral("New one"));
    Edit(form, "confirmPasswordLineEdit")->setText(QStringLiteral("New one"));
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    f.program.LogOff();

    TProgram restarted(f.folder.Path(), {}, f.clock, *f.random);
    restarted.Start();
    const struct {
      const char* typed;
      bool accepted;
    } attempts[] = {{"Secret", false}, {"New one", true}};
    for (const auto& attempt : attempts) {
      TScriptedPrompter prompter;
      TFLogin login(restarted, prompter, {});
      login.show();
      Edit(login, "passwordLineEdit")->setText(QString::fromUtf8(attempt.typed));
      Click(login, "loginButton");
      QCOMPARE(login.result() == QDialog::Accepted, attempt.accepted);
      QCOMPARE(prompter.shown.empty(), attempt.accepted);
    }
    QCOMPARE(Q(restarted.CurrentUser()->UserName), QStringLiteral("Anna"));
  }
};

int RunPersonalInfoFormTests(int argc, char** argv) {
  TPersonalInfoFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "personal_info_form_test.moc"
