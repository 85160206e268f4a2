#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "program_fixture.h"
#include "screen_tests.h"
#include "users/ui/login_form.h"

namespace korvela::test {
namespace {

QStringList ListedNames(const TFLogin& form) {
  QStringList names;
  const auto* list = Child<QListWidget>(form, "userNameListWidget");
  for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
  return names;
}

QStringList AccountNames(TProgram& program) {
  QStringList names;
  for (const auto& user : program.Accounts()) names << Q(user->UserName);
  return names;
}

void Click(TFLogin& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

// Two accounts, nobody logged in: "Anna" with the password "Secret" and
// "Bob" without one.
struct TTwoAccounts : TProgramFixture {
  TTwoAccounts() {
    AddAccount("Anna", "Secret");
    AddAccount("Bob");
    program.LogOff();
  }
};

}  // namespace

class TLoginFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ControlsAreNamedForTestsAndScreenReaders() {
    TTwoAccounts f;
    TFLogin form(f.program, f.prompter, {});
    QCOMPARE(form.windowTitle(), QStringLiteral("Login..."));
    QCOMPARE(UnnamedControls(form), QStringList());
  }

  void ListsTheAccountsAndSelectsTheFirst() {
    TTwoAccounts f;
    TFLogin form(f.program, f.prompter, {});
    QCOMPARE(Child<QLabel>(form, "titleLabel")->text(), QString::fromUtf8(kTitle));
    QCOMPARE(ListedNames(form), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bob")}));
    QCOMPARE(Child<QListWidget>(form, "userNameListWidget")->currentRow(), 0);
    QCOMPARE(Child<QLineEdit>(form, "passwordLineEdit")->echoMode(), QLineEdit::Password);
    for (const char* name : {"userNameListWidget", "loginButton", "deleteButton"})
      QVERIFY2(Child<QWidget>(form, name)->isEnabled(), name);
    QVERIFY(Child<QPushButton>(form, "loginButton")->isDefault());
  }

  void WithoutAccountsOnlyNewAndExitWork() {
    TProgramFixture f;
    TFLogin form(f.program, f.prompter, {});
    for (const char* name : {"userNameListWidget", "loginButton", "deleteButton"})
      QVERIFY2(!Child<QWidget>(form, name)->isEnabled(), name);
    for (const char* name : {"newButton", "exitButton"})
      QVERIFY2(Child<QWidget>(form, name)->isEnabled(), name);
  }

  void LoginNeedsTheExactPassword_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right password") << 0 << QStringLiteral("Secret") << true;
    QTest::newRow("other letter case") << 0 << QStringLiteral("secret") << false;
    QTest::newRow("wrong password") << 0 << QStringLiteral("Secret ") << false;
    QTest::newRow("empty for a password") << 0 << QString() << false;
    QTest::newRow("no password, empty field") << 1 << QString() << true;
    QTest::newRow("no password, text typed") << 1 << QStringLiteral("x") << false;
  }
  void LoginNeedsTheExactPassword() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    TTwoAccounts f;
    TFLogin form(f.program, f.prompter, {});
    form.show();
    Child<QListWidget>(form, "userNameListWidget")->setCurrentRow(row);
    QTest::keyClicks(Child<QLineEdit>(form, "passwordLineEdit"), typed);
    Click(form, "loginButton");
    if (accepted) {
      QCOMPARE(Shown(f.prompter), QStringList());
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(f.program.CurrentUser(), f.program.Accounts()[std::size_t(row)].get());
      QVERIFY(f.program.Session());
    } else {
      QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Invalid password")});
      QVERIFY(form.isVisible());
      QVERIFY(!f.program.CurrentUser());
    }
  }

  // No asks nothing; Yes deletes the selected account without asking for its
  // password, and the last one leaves nothing to log in to.
  void DeleteAsksThenRemovesTheAccount() {
    TTwoAccounts f;
    TFLogin form(f.program, f.prompter, {});
    form.show();
    auto* list = Child<QListWidget>(form, "userNameListWidget");
    const std::filesystem::path bobFolder = f.program.Accounts()[1]->Folder;
    list->setCurrentRow(1);
    f.prompter.Plan(TAnswer::No);
    Click(form, "deleteButton");
    QCOMPARE(AccountNames(f.program), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bob")}));
    QVERIFY(std::filesystem::exists(bobFolder));

    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deleteButton");
    QCOMPARE(AccountNames(f.program), QStringList{QStringLiteral("Anna")});
    QCOMPARE(ListedNames(form), QStringList{QStringLiteral("Anna")});
    QVERIFY(!std::filesystem::exists(bobFolder));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(Child<QPushButton>(form, "loginButton")->isEnabled());

    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deleteButton");
    QVERIFY(f.program.Accounts().empty());
    QCOMPARE(ListedNames(form), QStringList());
    for (const char* name : {"userNameListWidget", "loginButton", "deleteButton"})
      QVERIFY2(!Child<QWidget>(form, name)->isEnabled(), name);
    QCOMPARE(Shown(f.prompter),
             (QStringList{QStringLiteral("ask: Do you really want to delete Bob?"),
                          QStringLiteral("ask: Do you really want to delete Bob?"),
                          QStringLiteral("ask: Do you really want to delete Anna?")}));
    QVERIFY(form.isVisible());
  }

  void NewClosesTheScreenOnlyWhenAnAccountWasCreated_data() {
    QTest::addColumn<bool>("created");
    QTest::newRow("created") << true;
    QTest::newRow("cancelled") << false;
  }
  void NewClosesTheScreenOnlyWhenAnAccountWasCreated() {
    QFETCH(bool, created);
    TProgramFixture f;
    int calls = 0;
    TFLogin form(f.program, f.prompter, [&] {
      ++calls;
      return created;
    });
    form.show();
    Click(form, "newButton");
    QCOMPARE(calls, 1);
    QCOMPARE(form.isVisible(), !created);
    if (created) QCOMPARE(form.result(), int(QDialog::Accepted));
  }

  // A restored account is offered at once; a cancelled restore changes
  // nothing. Without a restore the button is not there.
  void RestoreOffersTheRestoredAccount() {
    TProgramFixture f;
    bool restore = false;
    QWidget* over = nullptr;
    TFLogin form(f.program, f.prompter, {}, nullptr, [&](QWidget* parent) {
      over = parent;
      if (!restore) return false;
      f.AddAccount("Anna (restored)", "Secret");
      f.program.LogOff();
      return true;
    });
    form.show();
    QVERIFY(Child<QPushButton>(form, "restoreButton")->isVisible());
    Click(form, "restoreButton");
    QCOMPARE(over, static_cast<QWidget*>(&form));
    QCOMPARE(ListedNames(form), QStringList());
    QVERIFY(!Child<QWidget>(form, "loginButton")->isEnabled());
    restore = true;
    Click(form, "restoreButton");
    QCOMPARE(ListedNames(form), QStringList{QStringLiteral("Anna (restored)")});
    QCOMPARE(Child<QListWidget>(form, "userNameListWidget")->currentRow(), 0);
    QVERIFY(Child<QWidget>(form, "loginButton")->isEnabled());
    QVERIFY(form.isVisible());
    Child<QLineEdit>(form, "passwordLineEdit")->setText(QStringLiteral("Secret"));
    Click(form, "loginButton");
    QCOMPARE(f.program.CurrentUser()->UserName, std::string("Anna (restored)"));

    TTwoAccounts plain;
    TFLogin without(plain.program, plain.prompter, {});
    without.show();
    QVERIFY(!Child<QPushButton>(without, "restoreButton")->isVisible());
  }

  void ExitLogsNobodyIn() {
    TTwoAccounts f;
    TFLogin form(f.program, f.prompter, {});
    form.show();
    Click(form, "exitButton");
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());
    QVERIFY(!f.program.CurrentUser());
  }
};

int RunLoginFormTests(int argc, char** argv) {
  TLoginFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "login_form_test.moc"
