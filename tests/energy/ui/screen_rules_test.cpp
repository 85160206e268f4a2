// Rules every body-record and goal screen keeps: Tab reaches every control
// and the buttons with no unnamed stop, entries have their captions as
// buddies, and a write the disk refuses keeps the screen open.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "energy/ui/diet_comp_form.h"
#include "energy/ui/measurements_form.h"
#include "energy/ui/phases_form.h"
#include "energy/ui/recovery_form.h"
#include "energy/ui/skinfold_form.h"
#include "energy/ui/weight_goal_form.h"
#include "screen_tests.h"
#include "support/disk_limit.h"
#include "support/tab_chain.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

struct TAnnaFixture : TProgramFixture {
  TAnnaFixture() { AddAccount("Anna"); }
};

class TScreenRulesTest : public QObject {
  Q_OBJECT
 private slots:
  void TabReachesEveryControlAndTheButtons() {
    TAnnaFixture f;
    const TDateTime today = f.clock.Today();
    const struct {
      const char* screen;
      std::function<std::unique_ptr<QDialog>()> make;
      QStringList buttons;
    } cases[] = {
        {"diet composition",
         [&] { return std::make_unique<TFDietComp>(f.program, f.prompter); },
         {QStringLiteral("adoptButton"), QStringLiteral("cancelButton")}},
        {"weight goal",
         [&] { return std::make_unique<TFWeightGoal>(f.program, f.prompter); },
         {QStringLiteral("adoptButton"), QStringLiteral("cancelButton")}},
        {"measurements",
         [&] { return std::make_unique<TFMeasurements>(f.program, f.prompter, today); },
         {QStringLiteral("okButton"), QStringLiteral("cancelButton")}},
        {"phases",
         [&] { return std::make_unique<TFPhases>(f.program, f.prompter); },
         {QStringLiteral("okButton"), QStringLiteral("cancelButton")}},
        {"recovery",
         [&] { return std::make_unique<TFRecovery>(f.program, f.prompter, today); },
         {QStringLiteral("okButton"), QStringLiteral("cancelButton")}},
        {"3-site skinfold",
         [&] {
           return std::make_unique<TFSkinfold>(f.program, f.prompter, TSkinfoldMethod::ThreeSite);
         },
         {QStringLiteral("calculateButton"), QStringLiteral("closeButton")}},
        {"7-site skinfold",
         [&] {
           return std::make_unique<TFSkinfold>(f.program, f.prompter, TSkinfoldMethod::SevenSite);
         },
         {QStringLiteral("calculateButton"), QStringLiteral("closeButton")}},
    };
    for (const auto& c : cases) {
      const std::unique_ptr<QDialog> form = c.make();
      form->show();
      QVERIFY2(TabChainFaults(*form, c.buttons).isEmpty(),
               qPrintable(QString::fromUtf8(c.screen) + QStringLiteral(": ") +
                          TabChainFaults(*form, c.buttons).join(QStringLiteral("; "))));
    }
  }

  void TheTargetWeightHasItsCaptionAsBuddy() {
    TAnnaFixture f;
    TFWeightGoal form(f.program, f.prompter);
    bool found = false;
    for (const QLabel* label : form.findChildren<QLabel*>())
      found = found || (label->buddy() == Child<QLineEdit>(form, "targetWeightLineEdit") &&
                        label->text() == QStringLiteral("I want to weight:"));
    QVERIFY(found);
  }

  void ARefusedWriteOfAPhaseKeepsTheScreenAndTheFiles() {
    TAnnaFixture f;
    const std::filesystem::path userFolder = f.program.CurrentUser()->Folder;
    const auto before = FolderContents(userFolder);
    TFPhases form(f.program, f.prompter);
    Child<QPushButton>(form, "newPhaseButton")->click();
    {
      const TDiskLimit fullDisk(16);
      Child<QPushButton>(form, "okButton")->click();
    }
    QCOMPARE(form.result(), 0);
    QVERIFY2(Q(f.prompter.Last()).startsWith(QStringLiteral("warn: Korvela could not save")),
             f.prompter.Last().c_str());
    QVERIFY(FolderContents(userFolder) == before);
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
  }
};

}  // namespace

int RunScreenRulesTests(int argc, char** argv) {
  TScreenRulesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "screen_rules_test.moc"
