#pragma once
#include <QAccessible>
#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/program.h"
#include "app/string_table.h"
#include "storage/date_time.h"
#include "storage/random.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "users/clock.h"

namespace korvela::test {

// The texts the fixture puts into the string table.
inline constexpr const char* kTitle = "Korvela - diet, bodyweight and training diary";
inline constexpr const char* kCurrentPasswordLabel = "My current password:";
inline constexpr const char* kNewPasswordLabel = "My new password:";
inline constexpr const char* kConfirmPasswordLabel = "I confirm my new password:";
inline constexpr const char* kWrongPassword = "The current password is not correct";
inline constexpr const char* kNewPasswordsDiffer = "The new passwords are not the same";

// A started program on a fresh folder, on 15 June 2007 at noon, with a
// seeded random source and a scripted prompter.
struct TProgramFixture {
  explicit TProgramFixture(const TSystemDefaults& defaults = {})
      : program(folder.Path(), defaults, clock, *random) {
    TStringTable strings(folder / kStringTableFileName, *random);
    strings.PutString(kTitleString, kTitle);
    strings.PutString(kCurrentPasswordLabelString, kCurrentPasswordLabel);
    strings.PutString(kNewPasswordLabelString, kNewPasswordLabel);
    strings.PutString(kConfirmPasswordLabelString, kConfirmPasswordLabel);
    strings.PutString(kWrongPasswordString, kWrongPassword);
    strings.PutString(kPasswordsDifferString, kNewPasswordsDiffer);
    strings.Close();
    program.Start();
  }

  // An account as the creation screen would make it; it becomes current.
  TUser& AddAccount(const std::string& name, const std::string& password = {}) {
    TNewAccount account;
    account.name = name;
    account.password = password;
    account.birthDate = EncodeDate(1980, 3, 10);
    account.sex = TSex::Female;
    account.activityLevel = 1;
    account.heightCm = 170;
    account.weightKg = 65;
    return program.CreateAccount(account);
  }

  TTempFolder folder;
  TFixedClock clock{EncodeDate(2007, 6, 15) + 0.5};
  std::unique_ptr<TRandom> random = MakeSeededRandom(20070615);
  TProgram program;
  TScriptedPrompter prompter;
};

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// What the prompter showed, in order ("warn: ...", "ask: ..."), in a form
// that Qt Test prints when a comparison fails.
inline QStringList Shown(const TScriptedPrompter& prompter) {
  QStringList shown;
  for (const std::string& text : prompter.shown) shown << Q(text);
  return shown;
}

// The screen's control of that object name; a missing name is a fault of the
// screen, reported as such.
template <typename T>
T* Child(const QWidget& screen, const char* name) {
  T* child = screen.findChild<T*>(QString::fromUtf8(name));
  if (!child) throw std::logic_error(std::string("no control named ") + name);
  return child;
}

// The controls a person can reach that a test or a screen reader could not
// find by name: no object name ending in the control's type, or no
// accessible name. Qt's own inner parts ("qt_...") are left out.
inline QStringList UnnamedControls(const QWidget& screen) {
  static const char* const kTypeEndings[] = {"LineEdit", "ComboBox", "SpinBox",    "RadioButton",
                                             "CheckBox", "Button",   "ListWidget", "TimeEdit",
                                             "TextEdit", "Grid",     "Calendar"};
  QStringList faults;
  for (QWidget* control : screen.findChildren<QWidget*>()) {
    if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(&screen)) continue;
    const QString name = control->objectName();
    if (name.startsWith(QStringLiteral("qt_"))) continue;
    bool typed = false;
    for (const char* ending : kTypeEndings)
      typed = typed || name.endsWith(QString::fromUtf8(ending));
    if (!typed)
      faults << QStringLiteral("%1 '%2' has no typed object name")
                    .arg(QString::fromUtf8(control->metaObject()->className()), name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
      faults << name + QStringLiteral(" has no accessible name");
  }
  return faults;
}

}  // namespace korvela::test
